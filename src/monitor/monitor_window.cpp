#include "monitor/monitor_window.h"

#include <windowsx.h>

#include "host/gui_handover.h"
#include "host/guarded_read.h"
#include "host/shared_fields.h"
#include "monitor/legend.h"
#include "monitor/monitor_paint.h"
#include "monitor/rubber_band.h"
#include "monitor/tick_timer.h"
#include "monitor/view_keys.h"

namespace {

HostContext *ContextOf(HWND window)
{
    return reinterpret_cast<HostContext *>(GetWindowLongPtrA(window, 0));
}

uint32_t AddressOf(const void *p)
{
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
}

// The trail walk follows links that clients wrote; a link that cannot be read ends the walk.
uint32_t ReadLinkGuarded(uint32_t address)
{
    uint8_t bytes[4];
    if (GuardedCopy(bytes, address, 4, 0) != 0)
        return 0;
    return ReadBigEndian32(bytes);
}

void OnCreate(HWND window, const CREATESTRUCTA *create)
{
    auto *context = static_cast<HostContext *>(create->lpCreateParams);
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(context));
    context->viewAddress = context->trailAddress = AddressOf(context);
    if (context->tickTimerId == 0) {
        TakeClockStamp(context);
        context->tickTimerId = static_cast<uint32_t>(SetTimer(window, tickTimerEvent, 55, TickTimerProc));
    }
    if (context->secondTimerId == 0)
        context->secondTimerId = static_cast<uint32_t>(SetTimer(window, secondTimerEvent, 1000, nullptr));
}

void OnDestroy(HWND window, HostContext *context)
{
    if (context->secondTimerId)
        KillTimer(window, context->secondTimerId);
    if (context->tickTimerId)
        KillTimer(window, context->tickTimerId);
    PostQuitMessage(0);
}

void OnMove(HostContext *context, LPARAM lParam)
{
    context->monitorLeft = static_cast<int16_t>(LOWORD(lParam)) - GetSystemMetrics(SM_CXDLGFRAME);
    context->monitorTop = static_cast<int16_t>(HIWORD(lParam)) - GetSystemMetrics(SM_CYCAPTION) -
                          GetSystemMetrics(SM_CYDLGFRAME);
    context->movedFlag = 1;
}

void OnSize(HWND window, HostContext *context)
{
    RECT r{};
    GetWindowRect(window, &r);
    int width = r.right - r.left, height = r.bottom - r.top;
    const bool raise = width < context->monitorWidth || height < context->monitorHeight;
    if (width < context->monitorWidth)
        width = context->monitorWidth;
    if (height < context->monitorHeight)
        height = context->monitorHeight;
    if (raise)
        MoveWindow(window, r.left, r.top, width, height, TRUE);
}

// Mouse points are signed: a drag that leaves the client area to the left or top gives negative
// client points, and so does a display left of or above the primary one for screen points.
void OnMouseMove(HWND window, HostContext *context, LPARAM lParam)
{
    const int32_t x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    FollowRubberBand(context, window, x, y);
    const WindowFrame frame = MeasureWindowFrame(window);
    PaintLegendFrames(context, frame, LegendHoverRow(frame, x, y));
    InvalidateRect(window, nullptr, FALSE);
}

void OnLegendClick(HWND window, HostContext *context, LPARAM screenPoint)
{
    RECT r{};
    GetWindowRect(window, &r);
    const int32_t x = GET_X_LPARAM(screenPoint) - r.left;
    const int32_t y = GET_Y_LPARAM(screenPoint) - r.top;
    const int row = LegendClickRow(MeasureWindowFrame(window), x, y);
    const LegendChoice before{LoadShared(context->keyCode), static_cast<uint8_t>(context->targetPath[0])};
    const LegendChoice after = ApplyLegendClick(row, before);
    if (after.driveLetter != before.driveLetter)
        StoreShared(context->targetPath[0], static_cast<char>(after.driveLetter));
    if (row)
        StoreShared(context->keyCode, after.keyCode);
    EndRubberBand(context, window);
}

