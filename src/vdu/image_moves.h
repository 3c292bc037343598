// Scrolling and clearing by copying pixels: the rows that move are copied in one step and only
// what is new is drawn, wherever the result is pixel for pixel what erasing and drawing every
// cell gives. Where it would not be (a drawing reaching past its cell, other drawing in a row,
// graphics in the back image, frame edges that stay in place) the rows or cells concerned, or
// the whole operation, are drawn cell by cell. Used by the painters, under the screen's lock.
#pragma once

#include "vdu/screen_state.h"

// Begins moving rows `top` to `bottom` one row up (delete line: row r takes row r + 1) or down
// (insert line: row r takes row r - 1). When every cell the move draws stays inside its cell,
// copies the pixels of all moving rows at once and returns true; the caller then passes each
// row that takes another's place to TakeMovedRow, in the order it would redraw them. False:
// nothing was done.
bool BeginRowMove(ScreenState &screen, int32_t top, int32_t bottom, bool up);

// Row `row` keeps the pixels copied into it from `source`: the cell words move with them, and
// cells whose words or frame edges differ from what their pixels show are drawn again. False,
// with nothing done, where the copied pixels cannot stand for the row (the source row held
// other drawing, or its back image differs): the caller redraws the row.
bool TakeMovedRow(ScreenState &screen, int32_t row, int32_t source);

// Clears to spaces the cells from `column` to the end of `row` and every cell of the rows
// below it down to `lastRow`, by copying the back image over them and drawing only frame
// edges; leaves `data` as drawing the spaces would. False, with nothing done, where that would
// not leave what erasing and drawing each cell in turn does.
bool ClearByCopy(ScreenState &screen, int32_t column, int32_t row, int32_t lastRow);
