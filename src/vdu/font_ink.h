// Where the characters of a font put ink, measured once per font by drawing each of them.
#pragma once

#include <windows.h>

#include "vdu/cell_footprint.h"

// The ink of `font` as text drawn into a context like `like` shows it (black on white,
// transparent background). Characters whose ink could not be measured get a box that fits no
// cell.
const FontInk &InkOf(HFONT font, HDC like);
