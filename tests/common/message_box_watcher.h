// Answers the next "setupbox" message box with OK from a thread of its own, keeping its text.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

struct MessageBoxWatcher {
    std::string text;
    std::atomic<bool> seen{false};
    HANDLE thread = nullptr;

    MessageBoxWatcher();
    ~MessageBoxWatcher(); // waits for the watch to end (about 20 s at the most)
};
