// The glyph renderer, pixel by pixel on the front image: frame edges, the three line-drawing
// styles, buttons, mask blocks, text colours and blank cells.
#include "vdu_client.h"

#include <climits>
#include <initializer_list>
#include <string>

#include "vdu/glyph_plan.h"
#include "vdu/glyph_renderer.h"
#include "vdu/screen_state.h"

namespace {

constexpr COLORREF face = 0xE0E0E0, white = 0xFFFFFF, lightGrey = 0xC0C0C0, grey = 0x808080, black = 0;
constexpr int W = 8, H = 16;

// A pixel relative to a cell origin and the colour it must have.
struct Probe {
    int x, y;
    COLORREF colour;
};

void ExpectProbes(const VduClient &vdu, int column, int row, std::initializer_list<Probe> probes,
                  const std::string &what)
{
    const POINT o = vdu.Origin(column, row);
    for (const Probe &p : probes)
        EXPECT_EQ(vdu.Front(o.x + p.x, o.y + p.y), p.colour) << what << " at (" << p.x << ", " << p.y << ")";
}

// Every pixel of a cell is one of the stroke colours or the face: no text was drawn.
void ExpectOnlyStrokeColours(const Image &image, POINT o, const std::string &what)
{
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const COLORREF p = image.At(o.x + x, o.y + y);
            EXPECT_TRUE(p == face || p == white || p == black || p == lightGrey || p == grey)
                << what << ": pixel (" << x << ", " << y << ") is 0x" << std::hex << p;
        }
}

// The pixels of an area that differ from the same area of `ground`.
struct Ink {
    int count = 0;
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    COLORREF darkest = 0xFFFFFF;
};

void EraseAll(VduClient &vdu)
{
    ScreenLock screen{vdu.block};
    EraseScreen(*screen.get());
}

int Brightness(COLORREF c)
{
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

Ink InkOf(const Image &image, const Image &ground, POINT o, int x0, int x1, int y0, int y1)
{
    Ink ink;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const COLORREF p = image.At(o.x + x, o.y + y);
            if (p == ground.At(o.x + x, o.y + y))
                continue;
            ++ink.count;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
            if (Brightness(p) < Brightness(ink.darkest))
                ink.darkest = p;
        }
    return ink;
}

TEST(VduRenderer, FrameEdgesOfEachCombinationShowOnlyTheirStrokes)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(), 0);
        struct Case {
            unsigned edges; // 8 top, 4 left, 2 right, 1 bottom
            std::initializer_list<Probe> probes;
        };
        const Case cases[] = {
            {8, {{0, 4, white}, {7, 5, white}, {0, 3, face}, {0, 6, face}, {3, 10, face}}},
            {12,
             {{0, 4, white}, {7, 5, white}, {1, 15, white}, {2, 15, white}, {3, 10, face}, {2, 5, lightGrey},
              {1, 5, white}, {2, 6, white}, {0, 3, face}}},
            {10,
             {{0, 4, white}, {6, 4, white}, {7, 4, black}, {7, 15, black}, {6, 5, black}, {6, 15, black},
              {5, 5, white}, {5, 6, face}, {7, 3, face}}},
            {4, {{0, 0, white}, {2, 15, white}, {3, 0, face}, {3, 8, face}}},
            {2, {{6, 0, black}, {7, 15, black}, {5, 8, face}}},
            {5,
             {{0, 0, white}, {2, 5, white}, {0, 6, white}, {1, 6, black}, {7, 6, black}, {0, 7, black},
              {7, 7, black}, {3, 5, face}, {0, 8, face}, {2, 8, face}}},
            {3,
             {{6, 0, black}, {7, 5, black}, {0, 6, black}, {0, 7, black}, {5, 5, face}, {6, 8, face},
              {0, 8, face}, {0, 5, face}}},
            {1, {{0, 6, black}, {7, 7, black}, {0, 5, face}, {0, 8, face}}},
            // combinations outside the first eight: only the two "in addition" pairs
            {9, {{0, 6, black}, {7, 6, black}, {0, 7, white}, {7, 7, white}, {0, 4, face}, {0, 5, face}, {0, 8, face}}},
            {6, {{3, 0, black}, {3, 15, black}, {4, 0, white}, {5, 15, white}, {2, 8, face}, {6, 8, face}}},
            {15,
             {{0, 6, black}, {0, 7, white}, {3, 0, black}, {3, 6, black}, {3, 7, black}, {4, 6, white},
              {5, 7, white}, {4, 4, white}, {0, 4, face}, {7, 8, face}, {2, 3, face}}},
            {13, {{0, 6, black}, {0, 7, white}, {0, 4, face}, {1, 10, face}, {3, 10, face}}},
            {14, {{3, 5, black}, {4, 5, white}, {5, 5, white}, {0, 4, face}, {7, 10, face}}},
            {7, {{3, 0, black}, {4, 0, white}, {0, 6, face}, {0, 7, face}, {7, 7, face}}},
            {11, {{0, 6, black}, {0, 7, white}, {7, 4, face}, {6, 0, face}, {6, 10, face}}},
        };
        int column = 2;
        for (const Case &c : cases) {
            vdu.Render(column, 3, 'A', c.edges << 28);
            column += 2;
        }
        const Image image = vdu.Capture();
        column = 2;
        for (const Case &c : cases) {
            const std::string what = "edges " + std::to_string(c.edges);
            ExpectProbes(vdu, column, 3, c.probes, what);
            ExpectOnlyStrokeColours(image, vdu.Origin(column, 3), what + " hides the character");
            EXPECT_EQ(vdu.Cell(column, 3), uint32_t{'A'}) << what << ": the character stays stored";
            column += 2;
        }

        // Without the frame bits the character comes back.
        const Image before = vdu.Capture();
        vdu.Render(2, 3, 'A', 0);
        const Ink ink = InkOf(vdu.Capture(), before, vdu.Origin(2, 3), 0, W, 0, H);
        EXPECT_GT(ink.count, 5);
        EXPECT_LT(Brightness(ink.darkest), 3 * 0x60) << "black text";
    });
}

