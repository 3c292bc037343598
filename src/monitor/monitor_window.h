// The monitor window: splash, key legend, drive choice, timers and the memory monitor.
#pragma once

#include <windows.h>

constexpr const char *monitorClassName = "TARNWELL_MONITOR";
constexpr const char *monitorTitle = "/tarnwell";
constexpr UINT_PTR tickTimerEvent = 1;
constexpr UINT_PTR secondTimerEvent = 2;

LRESULT CALLBACK MonitorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
