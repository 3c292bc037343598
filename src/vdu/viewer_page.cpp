#include "vdu/viewer_page.h"

namespace {

struct Translation {
    uint8_t from, to;
};

constexpr Translation translations[] = {
    {0x5B, 0xC4}, {0x5C, 0xD6}, {0x5D, 0xDC}, {0x7B, 0xE4}, {0x7C, 0xF6}, {0x7D, 0xFC}, // 7-bit variant
    {0x7E, 0x41},                                                                       // shown as A
    {0x8E, 0xC4}, {0x99, 0xD6}, {0x9A, 0xDC}, {0x84, 0xE4}, {0x94, 0xF6}, {0x81, 0xFC}, // PC code page
    {0x15, 0xDF},                                                                       // sharp s
};

struct BoxShape {
    uint8_t code;
    int8_t hx, hw, vy, vh;
};

// Horizontal bar over pixel rows 5 to 7 from column hx, hw wide; vertical bar over pixel
// columns 1 to 3 from row vy, vh high. A degenerate bar lies inside the other one.
constexpr BoxShape boxShapes[] = {
    {185, 0, 4, 0, 16}, {186, 2, 1, 0, 16}, {187, 0, 4, 6, 10}, {188, 0, 4, 0, 8},
    {200, 2, 6, 0, 8},  {201, 2, 6, 6, 10}, {202, 0, 8, 0, 10}, {203, 0, 8, 6, 10},
    {204, 2, 8, 0, 16}, {205, 0, 8, 6, 1},  {206, 0, 8, 0, 16},
};

struct TranslationTable {
    uint8_t to[256];
    constexpr TranslationTable() : to{}
    {
        for (int i = 0; i < 256; ++i)
            to[i] = static_cast<uint8_t>(i);
        for (const Translation &t : translations)
            to[t.from] = t.to;
    }
};

// A pass translates every character of the page, changed or not.
constexpr TranslationTable translationTable;

} // namespace

uint8_t TranslatePageCharacter(uint8_t byte)
{
    return translationTable.to[byte];
}

bool BoxBarsOf(uint8_t code, BoxBars &bars)
{
    for (const BoxShape &b : boxShapes) {
        if (b.code != code)
            continue;
        bars.horizontal = {b.hx, 5, b.hx + b.hw, 8};
        bars.vertical = {1, b.vy, 4, b.vy + b.vh};
        return true;
    }
    return false;
}

PageCellDraw PlanPageCell(const uint8_t *page, int32_t column, int32_t row, uint32_t cellWord)
{
    const uint8_t *pair = page + 2 * (row * pageColumns + column);
    PageCellDraw d;
    d.word = TranslatePageCharacter(pair[0]);
    d.redraw = cellWord != d.word;
    if (!d.redraw)
        return d;
    d.box = BoxBarsOf(static_cast<uint8_t>(d.word), d.bars);
    d.textColour = (pair[1] & 0x08) ? pageTextPurple : pageTextBlack;
    return d;
}

int32_t SplitTextSegments(const PageCellDraw *cells, int32_t count, TextSegment *segments)
{
    int32_t n = 0;
    int32_t start = 0; // first cell not yet in a segment
    for (int32_t i = 0; i < count; ++i) {
        if (cells[i].box)
            continue;
        if (n > 0 && segments[n - 1].colour == cells[i].textColour) {
            segments[n - 1].count = i + 1 - segments[n - 1].first;
        } else {
            segments[n++] = {start, i + 1 - start, cells[i].textColour};
        }
        start = i + 1;
    }
    return n;
}
