#include "vdu/display_rules.h"

#include <algorithm>
#include <atomic>

namespace {

constexpr int32_t border = 4;
constexpr int32_t bandTop = 44, bandBottom = 79;
constexpr int32_t maxWindowSide = 32767;

bool Held(int16_t state)
{
    return (static_cast<uint16_t>(state) & 0x8000) != 0;
}

bool Toggled(int16_t state)
{
    return (state & 1) != 0;
}

} // namespace

uint32_t ModifierBits(const KeyStates &k)
{
    uint32_t bits = 0;
    if (Held(k.shift))
        bits |= VDU_EVENT_SHIFT;
    if (Held(k.control))
        bits |= VDU_EVENT_CTRL;
    if (Held(k.alt))
        bits |= VDU_EVENT_ALT;
    if (Toggled(k.capsLock))
        bits |= VDU_EVENT_CAPS_LOCK;
    if (Toggled(k.numLock))
        bits |= VDU_EVENT_NUM_LOCK;
    if (Toggled(k.scrollLock))
        bits |= VDU_EVENT_SCROLL_LOCK;
    if (Toggled(k.pause))
        bits |= VDU_EVENT_PAUSE;
    return bits;
}

bool EventRingFull(VduBlock *block)
{
    return std::atomic_ref<int32_t>(block->eventCount).load() >= VDU_EVENT_RING_SIZE;
}

bool QueueEvent(VduBlock *block, uint32_t code, uint32_t position)
{
    if (EventRingFull(block))
        return false;
    // The write index is the client's memory too: mask it before it indexes the ring.
    const int32_t index = (block->eventWriteIndex + 1) & (VDU_EVENT_RING_SIZE - 1);
    block->eventWriteIndex = index;
    block->events[index].code = code;
    block->events[index].position = position;
    std::atomic_ref<int32_t>(block->eventCount).fetch_add(1);
    return true;
}

bool QueuesKeyDown(uint32_t key)
{
    switch (key) {
    case 3: case 8: case 9: case 12: case 13: case 27: case 45: case 46: case 47:
        return true;
    default:
        return (key >= 33 && key <= 43) || (key >= 112 && key <= 127);
    }
}

uint32_t MousePosition(int32_t x, int32_t y)
{
    return (static_cast<uint32_t>(y) & 0xFFFF) << 16 | (static_cast<uint32_t>(x) & 0xFFFF);
}

bool InInnerArea(WindowPoint p, WindowSize w)
{
    return p.x >= border && p.x < w.width - border && p.y >= border && p.y < w.height - border;
}

HitResult HitTest(WindowPoint p, WindowSize w)
{
    if (p.x < border || p.x >= w.width - border || p.y >= w.height - border)
        return HitResult::platform;
    return p.y >= border ? HitResult::client : HitResult::caption;
}

ClickZone ClassifyClick(WindowPoint p)
{
    if (p.y < bandTop || p.y > bandBottom)
        return ClickZone::none;
    // Five zones 40 pixels wide at a pitch of 56, the first from x = 17.
    static constexpr ClickZone zones[] = {ClickZone::nextScreen, ClickZone::systemMenu, ClickZone::document,
                                          ClickZone::minimise, ClickZone::close};
    for (int i = 0; i < 5; ++i) {
        const int32_t left = 17 + 56 * i;
        if (p.x >= left && p.x <= left + 39)
            return zones[i];
    }
    return ClickZone::bandGap;
}

uint8_t NextSelectedScreen(uint8_t selected)
{
    return static_cast<uint8_t>(((selected & 3) + 1) | 0x80);
}

int32_t ZoomAfterWheel(int32_t zoom, int16_t delta, bool zoomEnabled)
{
    zoom = std::clamp(zoom, 1, 16);
    const int32_t step = zoomEnabled ? 1 : 0;
    return delta < 0 ? std::min(zoom + step, 16) : std::max(zoom - step, 1);
}

int32_t SaneWindowSide(int32_t side)
{
    return std::clamp(side, 8, maxWindowSide);
}

WindowSize ZoomedSize(WindowSize image, int32_t zoom)
{
    zoom = std::clamp(zoom, 1, 16);
    auto side = [zoom](int32_t s) {
        return SaneWindowSide(static_cast<int32_t>(int64_t{std::max(s, 8)} * zoom / 8));
    };
    return {side(image.width), side(image.height)};
}

BarRect CursorBar(const CursorGeometry &g)
{
    const BarRect none{0, 0, 0, 0};
    if (g.cellWidth < 1 || g.cellHeight < 1 || g.marginLeft < 0 || g.marginTop < 0)
        return none;
    if (g.cursorColumn < 0 || g.cursorRow < 0 || g.cursorColumn >= g.columns || g.cursorRow >= g.rows)
        return none;
    if (g.image.width < 1 || g.image.height < 1 || g.window.width < 1 || g.window.height < 1)
        return none;
    const int64_t cellLeft = g.marginLeft + int64_t{g.cursorColumn} * g.cellWidth;
    const int64_t cellTop = g.marginTop + int64_t{g.cursorRow} * g.cellHeight;
    if (cellLeft + g.cellWidth > g.image.width || cellTop + g.cellHeight > g.image.height)
        return none; // the block's geometry no longer matches the image
    const int64_t ww = g.window.width, wh = g.window.height, fw = g.image.width, fh = g.image.height;
    return {static_cast<int32_t>(cellLeft * ww / fw),
            static_cast<int32_t>((cellTop + int64_t{g.cellHeight} * 6 / 8) * wh / fh),
            static_cast<int32_t>(g.cellWidth * ww / fw), static_cast<int32_t>(g.cellHeight / 8 * wh / fh)};
}

uint8_t CountdownAfterTick(uint8_t countdown, bool &repaint)
{
    repaint = false;
    if (countdown < VDU_REPAINT_REQUEST)
        return countdown;
    // Counted without 8-bit wrap: a byte the client set near 255 still ends in a repaint.
    const int next = countdown + 4;
    if (next >= static_cast<int>(VDU_REPAINT_SOON)) {
        repaint = true;
        return 0;
    }
    return static_cast<uint8_t>(next);
}

Selection SelectOnTick(uint8_t screenNumber, uint8_t selected, uint8_t shown)
{
    Selection s{false, false, selected, shown};
    if (screenNumber == 0)
        return s;
    if (screenNumber == (selected & 0x7F) && ((selected & 0x80) != 0 || shown == 0)) {
        s.show = true;
        s.selectedScreen = static_cast<uint8_t>(selected & 0x7F);
        s.shown = 1;
    }
    if (screenNumber != s.selectedScreen && s.shown == 1) {
        s.hide = true;
        s.shown = 0;
    }
    return s;
}

Thumbnail ThumbnailFor(uint8_t screenNumber, int32_t monitorHeight, WindowSize image)
{
    Thumbnail t{};
    if (screenNumber < 1 || screenNumber > 4)
        return t;
    t.x = 3;
    t.y = static_cast<int32_t>(int64_t{monitorHeight} + 88 * screenNumber - 422);
    t.width = 92;
    t.height = 53;
    t.sourceX = 4;
    t.sourceY = 4;
    t.sourceWidth = image.width - 8;
    t.sourceHeight = std::min(image.height / 2, 448);
    t.draw = t.sourceWidth > 0 && t.sourceHeight > 0 && t.sourceY + t.sourceHeight <= image.height;
    return t;
}
