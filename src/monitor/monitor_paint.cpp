#include "monitor/monitor_paint.h"

#include "host/guarded_read.h"
#include "monitor/memory_dump.h"
#include "monitor/rubber_band.h"

namespace {

enum Brush { brushWhite = 9, brushLightGrey = 10, brushBlack = 11, brushSilver = 13 };

struct LegendText {
    int x, dy;
    const char *text; // null: the target path
    COLORREF colour;
};

constexpr COLORREF black = RGB(0, 0, 0);

constexpr LegendText legendTexts[] = {
    {8, 192, " <Esc> Stop!", RGB(255, 0, 0)},
    {8, 224, "  -> disk C ", black},
    {8, 240, "     ^||v   ", black},
    {8, 256, "  -> disk Z ", black},
    {16, 288, nullptr, black},
    {8, 320, " OK  <Enter>", RGB(0, 128, 0)},
};

void Fill(HDC dc, HostContext *context, int brush, int left, int top, int right, int bottom)
{
    const RECT r{left, top, right, bottom};
    FillRect(dc, &r, context->brushes[brush]);
}

void PaintFrame(HDC dc, HostContext *context, const WindowFrame &f, int clientHeight)
{
    const int W = f.width, H = f.height, b = f.border, half = b / 2;
    Fill(dc, context, brushWhite, 0, 0, W, b);
    Fill(dc, context, brushWhite, 0, 0, b, H);
    Fill(dc, context, brushWhite, 0, H - b, W, H);
    Fill(dc, context, brushLightGrey, W - b - 20, half, W, half + half);
    Fill(dc, context, brushLightGrey, W - b, b, W, H);
    Fill(dc, context, brushLightGrey, W - b - 20, H - clientHeight - b, W, H);
    Fill(dc, context, brushLightGrey, W - b - 20, H - b, W, H);
    Fill(dc, context, brushBlack, 0, H - 1, W, H);
    Fill(dc, context, brushBlack, 0, H - 2, W - 1, H - 1);
}

void PaintLegend(HDC dc, HostContext *context)
{
    const int y0 = context->monitorHeight - 440;
    SelectObject(dc, context->font);
    SetTextColor(dc, black);
    SetBkMode(dc, TRANSPARENT);
    Fill(dc, context, brushBlack, 0, y0 + 160, 120, y0 + 161);
    Fill(dc, context, brushBlack, 0, y0 + 368, 120, y0 + 369);
    for (const LegendText &row : legendTexts) {
        SetTextColor(dc, row.colour);
        if (row.text)
            TextOutA(dc, row.x, y0 + row.dy, row.text, 12);
        else
            TextOutA(dc, row.x, y0 + row.dy, context->targetPath, 11);
    }
}

void PaintMemoryMonitor(HDC dc, HostContext *context)
{
    SelectObject(dc, context->font);
    SetTextColor(dc, RGB(0, 0, 255));
    SetBkColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, OPAQUE);

    uint8_t bytes[dumpBytes];
    const uint32_t view = context->viewAddress;
    GuardedCopy(bytes, view, dumpBytes, 0xFF);
    char *scratch = context->scratchText;
    for (int r = 0; r < dumpRows; ++r) {
        const int y = DumpRowY(r);
        const uint8_t *row = bytes + dumpBytesPerRow * r;
        FormatDumpAddress(view + dumpBytesPerRow * r, scratch);
        TextOutA(dc, dumpAddressX, y, scratch, 8);
        for (int c = 0; c < dumpBytesPerRow; ++c) {
            FormatDumpByte(row[c], scratch);
            TextOutA(dc, DumpHexX(c), y, scratch, 2);
        }
        // the characters stand 8 pixels apart: one call with fixed advances
        INT advances[dumpBytesPerRow];
        for (INT &a : advances)
            a = dumpCharStep;
        ExtTextOutA(dc, dumpCharX, y, 0, nullptr, reinterpret_cast<const char *>(row), dumpBytesPerRow, advances);
    }
}

} // namespace

WindowFrame MeasureWindowFrame(HWND window)
{
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return MakeWindowFrame(outer.right - outer.left, outer.bottom - outer.top, client.right);
}

void PaintMonitorWindow(HostContext *context, HWND window)
{
    ValidateRect(window, nullptr);
    const HDC dc = GetWindowDC(window);
    if (!dc)
        return;
    SetMapMode(dc, MM_TEXT);
    if (context->palette) {
        SelectPalette(dc, context->palette, FALSE);
        RealizePalette(dc);
    }
    DrawRubberBand(context, window);

    RECT client{};
    GetClientRect(window, &client);
    const WindowFrame f = MeasureWindowFrame(window);
    PaintFrame(dc, context, f, client.bottom);
    BitBlt(dc, f.border + 4, f.height - 440 - f.border - 4, f.width - 2 * f.border - 24, 440,
           context->splashCanvas, 0, f.height - 440, SRCCOPY);
    PaintLegend(dc, context);
    if (f.width > context->monitorWidth)
        PaintMemoryMonitor(dc, context);

    DrawRubberBand(context, window);
    ReleaseDC(window, dc);
}

void PaintLegendFrames(HostContext *context, const WindowFrame &f, int hotRow)
{
    const HDC canvas = context->splashCanvas;
    for (int i = 1; i <= legendRowCount; ++i) {
        const int xf = f.border;
        const int yf = context->monitorHeight - 284 + 32 * i;
        const HGDIOBJ old = SelectObject(canvas, context->brushes[i == hotRow ? brushSilver : brushWhite]);
        PatBlt(canvas, xf + 1, yf + 4, 98, 1, PATCOPY);
        PatBlt(canvas, xf, yf + 4, 1, 26, PATCOPY);
        PatBlt(canvas, xf + 98, yf + 4, 1, 26, PATCOPY);
        PatBlt(canvas, xf + 1, yf + 30, 98, 1, PATCOPY);
        SelectObject(canvas, old);
    }
}
