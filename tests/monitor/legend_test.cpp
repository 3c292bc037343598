#include <gtest/gtest.h>

#include "monitor/legend.h"

namespace {

// A window at its minimum height 496 with a 3-pixel frame.
const WindowFrame minimal = MakeWindowFrame(144, 496, 138);

TEST(Legend, FrameWidthIsHalfTheDifference)
{
    EXPECT_EQ(minimal.border, 3);
    EXPECT_EQ(MakeWindowFrame(150, 496, 141).border, 4); // 9 / 2 toward zero
}

TEST(Legend, HoverAreasOfTheButtonRows)
{
    // row i spans y H - b - 306 + 32 i .. H - b - 280 + 32 i, x b + 4 .. b + 102
    for (int i : {1, 2, 3, 5}) {
        const uint32_t top = 496 - 3 - 306 + 32 * i, bottom = top + 26;
        EXPECT_EQ(LegendHoverRow(minimal, 7, top), i);
        EXPECT_EQ(LegendHoverRow(minimal, 105, bottom), i);
        EXPECT_EQ(LegendHoverRow(minimal, 6, top), 0);
        EXPECT_EQ(LegendHoverRow(minimal, 106, top), 0);
    }
    EXPECT_EQ(LegendHoverRow(minimal, 50, 496 - 3 - 306 + 32 * 4 + 10), 0); // the path row
    EXPECT_EQ(LegendHoverRow(minimal, 50, 0xFFFF), 0);
}

TEST(Legend, ClickAreasSitOnePixelFurtherRightThanHover)
{
    for (int i : {1, 2, 3, 5}) {
        const uint32_t top = 496 - 3 - 284 + 32 * i, bottom = top + 26;
        EXPECT_EQ(LegendClickRow(minimal, 9, top), i);
        EXPECT_EQ(LegendClickRow(minimal, 107, bottom), i);
        EXPECT_EQ(LegendClickRow(minimal, 8, top), 0);
        EXPECT_EQ(LegendClickRow(minimal, 108, top), 0);
        EXPECT_EQ(LegendClickRow(minimal, 50, top - 1), 0); // rows are 5 pixels apart
    }
}

TEST(Legend, ClickEffects)
{
    EXPECT_EQ(ApplyLegendClick(1, {0, 'C'}).keyCode, 27);
    EXPECT_EQ(ApplyLegendClick(5, {0, 'C'}).keyCode, 13);

    LegendChoice c = ApplyLegendClick(2, {0, 'D'});
    EXPECT_EQ(c.driveLetter, 'C');
    EXPECT_EQ(c.keyCode, 'C');
    c = ApplyLegendClick(2, {99, 'C'});
    EXPECT_EQ(c.driveLetter, 'C');
    EXPECT_EQ(c.keyCode, 99) << "at C a click changes nothing, not even the key code";

    c = ApplyLegendClick(3, {0, 'Y'});
    EXPECT_EQ(c.driveLetter, 'Z');
    EXPECT_EQ(c.keyCode, 'Z');
    c = ApplyLegendClick(3, {5, 'Z'});
    EXPECT_EQ(c.driveLetter, 'Z');
    EXPECT_EQ(c.keyCode, 5);

    c = ApplyLegendClick(0, {5, 'E'});
    EXPECT_EQ(c.keyCode, 5);
    EXPECT_EQ(c.driveLetter, 'E');
    c = ApplyLegendClick(4, {5, 'E'});
    EXPECT_EQ(c.keyCode, 5);
}

} // namespace
