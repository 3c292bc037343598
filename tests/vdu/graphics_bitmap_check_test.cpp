// The check that a loaded bitmap file can be drawn without reading outside it: drawable formats
// pass, and every malformed file is refused. Runs natively under the address sanitizer too,
// where each candidate sits in a heap block of exactly its own size.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <vector>

#include "files/bitmap_layout.h"
#include "graphics_bitmap_builder.h"

namespace {

using namespace bitmap_builder;

// The check on an exact-size copy, so that any read past the end is a sanitizer finding.
bool Check(const std::vector<uint8_t> &file, size_t size, BitmapLayout &layout)
{
    std::unique_ptr<uint8_t[]> copy(new uint8_t[size ? size : 1]);
    std::memcpy(copy.get(), file.data(), std::min(size, file.size()));
    return CheckBitmapLayout(copy.get(), size, layout);
}

bool Check(const std::vector<uint8_t> &file)
{
    BitmapLayout layout{};
    return Check(file, file.size(), layout);
}

TEST(BitmapCheck, AcceptsEveryDrawableFormatBothWaysUp)
{
    for (uint16_t bits : {1, 4, 8, 16, 24, 32})
        for (int32_t height : {5, -5}) {
            const std::vector<uint8_t> b = Make(7, height, bits);
            BitmapLayout layout{};
            ASSERT_TRUE(Check(b, b.size(), layout)) << bits << " bits, height " << height;
            EXPECT_EQ(layout.width, 7);
            EXPECT_EQ(layout.height, 5);
            EXPECT_EQ(layout.bitCount, bits);
            EXPECT_EQ(layout.infoOffset, 14u);
            EXPECT_EQ(layout.bitsOffset, PixelOffset(bits));
        }
    for (uint16_t bits : {16, 32})
        EXPECT_TRUE(Check(Make(3, 3, bits, true))) << bits << " bits with masks";
}

TEST(BitmapCheck, EveryTruncationIsRefused)
{
    for (uint16_t bits : {1, 8, 24})
        for (bool masks : {false, true}) {
            if (masks && bits != 24)
                continue;
            const std::vector<uint8_t> b = masks ? Make(5, 4, 32, true) : Make(5, 4, bits);
            BitmapLayout layout{};
            for (size_t size = 0; size < b.size(); ++size)
                ASSERT_FALSE(Check(b, size, layout)) << bits << " bits cut to " << size;
        }
}

TEST(BitmapCheck, RefusesPixelsOutsideTheFile)
{
    std::vector<uint8_t> b = Make(8, 8, 24);
    Put32(b, 10, static_cast<uint32_t>(b.size())); // pixel offset at the end
    EXPECT_FALSE(Check(b));
    Put32(b, 10, 0xFFFFFFF0); // far past it
    EXPECT_FALSE(Check(b));

    b = Make(8, 8, 24);
    Put32(b, heightOffset, 9); // one row more than the file holds
    EXPECT_FALSE(Check(b));
    Put32(b, heightOffset, static_cast<uint32_t>(-9));
    EXPECT_FALSE(Check(b));
    Put32(b, heightOffset, 0x80000000); // the most negative height
    EXPECT_FALSE(Check(b));
    Put32(b, heightOffset, 0x7FFFFFFF);
    EXPECT_FALSE(Check(b));

    b = Make(8, 8, 24);
    Put32(b, widthOffset, 0x40000000); // rows whose size overflows 32 bits
    EXPECT_FALSE(Check(b));
    Put32(b, widthOffset, 0x7FFFFFFF);
    EXPECT_FALSE(Check(b));
    b = Make(8, 8, 32);
    Put32(b, widthOffset, 0x08000001); // stride x height wraps to a small 32-bit number
    Put32(b, heightOffset, 32);
    EXPECT_FALSE(Check(b));
}

TEST(BitmapCheck, RefusesHeadersAndColourTablesOutsideTheFile)
{
    std::vector<uint8_t> b = Make(8, 8, 24);
    Put32(b, 14, 0x7FFFFFF0); // header size
    EXPECT_FALSE(Check(b));
    Put32(b, 14, 0xFFFFFFFF);
    EXPECT_FALSE(Check(b));

    b = Make(8, 8, 8);
    Put32(b, coloursUsedOffset, 257); // more colours than 8 bits index
    EXPECT_FALSE(Check(b));
    b = Make(2, 2, 24);
    Put32(b, coloursUsedOffset, 0x40000000); // a table that overruns the file
    EXPECT_FALSE(Check(b));
    Put32(b, coloursUsedOffset, 0xFFFFFFFF);
    EXPECT_FALSE(Check(b));

    // An 8-bit file of 16 colours that does not say so: the full table of 256 runs past its end.
    b = Make(4, 1, 8);
    b.resize(14 + 40 + 4 * 16);
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 10, 14 + 40);
    EXPECT_FALSE(Check(b));
    Put32(b, coloursUsedOffset, 16); // with the table it names, it is whole
    EXPECT_TRUE(Check(b));

    // Masks are read right after a short header: a file ending before them is refused.
    b = Make(2, 2, 16, true);
    b.erase(b.begin() + 54, b.begin() + 66);
    Put32(b, 10, 54);
    b.resize(54 + 8);
    EXPECT_FALSE(Check(b));
    // ... and from within a header of 44 bytes too, where they run past its end.
    b = Make(1, 1, 32);
    Put32(b, 14, 44);
    Put32(b, compressionOffset, 3);
    b.resize(14 + 44 + 4);
    Put32(b, 10, 14 + 44);
    EXPECT_FALSE(Check(b));
}

TEST(BitmapCheck, RefusesFormatsItCannotDrawAsTheyStand)
{
    std::vector<uint8_t> b = Make(8, 8, 8);
    Put32(b, compressionOffset, 1); // run-length encoded
    EXPECT_FALSE(Check(b));
    b = Make(8, 8, 24, false);
    Put32(b, compressionOffset, 3); // masks on 24 bits
    EXPECT_FALSE(Check(b));
    b = Make(8, 8, 32);
    Put32(b, compressionOffset, 6);
    EXPECT_FALSE(Check(b));
    for (uint16_t bits : {0, 2, 12, 48, 0xFFFF}) {
        b = Make(8, 8, 24);
        Put16(b, bitCountOffset, bits);
        EXPECT_FALSE(Check(b)) << bits;
    }
    b = Make(8, 8, 24);
    Put16(b, planesOffset, 2);
    EXPECT_FALSE(Check(b));
    for (int32_t width : {0, -8, INT_MIN}) {
        b = Make(8, 8, 24);
        Put32(b, widthOffset, static_cast<uint32_t>(width));
        EXPECT_FALSE(Check(b)) << width;
    }
    b = Make(8, 8, 24);
    Put32(b, heightOffset, 0);
    EXPECT_FALSE(Check(b));
    b = Make(8, 8, 24);
    Put32(b, 14, 12); // the old short header
    EXPECT_FALSE(Check(b));
    BitmapLayout layout{};
    EXPECT_FALSE(CheckBitmapLayout(nullptr, 0, layout));
}

} // namespace