void OnChar(HWND window, HostContext *context, WPARAM ch)
{
    if (context->rubberBandOwner == window && ch == 27)
        EndRubberBand(context, window);
    ViewTargets targets{};
    targets.context = AddressOf(context);
    targets.showAddress = ReadBigEndian32(context->showAddress);
    targets.commandLine = AddressOf(context->commandLine);
    for (int n = 0; n < 10; ++n)
        targets.links[n] = ReadBigEndian32(context->linkTable[n].address);
    MonitorKeyState state{0, static_cast<uint8_t>(context->targetPath[0]), context->viewAddress,
                          context->trailAddress};
    ApplyMonitorKey(state, static_cast<uint32_t>(ch), targets, ReadLinkGuarded);
    StoreShared(context->keyCode, state.keyCode);
    if (state.driveLetter != static_cast<uint8_t>(context->targetPath[0]))
        StoreShared(context->targetPath[0], static_cast<char>(state.driveLetter));
    context->viewAddress = state.view;
    context->trailAddress = state.trail;
}

void OnSecondTimer(HWND window, HostContext *context)
{
    if (LoadShared(context->liveThreads) == 0)
        SendMessageA(window, WM_CLOSE, 0, 0);
    InvalidateRect(window, nullptr, FALSE);
}

LRESULT OnQueryNewPalette(HWND window, HostContext *context)
{
    if (!context->palette)
        return 0;
    const HDC dc = GetDC(window);
    SelectPalette(dc, context->palette, FALSE);
    RealizePalette(dc);
    ReleaseDC(window, dc);
    InvalidateRect(window, nullptr, TRUE);
    return 1;
}

void OnPaletteChanged(HWND window, HostContext *context, HWND changer)
{
    if (!context->palette || changer == window)
        return;
    const HDC dc = GetDC(window);
    SelectPalette(dc, context->palette, FALSE);
    RealizePalette(dc);
    UpdateColors(dc);
    ReleaseDC(window, dc);
}

} // namespace

LRESULT CALLBACK MonitorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        OnCreate(window, reinterpret_cast<const CREATESTRUCTA *>(lParam));
        return 0;
    }
    HostContext *context = ContextOf(window);
    if (!context)
        return DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
    case WM_DESTROY: OnDestroy(window, context); return 0;
    case WM_MOVE: OnMove(context, lParam); return 0;
    case WM_SIZE: OnSize(window, context); return 0;
    case WM_PAINT: PaintMonitorWindow(context, window); return 0;
    case WM_CLOSE: StoreShared(context->quitFlag, 16u); return 0;
    case WM_QUERYENDSESSION: StoreShared(context->quitFlag, 16u); return 0;
    case WM_ENDSESSION: return 0;
    case WM_NCLBUTTONUP: OnLegendClick(window, context, lParam); return 0;
    case WM_LBUTTONUP: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(window, &p);
        OnLegendClick(window, context, MAKELPARAM(p.x, p.y));
        return 0;
    }
    case WM_CHAR: OnChar(window, context, wParam); return 0;
    case WM_TIMER: OnSecondTimer(window, context); return 0;
    case WM_MOUSEMOVE: OnMouseMove(window, context, lParam); return 0;
    case WM_LBUTTONDOWN: BeginRubberBand(context, window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_RBUTTONDOWN:
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
        return 0;
    case WM_MBUTTONDOWN:
    case WM_MOUSEWHEEL:
        return 0;
    case WM_CAPTURECHANGED: EndRubberBand(context, window); return 0;
    case WM_QUERYNEWPALETTE: return OnQueryNewPalette(window, context);
    case WM_PALETTECHANGED:
        OnPaletteChanged(window, context, reinterpret_cast<HWND>(wParam));
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_HOST_REQUEST_PENDING: ServicePendingRequest(context); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
