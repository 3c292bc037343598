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
    const std::vector<uint8_t> files[] = {Make(5, 4, 1), Make(5, 4, 8), Make(5, 4, 24), Make(5, 4, 32, true),
                                          MakeCore(5, 4, 8), MakeCore(5, 4, 24),
                                          MakeRle(5, 2, 8, {5, 1, 0, 0, 0, 3, 1, 2, 3, 0, 0, 0, 0, 1})};
    for (const std::vector<uint8_t> &b : files) {
        BitmapLayout layout{};
        ASSERT_TRUE(Check(b, b.size(), layout));
        for (size_t size = 0; size < b.size(); ++size)
            ASSERT_FALSE(Check(b, size, layout)) << layout.bitCount << " bits cut to " << size;
    }
}

// Run-length streams of a 5 x 2 picture (rows of 8 pixels with their padding), and of 7 x 2 at
// 4 bits (8 pixels too).
struct RleCase {
    const char *what;
    uint16_t bits;
    std::vector<uint8_t> stream;
};

std::vector<uint8_t> RleFile(const RleCase &c)
{
    return MakeRle(c.bits == 8 ? 5 : 7, 2, c.bits, c.stream);
}

TEST(BitmapCheck, RunLengthStreamsThatStayInsideAreAccepted)
{
    const RleCase cases[] = {
        {"runs, an end of line after each row", 8, {5, 1, 0, 0, 2, 7, 3, 9, 0, 0, 0, 1}},
        {"runs into the row padding", 8, {5, 1, 3, 0, 0, 0, 8, 2, 0, 0, 0, 1}},
        {"no end of line after the last row", 8, {5, 1, 0, 0, 5, 2, 0, 1}},
        {"odd literal run with its padding", 8, {0, 3, 1, 2, 3, 0, 2, 4, 0, 0, 0, 5, 1, 2, 3, 4, 5, 0, 0, 1}},
        {"deltas to the row end, along a row and onto the top edge", 8,
         {0, 2, 5, 0, 0, 0, 0, 2, 2, 0, 2, 3, 0, 2, 0, 1, 0, 1}},
        {"a delta over a row", 8, {1, 1, 0, 2, 4, 1, 1, 4, 0, 1}},
        {"the end marker before the picture is whole", 8, {2, 1, 0, 1}},
        {"bytes after the end marker", 8, {5, 1, 0, 1, 0xFF, 0xFF, 0xFF}},
        {"4 bits: runs of two colours into the padding", 4, {7, 0x12, 1, 0, 0, 0, 8, 0x34, 0, 1}},
        {"4 bits: odd literal runs padded to whole words", 4, {0, 5, 0x12, 0x34, 0x50, 0, 0, 3, 0x67, 0x80, 0, 0, 0, 1}},
    };
    for (const RleCase &c : cases) {
        const std::vector<uint8_t> b = RleFile(c);
        BitmapLayout layout{};
        ASSERT_TRUE(Check(b, b.size(), layout)) << c.what;
        EXPECT_EQ(layout.bitsOffset, PixelOffset(c.bits)) << c.what;
        EXPECT_EQ(layout.bitsSize, c.stream.size()) << c.what;
        EXPECT_EQ(layout.height, 2) << c.what;
        EXPECT_FALSE(layout.topDown) << c.what;
    }
}

