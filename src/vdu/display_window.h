// The window of a character screen.
#pragma once

#include <windows.h>

constexpr const char *displayClassName = "TARNWELL_DISPLAY";

// Window slots: the host context at byte 0, the screen's block at byte 8.
constexpr int displaySlotContext = 0;
constexpr int displaySlotBlock = 8;

LRESULT CALLBACK DisplayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