// Line drawing by screen number: 0 to 7 etched, 8 embossed, 9 and up bitmap.
TEST(VduRenderer, LineDrawingCodesInTheEtchedEmbossedAndBitmapStyles)
{
    RunClient([](HostContext *context) {
        VduClient etched(context), embossed(context), bitmap(context), bitmap15(context);
        ASSERT_EQ(etched.Open(Geometry{}, 7), 0);
        ASSERT_EQ(embossed.Open(Geometry{}, 8), 0);
        ASSERT_EQ(bitmap.Open(Geometry{}, 9), 0);
        ASSERT_EQ(bitmap15.Open(Geometry{}, 15), 0);

        struct Case {
            uint8_t code;
            std::initializer_list<Probe> probes;
        };
        const Case etchedCases[] = {
            {17, {{4, 0, white}, {4, 15, white}, {3, 0, grey}, {3, 15, grey}, {2, 8, face}, {5, 8, face}}},
            {1, {{4, 0, white}, {4, 15, white}, {3, 7, grey}, {2, 8, face}, {5, 8, face}}},
            {25, {{4, 3, white}, {3, 12, grey}, {7, 8, face}, {2, 8, face}}}, // 9: vertical
            {27, {{4, 3, white}, {3, 12, grey}, {0, 8, face}}},               // 11: vertical
            {18, {{0, 7, white}, {7, 7, white}, {0, 6, grey}, {7, 6, grey}, {0, 5, face}, {0, 8, face}}},
            {26, {{0, 7, white}, {0, 6, grey}, {3, 3, face}, {4, 12, face}}}, // 10: horizontal
            {19, {{4, 0, white}, {3, 0, grey}, {0, 7, white}, {0, 6, grey}, {4, 6, grey}, {3, 7, grey}, {4, 7, white},
                  {5, 5, face}}},
            {20, {{4, 7, white}, {4, 15, white}, {4, 6, face}, {4, 5, face}, {3, 6, grey}, {3, 15, grey}, {3, 5, face},
                  {5, 6, grey}, {7, 6, grey}, {6, 7, white}, {7, 7, white}, {5, 7, face}, {2, 7, face}}},
            {21, {{4, 0, white}, {4, 5, white}, {4, 6, grey}, {4, 7, white}, {4, 8, face}, {3, 5, grey}, {3, 6, face},
                  {7, 6, grey}, {7, 7, white}, {3, 7, face}, {2, 7, face}}},
            {22, {{4, 7, white}, {4, 6, white}, {3, 6, grey}, {0, 6, grey}, {0, 7, white}, {3, 7, white}, {5, 7, face},
                  {4, 8, face}, {3, 0, grey}, {3, 5, grey}}},
            {23, {{4, 7, white}, {4, 15, white}, {4, 6, face}, {3, 6, grey}, {3, 15, grey}, {0, 6, grey}, {2, 6, grey},
                  {0, 7, white}, {1, 7, white}, {2, 7, face}, {3, 7, grey}, {5, 7, face}}},
            {24, {{0, 7, white}, {7, 7, white}, {3, 7, grey}, {4, 7, white}, {3, 15, grey}, {0, 6, grey}, {4, 6, grey},
                  {4, 5, face}, {3, 5, face}, {0, 8, face}}},
        };
        const Case embossedCases[] = {
            {17, {{3, 0, white}, {4, 15, white}, {5, 0, black}, {5, 15, black}, {2, 8, face}, {6, 8, face}}},
            {1, {{3, 0, white}, {4, 15, white}, {5, 7, black}, {2, 8, face}, {6, 8, face}}},
            {25, {{3, 3, white}, {5, 12, black}, {7, 8, face}, {1, 8, face}}},
            {18, {{0, 6, white}, {7, 6, white}, {0, 7, black}, {7, 7, black}, {0, 5, face}, {0, 8, face}}},
            {19, {{3, 0, white}, {4, 15, white}, {0, 6, white}, {5, 0, black}, {0, 7, black}, {5, 6, black},
                  {3, 7, black}, {4, 6, white}, {6, 5, face}}},
            {20, {{3, 6, white}, {4, 15, white}, {3, 5, face}, {5, 6, white}, {7, 6, white}, {5, 7, black},
                  {5, 15, black}, {6, 7, black}, {7, 7, black}, {6, 8, face}, {2, 10, face}}},
            {21, {{3, 0, white}, {4, 7, white}, {3, 8, face}, {5, 6, black}, {6, 6, white}, {7, 6, white},
                  {5, 7, black}, {6, 7, black}, {5, 8, face}, {6, 5, face}}},
            {22, {{0, 6, white}, {2, 6, white}, {3, 6, white}, {0, 7, black}, {3, 7, black}, {4, 7, white},
                  {5, 7, black}, {6, 7, face}, {5, 8, face}, {3, 8, face}}},
            {23, {{3, 6, white}, {0, 6, white}, {2, 6, white}, {0, 7, black}, {1, 7, black}, {2, 7, face},
                  {3, 7, white}, {5, 7, black}, {5, 6, face}, {6, 7, face}}},
            {24, {{0, 6, white}, {7, 6, white}, {3, 7, white}, {4, 7, black}, {7, 7, black}, {5, 15, black},
                  {4, 8, white}, {3, 15, white}, {0, 7, face}, {2, 7, face}, {6, 8, face}}},
        };
        // Bitmap glyphs: 8 x 16 light grey pixels, arm 0x38, bars 0xFF / 0x3F / 0xF8.
        const Case bitmapCases[] = {
            {17, {{2, 0, lightGrey}, {4, 0, lightGrey}, {3, 8, lightGrey}, {2, 15, lightGrey}, {4, 15, lightGrey},
                  {1, 0, face}, {5, 0, face}, {1, 8, face}, {5, 15, face}}},
            {28, {{0, 7, lightGrey}, {7, 7, lightGrey}, {7, 9, lightGrey}, {2, 10, lightGrey}, {4, 15, lightGrey},
                  {0, 6, face}, {3, 6, face}, {3, 3, face}, {0, 10, face}, {1, 12, face}, {5, 12, face}}},
            {25, {{2, 0, lightGrey}, {4, 6, lightGrey}, {2, 8, lightGrey}, {7, 8, lightGrey}, {4, 12, lightGrey},
                  {1, 8, face}, {0, 7, face}, {5, 3, face}, {5, 12, face}}},
        };
        int column = 1;
        for (const Case &c : etchedCases) {
            etched.Render(column, 2, c.code);
            column += 2;
        }
        column = 1;
        for (const Case &c : embossedCases) {
            embossed.Render(column, 2, c.code);
            column += 2;
        }
        column = 1;
        for (const Case &c : bitmapCases) {
            bitmap.Render(column, 2, c.code);
            bitmap15.Render(column, 2, c.code);
            column += 2;
        }
        column = 1;
        for (const Case &c : etchedCases) {
            ExpectProbes(etched, column, 2, c.probes, "etched " + std::to_string(c.code));
            column += 2;
        }
        column = 1;
        for (const Case &c : embossedCases) {
            ExpectProbes(embossed, column, 2, c.probes, "embossed " + std::to_string(c.code));
            column += 2;
        }
        column = 1;
        for (const Case &c : bitmapCases) {
            ExpectProbes(bitmap, column, 2, c.probes, "bitmap " + std::to_string(c.code));
            ExpectProbes(bitmap15, column, 2, c.probes, "bitmap (screen 15) " + std::to_string(c.code));
            column += 2;
        }

        // Codes that draw nothing: 1 to 16 in bitmap style, 28 to 31 and 12 to 16 (k = 0, 12..15)
        // in the other two.
        const Image etchedGround = etched.Capture(false), embossedGround = embossed.Capture(false);
        const Image bitmapGround = bitmap.Capture(false);
        for (uint8_t code : {1, 5, 16}) {
            bitmap.Render(40, 5, code);
            EXPECT_EQ(InkOf(bitmap.Capture(), bitmapGround, bitmap.Origin(40, 5), -2, W + 2, 0, H + 2).count, 0)
                << "bitmap " << int{code};
        }
        for (uint8_t code : {12, 13, 14, 15, 16, 28, 29, 30, 31}) {
            etched.Render(40, 5, code);
            embossed.Render(40, 5, code);
            EXPECT_EQ(InkOf(etched.Capture(), etchedGround, etched.Origin(40, 5), 0, W, 0, H).count, 0)
                << "etched " << int{code};
            EXPECT_EQ(InkOf(embossed.Capture(), embossedGround, embossed.Origin(40, 5), 0, W, 0, H).count, 0)
                << "embossed " << int{code};
        }
    });
}

