#include "monitor/rubber_band.h"

#include "vdu/display_window.h"

namespace {

// The monitor window keeps its band in client coordinates; a display window, whose image
// covers its caption and frame too, keeps it relative to its outer corner.
bool BandOnWholeWindow(HWND window)
{
    char name[32];
    return GetClassNameA(window, name, sizeof name) > 0 && lstrcmpiA(name, displayClassName) == 0;
}

} // namespace

void DrawRubberBand(HostContext *context, HWND window)
{
    if (!window || context->rubberBandOwner != window)
        return;
    const bool whole = BandOnWholeWindow(window);
    const HDC dc = whole ? GetWindowDC(window) : GetDC(window);
    if (!dc)
        return;
    SetCursor(LoadCursorA(nullptr, IDC_CROSS));
    const int oldMode = SetROP2(dc, R2_NOT);
    const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    const int32_t *band = context->rubberBand;
    Rectangle(dc, band[0], band[1], band[2], band[3]);
    SelectObject(dc, oldBrush);
    SetROP2(dc, oldMode);
    ReleaseDC(window, dc);
}

void BeginRubberBand(HostContext *context, HWND window, int x, int y)
{
    int32_t *band = context->rubberBand;
    band[0] = band[2] = x;
    band[1] = band[3] = y;
    context->rubberBandOwner = window;
    DrawRubberBand(context, window);
    SetCapture(window);
}

void FollowRubberBand(HostContext *context, HWND window, int x, int y)
{
    DrawRubberBand(context, window);
    context->rubberBand[2] = x;
    context->rubberBand[3] = y;
    DrawRubberBand(context, window);
}

void EndRubberBand(HostContext *context, HWND window)
{
    const HWND owner = context->rubberBandOwner;
    if (owner) {
        DrawRubberBand(context, owner);
        context->rubberBandOwner = nullptr; // before the release, which comes back here
    }
    ReleaseCapture();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    InvalidateRect(window, nullptr, FALSE);
}
