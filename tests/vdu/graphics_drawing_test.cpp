// Rectangles, lines, fills and colours of the graphics operation on a real screen: what lands
// in the back image, and the front image rebuilt with the text over it.
#include "graphics_test_support.h"

namespace {

constexpr COLORREF black = 0, eraseColour = 0xEEEEEE;

// 80 x 24 cells of 8 x 16, margins 12, 104, 4, 8: a 656 x 496 image.
constexpr Geometry screen{};
constexpr int32_t imageWidth = 656, imageHeight = 496;

void ExpectRect(const VduClient &vdu, int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    const int32_t *r = vdu.block->graphicsRect;
    EXPECT_EQ(r[0], x1);
    EXPECT_EQ(r[1], y1);
    EXPECT_EQ(r[2], x2);
    EXPECT_EQ(r[3], y2);
}

TEST(GraphicsRectangles, EachCoordinateSystemIsLimitedToItsArea)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(screen), 0);
        const Image front = vdu.Capture(), back = vdu.Capture(false);

        EXPECT_EQ(Graphics(vdu, 'A', 80, 24, -5, 999), 0);
        ExpectRect(vdu, 12 + 640, 104 + 384, 12, 104 + 384);
        EXPECT_EQ(Graphics(vdu, 'a', -1, 20, 700, 383), 0);
        ExpectRect(vdu, 12, 124, 652, 487);
        EXPECT_EQ(Graphics(vdu, '@', -9, imageHeight + 1, imageWidth, 30), 0);
        ExpectRect(vdu, 0, imageHeight, imageWidth, 30);

        // 'R' places the normalised rectangle; nothing of this draws anything.
        EXPECT_EQ(Graphics(vdu, 'R'), 0);
        const int32_t *placed = vdu.block->bitmapRect;
        EXPECT_EQ(placed[0], 0);
        EXPECT_EQ(placed[1], 30);
        EXPECT_EQ(placed[2], imageWidth);
        EXPECT_EQ(placed[3], imageHeight);
        EXPECT_TRUE(vdu.Capture() == front);
        EXPECT_TRUE(vdu.Capture(false) == back);
    });
}

TEST(GraphicsRectangles, LettersWithoutAMeaningDoNothing)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(screen), 0);
        vdu.Write(3, 2, "text");
        Graphics(vdu, '@', 1, 2, 3, 4);
        Graphics(vdu, 'R');
        // The display window counts the repaint down meanwhile: let it finish first.
        for (int i = 0; i < 100 && vdu.block->repaintCountdown != 0; ++i)
            Sleep(20);
        ASSERT_EQ(vdu.block->repaintCountdown, 0);
        std::vector<uint8_t> before(reinterpret_cast<uint8_t *>(vdu.block),
                                    reinterpret_cast<uint8_t *>(vdu.block) + sizeof(VduBlock));
        const Image front = vdu.Capture(), back = vdu.Capture(false);
        for (char letter : {'r', 'x', 'Q', '4', '\0'}) {
            EXPECT_EQ(Graphics(vdu, letter, 50, 60, 70, 80), 0) << letter;
            vdu.block->graphicsOp = before[257]; // the request's own fields back as they were
            std::memcpy(&vdu.block->graphicsArg4, &before[272], 16);
            EXPECT_EQ(std::memcmp(vdu.block, before.data(), sizeof(VduBlock)), 0) << letter;
            EXPECT_TRUE(vdu.Capture() == front) << letter;
            EXPECT_TRUE(vdu.Capture(false) == back) << letter;
        }
    });
}