TEST(BitmapCheck, RunLengthStreamsThatLeaveTheImageOrTheFileAreRefused)
{
    const RleCase cases[] = {
        {"a run past the padded row end", 8, {9, 1, 0, 1}},
        {"a run past the row end after another", 8, {5, 1, 4, 1, 0, 1}},
        {"a literal run past the row end", 8, {4, 1, 0, 5, 1, 2, 3, 4, 5, 0, 0, 1}},
        {"4 bits: a run past the padded row end", 4, {9, 0x11, 0, 1}},
        {"a delta past the right edge", 8, {0, 2, 9, 0, 0, 1}},
        {"a delta past the right edge from within the row", 8, {5, 1, 0, 2, 4, 0, 0, 1}},
        {"a delta past the top", 8, {0, 2, 0, 3, 0, 1}},
        {"a run above the last row", 8, {0, 0, 0, 0, 1, 1, 0, 1}},
        {"an end of line above the last row", 8, {0, 0, 0, 0, 0, 0, 0, 1}},
        {"a run after a delta to the top edge", 8, {0, 2, 0, 2, 1, 1, 0, 1}},
        {"a literal run past the end of the stream", 8, {0, 5, 1, 2, 3}},
        {"a literal run without its padding", 8, {0, 3, 1, 2, 3}},
        {"no end marker", 8, {5, 1, 0, 0, 5, 1, 0, 0}},
        {"half an end marker", 8, {5, 1, 0}},
        {"a delta cut short", 8, {0, 2, 1}},
        {"an empty stream", 8, {}},
    };
    for (const RleCase &c : cases)
        EXPECT_FALSE(Check(RleFile(c))) << c.what;

    const std::vector<uint8_t> good = MakeRle(5, 2, 8, {5, 1, 0, 0, 5, 1, 0, 0, 0, 1});
    ASSERT_TRUE(Check(good));
    auto with = [&](size_t at, uint32_t value) {
        std::vector<uint8_t> b = good;
        if (at == bitCountOffset)
            Put16(b, at, static_cast<uint16_t>(value));
        else
            Put32(b, at, value);
        return b;
    };
    const struct {
        const char *what;
        std::vector<uint8_t> file;
    } headers[] = {
        {"the end marker outside the stated stream size", with(sizeImageOffset, 8)},
        {"no stated stream size", with(sizeImageOffset, 0)},
        {"a stream size past the file end", with(sizeImageOffset, 11)},
        {"a stream size far past it", with(sizeImageOffset, 0xFFFFFFFF)},
        {"top-down", with(heightOffset, static_cast<uint32_t>(-2))},
        {"RLE8 on 4 bits", with(bitCountOffset, 4)},
        {"RLE4 on 8 bits", with(compressionOffset, 2)},
        {"RLE8 on 24 bits", with(bitCountOffset, 24)},
        {"a picture of more than 2 GB", with(heightOffset, 0x20000000)},
    };
    for (const auto &h : headers)
        EXPECT_FALSE(Check(h.file)) << h.what;
}

TEST(BitmapCheck, CoreHeaderFilesAreAcceptedWithTheirThreeByteTables)
{
    for (uint16_t bits : {1, 4, 8, 24}) {
        const std::vector<uint8_t> b = MakeCore(7, 5, bits);
        BitmapLayout layout{};
        ASSERT_TRUE(Check(b, b.size(), layout)) << bits;
        EXPECT_EQ(layout.width, 7);
        EXPECT_EQ(layout.height, 5);
        EXPECT_EQ(layout.bitCount, bits);
        EXPECT_EQ(layout.bitsOffset, 14 + 12 + 3 * TableEntries(bits));
        EXPECT_EQ(layout.bitsSize, Stride(7, bits) * 5);
    }
    std::vector<uint8_t> b = MakeCore(4, 4, 8);
    b.resize(14 + 12 + 3 * 200); // a table cut short
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 10, 14 + 12);
    EXPECT_FALSE(Check(b));
    const struct {
        const char *what;
        size_t at;
        uint16_t value;
    } refused[] = {{"16 bits", 24, 16}, {"32 bits", 24, 32}, {"two planes", 22, 2}, {"no width", 18, 0},
                   {"no height", 20, 0}};
    for (const auto &r : refused) {
        b = MakeCore(4, 4, 24);
        Put16(b, r.at, r.value);
        EXPECT_FALSE(Check(b)) << r.what;
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
    Put32(b, compressionOffset, 1); // run-length encoded, with no stream size stated
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
    Put32(b, 14, 16); // a header size between the core header's and the information header's
    EXPECT_FALSE(Check(b));
    BitmapLayout layout{};
    EXPECT_FALSE(CheckBitmapLayout(nullptr, 0, layout));
}

} // namespace
