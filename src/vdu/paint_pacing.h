// When a screen's display window paints: at once when a client that waits for input has output
// waiting to be shown, and at most once every 15 ms, whoever asks.
#pragma once

#include <windows.h>

#include "vdu/screen_state.h"

// Posted by 'K' to the display window: output is waiting to be shown.
constexpr UINT displayShowOutputMessage = WM_APP + 0x15;
// The timer that holds a paint back until its turn; it has a timer procedure of its own, so
// its ticks never reach the window procedure.
constexpr UINT_PTR displayPacingTimerId = 17;
constexpr int64_t paintSpacingMicroseconds = 15000;

// Client's thread, screen locked, after 'K' found output waiting: asks the window to show it,
// unless a paint is already on its way.
void AskToShowOutput(ScreenState &screen);

// GUI thread, on displayShowOutputMessage: paints now if the window has not painted in the
// last 15 ms and the repaint countdown still asks for it (taking the countdown to 0 as the
// tick does), or when its turn comes.
void ShowAskedOutput(HWND window, VduBlock *block);

// GUI thread, when the tick takes the countdown: the window is invalidated now, or when its
// turn comes.
void ShowWhenDue(HWND window, VduBlock *block);

// Every paint of the window, screen locked: remembers when it began.
void NotePaint(ScreenState &screen);
