// Bitmap files through 'L', 'R' and 'Z' on a real screen: placement, scaling, the white ground,
// both row orders, malformed files, and the host's own copies of the file and device bitmap.
#include "graphics_bitmap_builder.h"
#include "graphics_test_support.h"

#include <string>

namespace {

using namespace bitmap_builder;

constexpr COLORREF white = 0xFFFFFF;
constexpr Geometry screen{};

// Pixel (x, y) of the test picture, counted from its top-left corner, as 0x00RRGGBB.
uint32_t PictureRgb(int32_t x, int32_t y)
{
    return (static_cast<uint32_t>(x * 2) << 16) | (static_cast<uint32_t>(y * 5) << 8) | 0x40;
}

COLORREF PictureColour(int32_t x, int32_t y)
{
    const uint32_t rgb = PictureRgb(x, y);
    return RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// The 100 x 50 test picture, stored bottom-up or top-down.
std::vector<uint8_t> Picture(bool topDown)
{
    std::vector<uint8_t> b = Make(100, topDown ? -50 : 50, 24);
    for (int32_t y = 0; y < 50; ++y)
        for (int32_t x = 0; x < 100; ++x)
            SetPixel24(b, x, y, PictureRgb(x, y));
    return b;
}

// Places the bitmap at [left, right) x [top, bottom) and draws it.
int8_t Draw(VduClient &vdu, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t offsetX = 0,
            int32_t offsetY = 0, int32_t scaleX = 100, int32_t scaleY = 100)
{
    EXPECT_EQ(Graphics(vdu, '@', left, top, right, bottom), 0);
    EXPECT_EQ(Graphics(vdu, 'R'), 0);
    return Graphics(vdu, 'Z', offsetX, offsetY, scaleX, scaleY);
}

TEST(GraphicsBitmap, APictureNarrowerThanItsPlaceLeavesTheRestWhite)
{
    RunClient([](HostContext *context) {
        WriteBytes("picture.bmp", Picture(false));
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(screen), 0);
        vdu.Write(20, 1, "over");
        const Image before = vdu.Capture(false);
        ASSERT_EQ(Load(vdu, "picture.bmp"), 0);
        EXPECT_EQ(vdu.block->bitmapMarker, 0xAABBCCDDu);
        EXPECT_TRUE(vdu.Capture(false) == before) << "loading draws nothing";

        ASSERT_EQ(Draw(vdu, 300, 100, 100, 150), 0); // 200 x 50, corners given the other way
        const Image back = vdu.Capture(false);
        for (int32_t y = 0; y < 50; ++y)
            for (int32_t x = 0; x < 100; ++x)
                ASSERT_EQ(back.At(100 + x, 100 + y), PictureColour(x, y)) << x << ", " << y;
        EXPECT_TRUE(AllOf(back, 200, 100, 300, 150, white));
        EXPECT_EQ(back.At(99, 100), before.At(99, 100));
        EXPECT_EQ(back.At(300, 120), before.At(300, 120));
        EXPECT_EQ(back.At(150, 150), before.At(150, 150));

        // The text over the picture comes back in the front image.
        const Image front = vdu.Capture();
        const POINT o = vdu.Origin(20, 1);
        EXPECT_TRUE(Region(front, 100, 100, o.x, 150) == Region(back, 100, 100, o.x, 150));
        EXPECT_FALSE(Region(front, o.x, o.y, o.x + 32, o.y + 16) == Region(back, o.x, o.y, o.x + 32, o.y + 16));
    });
}

TEST(GraphicsBitmap, BothRowOrdersDrawTheSamePicture)
{
    RunClient([](HostContext *context) {
        WriteBytes("bottom_up.bmp", Picture(false));
        WriteBytes("top_down.bmp", Picture(true));
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(screen), 0);
        const struct {
            int32_t width, height, offsetX, offsetY, scaleX, scaleY;
        } draws[] = {{100, 50, 0, 0, 100, 100}, {40, 20, 10, 6, 100, 100}, {120, 90, 25, 10, 250, 250},
                     {70, 30, 3, 12, 37, 61}, {200, 60, 7, 0, 300, 100}, {50, 50, 0, 49, 100, 100}};
        for (const auto &d : draws) {
            std::vector<COLORREF> drawn[2];
            for (int order = 0; order < 2; ++order) {
                ASSERT_EQ(Load(vdu, order ? "top_down.bmp" : "bottom_up.bmp"), 0);
                ASSERT_EQ(Draw(vdu, 20, 30, 20 + d.width, 30 + d.height, d.offsetX, d.offsetY, d.scaleX, d.scaleY), 0);
                drawn[order] = Region(vdu.Capture(false), 20, 30, 20 + d.width, 30 + d.height);
            }
            EXPECT_TRUE(drawn[0] == drawn[1]) << d.width << " x " << d.height << " from (" << d.offsetX << ", "
                                              << d.offsetY << ") at " << d.scaleX << " %";
            EXPECT_NE(drawn[0].front(), white);
        }
    });
}

