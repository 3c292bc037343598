// The monitor window's key legend: its rows, and which row a point hovers over or clicks.
#pragma once

#include <cstdint>

// Geometry of the monitor window at the time of a mouse message.
struct WindowFrame {
    int32_t width;   // outer width W
    int32_t height;  // outer height H
    int32_t border;  // side frame width b = (W - client width) / 2
};

WindowFrame MakeWindowFrame(int32_t outerWidth, int32_t outerHeight, int32_t clientWidth);

// The button rows are 1, 2, 3 and 5; row 4 (the target path) is never hot nor hit.
constexpr int legendRowCount = 5;
bool IsLegendButton(int row);

// Row under a mouse move at client point (x, y), or 0.
int LegendHoverRow(const WindowFrame &frame, int32_t x, int32_t y);

// Row under a click at window point (x, y), or 0.
int LegendClickRow(const WindowFrame &frame, int32_t x, int32_t y);

struct LegendChoice {
    uint8_t keyCode;
    uint8_t driveLetter;
};

// The key code and drive letter after a click on `row` (unchanged where the row does nothing).
LegendChoice ApplyLegendClick(int row, LegendChoice current);
