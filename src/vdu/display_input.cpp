#include "vdu/display_input.h"

#include <windowsx.h>

#include <atomic>

#include "host/shared_fields.h"
#include "monitor/rubber_band.h"
#include "vdu/display_paint.h"
#include "vdu/display_rules.h"
#include "vdu/document_launcher.h"
#include "vdu/paste_delivery.h"
#include "vdu/screen_clipboard.h"
#include "vdu/screen_state.h"

namespace {

constexpr int optionP = 'P' - 'A';

WindowPoint Relative(HWND window, POINT screen, RECT &r)
{
    GetWindowRect(window, &r);
    return {screen.x - r.left, screen.y - r.top};
}

bool IsLeftDown(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_NCLBUTTONDOWN;
}

bool IsLeftUp(UINT message)
{
    return message == WM_LBUTTONUP || message == WM_NCLBUTTONUP;
}

// The size of the host's front image; the block's copy is the client's to overwrite.
WindowSize FrontImageSize(VduBlock *block)
{
    ScreenLock screen{block};
    return screen ? ImageSize(screen.get()->frontBitmap) : WindowSize{0, 0};
}

void ClickZoneAction(HWND window, HostContext *context, VduBlock *block, ClickZone zone)
{
    switch (zone) {
    case ClickZone::nextScreen: {
        // Clients read and write these bytes from their own threads too.
        const uint8_t selected = NextSelectedScreen(LoadShared(context->selectedScreen));
        std::atomic_ref<uint8_t>(context->screenFlags[(selected & 0x7F) - 1]).fetch_or(3);
        StoreShared(context->selectedScreen, selected);
        break;
    }
    case ClickZone::systemMenu: {
        RECT r{};
        GetWindowRect(window, &r);
        // The menu's loop carries out hand-overs, which may close the screen: nothing after
        // this touches the window or the block.
        DefWindowProcA(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(r.left + 4, r.top + 4));
        break;
    }
    case ClickZone::document: LaunchDocument(context, block); break;
    case ClickZone::minimise: ShowWindow(window, SW_SHOWMINNOACTIVE); break;
    case ClickZone::close: StoreShared(block->pendingEscapes, 16); break;
    case ClickZone::none:
    case ClickZone::bandGap: break;
    }
}

// A button message once the rubber band is dealt with; false for the default handling.
bool Button(HWND window, HostContext *context, VduBlock *block, UINT message, WindowPoint p, const RECT &r)
{
    if (!InInnerArea(p, {r.right - r.left, r.bottom - r.top}))
        return false;
    if (IsLeftDown(message))
        BeginRubberBand(context, window, p.x, p.y);
    const ClickZone zone = ClassifyClick(p);
    if (zone != ClickZone::none) {
        if (IsLeftDown(message))
            ClickZoneAction(window, context, block, zone);
        return true;
    }
    QueueWindowEvent(block, (VDU_EVENT_MOUSE + message) | CurrentModifierBits(), MousePosition(p.x, p.y));
    return true;
}

} // namespace

uint32_t CurrentModifierBits()
{
    return ModifierBits({GetKeyState(VK_SHIFT), GetKeyState(VK_CONTROL), GetKeyState(VK_MENU),
                         GetKeyState(VK_CAPITAL), GetKeyState(VK_NUMLOCK), GetKeyState(VK_SCROLL),
                         GetKeyState(VK_PAUSE)});
}

void OnKeyDown(VduBlock *block, WPARAM key, LPARAM lParam)
{
    if (QueuesKeyDown(static_cast<uint32_t>(key)))
        QueueWindowEvent(block, (VDU_EVENT_VIRTUAL_KEY + static_cast<uint32_t>(key)) | CurrentModifierBits(),
                         static_cast<uint32_t>(lParam));
}

void OnKeyUp(VduBlock *block, WPARAM key, LPARAM lParam)
{
    if (key == VK_SNAPSHOT)
        QueueWindowEvent(block, (VDU_EVENT_VIRTUAL_KEY + VK_SNAPSHOT) | CurrentModifierBits(),
                         static_cast<uint32_t>(lParam));
}

void OnCharacter(VduBlock *block, WPARAM ch, LPARAM lParam)
{
    if (ch == 7)
        block->bellMark = 7;
    else if (ch >= 32)
        QueueWindowEvent(block, (static_cast<uint32_t>(ch) & VDU_EVENT_VALUE_MASK) | CurrentModifierBits(),
                         static_cast<uint32_t>(lParam));
}

void OnMouseMove(HWND window, HostContext *context, VduBlock *block, POINT screen)
{
    RECT r{};
    const WindowPoint p = Relative(window, screen, r);
    block->mouseMoveX = p.x;
    block->mouseMoveY = p.y;
    FollowRubberBand(context, window, p.x, p.y);
}

bool OnMouseButton(HWND window, HostContext *context, VduBlock *block, UINT message, POINT screen)
{
    RECT r{};
    const WindowPoint p = Relative(window, screen, r);
    if (!IsLeftUp(message))
        return Button(window, context, block, message, p, r);
    // The band this window held ends here. Its text is on the clipboard before the button's own
    // event is queued, so a client that sees the button-up finds the copy done; the events are
    // the same with or without a selection.
    const bool owned = context->rubberBandOwner == window;
    const int32_t *band = context->rubberBand;
    const WindowPoint anchor{band[0], band[1]}, corner{band[2], band[3]};
    EndRubberBand(context, window);
    if (owned)
        CopySelection(window, block, anchor, corner);
    return Button(window, context, block, message, p, r);
}

void OnWheel(HWND window, HostContext *context, VduBlock *block, WPARAM wParam, LPARAM lParam)
{
    RECT r{};
    const WindowPoint p = Relative(window, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, r);
    const auto delta = static_cast<int16_t>(HIWORD(wParam));
    if (p.y >= 6) {
        QueueWindowEvent(block, (VDU_EVENT_WHEEL | static_cast<uint16_t>(delta)) | CurrentModifierBits(),
                         MousePosition(p.x, p.y));
        return;
    }
    const int32_t zoom = ZoomAfterWheel(block->zoomEighths, delta, context->optionFlags[optionP] != 0);
    const WindowSize image = FrontImageSize(block);
    if (image.width <= 0)
        return;
    const WindowSize size = ZoomedSize(image, zoom);
    block->zoomEighths = zoom;
    StoreShared(block->windowWidth, size.width);
    StoreShared(block->windowHeight, size.height);
    MoveWindow(window, r.left, r.top, size.width, size.height, TRUE);
}