// Each bitmap glyph 17..31, row by row: rows 0-6 upper arm, 7-9 bar, 10-15 lower arm.
TEST(VduRenderer, EveryBitmapGlyphHasItsArmsAndBar)
{
    struct Bands {
        uint8_t upper, bar, lower;
    };
    const Bands bands[15] = {
        {0x38, 0x38, 0x38}, {0x00, 0xFF, 0x00}, {0x38, 0xFF, 0x38}, {0x00, 0x3F, 0x38}, {0x38, 0x3F, 0x00},
        {0x38, 0xF8, 0x00}, {0x00, 0xF8, 0x38}, {0x00, 0xFF, 0x38}, {0x38, 0x3F, 0x38}, {0x38, 0xFF, 0x00},
        {0x38, 0xF8, 0x38}, {0x00, 0xFF, 0x38}, {0x38, 0x3F, 0x38}, {0x38, 0xFF, 0x00}, {0x38, 0xF8, 0x38},
    };
    RunClient([&](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(Geometry{}, 12), 0);
        for (int code = 17; code <= 31; ++code)
            vdu.Render(2 * (code - 16), 4, static_cast<uint32_t>(code));
        const Image image = vdu.Capture();
        for (int code = 17; code <= 31; ++code) {
            const Bands &b = bands[code - 17];
            const POINT o = vdu.Origin(2 * (code - 16), 4);
            for (int y = 0; y < 16; ++y) {
                const uint8_t bits = y < 7 ? b.upper : y < 10 ? b.bar : b.lower;
                for (int x = 0; x < 8; ++x)
                    EXPECT_EQ(image.At(o.x + x, o.y + y), (bits & (0x80 >> x)) ? lightGrey : face)
                        << "code " << code << " pixel (" << x << ", " << y << ")";
            }
        }
    });
}

