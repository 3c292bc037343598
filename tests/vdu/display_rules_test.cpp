// The display window's decisions on their own: event codes, the ring, the click band, zoom,
// the cursor bar, the hit test and the timer tick.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "host/host_api.h"
#include "vdu/display_rules.h"

namespace {

constexpr int16_t held = static_cast<int16_t>(0x8000), toggled = 1;

TEST(DisplayRules, EachModifierHasItsBitAndOnlyHeldOrToggledCounts)
{
    EXPECT_EQ(ModifierBits({}), 0u);
    EXPECT_EQ(ModifierBits({held, 0, 0, 0, 0, 0, 0}), 0x80000000u);
    EXPECT_EQ(ModifierBits({0, held, 0, 0, 0, 0, 0}), 0x40000000u);
    EXPECT_EQ(ModifierBits({0, 0, held, 0, 0, 0, 0}), 0x20000000u);
    EXPECT_EQ(ModifierBits({0, 0, 0, toggled, 0, 0, 0}), 0x08000000u);
    EXPECT_EQ(ModifierBits({0, 0, 0, 0, toggled, 0, 0}), 0x04000000u);
    EXPECT_EQ(ModifierBits({0, 0, 0, 0, 0, toggled, 0}), 0x02000000u);
    EXPECT_EQ(ModifierBits({0, 0, 0, 0, 0, 0, toggled}), 0x01000000u);
    // A toggled Shift or a held Caps Lock is no modifier; bit 28 is never set.
    EXPECT_EQ(ModifierBits({toggled, toggled, toggled, held, held, held, held}), 0u);
    const int16_t both = static_cast<int16_t>(0x8001);
    EXPECT_EQ(ModifierBits({both, both, both, both, both, both, both}), 0xEF000000u);
}

TEST(DisplayRules, KeysThatQueueOnKeyDown)
{
    std::vector<uint32_t> queued;
    for (uint32_t v = 0; v < 256; ++v)
        if (QueuesKeyDown(v))
            queued.push_back(v);
    std::vector<uint32_t> expected{3, 8, 9, 12, 13, 27};
    for (uint32_t v = 33; v <= 43; ++v)
        expected.push_back(v);
    for (uint32_t v : {45u, 46u, 47u})
        expected.push_back(v);
    for (uint32_t v = 112; v <= 127; ++v)
        expected.push_back(v);
    EXPECT_EQ(queued, expected);
    EXPECT_FALSE(QueuesKeyDown(44)) << "Print Screen queues on release only";
    EXPECT_FALSE(QueuesKeyDown(0x10000 + 13));
}

TEST(DisplayRules, TheRingHoldsSixteenEventsAndDropsTheSeventeenth)
{
    VduBlock b{};
    b.eventWriteIndex = 14;
    for (uint32_t i = 0; i < 16; ++i)
        EXPECT_TRUE(QueueEvent(&b, 100 + i, 200 + i));
    EXPECT_FALSE(QueueEvent(&b, 999, 999));
    EXPECT_EQ(b.eventCount, 16);
    EXPECT_EQ(b.eventWriteIndex, 14);
    EXPECT_EQ(b.events[15].code, 100u) << "the first entry follows the write index";
    EXPECT_EQ(b.events[0].position, 201u);
    EXPECT_EQ(b.events[14].code, 115u);
    // One read makes room again.
    --b.eventCount;
    EXPECT_TRUE(QueueEvent(&b, 1, 2));
    EXPECT_EQ(b.events[15].code, 1u);
}

TEST(DisplayRules, AWriteIndexFromTheClientNeverLeavesTheRing)
{
    VduBlock b{};
    b.eventWriteIndex = 0x7FFFFFF3;
    ASSERT_TRUE(QueueEvent(&b, 7, 8));
    EXPECT_EQ(b.eventWriteIndex, 4);
    EXPECT_EQ(b.events[4].code, 7u);
    b.eventWriteIndex = -1;
    ASSERT_TRUE(QueueEvent(&b, 9, 10));
    EXPECT_EQ(b.eventWriteIndex, 0);
    EXPECT_EQ(b.unused256, 0) << "nothing written past the ring";
}

TEST(DisplayRules, CountStaysExactWithAReaderOnAnotherThread)
{
    VduBlock b{};
    std::atomic<bool> done{false};
    int delivered = 0;
    std::thread reader([&] {
        while (!done || std::atomic_ref<int32_t>(b.eventCount).load() > 0)
            if (std::atomic_ref<int32_t>(b.eventCount).load() > 0) {
                b.eventReadIndex = (b.eventReadIndex + 1) & 15;
                EXPECT_EQ(b.events[b.eventReadIndex].position, static_cast<uint32_t>(delivered));
                ++delivered;
                std::atomic_ref<int32_t>(b.eventCount).fetch_sub(1);
            }
    });
    int queued = 0;
    while (queued < 20000)
        if (QueueEvent(&b, 1, static_cast<uint32_t>(queued)))
            ++queued;
    done = true;
    reader.join();
    EXPECT_EQ(delivered, 20000);
    EXPECT_EQ(b.eventCount, 0);
}

TEST(DisplayRules, MousePositionPacksSixteenBitsEach)
{
    EXPECT_EQ(MousePosition(60, 80), 0x0050003Cu);
    EXPECT_EQ(MousePosition(-1, 2), 0x0002FFFFu);
}

TEST(DisplayRules, ClickBandZonesAndTheirEdges)
{
    EXPECT_EQ(ClassifyClick({16, 50}), ClickZone::bandGap);
    EXPECT_EQ(ClassifyClick({17, 50}), ClickZone::nextScreen);
    EXPECT_EQ(ClassifyClick({56, 79}), ClickZone::nextScreen);
    EXPECT_EQ(ClassifyClick({57, 60}), ClickZone::bandGap);
    EXPECT_EQ(ClassifyClick({60, 80}), ClickZone::none);
    EXPECT_EQ(ClassifyClick({60, 43}), ClickZone::none);
    EXPECT_EQ(ClassifyClick({17, 44}), ClickZone::nextScreen);
    const struct {
        int32_t left;
        ClickZone zone;
    } zones[] = {{73, ClickZone::systemMenu}, {129, ClickZone::document}, {185, ClickZone::minimise},
                 {241, ClickZone::close}};
    for (const auto &z : zones) {
        EXPECT_EQ(ClassifyClick({z.left - 1, 60}), ClickZone::bandGap) << z.left;
        EXPECT_EQ(ClassifyClick({z.left, 60}), z.zone) << z.left;
        EXPECT_EQ(ClassifyClick({z.left + 39, 60}), z.zone) << z.left;
        EXPECT_EQ(ClassifyClick({z.left + 40, 60}), ClickZone::bandGap) << z.left;
    }
    EXPECT_EQ(ClassifyClick({600, 60}), ClickZone::bandGap);
}

TEST(DisplayRules, NextScreenCyclesOneToFourWithTheShowRequest)
{
    uint8_t selected = 0;
    for (int expected : {1, 2, 3, 4, 1, 2}) {
        selected = NextSelectedScreen(selected);
        EXPECT_EQ(selected, 0x80 | expected);
    }
    EXPECT_EQ(NextSelectedScreen(7), 0x84);
}

TEST(DisplayRules, HitTestBorders)
{
    const WindowSize w{100, 80};
    EXPECT_EQ(HitTest({3, 40}, w), HitResult::platform);
    EXPECT_EQ(HitTest({96, 40}, w), HitResult::platform);
    EXPECT_EQ(HitTest({40, 76}, w), HitResult::platform);
    EXPECT_EQ(HitTest({4, 3}, w), HitResult::caption);
    EXPECT_EQ(HitTest({95, 0}, w), HitResult::caption);
    EXPECT_EQ(HitTest({4, 4}, w), HitResult::client);
    EXPECT_EQ(HitTest({95, 75}, w), HitResult::client);
    EXPECT_TRUE(InInnerArea({4, 4}, w));
    EXPECT_FALSE(InInnerArea({4, 3}, w));
    EXPECT_FALSE(InInnerArea({96, 40}, w));
}

TEST(DisplayRules, ZoomStaysWithinOneAndSixteenEighths)
{
    EXPECT_EQ(ZoomAfterWheel(8, -120, true), 9);
    EXPECT_EQ(ZoomAfterWheel(8, 120, true), 7);
    EXPECT_EQ(ZoomAfterWheel(16, -120, true), 16);
    EXPECT_EQ(ZoomAfterWheel(1, 120, true), 1);
    EXPECT_EQ(ZoomAfterWheel(5, 0, true), 4) << "a zero delta counts as turned away";
    EXPECT_EQ(ZoomAfterWheel(5, -120, false), 5);
    EXPECT_EQ(ZoomAfterWheel(400, -120, true), 16) << "a zoom from the client is kept in range";
    EXPECT_EQ(ZoomAfterWheel(-3, 120, false), 1);

    EXPECT_EQ(ZoomedSize({656, 496}, 1).width, 82);
    EXPECT_EQ(ZoomedSize({656, 496}, 1).height, 62);
    EXPECT_EQ(ZoomedSize({656, 496}, 16).width, 1312);
    EXPECT_EQ(ZoomedSize({656, 496}, 5).height, 310);
    EXPECT_EQ(ZoomedSize({20, 6}, 1).height, 8) << "at least 8 pixels";
    EXPECT_EQ(ZoomedSize({30000, 100}, 16).width, 32767);
}

TEST(DisplayRules, CursorBarAtFullSizeAndZoomed)
{
    CursorGeometry g{12, 104, 8, 16, 3, 2, 80, 24, {656, 496}, {656, 496}};
    BarRect bar = CursorBar(g);
    EXPECT_EQ(bar.x, 12 + 24);
    EXPECT_EQ(bar.y, 104 + 32 + 12);
    EXPECT_EQ(bar.width, 8);
    EXPECT_EQ(bar.height, 2);
    g.window = {328, 248};
    bar = CursorBar(g);
    EXPECT_EQ(bar.x, 18);
    EXPECT_EQ(bar.y, 74);
    EXPECT_EQ(bar.width, 4);
    EXPECT_EQ(bar.height, 1);
}

TEST(DisplayRules, NoCursorBarFromGeometryThatDoesNotFitTheImage)
{
    const CursorGeometry good{12, 104, 8, 16, 79, 23, 80, 24, {656, 496}, {656, 496}};
    EXPECT_GT(CursorBar(good).width, 0);
    auto without = [&](auto change) {
        CursorGeometry g = good;
        change(g);
        return CursorBar(g).width;
    };
    EXPECT_EQ(without([](CursorGeometry &g) { g.cursorColumn = 80; }), 0);
    EXPECT_EQ(without([](CursorGeometry &g) { g.cursorRow = -1; }), 0);
    EXPECT_EQ(without([](CursorGeometry &g) { g.cellWidth = 0; }), 0);
    EXPECT_EQ(without([](CursorGeometry &g) { g.cellHeight = -16; }), 0);
    EXPECT_EQ(without([](CursorGeometry &g) { g.image = {0, 0}; }), 0);
    EXPECT_EQ(without([](CursorGeometry &g) { g.marginLeft = 1 << 30; }), 0);
    EXPECT_EQ(without([](CursorGeometry &g) { g.cellWidth = 1 << 28; }), 0);
    EXPECT_EQ(without([](CursorGeometry &g) { g.marginTop = -5; }), 0);
}

TEST(DisplayRules, RepaintCountdownOnTicks)
{
    bool repaint = false;
    uint8_t c = VDU_REPAINT_REQUEST;
    int ticks = 0;
    do {
        c = CountdownAfterTick(c, repaint);
        ++ticks;
    } while (!repaint && ticks < 20);
    EXPECT_EQ(ticks, 8) << "a request of 85 shows on the eighth tick";
    EXPECT_EQ(c, 0);
    EXPECT_EQ(CountdownAfterTick(VDU_REPAINT_SOON, repaint), 0);
    EXPECT_TRUE(repaint);
    EXPECT_EQ(CountdownAfterTick(84, repaint), 84);
    EXPECT_FALSE(repaint);
    EXPECT_EQ(CountdownAfterTick(0, repaint), 0);
    EXPECT_FALSE(repaint);
    EXPECT_EQ(CountdownAfterTick(253, repaint), 0) << "no 8-bit wrap loses a repaint";
    EXPECT_TRUE(repaint);
}

TEST(DisplayRules, ScreenSelectionShowsTheSelectedScreenAndHidesTheOthers)
{
    Selection s = SelectOnTick(2, 0x82, 1);
    EXPECT_TRUE(s.show);
    EXPECT_FALSE(s.hide);
    EXPECT_EQ(s.selectedScreen, 2);
    EXPECT_EQ(s.shown, 1);
    s = SelectOnTick(2, 0x02, 0);
    EXPECT_TRUE(s.show) << "a hidden selected screen shows itself";
    s = SelectOnTick(2, 0x02, 1);
    EXPECT_FALSE(s.show || s.hide);
    s = SelectOnTick(1, 0x82, 1);
    EXPECT_TRUE(s.hide);
    EXPECT_EQ(s.shown, 0);
    EXPECT_EQ(s.selectedScreen, 0x82) << "only the selected screen takes the request";
    s = SelectOnTick(1, 0x82, 0);
    EXPECT_FALSE(s.show || s.hide);
    s = SelectOnTick(0, 0x81, 1);
    EXPECT_FALSE(s.show || s.hide) << "screen 0 is never shown or hidden";
    EXPECT_EQ(s.selectedScreen, 0x81);
}

TEST(DisplayRules, ThumbnailPositions)
{
    const WindowSize image{656, 496};
    for (uint8_t n = 1; n <= 4; ++n) {
        const Thumbnail t = ThumbnailFor(n, 496, image);
        EXPECT_TRUE(t.draw);
        EXPECT_EQ(t.y, 162 + 88 * (n - 1));
        EXPECT_EQ(t.x, 3);
        EXPECT_EQ(t.width, 92);
        EXPECT_EQ(t.height, 53);
        EXPECT_EQ(t.sourceWidth, 648);
        EXPECT_EQ(t.sourceHeight, 248);
    }
    EXPECT_EQ(ThumbnailFor(1, 496, {656, 2000}).sourceHeight, 448);
    EXPECT_FALSE(ThumbnailFor(0, 496, image).draw);
    EXPECT_FALSE(ThumbnailFor(5, 496, image).draw);
    EXPECT_FALSE(ThumbnailFor(1, 496, {8, 496}).draw);
}

} // namespace
