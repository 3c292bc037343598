// The inverting rubber-band outline shared by the monitor and display windows. Its points are
// client points in the monitor window and window-relative points (from the outer top-left
// corner) in a display window.
#pragma once

#include <windows.h>

#include "host/host_context.h"

// Inverts the band's outline in `window`, if `window` holds the band. Twice restores the pixels.
void DrawRubberBand(HostContext *context, HWND window);

// Starts a band at point (x, y) in `window` and captures the mouse.
void BeginRubberBand(HostContext *context, HWND window, int x, int y);

// Moves the band's moving corner to point (x, y), redrawing it where `window` holds it.
void FollowRubberBand(HostContext *context, HWND window, int x, int y);

// Erases and drops the band, releases the capture and repaints `window`.
void EndRubberBand(HostContext *context, HWND window);