// Runs of set pixels drawn as fills give exactly the pixels of one SetPixel per set bit.
TEST(VduRenderer, BitmapGlyphFillsMatchPixelByPixelDrawing)
{
    RunClient([](HostContext *context) {
        const Geometry sizes[] = {Geometry{}, Geometry{80, 24, 6, 10}};
        for (const Geometry &g : sizes) {
            VduClient vdu(context);
            context->selectedScreen = 10; // kept shown and focused: no side stripe change between captures
            ASSERT_EQ(vdu.Open(g, 10), 0);
            const int32_t column = 20, row = 6;
            // Neighbours with text: the glyph covers 8 x 16 pixels, over the next cells when smaller.
            auto drawNeighbours = [&] {
                ScreenLock screen{vdu.block};
                EraseScreen(*screen.get());
                for (int dr = -1; dr <= 1; ++dr)
                    for (int dc = -1; dc <= 1; ++dc) {
                        vdu.block->cursorColumn = column + dc;
                        vdu.block->cursorRow = row + dr;
                        vdu.block->data = (dc || dr) ? 'M' : 32;
                        DrawCell(*screen.get());
                    }
            };
            for (uint32_t attributes : {0u, 0x02000000u}) { // plain, and on a middle button
                for (int code = 0; code < 32; ++code) {
                    const uint32_t word = attributes | static_cast<uint32_t>(code);
                    drawNeighbours();
                    vdu.Render(column, row, word, 0, false);
                    const Image filled = vdu.Capture();

                    drawNeighbours();
                    vdu.Render(column, row, attributes | 32u, 0, false); // the button face alone
                    {
                        ScreenLock screen{vdu.block};
                        const HDC dc = screen.get()->frontDC;
                        const POINT o = vdu.Origin(column, row);
                        const uint8_t *rows = BitmapGlyphRows(code);
                        for (int y = 0; y < 16; ++y)
                            for (int x = 0; x < 8; ++x)
                                if (rows[y] & (0x80 >> x))
                                    SetPixel(dc, o.x + x, o.y + y, lightGrey);
                    }
                    const Image pixelwise = vdu.Capture();
                    EXPECT_TRUE(filled == pixelwise)
                        << "code " << code << " attributes 0x" << std::hex << attributes << " cell " << std::dec
                        << g.cellWidth << " x " << g.cellHeight;
                }
            }
            if (g.cellWidth == 6) {
                // The glyph reaches into the next column and the next row.
                vdu.Render(column, row, 18, 0, true);
                vdu.Render(column + 3, row, 17, 0, true);
                const POINT o = vdu.Origin(column, row), o17 = vdu.Origin(column + 3, row);
                EXPECT_EQ(vdu.Front(o.x + 7, o.y + 8), lightGrey);
                EXPECT_EQ(vdu.Front(o17.x + 3, o17.y + 15), lightGrey);
                EXPECT_EQ(vdu.Front(o17.x + 3, o17.y + 16), face);
            }
        }
    });
}

