// What a screen's display window draws: the front image stretched over the whole window with
// the cursor bar, the focus stripe down the left edge, and the thumbnail in the monitor's
// splash canvas. Each takes the screen's lock while it uses the screen's images.
#pragma once

#include <windows.h>

#include "host/host_context.h"
#include "vdu/display_rules.h"
#include "vdu/vdu_block.h"

// The size of an image the host made, read from its bitmap, not from the block; {0, 0} when
// there is none.
WindowSize ImageSize(HBITMAP bitmap);

// Paints the whole window, caption and frame included, and validates it.
void PaintDisplay(HWND window, HostContext *context, VduBlock *block);

// Two pixel columns at the left edge of the image: the screen's colour while the window has
// the focus, the face colour otherwise. Drawn into the back image and copied to the front.
void PaintSideStripe(HWND window, HostContext *context, VduBlock *block, bool focused);

// The top half of screens 1 to 4 in miniature in the monitor window's splash canvas.
void PaintThumbnail(HostContext *context, VduBlock *block);
