// Screen 3: the graphics operation: colour fills, lines, a bitmap from a file, and the text
// layer on top of them.
#include <math.h>

#include "demo.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Swatch {
    const char *name;
    int32_t rgb; // 0x00RRGGBB, as the colour sub-operation takes it
};
const Swatch kSwatches[6] = {{"red", 0xFF0000},   {"orange", 0xFF8000}, {"yellow", 0xFFFF00},
                             {"green", 0x00C000}, {"blue", 0x0000FF},   {"purple", 0x800080}};

constexpr int32_t kSwatchRow = 3, kSwatchRows = 4, kSwatchWidth = 8, kSwatchPitch = 10;
// The colour box that Space recolours and E erases, in cells.
constexpr int32_t kBoxLeft = 64, kBoxTop = 9, kBoxRight = 78, kBoxBottom = 15;
// Margins of the screen, to turn text-area pixels into image pixels for the bitmaps.
constexpr int32_t kLeft = 15, kTop = 88;

void FillCells(Screen &s, int32_t rgb, int32_t c1, int32_t r1, int32_t c2, int32_t r2)
{
    Graphics(s, 'C', 0, 0, 0, rgb);
    Graphics(s, 'A', c1, r1, c2, r2);
    Graphics(s, 'F');
}

void DrawColourBox(Demo &demo)
{
    Screen &s = demo.graphics;
    FillCells(s, kSwatches[demo.boxColour].rgb, kBoxLeft, kBoxTop, kBoxRight, kBoxBottom);
    MoveTo(s, kBoxLeft, kBoxBottom + 1);
    Control(s, 23);
    TextAt(s, kBoxLeft, kBoxBottom + 1, kSwatches[demo.boxColour].name);
}

// A fan of lines in text-area pixels.
void DrawFan(Screen &s, int32_t cx, int32_t cy, int32_t radius)
{
    for (int32_t i = 0; i < 24; ++i) {
        const double angle = i * kPi / 12;
        Graphics(s, 'b', 0, 0, cx, cy);
        Graphics(s, 'd', 0, 0, cx + static_cast<int32_t>(radius * cos(angle)),
                 cy + static_cast<int32_t>(radius * sin(angle)));
    }
}

} // namespace

void DrawGraphicsPage(Demo &demo)
{
    Screen &s = demo.graphics;
    DrawBand(s);
    DrawHeading(s, "Graphics");
    TextAt(s, 2, 2, "Fills in six colours:");
    for (int32_t i = 0; i < 6; ++i) {
        const int32_t column = 2 + i * kSwatchPitch;
        FillCells(s, kSwatches[i].rgb, column, kSwatchRow, column + kSwatchWidth, kSwatchRow + kSwatchRows);
        TextAt(s, column, kSwatchRow + kSwatchRows, kSwatches[i].name);
    }
    TextAt(s, 2, 9, "Lines:");
    DrawFan(s, 110, 230, 80);
    TextAt(s, 28, 9, "A bitmap from a file, 100 and 200 %:");
    DrawBitmap(s, "TWLDEMO.BMP", kLeft + 232, kTop + 176, kLeft + 232 + 64, kTop + 176 + 64, 100);
    DrawBitmap(s, "TWLDEMO.BMP", kLeft + 320, kTop + 176, kLeft + 320 + 128, kTop + 176 + 128, 200);
    TextAt(s, kBoxLeft, kBoxTop - 1, "Colour box:");
    DrawColourBox(demo);
    TextAt(s, 2, 23, "Click: line to the click.  Space: colour box.  E: erase it.  Esc: screen 1.");
    Flush(s);
}

void HandleGraphicsPage(Demo &demo, const Event &event)
{
    Screen &s = demo.graphics;
    switch (event.kind) {
    case EventKind::Key:
        if (event.value == VK_ESCAPE)
            SelectScreen(demo.host, kTextScreen);
        break;
    case EventKind::Character:
        if (event.value == ' ') {
            demo.boxColour = (demo.boxColour + 1) % 6;
            DrawColourBox(demo);
        } else if (event.value == 'e' || event.value == 'E') {
            Graphics(s, 'A', kBoxLeft, kBoxTop, kBoxRight, kBoxBottom);
            Graphics(s, 'E');
        }
        break;
    case EventKind::LeftClick: {
        const MouseCell m = MousePosition(s);
        if (m.x >= 0 && m.y >= 0) {
            // the first click sets the start, every later one draws a line from the last click
            Graphics(s, demo.lineStarted ? 'd' : 'b', 0, 0, m.x, m.y);
            demo.lineStarted = true;
        }
        break;
    }
    default:
        break;
    }
    Flush(s);
}
