// The bitmap of a screen's graphics: loading a bitmap file for the screen, and drawing it
// scaled into the back image. Except for reading the file, the caller holds the screen's lock.
#pragma once

#include "vdu/graphics_rules.h"
#include "vdu/screen_state.h"

// Releases the screen's bitmap (the file image and the device bitmap made from it).
void ReleaseScreenBitmap(ScreenState &screen);

// The whole bitmap file `path` (at most `pathSpace` bytes, NUL included), for the standard heap
// release; null when the file is missing, no bitmap file, or one whose headers, colour table
// or pixels do not lie inside it. Needs no lock: the file is read before the screen is locked.
uint8_t *ReadDrawableBitmap(const char *path, size_t pathSpace);

// Replaces the screen's bitmap with `image` (from ReadDrawableBitmap, now the screen's) and
// makes its device bitmap; with null, the screen is left without a bitmap.
void InstallScreenBitmap(ScreenState &screen, uint8_t *image);

// Fills `placement` white and ANDs the bitmap into it, scaled. False when no bitmap is loaded.
bool DrawScreenBitmap(ScreenState &screen, const GraphicsRect &placement, int32_t offsetX, int32_t offsetY,
                      int32_t scaleX, int32_t scaleY);
