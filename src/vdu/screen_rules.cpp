#include "vdu/screen_rules.h"

#include <algorithm>

int32_t ScrollRegionBottom(const uint32_t *cells, int32_t columns, int32_t rows, int32_t cursorRow)
{
    int32_t bottom = rows - 1;
    const int32_t ruleColumn = static_cast<int32_t>((int64_t{3} * columns) / 4);
    for (int32_t r = cursorRow; r < bottom; ++r) {
        if (r + 1 < 0)
            continue;
        const uint32_t word = cells[ruleColumn + (r + 1) * columns];
        if ((word & 0xF0u) == 0x10u) {
            bottom = r;
            break;
        }
    }
    return bottom;
}

CellRegion RegionBetween(int32_t ac, int32_t ar, int32_t c, int32_t r, int32_t columns, int32_t rows)
{
    ac = std::clamp(ac, 0, columns - 1);
    c = std::clamp(c, 0, columns - 1);
    ar = std::clamp(ar, 0, rows - 1);
    r = std::clamp(r, 0, rows - 1);
    return {std::min(ac, c), std::min(ar, r), std::max(ac, c), std::max(ar, r)};
}

uint32_t WordForCharacter(uint8_t ch, uint32_t old, uint8_t maskMode, uint8_t highlight)
{
    if ((maskMode & 4) && ch > 32)
        return 32u | (uint32_t{maskMode} << 24) | (old & 0xFC000000u);
    return ch | (uint32_t{highlight} << 16) | (old & 0xFF000000u);
}

bool PositionFromArgument(uint32_t extra, int32_t rows, int32_t &column, int32_t &row)
{
    if (extra & 0x80000000u)
        return false;
    column = static_cast<int32_t>((extra >> 16) & 0x7FFF);
    const uint32_t lo = extra & 0xFFFF;
    if (lo < 0x8000)
        row = static_cast<int32_t>(lo);
    else if (lo > 0x8000)
        row = static_cast<int32_t>(int64_t{rows} - (lo & 0x7FFF));
    return true;
}

namespace {

int32_t Scale(int32_t value, int32_t numerator, int32_t denominator, int32_t fallback)
{
    if (denominator < 1)
        return fallback;
    return static_cast<int32_t>(int64_t{value} * numerator / denominator);
}

int32_t CellIndex(int32_t pixels, int32_t size, int32_t count)
{
    const int64_t index = size >= 1 ? int64_t{pixels} / size : 0;
    return static_cast<int32_t>(std::clamp<int64_t>(index, 0, std::max<int64_t>(int64_t{count} - 1, 0)));
}

} // namespace

MouseCell MouseToCell(const MouseGeometry &g)
{
    const int32_t x = static_cast<int32_t>(int64_t{Scale(g.mouseX, g.backWidth, g.windowWidth, g.marginLeft)} - g.marginLeft);
    const int32_t y = static_cast<int32_t>(int64_t{Scale(g.mouseY, g.backHeight, g.windowHeight, g.marginTop)} - g.marginTop);
    const uint32_t offset = (static_cast<uint32_t>(x) & 0xFFFFu) | ((static_cast<uint32_t>(y) & 0xFFFFu) << 16);
    const uint32_t column = static_cast<uint32_t>(CellIndex(x, g.cellWidth, g.columns));
    const uint32_t row = static_cast<uint32_t>(CellIndex(y, g.cellHeight, g.rows));
    return {column | (row << 16), offset};
}
