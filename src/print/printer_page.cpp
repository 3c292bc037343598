#include "print/printer_page.h"

#include "print/job_font.h"
#include "print/print_block.h"
#include "print/print_rules.h"

int32_t PageRows(HDC printer)
{
    // The lines are placed in the mapping mode's units, so the page is measured in them too.
    POINT bottom{0, GetDeviceCaps(printer, VERTRES)};
    if (!DPtoLP(printer, &bottom, 1))
        return INT32_MAX;
    return print_rules::RowsOnPage(-bottom.y, 100);
}

void DrawPageLine(HDC printer, bool clientFont, int32_t row, const char *text, int32_t columns)
{
    const int32_t y = print_rules::LineY(row);
    const JobFont own = clientFont ? JobFont{} : FindJobFont(printer);
    if (!own.font) {
        TextOutA(printer, 0, y, text, columns);
        return;
    }
    SIZE window{}, viewport{};
    GetWindowExtEx(printer, &window);
    GetViewportExtEx(printer, &viewport);
    INT advances[PRINT_LINE_BUFFER_SIZE];
    const int32_t count = print_rules::SafeColumns(columns);
    print_rules::ColumnAdvances(own.advance, GetDeviceCaps(printer, LOGPIXELSX), window.cx, viewport.cx, count,
                                advances);
    ExtTextOutA(printer, 0, y, 0, nullptr, text, static_cast<UINT>(count), advances);
}