TEST(GraphicsFills, EraseFillsTheNormalisedRectangleWithoutItsLastRowAndColumn)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(screen), 0);
        const Image back = vdu.Capture(false);
        EXPECT_EQ(Graphics(vdu, '@', 50, 40, 10, 20), 0);
        EXPECT_EQ(Graphics(vdu, 'E'), 0);
        const Image after = vdu.Capture(false);
        for (int32_t y = 0; y < imageHeight; ++y)
            for (int32_t x = 0; x < imageWidth; ++x) {
                const bool inside = x >= 10 && x <= 49 && y >= 20 && y <= 39;
                ASSERT_EQ(after.At(x, y), inside ? eraseColour : back.At(x, y)) << x << ", " << y;
            }
        EXPECT_TRUE(vdu.Capture() == after) << "the front image is rebuilt from the back image";
    });
}

TEST(GraphicsFills, FillUsesTheDrawingColourAsAPaletteColour)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(screen), 0);
        EXPECT_EQ(Graphics(vdu, 'C', 0, 0, 0, 0x00123456), 0);
        EXPECT_EQ(vdu.block->colours[7], 0x00563412u);
        EXPECT_EQ(Graphics(vdu, 'c', 0, 0, 0, 0x02123456), 0);
        EXPECT_EQ(vdu.block->colours[7], 0x02563412u);
        EXPECT_EQ(Graphics(vdu, 'C', 0, 0, 0, 0x7FFFFFFF), 0);
        EXPECT_EQ(vdu.block->colours[7], 0x02FFFFFFu);
        EXPECT_EQ(Graphics(vdu, 'C', 0, 0, 0, -1), 0);
        EXPECT_EQ(vdu.block->colours[7], 0u);

        // Pure red, given as 0x00RRGGBB, is in every palette.
        EXPECT_EQ(Graphics(vdu, 'C', 0, 0, 0, 0xFF0000), 0);
        EXPECT_EQ(vdu.block->colours[7], 0x0000FFu);
        EXPECT_EQ(Graphics(vdu, 'A', 2, 1, 5, 3), 0);
        EXPECT_EQ(Graphics(vdu, 'F'), 0);
        const Image back = vdu.Capture(false);
        EXPECT_TRUE(AllOf(back, 12 + 16, 104 + 16, 12 + 40, 104 + 48, 0x0000FF));
        EXPECT_NE(back.At(12 + 40, 104 + 16), 0x0000FFu);
        EXPECT_NE(back.At(12 + 16, 104 + 48), 0x0000FFu);
    });
}

TEST(GraphicsFills, TextStaysOverAFillAndReappearsOnlyWhereItIs)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(screen), 0);
        const Image ground = vdu.Capture(false);
        vdu.Write(4, 2, "HELLO");
        vdu.MoveTo(40, 20);
        const Image textBefore = vdu.Capture();
        vdu.block->repaintCountdown = 0;
        EXPECT_EQ(Graphics(vdu, 'A', 0, 0, 20, 5), 0);
        EXPECT_EQ(Graphics(vdu, 'E'), 0);
        EXPECT_EQ(vdu.block->cursorColumn, 40);
        EXPECT_EQ(vdu.block->cursorRow, 20);
        EXPECT_EQ(vdu.block->repaintCountdown, 0) << "the graphics operation requests no repaint";

        const Image back = vdu.Capture(false), front = vdu.Capture();
        const POINT o = vdu.Origin(4, 2);
        int ink = 0;
        for (int32_t y = o.y; y < o.y + 16; ++y)
            for (int32_t x = o.x; x < o.x + 5 * 8; ++x) {
                ASSERT_EQ(back.At(x, y), eraseColour) << "no text in the back image";
                if (front.At(x, y) != eraseColour) {
                    ++ink; // only where the text had ink before
                    ASSERT_NE(textBefore.At(x, y), ground.At(x, y)) << x << ", " << y;
                }
            }
        EXPECT_GT(ink, 5 * 10);
        // Outside the text, the front image is the back image.
        EXPECT_TRUE(Region(front, 12, 104, 12 + 160, 104 + 32) == Region(back, 12, 104, 12 + 160, 104 + 32));
        // Erasing a cell later shows the graphics under it.
        vdu.MoveTo(5, 2);
        vdu.Put(' ');
        EXPECT_TRUE(AllOf(vdu.Capture(), o.x + 8, o.y, o.x + 16, o.y + 16, eraseColour));
    });
}

