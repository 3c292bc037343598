// Rules of the character screens that need no drawing: scroll regions, region corners,
// the words 'T' writes, positions of code 16, mouse cells. Pure.
#pragma once

#include <cstdint>

// The bottom row of the scroll region that starts at `cursorRow`: the region ends just above
// the first row below the cursor row with a line-drawing character (16..31) at three quarters
// of the width. `cells` has columns x rows words.
int32_t ScrollRegionBottom(const uint32_t *cells, int32_t columns, int32_t rows, int32_t cursorRow);

struct CellRegion {
    int32_t c1, r1, c2, r2; // inclusive, c1 <= c2, r1 <= r2
};

// The rectangle between two corners, each limited to the screen first.
CellRegion RegionBetween(int32_t anchorColumn, int32_t anchorRow, int32_t column, int32_t row, int32_t columns,
                         int32_t rows);

// The word 'T' stores for character `ch` over the old word `old`.
uint32_t WordForCharacter(uint8_t ch, uint32_t old, uint8_t maskMode, uint8_t highlight);

// Where code 16 puts the cursor; returns false when the keep flag leaves it alone.
bool PositionFromArgument(uint32_t extra, int32_t rows, int32_t &column, int32_t &row);

struct MouseCell {
    uint32_t cell;   // column OR row << 16
    uint32_t offset; // pixel x OR pixel y << 16, relative to the text area
};

struct MouseGeometry {
    int32_t mouseX, mouseY, backWidth, backHeight, windowWidth, windowHeight;
    int32_t marginLeft, marginTop, cellWidth, cellHeight, columns, rows;
};

MouseCell MouseToCell(const MouseGeometry &g);
