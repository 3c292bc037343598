#include "vdu_client.h"

#include <cstring>

namespace {

constexpr COLORREF face = RGB(224, 224, 224), white = RGB(255, 255, 255), black = RGB(0, 0, 0);

TEST(VduOpen, ZeroGeometryTakesTheHostDefaultsAndABlankRaisedScreen)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        context->selectedScreen = 15; // the display window's ticks keep only the selected screen shown
        ASSERT_EQ(vdu.Open(Geometry{0, 0, 0, 0, 0, 0, 0, 0}, 0x1F), 0);
        VduBlock *b = vdu.block;
        EXPECT_EQ(b->columns, 80);
        EXPECT_EQ(b->rows, context->rows);
        EXPECT_EQ(b->cellWidth, 8);
        EXPECT_EQ(b->cellHeight, 16);
        EXPECT_EQ(b->marginLeft, 12);
        EXPECT_EQ(b->marginTop, 104);
        EXPECT_EQ(b->screenNumber, 15);
        EXPECT_EQ(std::memcmp(b->title, "/tarnwell7", 10), 0);
        EXPECT_EQ(b->zoomEighths, 8);
        const int32_t w = 12 + 80 * 8 + 4, h = 104 + b->rows * 16 + 8;
        EXPECT_EQ(b->frontWidth, w);
        EXPECT_EQ(b->backHeight, h);
        EXPECT_EQ(b->windowWidth, w);
        EXPECT_EQ(b->windowHeight, h);
        EXPECT_EQ(b->shown, 1);
        EXPECT_EQ(b->host, context);
        EXPECT_EQ(b->colours[0], 0xEEEEEEu);
        EXPECT_TRUE(IsWindow(b->window));
        char className[32] = {};
        GetClassNameA(b->window, className, sizeof className);
        EXPECT_STREQ(className, "TARNWELL_DISPLAY");
        for (int i = 0; i < b->columns * b->rows; ++i) {
            ASSERT_EQ(b->cells[i], 0u);
            ASSERT_EQ(b->frames[i], 0u);
        }
        // 2-pixel raised border around the face, in both images
        for (bool front : {true, false}) {
            auto px = [&](int x, int y) { return front ? vdu.Front(x, y) : vdu.Back(x, y); };
            EXPECT_EQ(px(0, 0), white);
            EXPECT_EQ(px(1, 1), white);
            EXPECT_EQ(px(w - 1, h / 2), black);
            EXPECT_EQ(px(w / 2, h - 2), black);
            EXPECT_EQ(px(2, 2), face);
            EXPECT_EQ(px(w - 3, h - 3), face);
        }
        EXPECT_EQ(vdu.Close(), 0);
        EXPECT_EQ(b->window, nullptr);
        EXPECT_EQ(b->cells, nullptr);
    });
}

TEST(VduOpen, SmallCellsStayWhileSmallMarginsTakeTheDefault)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(Geometry{10, 5, 3, 2, 3, 1, 2, 3}, 12), 0);
        EXPECT_EQ(vdu.block->cellWidth, 3);
        EXPECT_EQ(vdu.block->cellHeight, 2);
        EXPECT_EQ(vdu.block->marginLeft, 12);
        EXPECT_EQ(vdu.block->marginTop, 104);
        EXPECT_EQ(vdu.block->marginRight, 4);
        EXPECT_EQ(vdu.block->marginBottom, 8);
        EXPECT_EQ(vdu.block->title[9], '4');
        VduClient other(context);
        ASSERT_EQ(other.Open(Geometry{}, 8), 0);
        EXPECT_EQ(other.block->title[9], '0');
        EXPECT_NE(other.block->window, vdu.block->window);
    });
}

TEST(VduOperations, WritingWrapsAndScrollsAtTheLastCell)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(Geometry{80, 24}), 0);
        vdu.Put("Hello");
        EXPECT_EQ(vdu.Cell(0, 0), uint32_t{'H'});
        EXPECT_EQ(vdu.block->cursorColumn, 5);
        // A repaint was asked for (0 once a display tick has shown it).
        const uint8_t countdown = vdu.block->repaintCountdown;
        EXPECT_TRUE(countdown >= 85 || countdown == 0) << int{countdown};
        vdu.MoveTo(79, 23);
        vdu.Put('Z');
        EXPECT_EQ(vdu.block->cursorColumn, 0);
        EXPECT_EQ(vdu.block->cursorRow, 23);
        EXPECT_EQ(vdu.Cell(79, 22), uint32_t{'Z'}) << "the screen moved up one row";
        EXPECT_EQ(vdu.Cell(79, 23), 32u);
    });
}

} // namespace
