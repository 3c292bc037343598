// The graphics operation's arithmetic on its own: the three coordinate systems and their
// limits, the colour swap, and the source and destination of a scaled bitmap draw.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "vdu/graphics_rules.h"

namespace {

// 80 x 24 cells of 8 x 16 with margins 12, 104, 4, 8.
constexpr GraphicsGeometry screen{656, 496, 80, 24, 8, 16, 12, 104};

void ExpectPoint(GraphicsPoint p, int32_t x, int32_t y)
{
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
}

TEST(GraphicsCoordinates, CellsReachTheCornerPastTheLastCellAndNoFurther)
{
    ExpectPoint(PointFromCells(screen, 80, 24), 12 + 640, 104 + 384);
    ExpectPoint(PointFromCells(screen, -5, 999), 12, 104 + 384);
    ExpectPoint(PointFromCells(screen, 79, 23), 12 + 632, 104 + 368);
    ExpectPoint(PointFromCells(screen, 3, 1), 36, 120);
    ExpectPoint(PointFromCells(screen, INT_MIN, INT_MAX), 12, 488);
}

TEST(GraphicsCoordinates, ImageAndTextAreaPixelsAreLimitedToTheirArea)
{
    ExpectPoint(PointFromImagePixels(screen, -1, 497), 0, 496);
    ExpectPoint(PointFromImagePixels(screen, 656, 495), 656, 495);
    ExpectPoint(PointFromImagePixels(screen, INT_MAX, INT_MIN), 656, 0);

    ExpectPoint(PointFromTextArea(screen, 7, 9), 19, 113);
    ExpectPoint(PointFromTextArea(screen, -3, 10000), 12, 104 + 384);
    ExpectPoint(PointFromTextArea(screen, 640, 383), 652, 487);
    ExpectPoint(PointFromTextArea(screen, INT_MAX, INT_MIN), 652, 104);
}

TEST(GraphicsCoordinates, AClientsWildGeometryGivesNoOverflow)
{
    const GraphicsGeometry wild{INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX};
    ExpectPoint(PointFromCells(wild, INT_MAX, INT_MAX), INT_MAX, INT_MAX);
    ExpectPoint(PointFromTextArea(wild, INT_MAX, 5), INT_MAX, INT_MAX);
    const GraphicsGeometry negative{-5, -5, -3, -3, -8, -8, INT_MIN, INT_MIN};
    ExpectPoint(PointFromCells(negative, 10, 10), INT_MIN + 24, INT_MIN + 24); // -3 cells of -8
    ExpectPoint(PointFromImagePixels(negative, 10, -10), 0, 0);
}

TEST(GraphicsCoordinates, RectanglesAreNormalisedInsideTheImage)
{
    const GraphicsRect r = NormalisedRect(screen, 50, 40, 10, 20);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 50);
    EXPECT_EQ(r.bottom, 40);
    const GraphicsRect wide = NormalisedRect(screen, INT_MAX, -7, INT_MIN, 9999);
    EXPECT_EQ(wide.left, 0);
    EXPECT_EQ(wide.top, 0);
    EXPECT_EQ(wide.right, 656);
    EXPECT_EQ(wide.bottom, 496);
}

TEST(GraphicsColour, SwapsRedAndBlueAndKeepsOnlyThePaletteFlag)
{
    EXPECT_EQ(DrawingColour(0x00123456), 0x00563412u);
    EXPECT_EQ(DrawingColour(0x02123456), 0x02563412u);
    EXPECT_EQ(DrawingColour(0x01123456), 0x00563412u);
    EXPECT_EQ(DrawingColour(0x02FFFFFF), 0x02FFFFFFu);
    EXPECT_EQ(DrawingColour(0x03000000), 0x02FFFFFFu);
    EXPECT_EQ(DrawingColour(0x7FFFFFFF), 0x02FFFFFFu);
    EXPECT_EQ(DrawingColour(-1), 0u);
    EXPECT_EQ(DrawingColour(INT_MIN), 0u);
}

void ExpectPlan(const StretchPlan &p, int32_t dw, int32_t dh, int32_t sx, int32_t sy, int32_t sw, int32_t sh)
{
    EXPECT_EQ(p.destWidth, dw);
    EXPECT_EQ(p.destHeight, dh);
    EXPECT_EQ(p.srcX, sx);
    EXPECT_EQ(p.srcY, sy);
    EXPECT_EQ(p.srcWidth, sw);
    EXPECT_EQ(p.srcHeight, sh);
}