TEST(GraphicsLines, LinesRunFromThePenPositionOfTheLastMoveOrLine)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(screen), 0);
        const Image back = vdu.Capture(false);
        EXPECT_EQ(Graphics(vdu, 'B', 0, 0, 2, 3), 0); // pen to (28, 152)
        EXPECT_TRUE(vdu.Capture(false) == back) << "a move draws nothing";
        EXPECT_EQ(Graphics(vdu, '@', 300, 300, 400, 400), 0); // no pen move
        EXPECT_EQ(Graphics(vdu, 'D', 0, 0, 10, 3), 0);        // to (92, 152)
        ExpectRect(vdu, 400, 400, 92, 152);
        EXPECT_EQ(Graphics(vdu, 'd', 0, 0, 80, 100), 0); // on to (92, 204)
        const Image after = vdu.Capture(false);
        for (int32_t x = 28; x < 92; ++x)
            ASSERT_EQ(after.At(x, 152), black) << x;
        EXPECT_EQ(after.At(27, 152), back.At(27, 152));
        for (int32_t y = 152; y < 204; ++y)
            ASSERT_EQ(after.At(92, y), black) << y;
        EXPECT_EQ(after.At(92, 204), back.At(92, 204)) << "the end point is not drawn";
        EXPECT_EQ(after.At(300, 300), back.At(300, 300));
        EXPECT_EQ(after.At(350, 350), back.At(350, 350));
        EXPECT_TRUE(vdu.Capture() == after);

        // 'G' moves the pen to the cursor cell, 'b' to text-area pixels.
        vdu.MoveTo(50, 10);
        EXPECT_EQ(Graphics(vdu, 'G'), 0); // (412, 264)
        EXPECT_EQ(Graphics(vdu, 'D', 0, 0, 50, 12), 0);
        EXPECT_EQ(Graphics(vdu, 'b', 0, 0, 600, 0), 0); // (612, 104)
        EXPECT_EQ(Graphics(vdu, 'd', 0, 0, 620, 0), 0);
        const Image last = vdu.Capture(false);
        for (int32_t y = 264; y < 296; ++y)
            ASSERT_EQ(last.At(412, y), black) << y;
        for (int32_t x = 612; x < 632; ++x)
            ASSERT_EQ(last.At(x, 104), black) << x;
        EXPECT_NE(last.At(411, 264), black);
    });
}

TEST(GraphicsFills, AClientsRewrittenRectangleIsKeptInsideTheImage)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(screen), 0);
        int32_t *r = vdu.block->graphicsRect;
        r[0] = INT32_MIN;
        r[1] = INT32_MAX;
        r[2] = INT32_MAX;
        r[3] = INT32_MIN;
        EXPECT_EQ(Graphics(vdu, 'E'), 0);
        EXPECT_TRUE(AllOf(vdu.Capture(false), 0, 0, imageWidth, imageHeight, eraseColour));
        EXPECT_EQ(Graphics(vdu, 'R'), 0);
        EXPECT_EQ(vdu.block->bitmapRect[0], 0);
        EXPECT_EQ(vdu.block->bitmapRect[3], imageHeight);
    });
}

TEST(GraphicsClosedBlock, OnlyTheBitmapOperationsFail)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        EXPECT_EQ(Graphics(vdu, 'F'), 0);
        EXPECT_EQ(Graphics(vdu, 'D', 0, 0, 4, 4), 0);
        EXPECT_EQ(Load(vdu, "none.bmp"), 11);
        EXPECT_EQ(Graphics(vdu, 'Z', 0, 0, 100, 100), 11);
        ASSERT_EQ(vdu.Open(screen), 0);
        EXPECT_EQ(vdu.Close(), 0);
        EXPECT_EQ(Graphics(vdu, 'E'), 0);
    });
}

} // namespace
