#include "monitor/legend.h"

namespace {

bool Within(int64_t value, int64_t low, int64_t high)
{
    return value >= low && value <= high;
}

// The area of button row i: x from b + left to b + right, y from H - b + top + 32 i to
// H - b + bottom + 32 i, all inclusive.
struct RowArea {
    int left, right, top, bottom;
};

int FindButtonRow(const WindowFrame &f, int32_t x, int32_t y, const RowArea &a)
{
    const int64_t base = int64_t{f.height} - f.border;
    for (int i = 1; i <= legendRowCount; ++i) {
        if (IsLegendButton(i) && Within(x, f.border + a.left, f.border + a.right) &&
            Within(y, base + a.top + 32 * i, base + a.bottom + 32 * i))
            return i;
    }
    return 0;
}

} // namespace

WindowFrame MakeWindowFrame(int32_t outerWidth, int32_t outerHeight, int32_t clientWidth)
{
    return {outerWidth, outerHeight, (outerWidth - clientWidth) / 2};
}

bool IsLegendButton(int row)
{
    return row == 1 || row == 2 || row == 3 || row == 5;
}

int LegendHoverRow(const WindowFrame &f, int32_t x, int32_t y)
{
    return FindButtonRow(f, x, y, {4, 102, -306, -280});
}

int LegendClickRow(const WindowFrame &f, int32_t x, int32_t y)
{
    return FindButtonRow(f, x, y, {6, 104, -284, -258});
}

LegendChoice ApplyLegendClick(int row, LegendChoice c)
{
    switch (row) {
    case 1:
        c.keyCode = 27;
        break;
    case 2:
        if (c.driveLetter > 'C')
            c.keyCode = --c.driveLetter;
        break;
    case 3:
        if (c.driveLetter < 'Z')
            c.keyCode = ++c.driveLetter;
        break;
    case 5:
        c.keyCode = 13;
        break;
    default:
        break;
    }
    return c;
}