TEST(GraphicsBitmap, ScalesAreLimitedToOneAndOneThousandPercent)
{
    RunClient([](HostContext *context) {
        WriteBytes("picture.bmp", Picture(false));
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(screen), 0);
        ASSERT_EQ(Load(vdu, "picture.bmp"), 0);
        auto drawn = [&](int32_t scale) {
            Draw(vdu, 100, 100, 300, 150, 0, 0, scale, scale);
            return Region(vdu.Capture(false), 100, 100, 300, 150);
        };
        // At 1 % the picture is 1 x 0 pixels: nothing but the white ground.
        const std::vector<COLORREF> one = drawn(1);
        EXPECT_TRUE(AllOf(vdu.Capture(false), 100, 100, 300, 150, white));
        EXPECT_TRUE(drawn(0) == one);
        EXPECT_TRUE(drawn(-7) == one);
        EXPECT_FALSE(drawn(4) == one);

        // At 1000 % each source pixel is 10 x 10; 20 x 5 source pixels fill the place. Source
        // rows count from the bottom of a bottom-up picture: the bottom five rows are drawn.
        const std::vector<COLORREF> thousand = drawn(1000);
        EXPECT_TRUE(drawn(5000) == thousand);
        const Image back = vdu.Capture(false);
        EXPECT_EQ(back.At(100, 100), PictureColour(0, 45));
        EXPECT_EQ(back.At(109, 109), PictureColour(0, 45));
        EXPECT_EQ(back.At(110, 100), PictureColour(1, 45));
        EXPECT_EQ(back.At(299, 149), PictureColour(19, 49));
    });
}

TEST(GraphicsBitmap, EveryDrawableDepthLoadsAndDraws)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(screen), 0);
        const struct {
            uint16_t bits;
            bool masks;
            uint8_t fill;
            COLORREF colour;
        } depths[] = {{1, false, 0x00, RGB(0, 0, 0)}, {4, false, 0x77, RGB(119, 119, 119)},
                      {8, false, 0x80, RGB(128, 128, 128)}, {32, true, 0x5A, RGB(0x5A, 0x5A, 0x5A)},
                      {32, false, 0x33, RGB(0x33, 0x33, 0x33)}, {16, true, 0x00, RGB(0, 0, 0)}};
        for (const auto &d : depths) {
            WriteBytes("depth.bmp", Make(9, 7, d.bits, d.masks, d.fill));
            ASSERT_EQ(Load(vdu, "depth.bmp"), 0) << d.bits;
            ASSERT_EQ(Draw(vdu, 40, 40, 60, 50), 0) << d.bits;
            const Image back = vdu.Capture(false);
            EXPECT_TRUE(AllOf(back, 40, 40, 49, 47, d.colour)) << d.bits << ": " << std::hex << back.At(40, 40);
            EXPECT_TRUE(AllOf(back, 49, 40, 60, 50, white)) << d.bits;
        }
    });
}

TEST(GraphicsBitmap, NothingLoadedOrAnUnreadableFileIsStatusEleven)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(screen), 0);
        Graphics(vdu, '@', 10, 10, 50, 50);
        Graphics(vdu, 'R');
        const Image before = vdu.Capture(false);
        EXPECT_EQ(Graphics(vdu, 'Z', 0, 0, 100, 100), 11);
        EXPECT_TRUE(vdu.Capture(false) == before) << "no white ground either";

        WriteBytes("picture.bmp", Picture(false));
        ASSERT_EQ(Load(vdu, "picture.bmp"), 0);
        const HBITMAP first = vdu.block->bitmapHandle;
        EXPECT_EQ(GetObjectType(first), static_cast<DWORD>(OBJ_BITMAP));

        std::vector<uint8_t> wrongSize = Picture(false);
        Put32(wrongSize, 2, static_cast<uint32_t>(wrongSize.size() + 1));
        WriteBytes("wrong_size.bmp", wrongSize);
        EXPECT_EQ(Load(vdu, "wrong_size.bmp"), 11);
        EXPECT_EQ(vdu.block->bitmapFile, nullptr);
        EXPECT_EQ(vdu.block->bitmapHandle, nullptr);
        EXPECT_EQ(GetObjectType(first), 0u) << "the earlier device bitmap is released with its file";
        EXPECT_EQ(Graphics(vdu, 'z', 0, 0, 100, 100), 11);
        EXPECT_EQ(Load(vdu, "missing.bmp"), 11);

        // A path that fills the whole space has no end.
        std::memset(vdu.block->bitmapPath, 'a', sizeof vdu.block->bitmapPath);
        EXPECT_EQ(Graphics(vdu, 'l'), 11);
        EXPECT_TRUE(vdu.Capture(false) == before);
    });
}

