// The files the demo makes for itself at start: the picture of the graphics page, the labels
// of the click band (drawn with GDI and saved as a bitmap) and one document page per screen.
#include <stdio.h>
#include <string.h>

#include <vector>

#include "bmp_file.h"
#include "demo.h"

namespace {

constexpr int32_t kBandWidth = 264, kBandHeight = 36; // window x 17 to 280, y 44 to 79
constexpr int32_t kZoneWidth = 40, kZonePitch = 56;

struct ZoneLabel {
    const char *text;
    COLORREF face;
};

const ZoneLabel kZones[5] = {
    {"Next", RGB(200, 235, 200)}, {"Menu", RGB(225, 225, 225)}, {"Doc", RGB(205, 220, 245)},
    {"Min", RGB(225, 225, 225)},  {"Close", RGB(245, 200, 200)},
};

std::vector<uint32_t> DrawBandLabels()
{
    std::vector<uint32_t> pixels;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kBandWidth;
    info.bmiHeader.biHeight = -kBandHeight; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !dib) {
        if (dc)
            DeleteDC(dc);
        return pixels;
    }
    const HGDIOBJ oldBitmap = SelectObject(dc, dib);
    RECT all{0, 0, kBandWidth, kBandHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < 5; ++i) {
        const int32_t x = i * kZonePitch;
        RECT face{x, 0, x + kZoneWidth, kBandHeight};
        const HBRUSH brush = CreateSolidBrush(kZones[i].face);
        FillRect(dc, &face, brush);
        DeleteObject(brush);
        // raised edges: light top and left, dark bottom and right
        RECT edge{x, 0, x + kZoneWidth, 2};
        FillRect(dc, &edge, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        edge = {x, 0, x + 2, kBandHeight};
        FillRect(dc, &edge, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        edge = {x, kBandHeight - 2, x + kZoneWidth, kBandHeight};
        FillRect(dc, &edge, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        edge = {x + kZoneWidth - 2, 0, x + kZoneWidth, kBandHeight};
        FillRect(dc, &edge, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        SetTextColor(dc, RGB(0, 0, 0));
        DrawTextA(dc, kZones[i].text, -1, &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    GdiFlush();
    pixels.resize(static_cast<size_t>(kBandWidth) * kBandHeight);
    const auto *source = static_cast<const uint32_t *>(bits);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = source[i] & 0xFFFFFF; // the DIB holds 0x00RRGGBB already
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(dib);
    DeleteDC(dc);
    return pixels;
}

void WriteDocument(int screen, const char *title, const char *body)
{
    char name[16];
    snprintf(name, sizeof name, "TWLDEMO%d.HTM", screen);
    FILE *file = fopen(name, "w");
    if (!file)
        return;
    fprintf(file, "<html><head><title>%s</title></head><body><h1>%s</h1><p>%s</p></body></html>\n", title, title,
            body);
    fclose(file);
}

} // namespace

void WriteDemoFiles()
{
    WriteWholeFile("TWLDEMO.BMP", BuildBmp(64, 64, DemoPicture(64)));
    const std::vector<uint32_t> band = DrawBandLabels();
    if (!band.empty())
        WriteWholeFile("TWLBAND.BMP", BuildBmp(kBandWidth, kBandHeight, band));
    WriteDocument(1, "Text and line drawing", "Highlighted text and the three line-drawing styles.");
    WriteDocument(2, "Forms", "A framed form with input fields, raised buttons and a masked password field.");
    WriteDocument(3, "Graphics", "Fills, lines, colours and a bitmap from a file.");
    WriteDocument(4, "Live file view", "A page in a file, rewritten by a thread and shown by the host.");
}

void DrawBand(Screen &screen)
{
    DrawBitmap(screen, "TWLBAND.BMP", 17, 44, 17 + kBandWidth, 44 + kBandHeight, 100);
}

void DrawHeading(Screen &screen, const char *title)
{
    char line[80];
    if (screen.number >= 1 && screen.number <= 4)
        snprintf(line, sizeof line, "TWLDEMO  screen %u of 4  ", screen.number);
    else
        snprintf(line, sizeof line, "TWLDEMO  screen %u  ", screen.number);
    TextAt(screen, 1, 0, line);
    TextAt(screen, 1 + static_cast<int32_t>(strlen(line)), 0, title, true);
}
