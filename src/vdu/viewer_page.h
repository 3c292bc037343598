// The text page the file viewer shows: an 80 x 24 page of (character, attribute) byte pairs,
// how its characters are translated and drawn, and which cells a pass redraws. Pure.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr int32_t pageColumns = 80, pageRows = 24;
constexpr uint32_t pageFileOffset = 4096; // where the page starts in the file
constexpr uint32_t pageReadSize = 4096;   // what one pass reads; the first 3840 bytes are the page

constexpr COLORREF pageTextBlack = 0x000000;
constexpr COLORREF pageTextPurple = 0x800080; // attribute bit 3 (intensity)

// The character byte as shown: national characters of the 7-bit variant and of the PC code
// page moved to their places in the Windows code page.
uint8_t TranslatePageCharacter(uint8_t byte);

// A double-line box character drawn as two light grey bars, each a rectangle relative to the
// cell origin (right and bottom exclusive). The offsets are those of an 8 x 16 cell.
struct BoxBars {
    RECT horizontal, vertical;
};

// The bars of `code`, or false when the code is drawn as text.
bool BoxBarsOf(uint8_t code, BoxBars &bars);

// What a pass does with one cell.
struct PageCellDraw {
    bool redraw = false;   // the character differs from the cell word: erase, store and draw
    uint32_t word = 0;     // the new cell word (the translated character, no attributes)
    bool box = false;      // drawn as `bars` instead of text
    BoxBars bars{};
    COLORREF textColour = pageTextBlack;
};

// The cell (column, row) of a page read from the file, against the cell word on the screen.
// Only a change of the character redraws; an attribute change alone does not.
PageCellDraw PlanPageCell(const uint8_t *page, int32_t column, int32_t row, uint32_t cellWord);

// A stretch of a run of redrawn cells that one text call draws: neighbours of one colour, box
// cells (whose text is a space) joining either side.
struct TextSegment {
    int32_t first, count;
    COLORREF colour;
};

// Splits `count` redrawn cells, left to right, into text segments; a run of box cells alone
// gives none. `segments` has room for `count`. Returns the number of segments.
int32_t SplitTextSegments(const PageCellDraw *cells, int32_t count, TextSegment *segments);