TEST(VduRenderer, ButtonFacesCarryGreyTextShiftedRightByTwo)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(), 0);
        const uint32_t left = 0x01000000, middle = 0x02000000, right = 0x03000000;
        vdu.Render(2, 2, left | 32);
        vdu.Render(4, 2, middle | 32);
        vdu.Render(6, 2, right | 32);
        ExpectProbes(vdu, 2, 2,
                     {{0, 0, white}, {7, 0, white}, {0, 12, white}, {1, 1, lightGrey}, {7, 12, lightGrey},
                      {1, 13, black}, {0, 13, black}, {7, 13, black}, {0, 14, face}, {7, 15, face}},
                     "left end");
        ExpectProbes(vdu, 4, 2,
                     {{0, 0, white}, {7, 0, white}, {0, 1, lightGrey}, {7, 12, lightGrey}, {0, 13, black},
                      {7, 13, black}, {3, 14, face}},
                     "middle");
        ExpectProbes(vdu, 6, 2,
                     {{0, 0, white}, {3, 0, white}, {3, 1, lightGrey}, {0, 12, lightGrey}, {4, 0, black},
                      {4, 1, black}, {4, 12, black}, {0, 13, black}, {4, 13, black}, {5, 1, face}, {7, 8, face},
                      {5, 13, face}, {4, 14, face}},
                     "right end");

        // Text on a left end or middle: grey, 2 pixels right of the same character drawn plainly.
        for (uint8_t ch : {'A', 'W', 'g', '|'}) {
            EraseAll(vdu);
            const Image ground = vdu.Capture();
            vdu.Render(10, 5, ch);
            const Ink plain = InkOf(vdu.Capture(), ground, vdu.Origin(10, 5), -4, W + 6, -2, H + 2);
            ASSERT_GT(plain.count, 0) << ch;
            EXPECT_LT(Brightness(plain.darkest), 3 * 0x40) << ch << " plain text is black";
            for (uint32_t part : {left, middle}) {
                EraseAll(vdu);
                vdu.Render(10, 5, part | 32);
                const Image buttonGround = vdu.Capture();
                vdu.Render(10, 5, part | ch);
                const Ink onButton = InkOf(vdu.Capture(), buttonGround, vdu.Origin(10, 5), -4, W + 6, -2, H + 2);
                const std::string what = std::string(1, static_cast<char>(ch)) + " on part " + std::to_string(part >> 24);
                EXPECT_EQ(onButton.left, plain.left + 2) << what;
                EXPECT_EQ(onButton.right, plain.right + 2) << what;
                EXPECT_EQ(onButton.top, plain.top) << what;
                EXPECT_EQ(onButton.bottom, plain.bottom) << what;
                EXPECT_EQ(onButton.darkest, grey) << what << ": darkest text pixel";
            }
            // A right end shows no character.
            EraseAll(vdu);
            vdu.Render(10, 5, right | 32);
            const Image rightGround = vdu.Capture();
            vdu.Render(10, 5, right | ch);
            EXPECT_TRUE(vdu.Capture() == rightGround) << ch << " on a right end";
        }

        // A button cell with a line-drawing code gets the face and the line.
        vdu.Render(12, 5, middle | 17);
        ExpectProbes(vdu, 12, 5, {{4, 5, white}, {3, 5, grey}, {1, 5, lightGrey}, {6, 5, lightGrey}, {0, 0, white}},
                     "middle button with a vertical line");
    });
}

