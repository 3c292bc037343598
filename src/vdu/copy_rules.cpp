#include "vdu/copy_rules.h"

#include "vdu/vdu_block.h"

namespace {

enum class Line : uint8_t {
    none,
    horizontal,
    vertical,
    cross,
    topLeft,
    bottomLeft,
    bottomRight,
    topRight,
    teeDown,
    teeRight,
    teeUp,
    teeLeft,
};

// By Line: the box-drawing character, and the ANSI stand-in.
constexpr wchar_t lineWide[] = {L' ',      L'\u2500', L'\u2502', L'\u253C', L'\u250C', L'\u2514',
                                L'\u2518', L'\u2510', L'\u252C', L'\u251C', L'\u2534', L'\u2524'};

char LineAnsi(Line line)
{
    switch (line) {
    case Line::none: return ' ';
    case Line::horizontal: return '-';
    case Line::vertical: return '|';
    default: return '+';
    }
}

// The shape a line-drawing code (1..31) shows in the screen's style: the bitmap style (screens 9
// and up) has glyphs for 17..31 only; the etched and embossed styles draw code AND 15 and have
// no tees opening sideways or up (those come out as straight lines).
Line LineOfCode(uint8_t code, uint8_t screenNumber)
{
    if (screenNumber >= 9) {
        static constexpr Line bitmap[16] = {
            Line::none,    Line::vertical, Line::horizontal, Line::cross, Line::topLeft, Line::bottomLeft,
            Line::bottomRight, Line::topRight, Line::teeDown, Line::teeRight, Line::teeUp, Line::teeLeft,
            Line::teeDown, Line::teeRight, Line::teeUp, Line::teeLeft};
        return code >= 17 ? bitmap[code - 16] : Line::none;
    }
    static constexpr Line drawn[16] = {
        Line::none,    Line::vertical,   Line::horizontal, Line::cross, Line::topLeft, Line::bottomLeft,
        Line::bottomRight, Line::topRight, Line::teeDown, Line::vertical, Line::horizontal, Line::vertical,
        Line::none,    Line::none,       Line::none,       Line::none};
    return drawn[code & 15];
}

// The shape the frame edges of a cell draw (edges: 8 top, 4 left, 2 right, 1 bottom).
Line LineOfFrame(unsigned edges)
{
    switch (edges) {
    case 12: return Line::topLeft;
    case 10: return Line::topRight;
    case 5: return Line::bottomLeft;
    case 3: return Line::bottomRight;
    case 8: case 1: return Line::horizontal;
    case 4: case 2: return Line::vertical;
    default: break;
    }
    const bool across = (edges & 8) && (edges & 1), upright = (edges & 4) && (edges & 2);
    return across && upright ? Line::cross : upright ? Line::vertical : Line::horizontal;
}

struct Shown {
    char ansi;
    wchar_t wide;
};

Shown Show(Line line)
{
    return {LineAnsi(line), lineWide[static_cast<int>(line)]};
}

// What one cell shows: a cell with frame edges shows only them; a mask block never shows the
// character under it; a right-end button shows no character.
Shown CellShows(uint32_t cell, uint32_t frame, uint8_t screenNumber, const AnsiTable &codePage)
{
    if (const unsigned edges = frame >> 28)
        return Show(LineOfFrame(edges));
    if (cell & VDU_CELL_MASK_BLOCK)
        return {'*', L'*'};
    if ((cell & VDU_CELL_BUTTON_MASK) >> VDU_CELL_BUTTON_SHIFT == VDU_BUTTON_RIGHT)
        return {' ', L' '};
    const auto ch = static_cast<uint8_t>(cell & VDU_CELL_CHAR_MASK);
    if (ch >= 1 && ch <= 31)
        return Show(LineOfCode(ch, screenNumber));
    if (ch == 0 || ch == 32 || ch == 255)
        return {' ', L' '};
    const wchar_t wide = codePage[ch];
    return {static_cast<char>(ch), wide != 0 ? wide : L'?'};
}

} // namespace

bool BandSelection(WindowPoint anchor, WindowPoint corner, const BandGeometry &g, CellRegion &cells)
{
    if (anchor.y < selectionTop)
        return false;
    const auto cellOf = [&g](WindowPoint p) {
        return MouseToCell({p.x, p.y, g.image.width, g.image.height, g.window.width, g.window.height, g.marginLeft,
                            g.marginTop, g.cellWidth, g.cellHeight, g.columns, g.rows})
            .cell;
    };
    const uint32_t a = cellOf(anchor), c = cellOf(corner);
    if (a == c)
        return false;
    cells = RegionBetween(static_cast<int32_t>(a & 0xFFFF), static_cast<int32_t>(a >> 16),
                          static_cast<int32_t>(c & 0xFFFF), static_cast<int32_t>(c >> 16), g.columns, g.rows);
    return true;
}

CopiedText CopyText(const ScreenText &s, CellRegion region, const AnsiTable &codePage)
{
    CopiedText text;
    if (s.columns < 1 || s.rows < 1)
        return text;
    region = RegionBetween(region.c1, region.r1, region.c2, region.r2, s.columns, s.rows);
    for (int32_t r = region.r1; r <= region.r2; ++r) {
        if (r > region.r1) {
            text.ansi += "\r\n";
            text.wide += L"\r\n";
        }
        const size_t ansiStart = text.ansi.size(), wideStart = text.wide.size();
        size_t kept = 0; // characters of this line up to its last non-blank
        for (int32_t c = region.c1; c <= region.c2; ++c) {
            const size_t index = static_cast<size_t>(c) + static_cast<size_t>(r) * static_cast<size_t>(s.columns);
            const Shown shown = CellShows(s.cells[index], s.frames[index], s.screenNumber, codePage);
            text.ansi += shown.ansi;
            text.wide += shown.wide;
            if (shown.ansi != ' ')
                kept = text.ansi.size() - ansiStart;
        }
        text.ansi.resize(ansiStart + kept);
        text.wide.resize(wideStart + kept);
    }
    return text;
}
