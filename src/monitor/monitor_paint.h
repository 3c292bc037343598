// Painting of the monitor window and of the legend's hover frames.
#pragma once

#include <windows.h>

#include "host/host_context.h"
#include "monitor/legend.h"

WindowFrame MeasureWindowFrame(HWND window);

// Paints the whole window, frame included, through the window device context.
void PaintMonitorWindow(HostContext *context, HWND window);

// Paints the frames of the legend buttons into the splash canvas: silver for `hotRow`,
// white for the others.
void PaintLegendFrames(HostContext *context, const WindowFrame &frame, int hotRow);
