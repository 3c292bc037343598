// The window of a character screen.
#pragma once

#include <windows.h>

constexpr const char *displayClassName = "TARNWELL_DISPLAY";

// Window slots: the host context at byte 0, the screen's block at byte 8.
constexpr int displaySlotContext = 0;
constexpr int displaySlotBlock = 8;

// The id of the window's 110 ms timer and the command ids of its system-menu items.
constexpr UINT_PTR displayTimerId = 16;
constexpr UINT displayTimerPeriod = 110;
constexpr WPARAM displayHardcopyCommand = 1;
constexpr WPARAM displayCopyCommand = 0x10;
constexpr WPARAM displayPasteCommand = 0x20;

LRESULT CALLBACK DisplayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
