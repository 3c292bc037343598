#include "vdu/file_viewer.h"

#include <algorithm>

#include "host/shared_fields.h"
#include "vdu/cursor.h"
#include "vdu/front_record.h"
#include "vdu/glyph_plan.h"
#include "vdu/glyph_renderer.h"
#include "vdu/screen_state.h"
#include "vdu/viewer_page.h"
#include "vdu/viewer_read.h"

namespace {

constexpr int32_t maxCellSide = 32767;

RECT Offset(RECT r, POINT origin)
{
    OffsetRect(&r, origin.x, origin.y);
    return r;
}

void SelectTextColour(ScreenState &s, COLORREF colour)
{
    if (colour != s.frontTextColour) {
        SetTextColor(s.frontDC, colour);
        s.frontTextColour = colour;
    }
}

// The rectangle of all the screen's cells. Bars and text made for 8 x 16 cells may reach past
// a cell; past the last column or row they would draw over the border.
RECT CellArea(const ScreenState &s)
{
    const POINT start = CellOrigin(s.block, 0, 0), end = CellOrigin(s.block, s.columns, s.rows);
    return {start.x, start.y, end.x, end.y};
}

void FillInside(HDC dc, RECT bar, const RECT &area, HBRUSH brush)
{
    if (IntersectRect(&bar, &bar, &area))
        FillRect(dc, &bar, brush);
}

// Cells [first, end) of `row`, all to be redrawn. They are erased together and drawn with few
// calls, leaving what erasing and drawing them one by one would: the bar of 204 that reaches
// into the next cell is cut off when that cell is redrawn too (its erase would have removed it).
void DrawRun(ScreenState &s, int32_t row, int32_t first, int32_t end, const PageCellDraw *plans, const RECT &area)
{
    const VduBlock *b = s.block;
    // the client may have changed the geometry since open; keep the arithmetic in range
    const int32_t width = std::clamp(b->cellWidth, 1, maxCellSide), height = std::clamp(b->cellHeight, 1, maxCellSide);
    const int32_t count = end - first;
    const POINT o = CellOrigin(b, first, row);
    BitBlt(s.frontDC, o.x, o.y, count * width, height, s.backDC, o.x, o.y, SRCCOPY);

    const HBRUSH grey = s.host->brushes[brushLightGrey];
    char text[pageColumns];
    INT advances[pageColumns];
    for (int32_t i = 0; i < count; ++i) {
        const PageCellDraw &d = plans[first + i];
        text[i] = d.box ? ' ' : static_cast<char>(d.word);
        advances[i] = width;
        if (!d.box)
            continue;
        const POINT cell = CellOrigin(b, first + i, row);
        RECT horizontal = Offset(d.bars.horizontal, cell);
        if (i + 1 < count)
            horizontal.right = static_cast<LONG>(std::min<int64_t>(horizontal.right, int64_t{cell.x} + width));
        FillInside(s.frontDC, horizontal, area, grey);
        FillInside(s.frontDC, Offset(d.bars.vertical, cell), area, grey);
    }

    TextSegment segments[pageColumns];
    const int32_t n = SplitTextSegments(plans + first, count, segments);
    for (int32_t k = 0; k < n; ++k) {
        const TextSegment &t = segments[k];
        SelectTextColour(s, t.colour);
        const POINT at = CellOrigin(b, first + t.first, row);
        ExtTextOutA(s.frontDC, at.x, at.y + 2, ETO_CLIPPED, &area, text + t.first, static_cast<UINT>(t.count),
                    advances + t.first);
    }
}

// Redraws the cells whose character differs from the page; a screen smaller than the page
// shows the part of it that fits.
void ShowPage(ScreenState &s, const uint8_t *page)
{
    VduBlock *b = s.block;
    const int32_t columns = std::min(pageColumns, s.columns), rows = std::min(pageRows, s.rows);
    const RECT area = CellArea(s);
    HGDIOBJ oldFont = nullptr;
    PageCellDraw plans[pageColumns];
    for (int32_t r = 0; r < rows; ++r) {
        uint32_t *cells = CellSlot(s, 0, r);
        for (int32_t c = 0; c < columns;) {
            plans[c] = PlanPageCell(page, c, r, cells[c]);
            if (!plans[c].redraw) {
                ++c;
                continue;
            }
            const int32_t first = c;
            for (++c; c < columns; ++c) {
                plans[c] = PlanPageCell(page, c, r, cells[c]);
                if (!plans[c].redraw)
                    break;
            }
            if (!oldFont) {
                oldFont = SelectObject(s.frontDC, s.font);
                SetBkMode(s.frontDC, TRANSPARENT);
                RequestRepaint(b, VDU_REPAINT_REQUEST);
            }
            for (int32_t i = first; i < c; ++i)
                cells[i] = plans[i].word;
            DrawRun(s, r, first, c, plans, area);
            // not the renderer's drawing, and its bars and text may reach the rows below
            RecordOtherDrawing(s, r);
            ++c; // the cell that ended the run is unchanged
        }
    }
    if (oldFont)
        SelectObject(s.frontDC, oldFont);
    // a pass leaves the cursor at the top-left corner, as it always has
    StoreShared(b->cursorColumn, int32_t{0});
    StoreShared(b->cursorRow, int32_t{0});
    if (LoadShared(b->repaintCountdown) >= VDU_REPAINT_REQUEST)
        RequestRepaint(b, VDU_REPAINT_SOON);
}

} // namespace

// The screen's lock is held only while the pass looks at or draws into the screen; never
// during the read of the file nor during a message box, whose loop keeps dispatching ticks.
void RunFileViewer(HostContext *context, VduBlock *block)
{
    if (!block)
        return;
    HANDLE file = nullptr;
    {
        ScreenLock screen{block};
        if (!screen || screen.get()->viewerBusy)
            return;
        screen.get()->viewerBusy = true;
        HostContext *host = context ? context : screen.get()->host;
        file = LoadShared(host->mirrorFile);
    }

    uint8_t page[pageReadSize];
    const PageRead result = ReadTextPage(file, page);
    {
        ScreenLock screen{block};
        if (!screen)
            return; // closed meanwhile
        ScreenState &s = *screen.get();
        const bool report = result != PageRead::done && !s.viewerFailureReported;
        if (result == PageRead::done)
            ShowPage(s, page);
        // Later failures stay silent until a pass succeeds again.
        s.viewerFailureReported = result != PageRead::done;
        if (!report) {
            s.viewerBusy = false;
            return;
        }
    }
    MessageBoxA(nullptr, PageReadFailureText(result), "setupbox", MB_OK);
    ScreenLock screen{block};
    if (screen)
        screen.get()->viewerBusy = false;
}
