// Counts and answers every "setupbox" message box that appears while it watches, from a
// thread of its own. Each box stays up `holdMs` before it is answered; `onBox` runs (on the
// watcher's thread) as soon as a box is seen.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class BoxCounter {
public:
    explicit BoxCounter(DWORD holdMs = 0, std::function<void()> onBox = {});
    ~BoxCounter();

    int Count() const { return count_; }
    std::vector<std::string> Texts() const;

private:
    static DWORD WINAPI Watch(void *self);

    DWORD holdMs_;
    std::function<void()> onBox_;
    std::atomic<int> count_{0};
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
    HANDLE thread_;
};
