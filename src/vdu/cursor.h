// The cursor normaliser and the repaint countdown.
#pragma once

#include <cstdint>

#include "vdu/screen_state.h"

// ORs a repaint request (85, or 117 for soon) into the block's countdown.
void RequestRepaint(VduBlock *block, uint8_t bits);

// Brings the cursor back onto the screen, scrolling when it left the top or the bottom.
void NormaliseCursor(ScreenState &screen);