TEST(GraphicsBitmapDraw, APictureNarrowerThanThePlacementCutsTheDestination)
{
    // 100 x 50 into 200 x 50 at 100 %: only the left half is drawn.
    ExpectPlan(PlanBitmapDraw(100, 50, {10, 20, 210, 70}, 0, 0, 100, 100), 100, 50, 0, 0, 100, 50);
    // The same at 150 %: 200 / 1.5 = 133 source columns cut to 100, drawn 150 wide.
    ExpectPlan(PlanBitmapDraw(100, 50, {0, 0, 200, 75}, 0, 0, 150, 150), 150, 75, 0, 0, 100, 50);
    // Larger pictures are cut by the placement instead.
    ExpectPlan(PlanBitmapDraw(640, 480, {0, 0, 320, 240}, 0, 0, 250, 250), 320, 240, 0, 0, 128, 96);
}

TEST(GraphicsBitmapDraw, ScalesAreLimitedToOneToOneThousandPercent)
{
    // At 1 % a 100-pixel placement wants 10000 source columns; 500 remain, drawn 5 wide.
    for (int32_t scale : {0, -7, INT_MIN, 1})
        ExpectPlan(PlanBitmapDraw(500, 500, {0, 0, 100, 100}, 0, 0, scale, scale), 5, 5, 0, 0, 500, 500);
    for (int32_t scale : {5000, INT_MAX, 1000})
        ExpectPlan(PlanBitmapDraw(500, 500, {0, 0, 100, 100}, 0, 0, scale, scale), 100, 100, 0, 0, 10, 10);
}

TEST(GraphicsBitmapDraw, OffsetsAreInScaledPixelsAndStopAtThePictureEnd)
{
    ExpectPlan(PlanBitmapDraw(100, 100, {0, 0, 40, 40}, 50, 20, 200, 100), 40, 40, 25, 20, 20, 40);
    ExpectPlan(PlanBitmapDraw(100, 100, {0, 0, 40, 40}, -30, INT_MIN, 100, 100), 40, 40, 0, 0, 40, 40);
    ExpectPlan(PlanBitmapDraw(100, 100, {0, 0, 40, 40}, 90, INT_MAX, 100, 100), 10, 0, 90, 100, 10, 0);
}

TEST(GraphicsBitmapDraw, TopDownRowsAreAddressedFromTheOtherEnd)
{
    // Rows 10 to 29 counted from the bottom of a bottom-up picture ...
    ExpectPlan(PlanBitmapDraw(100, 50, {0, 0, 100, 20}, 0, 10, 100, 100), 100, 20, 0, 10, 100, 20);
    // ... are rows 20 to 39 of a top-down one.
    ExpectPlan(PlanBitmapDraw(100, -50, {0, 0, 100, 20}, 0, 10, 100, 100), 100, 20, 0, 20, 100, 20);
    ExpectPlan(PlanBitmapDraw(100, -50, {0, 0, 100, 80}, 0, 0, 100, 100), 100, 50, 0, 0, 100, 50);
    ExpectPlan(PlanBitmapDraw(-100, 50, {0, 0, 30, 50}, 5, 0, 100, 100), 30, 50, 65, 0, 30, 50);
}

TEST(GraphicsBitmapDraw, TheSourceStaysInsideThePictureForAnyArguments)
{
    const int32_t sides[] = {1, 2, 99, 640, 65535, INT_MAX};
    const int32_t offsets[] = {INT_MIN, -1, 0, 1, 77, 1000000, INT_MAX};
    const int32_t scales[] = {INT_MIN, 0, 1, 33, 100, 250, 999, 1000, INT_MAX};
    const GraphicsRect placements[] = {{0, 0, 0, 0}, {3, 4, 5, 9}, {0, 0, 32767, 32767}, {0, 0, INT_MAX, INT_MAX}};
    for (int32_t side : sides)
        for (int32_t offset : offsets)
            for (int32_t scale : scales)
                for (const GraphicsRect &r : placements)
                    for (int32_t height : {side, -side}) {
                        const StretchPlan p = PlanBitmapDraw(side, height, r, offset, offset, scale, scale);
                        ASSERT_GE(p.srcX, 0);
                        ASSERT_GE(p.srcWidth, 0);
                        ASSERT_LE(int64_t{p.srcX} + p.srcWidth, side);
                        ASSERT_GE(p.srcY, 0);
                        ASSERT_GE(p.srcHeight, 0);
                        ASSERT_LE(int64_t{p.srcY} + p.srcHeight, side);
                        ASSERT_GE(p.destWidth, 0);
                        ASSERT_LE(p.destWidth, r.right - r.left);
                        ASSERT_LE(p.destHeight, r.bottom - r.top);
                    }
}

} // namespace