TEST(GraphicsBitmap, MalformedBitmapsAreRefused)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(screen), 0);
        const Image before = vdu.Capture(false);
        const std::vector<uint8_t> good = Make(16, 16, 24, false, 0x10);
        auto with = [&](size_t at, uint32_t value, bool is16 = false) {
            std::vector<uint8_t> b = good;
            if (is16)
                Put16(b, at, static_cast<uint16_t>(value));
            else
                Put32(b, at, value);
            return b;
        };
        std::vector<uint8_t> table = Make(16, 16, 8);
        table.resize(14 + 40 + 100); // the colour table runs past the end
        Put32(table, 10, 14 + 40);
        const struct {
            const char *what;
            std::vector<uint8_t> file;
        } cases[] = {
            {"pixel offset past the end", with(10, static_cast<uint32_t>(good.size()))},
            {"pixel offset far past the end", with(10, 0xFFFFFF00)},
            {"more rows than the file holds", with(heightOffset, 17)},
            {"huge width", with(widthOffset, 0x7FFFFFFF)},
            {"negative width", with(widthOffset, static_cast<uint32_t>(-16))},
            {"the most negative height", with(heightOffset, 0x80000000)},
            {"huge header size", with(14, 0xFFFFFF00)},
            {"colour table overrun by its count", with(coloursUsedOffset, 0x40000000)},
            {"colour table overrun by the file end", table},
            {"run-length encoding on 24 bits", with(compressionOffset, 1)},
            {"a run past the row end", MakeRle(16, 16, 8, {200, 1, 0, 1})},
            {"a delta past the image", MakeRle(16, 16, 8, {0, 2, 0, 200, 5, 1, 0, 1})},
            {"a literal run past the file end", MakeRle(16, 16, 8, {0, 200, 1, 2, 3})},
            {"no end marker", MakeRle(16, 16, 8, {16, 1, 0, 0, 16, 2, 0, 0})},
            {"a top-down run-length file", MakeRle(16, -16, 8, {16, 1, 0, 0, 0, 1})},
            {"two bits per pixel", with(bitCountOffset, 2, true)},
            {"two planes", with(planesOffset, 2, true)},
            {"only the file header", std::vector<uint8_t>(good.begin(), good.begin() + 14)},
        };
        for (const auto &c : cases) {
            std::vector<uint8_t> file = c.file;
            Put32(file, 2, static_cast<uint32_t>(file.size())); // the loader's own check passes
            WriteBytes("bad.bmp", file);
            EXPECT_EQ(Load(vdu, "bad.bmp"), 11) << c.what;
            EXPECT_EQ(vdu.block->bitmapFile, nullptr) << c.what;
            EXPECT_EQ(Draw(vdu, 10, 10, 60, 60), 11) << c.what;
        }
        EXPECT_TRUE(vdu.Capture(false) == before);
    });
}

TEST(GraphicsBitmap, TheHostDrawsFromItsOwnCopiesAndReleasesThem)
{
    RunClient([](HostContext *context) {
        WriteBytes("picture.bmp", Picture(false));
        WriteBytes("other.bmp", Picture(true));
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(screen), 0);
        ASSERT_EQ(Load(vdu, "picture.bmp"), 0);
        const HBITMAP first = vdu.block->bitmapHandle;
        ASSERT_EQ(Load(vdu, "other.bmp"), 0);
        const HBITMAP second = vdu.block->bitmapHandle;
        EXPECT_EQ(GetObjectType(first), 0u) << "replaced";
        EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_BITMAP));
        ASSERT_NE(vdu.block->bitmapFile, nullptr);
        uint8_t *const image = vdu.block->bitmapFile;

        // The client's copies of the pointers mean nothing to the host.
        vdu.block->bitmapFile = reinterpret_cast<uint8_t *>(16);
        vdu.block->bitmapHandle = reinterpret_cast<HBITMAP>(0x1234);
        int32_t *placed = vdu.block->bitmapRect;
        ASSERT_EQ(Draw(vdu, 100, 100, 200, 150), 0);
        const Image back = vdu.Capture(false);
        EXPECT_EQ(back.At(100, 100), PictureColour(0, 0));
        EXPECT_EQ(back.At(199, 149), PictureColour(99, 49));

        // Nor does a rewritten placement reach outside the image.
        placed[0] = INT32_MIN;
        placed[1] = INT32_MIN;
        placed[2] = INT32_MAX;
        placed[3] = INT32_MAX;
        EXPECT_EQ(Graphics(vdu, 'Z', INT32_MAX, INT32_MIN, 100, 100), 0);

        // The file image itself lies in memory the client can reach: a size field rewritten
        // there does not let the pixel rows run past the end of the image the host read.
        uint32_t size = 0, bitsOffset = 0;
        std::memcpy(&size, image + 2, 4);
        std::memcpy(&bitsOffset, image + 10, 4);
        const uint32_t grown = size + (1u << 20), lastRow = size - 300;
        std::memcpy(image + 2, &grown, 4);
        std::memcpy(image + 10, &lastRow, 4);
        EXPECT_EQ(Draw(vdu, 100, 100, 200, 150), 11);
        std::memcpy(image + 2, &size, 4);
        std::memcpy(image + 10, &bitsOffset, 4);
        EXPECT_EQ(Draw(vdu, 100, 100, 200, 150), 0) << "the image as read draws again";

        EXPECT_EQ(vdu.Close(), 0);
        EXPECT_EQ(GetObjectType(second), 0u) << "closed";
        EXPECT_EQ(vdu.block->bitmapFile, nullptr);
    });
}

} // namespace
