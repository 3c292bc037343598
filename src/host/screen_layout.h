// Default character-screen layout and monitor-window placement for a display size.
#pragma once

#include <cstdint>

struct ScreenLayout {
    int32_t columns, rows, cellWidth, cellHeight;
    int32_t marginLeft, marginTop, marginRight, marginBottom;
    int32_t monitorLeft, monitorTop, monitorWidth, monitorHeight;
};

// maximizedWidth and maximizedHeight are the size of a maximised window.
ScreenLayout ComputeScreenLayout(int32_t maximizedWidth, int32_t maximizedHeight);
