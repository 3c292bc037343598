#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "../vdu/graphics_bitmap_builder.h"
#include "host/host_api.h"

namespace {

using bitmap_builder::Put32;

std::vector<uint8_t> MakeBitmap(int32_t width, int32_t height, uint16_t bits)
{
    return bitmap_builder::Make(width, height, bits, false, 0x5A);
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

} // namespace
