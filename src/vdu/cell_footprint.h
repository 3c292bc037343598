// Where the drawing of one cell word reaches, relative to the cell origin: the box around every
// pixel its strokes, bitmap glyph and character can touch. Pure.
#pragma once

#include <cstdint>

#include "vdu/glyph_plan.h"

// Right and bottom exclusive; empty when nothing is drawn.
struct PixelBox {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return left >= right || top >= bottom; }
};

PixelBox Union(const PixelBox &a, const PixelBox &b);

// The ink of each character of a font, relative to the point where the text is written.
struct FontInk {
    PixelBox of[256];
};

// Everything `plan` draws, with the character's ink from `ink`. A stroke of negative width or
// height covers the pixels on the other side of its corner, as a pattern copy does.
PixelBox PlanFootprint(const CellPlan &plan, const FontInk &ink);

// Whether a drawing stays inside a cell of width x height pixels.
bool InsideCell(const PixelBox &box, int32_t width, int32_t height);

// Index of a cell word with its frame word in a table of footprints: what the renderer draws
// depends only on the frame edges when there are any, else on the button and mask bits and the
// character. `footprintKinds` entries.
constexpr int footprintKinds = 8 * 256 + 16;
int FootprintKind(uint32_t cellWord, uint32_t frameWord);
// A cell word and frame word of each kind, for building the table.
void WordsOfKind(int kind, uint32_t &cellWord, uint32_t &frameWord);
