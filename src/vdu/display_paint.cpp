#include "vdu/display_paint.h"

#include <algorithm>

#include "host/shared_fields.h"
#include "monitor/rubber_band.h"
#include "vdu/display_rules.h"
#include "vdu/front_record.h"
#include "vdu/paint_pacing.h"
#include "vdu/screen_state.h"

namespace {

constexpr int faceBrush = 10;
constexpr int stripeWidth = 2;

WindowSize OuterSize(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

void SelectHostPalette(HDC dc, const HostContext *context)
{
    if (context->palette) {
        SelectPalette(dc, context->palette, FALSE);
        RealizePalette(dc);
    }
}

void DrawCursorBar(HDC dc, const ScreenState &s, VduBlock *b, WindowSize image, WindowSize window)
{
    // The client may move the cursor by writing the block from its own thread.
    const BarRect bar = CursorBar({b->marginLeft, b->marginTop, b->cellWidth, b->cellHeight,
                                   LoadShared(b->cursorColumn), LoadShared(b->cursorRow), s.columns, s.rows, image,
                                   window});
    if (bar.width <= 0 || bar.height <= 0)
        return;
    const HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
    const HGDIOBJ old = SelectObject(dc, black);
    PatBlt(dc, bar.x, bar.y, bar.width, bar.height, PATCOPY);
    SelectObject(dc, old);
    DeleteObject(black);
}

} // namespace

WindowSize ImageSize(HBITMAP bitmap)
{
    BITMAP info{};
    if (!bitmap || GetObjectA(bitmap, sizeof info, &info) == 0)
        return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

void PaintDisplay(HWND window, HostContext *context, VduBlock *block)
{
    const HDC dc = GetWindowDC(window);
    if (dc) {
        SelectHostPalette(dc, context);
        DrawRubberBand(context, window);
        if (ScreenLock screen{block}) {
            ScreenState &s = *screen.get();
            NotePaint(s);
            const WindowSize image = ImageSize(s.frontBitmap);
            const WindowSize outer = OuterSize(window);
            if (image.width > 0 && image.height > 0) {
                SetStretchBltMode(dc, COLORONCOLOR);
                StretchBlt(dc, 0, 0, outer.width, outer.height, s.frontDC, 0, 0, image.width, image.height,
                           SRCCOPY);
                if (block->screenNumber != 0)
                    DrawCursorBar(dc, s, block, image, outer);
            }
        }
        DrawRubberBand(context, window);
    }
    // Validated even when there is nothing to show yet, or the window would be painted forever.
    ValidateRect(window, nullptr);
    if (dc)
        ReleaseDC(window, dc);
    PaintThumbnail(context, block);
}

void PaintSideStripe(HWND window, HostContext *context, VduBlock *block, bool focused)
{
    const HDC dc = GetWindowDC(window);
    if (dc) {
        SetMapMode(dc, MM_TEXT);
        if (focused)
            SelectHostPalette(dc, context);
    }
    if (ScreenLock screen{block}) {
        ScreenState &s = *screen.get();
        const WindowSize image = ImageSize(s.backBitmap);
        const HBRUSH brush = context->brushes[focused ? (block->screenNumber & 7) : faceBrush];
        const HGDIOBJ old = SelectObject(s.backDC, brush);
        for (int i = 0; i < stripeWidth; ++i)
            PatBlt(s.backDC, i, 2, 1, image.height - 2 * i, PATCOPY);
        SelectObject(s.backDC, old);
        RecordBackChanged(s);
        // The left margin carries the stripe into the front image; the block's margin is only
        // trusted within the image.
        const int32_t margin = std::clamp(block->marginLeft, 0, std::max(image.width, 0));
        BitBlt(s.frontDC, 0, 0, margin, image.height, s.backDC, 0, 0, SRCCOPY);
        // A narrower margin leaves cells of the first column showing the stripe they were
        // erased with, no longer the back image under them.
        if (margin < stripeWidth)
            RecordOtherDrawing(s, 0);
    }
    if (dc)
        ReleaseDC(window, dc);
    InvalidateRect(window, nullptr, FALSE);
    PaintThumbnail(context, block);
}

void PaintThumbnail(HostContext *context, VduBlock *block)
{
    if (!context->splashCanvas)
        return;
    const uint8_t screenNumber = block->screenNumber;
    if (screenNumber < 1 || screenNumber > 4)
        return;
    if (ScreenLock screen{block}) {
        const ScreenState &s = *screen.get();
        const Thumbnail t = ThumbnailFor(screenNumber, context->monitorHeight, ImageSize(s.frontBitmap));
        if (t.draw)
            StretchBlt(context->splashCanvas, t.x, t.y, t.width, t.height, s.frontDC, t.sourceX, t.sourceY,
                       t.sourceWidth, t.sourceHeight, SRCCOPY);
    }
}
