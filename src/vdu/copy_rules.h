// What a copy from a character screen takes: the cells a rubber band covers and their text in
// the clipboard's two text formats. Pure.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "vdu/display_rules.h"
#include "vdu/screen_rules.h"

// Window-relative y from which a drag selects text; above it lie the top strip and the click band.
constexpr int32_t selectionTop = 80;

struct BandGeometry {
    WindowSize window; // outer size of the window the band was drawn in
    WindowSize image;  // the front image stretched over it
    int32_t marginLeft, marginTop, cellWidth, cellHeight;
    int32_t columns, rows;
};

// The cells a band from `anchor` to `corner` (window-relative) touches: each corner is mapped
// to its cell as 'M' maps the mouse, clamped to the screen. False when the band selects nothing:
// it started above `selectionTop`, or both corners lie in one cell (a click).
bool BandSelection(WindowPoint anchor, WindowPoint corner, const BandGeometry &g, CellRegion &cells);

// The characters of the code page as UTF-16, by byte; 0 where a byte has none.
using AnsiTable = std::array<wchar_t, 256>;

struct ScreenText {
    const uint32_t *cells, *frames; // columns x rows words each
    int32_t columns, rows;
    uint8_t screenNumber;           // chooses the line-drawing style
};

struct CopiedText {
    std::string ansi;  // CF_TEXT, without its terminating NUL
    std::wstring wide; // CF_UNICODETEXT, the same
};

// The text of the cells of `region` (limited to the screen) as the screen shows them: one line
// per row, trailing blanks dropped, lines joined by CR LF. Line drawing and frame edges become
// '-', '|' and '+' in the ANSI text and box-drawing characters in the Unicode text.
CopiedText CopyText(const ScreenText &screen, CellRegion region, const AnsiTable &codePage);
