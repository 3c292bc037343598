// The clock stamp in the host context and the 55 ms timer that keeps it running.
#pragma once

#include <windows.h>

#include "host/host_context.h"

// Stores a fresh stamp of the local time: the date word, then the time word.
void TakeClockStamp(HostContext *context);

// Advances the tick counter and takes a stamp when one is due.
void TickClock(HostContext *context);

// Timer procedure of the monitor window's tick timer; the context is in window slot 0.
void CALLBACK TickTimerProc(HWND window, UINT message, UINT_PTR timerId, DWORD systemTime);
