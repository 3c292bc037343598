#include <gtest/gtest.h>

#include "host/palette_entries.h"

namespace {

constexpr uint32_t hostColours[8] = {0xEEEEEE, 0xFFFFFF, 0x000000, 0xCCCCCC,
                                     0x000000, 0xFF0000, 0xFF0000, 0x000000};

void ExpectEntry(const PaletteEntry &e, int r, int g, int b, int index)
{
    EXPECT_EQ(e.red, r) << "entry " << index;
    EXPECT_EQ(e.green, g) << "entry " << index;
    EXPECT_EQ(e.blue, b) << "entry " << index;
    EXPECT_EQ(e.flags, 0) << "entry " << index;
}

TEST(Palette, GreyRampWithDefaultColoursInOneToSeven)
{
    PaletteEntry e[paletteEntryCount];
    BuildPaletteEntries(hostColours, e);
    ExpectEntry(e[0], 0, 0, 0, 0);
    ExpectEntry(e[1], 0xEE, 0xEE, 0xEE, 1);
    ExpectEntry(e[2], 255, 255, 255, 2);
    ExpectEntry(e[3], 0, 0, 0, 3);
    ExpectEntry(e[4], 0xCC, 0xCC, 0xCC, 4);
    ExpectEntry(e[5], 0, 0, 0, 5);
    ExpectEntry(e[6], 0, 0, 0xFF, 6); // 0xFF0000 is blue in COLORREF order
    ExpectEntry(e[7], 0, 0, 0xFF, 7);
    ExpectEntry(e[8], 64, 64, 64, 8);
    ExpectEntry(e[31], 248, 248, 248, 31);
    for (int i = 32; i < paletteEntryCount; ++i)
        ExpectEntry(e[i], 255, 255, 255, i);
    EXPECT_EQ(paletteBytes, 264);
}

TEST(Palette, ColourChannelsComeFromTheRightBits)
{
    const uint32_t colours[8] = {0x123456, 0, 0, 0, 0, 0, 0, 0xABCDEF};
    PaletteEntry e[paletteEntryCount];
    BuildPaletteEntries(colours, e);
    ExpectEntry(e[1], 0x56, 0x34, 0x12, 1);
    ExpectEntry(e[7], 0, 0, 0, 7); // colour 7 is not in the palette
}

} // namespace