TEST(VduRenderer, MaskBlocksHighlightAndBlankCodes)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(), 0);
        const Image back = vdu.Capture(false);

        // Mask block alone: a white block H-2 high; with button bits the button wins.
        vdu.Render(3, 3, 0x04000000);
        vdu.Render(5, 3, 0x04000020);
        vdu.Render(7, 3, 0x06000020);
        for (int column : {3, 5})
            ExpectProbes(vdu, column, 3,
                         {{0, 0, white}, {7, 0, white}, {0, 13, white}, {7, 13, white}, {4, 7, white}, {0, 14, face},
                          {7, 15, face}},
                         "mask block");
        ExpectProbes(vdu, 7, 3, {{0, 1, lightGrey}, {4, 7, lightGrey}, {0, 13, black}}, "mask and middle button");
        // A mask block under a character still shows the character in black.
        vdu.Render(9, 3, 0x04000000);
        const Image block = vdu.Capture();
        vdu.Render(9, 3, 0x04000000 | 'H');
        const Ink masked = InkOf(vdu.Capture(), block, vdu.Origin(9, 3), 0, W, 0, H);
        EXPECT_GT(masked.count, 0);
        EXPECT_EQ(masked.darkest, black);

        // Highlight: the same glyph in blue at the same place.
        vdu.Render(20, 6, 'R');
        vdu.Render(22, 6, 0x10000 | 'R');
        const Image image = vdu.Capture();
        const Ink plain = InkOf(image, back, vdu.Origin(20, 6), -2, W + 2, 0, H + 2);
        const Ink blue = InkOf(image, back, vdu.Origin(22, 6), -2, W + 2, 0, H + 2);
        ASSERT_GT(plain.count, 0);
        EXPECT_EQ(blue.count, plain.count);
        EXPECT_EQ(blue.left, plain.left);
        EXPECT_EQ(blue.top, plain.top);
        EXPECT_EQ(blue.right, plain.right);
        EXPECT_EQ(blue.bottom, plain.bottom);
        EXPECT_EQ(blue.darkest, RGB(0, 0, 255)) << "highlight colour 0xFF0000";
        EXPECT_EQ(plain.darkest, black);
        const POINT ob = vdu.Origin(22, 6);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const COLORREF p = image.At(ob.x + x, ob.y + y);
                if (p != back.At(ob.x + x, ob.y + y)) {
                    EXPECT_GT(GetBValue(p), GetRValue(p)) << "blue-dominant at (" << x << ", " << y << ")";
                    EXPECT_EQ(GetRValue(p), GetGValue(p));
                }
            }

        // Codes 0, 32 and 255 draw nothing: over an erased cell the background stays, and drawn
        // without erasing they leave what was there.
        for (uint32_t word : {0u, 32u, 255u, 0x100FFu, 0x10020u}) {
            vdu.Render(30, 8, 'X');
            const Image withX = vdu.Capture();
            vdu.Render(30, 8, word, 0, false);
            EXPECT_TRUE(vdu.Capture() == withX) << "word 0x" << std::hex << word << " drawn over X";
            vdu.Render(30, 8, word);
            EXPECT_EQ(InkOf(vdu.Capture(), back, vdu.Origin(30, 8), 0, W, 0, H).count, 0)
                << "word 0x" << std::hex << word << " on an erased cell";
            EXPECT_EQ(vdu.Cell(30, 8), word) << "the renderer stores the word";
        }
    });
}

} // namespace
