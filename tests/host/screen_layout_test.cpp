#include <gtest/gtest.h>

#include "host/disk_fields.h"
#include "host/screen_layout.h"

namespace {

TEST(ScreenLayout, BelowEightHundredKeepsTwentyFourRowsAtTheLeftEdge)
{
    const ScreenLayout s = ComputeScreenLayout(799, 2000);
    EXPECT_EQ(s.rows, 24);
    EXPECT_EQ(s.monitorLeft, 0);
    EXPECT_EQ(s.monitorHeight, 496);
    EXPECT_EQ(s.monitorHeight - 440, 56); // splash origin
}

TEST(ScreenLayout, EightHundredBySixHundredTruncatesTheRowCount)
{
    const ScreenLayout s = ComputeScreenLayout(800, 600);
    EXPECT_EQ(s.monitorLeft, 320);
    EXPECT_EQ(s.rows, 30);
    EXPECT_EQ(s.monitorHeight, 592);
}

TEST(ScreenLayout, RowsAreClampedToTwentyFourAndThirtySix)
{
    const ScreenLayout big = ComputeScreenLayout(1024, 768);
    EXPECT_EQ(big.monitorLeft, 432);
    EXPECT_EQ(big.rows, 36);
    EXPECT_EQ(big.monitorHeight, 688);
    EXPECT_EQ(big.monitorHeight - 440, 248);

    EXPECT_EQ(ComputeScreenLayout(800, 400).rows, 24);
    EXPECT_EQ(ComputeScreenLayout(800, -5000).rows, 24);
}

TEST(ScreenLayout, FixedDefaults)
{
    const ScreenLayout s = ComputeScreenLayout(1280, 1024);
    EXPECT_EQ(s.columns, 80);
    EXPECT_EQ(s.cellWidth, 8);
    EXPECT_EQ(s.cellHeight, 16);
    EXPECT_EQ(s.marginLeft, 12);
    EXPECT_EQ(s.marginTop, 104);
    EXPECT_EQ(s.marginRight, 4);
    EXPECT_EQ(s.marginBottom, 8);
    EXPECT_EQ(s.monitorWidth, 144);
    EXPECT_EQ(s.monitorTop, 0);
}

TEST(DiskFields, FoldsToSixteenBitsHighByteFirst)
{
    uint8_t out[2];
    StoreFolded16(out, 0x12345);
    EXPECT_EQ(out[0], 0x23);
    EXPECT_EQ(out[1], 0x45);
    StoreFolded16(out, 512);
    EXPECT_EQ(out[0], 0x02);
    EXPECT_EQ(out[1], 0x00);
    StoreFolded16(out, 0xF0000F00);
    EXPECT_EQ(out[0], 0xFF);
    EXPECT_EQ(out[1], 0x00);
}

} // namespace
