#include "host/screen_layout.h"

#include <algorithm>

ScreenLayout ComputeScreenLayout(int32_t maximizedWidth, int32_t maximizedHeight)
{
    ScreenLayout s{};
    s.monitorLeft = 0;
    s.monitorTop = 0;
    s.monitorWidth = 144;
    s.columns = 80;
    s.rows = 24;
    s.cellWidth = 8;
    s.cellHeight = 16;
    s.marginLeft = 12;
    s.marginTop = 104;
    s.marginRight = 4;
    s.marginBottom = 8;
    if (maximizedWidth >= 800) {
        const int64_t spare = int64_t{maximizedWidth} - s.monitorWidth - s.marginLeft - s.marginRight;
        s.monitorLeft = spare < 0 ? 0 : static_cast<int32_t>(spare / 2);
        const int64_t fit = (int64_t{maximizedHeight} - s.marginTop - s.marginBottom) / s.cellHeight;
        s.rows = static_cast<int32_t>(std::clamp<int64_t>(fit, 24, 36));
    }
    s.monitorHeight = s.marginTop + s.rows * s.cellHeight + s.marginBottom;
    return s;
}
