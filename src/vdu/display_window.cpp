#include "vdu/display_window.h"

#include <windowsx.h>

#include <algorithm>
#include <atomic>
#include <cstdint>

#include "host/shared_fields.h"
#include "monitor/rubber_band.h"
#include "vdu/cursor.h"
#include "vdu/display_input.h"
#include "vdu/display_paint.h"
#include "vdu/display_rules.h"
#include "vdu/file_viewer.h"
#include "vdu/paint_pacing.h"
#include "vdu/paste_delivery.h"
#include "vdu/screen_clipboard.h"
#include "vdu/screen_state.h"
#include "vdu/vdu_block.h"

namespace {

// Binds the window to its screen before any other message can need the slots.
void BindSlots(HWND window, LPARAM lParam)
{
    auto *block = static_cast<VduBlock *>(reinterpret_cast<const CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!block)
        return;
    SetWindowLongPtrA(window, displaySlotContext, reinterpret_cast<LONG_PTR>(block->host));
    SetWindowLongPtrA(window, displaySlotBlock, reinterpret_cast<LONG_PTR>(block));
}

void OnCreate(HWND window)
{
    SetTimer(window, displayTimerId, displayTimerPeriod, nullptr);
    const HMENU menu = GetSystemMenu(window, FALSE);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, displayHardcopyCommand, "Bildschirm-&Protokoll");
    AppendMenuA(menu, MF_STRING, displayCopyCommand, "Bildschirm &kopieren");
    AppendMenuW(menu, MF_STRING, displayPasteCommand, L"&Einf\u00FCgen");
}

void TakeQuit(HostContext *context, VduBlock *block)
{
    std::atomic_ref<uint32_t> quit(context->quitFlag);
    uint32_t n = quit.load();
    while (n != 0)
        if (quit.compare_exchange_weak(n, n - 1)) {
            StoreShared(block->pendingEscapes, 16);
            return;
        }
}

void CountDownRepaint(HWND window, VduBlock *block)
{
    std::atomic_ref<uint8_t> countdown(block->repaintCountdown);
    uint8_t now = countdown.load();
    bool repaint = false;
    while (!countdown.compare_exchange_weak(now, CountdownAfterTick(now, repaint))) {
    }
    if (repaint)
        ShowWhenDue(window, block);
}

void OnTimer(HWND window, HostContext *context, VduBlock *block)
{
    TakeQuit(context, block);
    CountDownRepaint(window, block);
    if (LoadShared(block->viewerSwitch) == VDU_VIEWER_ON) {
        RunFileViewer(context, block);
        // The loop of its message box may have closed the screen, and the client freed the block.
        if (!ScreenOpenIn(block, window))
            return;
    }

    // Clients choose the visible screen by writing selectedScreen from their own threads: the
    // byte is written back only to take the show request, and only over the value the decision
    // was made on, so that a client's choice made meanwhile is never overwritten.
    uint8_t selected = LoadShared(context->selectedScreen);
    Selection s = SelectOnTick(block->screenNumber, selected, block->shown);
    while (s.selectedScreen != selected && !ClaimShared(context->selectedScreen, selected, s.selectedScreen)) {
        selected = LoadShared(context->selectedScreen);
        s = SelectOnTick(block->screenNumber, selected, block->shown);
    }
    if (s.show) {
        ShowWindow(window, SW_SHOWNORMAL);
        SetFocus(window);
    }
    if (s.hide)
        ShowWindow(window, SW_HIDE);
    block->shown = s.shown;

    if (static_cast<int32_t>(context->movedFlag) > 0 && block->shown == 1) {
        context->movedFlag = 0;
        MoveWindow(window, context->monitorLeft + context->monitorWidth, context->monitorTop,
                   SaneWindowSide(block->windowWidth), SaneWindowSide(block->windowHeight), TRUE);
    }
}

void OnSize(HWND window, VduBlock *block)
{
    RECT r{};
    GetWindowRect(window, &r);
    // Read by 'M' on the client's thread.
    StoreShared(block->windowWidth, std::max<int32_t>(8, r.right - r.left));
    StoreShared(block->windowHeight, std::max<int32_t>(8, r.bottom - r.top));
}

