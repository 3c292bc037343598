#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "files/bitmap_layout.h"
#include "host/host_api.h"

namespace {

void Put32(std::vector<uint8_t> &b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

void Put16(std::vector<uint8_t> &b, size_t at, uint16_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

// A well-formed bitmap file of the given size and depth.
std::vector<uint8_t> MakeBitmap(int32_t width, int32_t height, uint16_t bits)
{
    const size_t table = bits <= 8 ? 4u << bits : 0;
    const size_t stride = ((size_t(width) * bits + 31) / 32) * 4;
    const size_t offset = 14 + 40 + table;
    std::vector<uint8_t> b(offset + stride * size_t(height < 0 ? -height : height), 0x5A);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 6, 0);
    Put32(b, 10, static_cast<uint32_t>(offset));
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<uint32_t>(width));
    Put32(b, 22, static_cast<uint32_t>(height));
    Put16(b, 26, 1);
    Put16(b, 28, bits);
    Put32(b, 30, 0);
    Put32(b, 34, 0);
    Put32(b, 46, 0);
    return b;
}

void WriteFile(const char *name, const std::vector<uint8_t> &bytes)
{
    const HANDLE f = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    if (!bytes.empty())
        ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    ASSERT_EQ(written, bytes.size());
}

TEST(LoadBitmapFile, ReturnsAValidFileWhole)
{
    std::vector<uint8_t> bytes = MakeBitmap(5, 3, 24);
    bytes.push_back(0xAB); // whatever follows the pixels
    Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    WriteFile("whole.bmp", bytes);
    uint8_t *image = LoadBitmapFile("whole.bmp");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(std::memcmp(image, bytes.data(), bytes.size()), 0);
    std::free(image);

    // Only "BM" and the size field are checked.
    std::vector<uint8_t> tiny = {'B', 'M', 6, 0, 0, 0};
    WriteFile("tiny.bmp", tiny);
    image = LoadBitmapFile("tiny.bmp");
    EXPECT_NE(image, nullptr);
    std::free(image);
}

TEST(LoadBitmapFile, RejectsWhatIsNoWholeBitmapFile)
{
    std::vector<uint8_t> bytes = MakeBitmap(4, 4, 24);
    Put32(bytes, 2, static_cast<uint32_t>(bytes.size() - 1));
    WriteFile("short_field.bmp", bytes);
    EXPECT_EQ(LoadBitmapFile("short_field.bmp"), nullptr);

    Put32(bytes, 2, static_cast<uint32_t>(bytes.size() + 1));
    WriteFile("long_field.bmp", bytes);
    EXPECT_EQ(LoadBitmapFile("long_field.bmp"), nullptr);

    WriteFile("three.bmp", {'B', 'M', 3});
    EXPECT_EQ(LoadBitmapFile("three.bmp"), nullptr);
    WriteFile("empty.bmp", {});
    EXPECT_EQ(LoadBitmapFile("empty.bmp"), nullptr);
    WriteFile("not.bmp", {'M', 'B', 6, 0, 0, 0});
    EXPECT_EQ(LoadBitmapFile("not.bmp"), nullptr);
    EXPECT_EQ(LoadBitmapFile("missing.bmp"), nullptr);
    EXPECT_EQ(LoadBitmapFile(nullptr), nullptr);
}

TEST(LoadBitmapFile, ClosesTheFileOnEveryPath)
{
    WriteFile("closed.bmp", {'B', 'M', 9});
    EXPECT_EQ(LoadBitmapFile("closed.bmp"), nullptr);
    EXPECT_TRUE(DeleteFileA("closed.bmp")) << "still open";
    WriteFile("closed2.bmp", MakeBitmap(2, 2, 8));
    std::free(LoadBitmapFile("closed2.bmp"));
    EXPECT_TRUE(DeleteFileA("closed2.bmp")) << "still open";
}

TEST(BitmapLayout, AcceptsDrawableFormats)
{
    for (uint16_t bits : {1, 4, 8, 16, 24, 32}) {
        const std::vector<uint8_t> b = MakeBitmap(7, -5, bits);
        BitmapLayout layout{};
        ASSERT_TRUE(CheckBitmapLayout(b.data(), b.size(), layout)) << bits;
        EXPECT_EQ(layout.width, 7);
        EXPECT_EQ(layout.height, 5);
        EXPECT_EQ(layout.infoOffset, 14u);
        EXPECT_EQ(layout.bitsOffset, 14u + 40 + (bits <= 8 ? 4u << bits : 0));
    }
}

TEST(BitmapLayout, RejectsHeadersTablesAndPixelsPastTheEnd)
{
    BitmapLayout layout{};
    std::vector<uint8_t> b = MakeBitmap(8, 8, 24);
    b.pop_back(); // one pixel byte short
    EXPECT_FALSE(CheckBitmapLayout(b.data(), b.size(), layout));

    b = MakeBitmap(8, 8, 8);
    Put32(b, 46, 257); // more colours than 8 bits can index
    EXPECT_FALSE(CheckBitmapLayout(b.data(), b.size(), layout));
    b = MakeBitmap(8, 8, 8);
    EXPECT_FALSE(CheckBitmapLayout(b.data(), 14 + 40 + 100, layout)); // table cut off

    b = MakeBitmap(8, 8, 24);
    Put32(b, 14, 0x7FFFFFF0); // header size beyond the file
    EXPECT_FALSE(CheckBitmapLayout(b.data(), b.size(), layout));
    b = MakeBitmap(8, 8, 24);
    Put32(b, 10, 0xFFFFFFF0); // pixel offset beyond the file
    EXPECT_FALSE(CheckBitmapLayout(b.data(), b.size(), layout));
    b = MakeBitmap(8, 8, 24);
    Put32(b, 18, 0x40000000); // width whose rows overflow 32 bits
    EXPECT_FALSE(CheckBitmapLayout(b.data(), b.size(), layout));
    b = MakeBitmap(8, 8, 24);
    Put32(b, 22, 0x80000000); // the most negative height
    EXPECT_FALSE(CheckBitmapLayout(b.data(), b.size(), layout));

    EXPECT_FALSE(CheckBitmapLayout(b.data(), 20, layout));
    EXPECT_FALSE(CheckBitmapLayout(nullptr, 0, layout));
}

TEST(BitmapLayout, RejectsFormatsItCannotDrawAsTheyStand)
{
    BitmapLayout layout{};
    std::vector<uint8_t> b = MakeBitmap(8, 8, 8);
    Put32(b, 30, 1); // run-length encoded
    EXPECT_FALSE(CheckBitmapLayout(b.data(), b.size(), layout));
    b = MakeBitmap(8, 8, 24);
    Put16(b, 28, 12);
    EXPECT_FALSE(CheckBitmapLayout(b.data(), b.size(), layout));
    b = MakeBitmap(8, 8, 24);
    Put16(b, 26, 2); // planes
    EXPECT_FALSE(CheckBitmapLayout(b.data(), b.size(), layout));
    b = MakeBitmap(8, 8, 24);
    Put32(b, 18, 0);
    EXPECT_FALSE(CheckBitmapLayout(b.data(), b.size(), layout));
}

} // namespace
