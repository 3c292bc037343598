#include "monitor/legend.h"

namespace {

bool Within(int64_t value, int64_t low, int64_t high)
{
    return value >= low && value <= high;
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

int LegendHoverRow(const WindowFrame &f, uint32_t x, uint32_t y)
{
    for (int i = 1; i <= legendRowCount; ++i) {
        if (IsLegendButton(i) && Within(x, f.border + 4, f.border + 102) &&
            Within(y, int64_t{f.height} - f.border - 306 + 32 * i, int64_t{f.height} - f.border - 280 + 32 * i))
            return i;
    }
    return 0;
}

int LegendClickRow(const WindowFrame &f, uint32_t x, uint32_t y)
{
    for (int i = 1; i <= legendRowCount; ++i) {
        if (IsLegendButton(i) && Within(x, f.border + 6, f.border + 104) &&
            Within(y, int64_t{f.height} - f.border - 284 + 32 * i, int64_t{f.height} - f.border - 258 + 32 * i))
            return i;
    }
    return 0;
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