POINT ScreenPoint(HWND window, UINT message, LPARAM lParam)
{
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK)
        ClientToScreen(window, &p);
    return p;
}

// Zoom sizes the window from 1/8 to twice its image, beyond the platform's usual limits for a
// window with a caption, and a screen may be larger than the display.
void AllowZoomedSizes(HWND window, WPARAM wParam, LPARAM lParam)
{
    DefWindowProcA(window, WM_GETMINMAXINFO, wParam, lParam);
    auto *limits = reinterpret_cast<MINMAXINFO *>(lParam);
    limits->ptMinTrackSize = {8, 8};
    limits->ptMaxTrackSize = {SaneWindowSide(INT32_MAX), SaneWindowSide(INT32_MAX)};
}

LRESULT HitTestMessage(HWND window, WPARAM wParam, LPARAM lParam)
{
    RECT r{};
    GetWindowRect(window, &r);
    const WindowPoint p{GET_X_LPARAM(lParam) - r.left, GET_Y_LPARAM(lParam) - r.top};
    switch (HitTest(p, {r.right - r.left, r.bottom - r.top})) {
    case HitResult::client: return HTCLIENT;
    case HitResult::caption: return HTCAPTION;
    case HitResult::platform: break;
    }
    return DefWindowProcA(window, WM_NCHITTEST, wParam, lParam);
}

} // namespace

LRESULT CALLBACK DisplayWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETMINMAXINFO) { // arrives before the slots are bound
        AllowZoomedSizes(window, wParam, lParam);
        return 0;
    }
    if (message == WM_NCCREATE)
        BindSlots(window, lParam);
    auto *context = reinterpret_cast<HostContext *>(GetWindowLongPtrA(window, displaySlotContext));
    auto *block = reinterpret_cast<VduBlock *>(GetWindowLongPtrA(window, displaySlotBlock));
    if (!context || !block)
        return DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_DESTROY:
        KillTimer(window, displayTimerId);
        if (context->rubberBandOwner == window)
            context->rubberBandOwner = nullptr;
        return 0;
    case WM_SIZE: OnSize(window, block); return 0;
    case WM_SETFOCUS: PaintSideStripe(window, context, block, true); return 0;
    case WM_KILLFOCUS: PaintSideStripe(window, context, block, false); return 0;
    case WM_PAINT: PaintDisplay(window, context, block); return 0;
    case WM_CLOSE:
    case WM_QUERYENDSESSION: StoreShared(block->pendingEscapes, 16); return 0;
    case WM_ENDSESSION: return 0;
    case WM_NCHITTEST: return HitTestMessage(window, wParam, lParam);
    case WM_NCPAINT:
        // The front image covers caption and frame: nothing is drawn here, the next tick
        // repaints the whole window.
        RequestRepaint(block, VDU_REPAINT_SOON);
        return 0;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: OnMouseMove(window, context, block, ScreenPoint(window, message, lParam)); return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: OnKeyDown(block, wParam, lParam); return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP: OnKeyUp(block, wParam, lParam); return 0;
    case WM_CHAR:
    case WM_SYSCHAR: OnCharacter(block, wParam, lParam); return 0;
    case WM_SYSCOMMAND:
        if (wParam == displayHardcopyCommand && QueueWindowEvent(block, VDU_EVENT_HARDCOPY, 0))
            return 0;
        if (RunClipboardCommand(window, block, wParam))
            return 0;
        break;
    case WM_TIMER: OnTimer(window, context, block); return 0;
    case displayShowOutputMessage: ShowAskedOutput(window, block); return 0;
    case WM_MOUSEWHEEL: OnWheel(window, context, block, wParam, lParam); return 0;
    case WM_CAPTURECHANGED: EndRubberBand(context, window); return 0;
    default:
        if ((message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK) ||
            (message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONDBLCLK)) {
            if (OnMouseButton(window, context, block, message, ScreenPoint(window, message, lParam)))
                return 0;
        }
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
