// Drawing one cell into a screen's front image, and restoring pixels from the back image.
#pragma once

#include "vdu/screen_state.h"

// The top-left pixel of cell (column, row).
POINT CellOrigin(const VduBlock *block, int32_t column, int32_t row);

// Draws the cell word in `data` at the cursor and stores it in the cell buffer. A cursor
// outside the buffers draws and stores nothing.
void DrawCell(ScreenState &screen);

// Copies the cursor cell, the cursor row's full-width band, or the whole image from the back
// image to the front image. A cursor outside the screen copies nothing.
void EraseCell(ScreenState &screen);
void EraseRow(ScreenState &screen);
void EraseScreen(ScreenState &screen);

// Erases the cell at the cursor, then draws `word` there.
void EraseAndDraw(ScreenState &screen, uint32_t word);
