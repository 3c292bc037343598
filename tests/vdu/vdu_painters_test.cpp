// The painters through real 'U' and 'T' requests: scroll regions, wrapping, buttons, frames and
// the clearing codes, checked in the cell buffer and in the front image.
#include "vdu_client.h"

#include <cstdio>
#include <vector>

namespace {

constexpr COLORREF lightGrey = 0xC0C0C0, grey = 0x808080, white = 0xFFFFFF, black = 0;

std::vector<uint32_t> Cells(const VduClient &vdu)
{
    return {vdu.block->cells, vdu.block->cells + vdu.block->columns * vdu.block->rows};
}

uint32_t At(const std::vector<uint32_t> &cells, const VduClient &vdu, int column, int row)
{
    return cells[column + row * vdu.block->columns];
}

// The text-area pixels of one row.
std::vector<COLORREF> Band(const Image &image, const VduClient &vdu, int row)
{
    std::vector<COLORREF> band;
    const POINT o = vdu.Origin(0, row);
    for (int y = o.y; y < o.y + vdu.block->cellHeight; ++y)
        for (int x = o.x; x < o.x + vdu.block->columns * vdu.block->cellWidth; ++x)
            band.push_back(image.At(x, y));
    return band;
}

bool RowHasInk(const Image &image, const Image &back, const VduClient &vdu, int column, int row)
{
    const POINT o = vdu.Origin(column, row);
    for (int y = 0; y < vdu.block->cellHeight; ++y)
        for (int x = 0; x < vdu.block->cellWidth; ++x)
            if (image.At(o.x + x, o.y + y) != back.At(o.x + x, o.y + y))
                return true;
    return false;
}

// Every row gets its own text: "r07" at column 0 and a letter at column 30.
void LabelRows(VduClient &vdu)
{
    for (int r = 0; r < vdu.block->rows; ++r) {
        char label[8];
        std::snprintf(label, sizeof label, "r%02d", r);
        vdu.Write(0, r, label);
        const char letter[2] = {static_cast<char>('A' + r), 0};
        vdu.Write(30, r, letter);
    }
}

void PutCode(VduClient &vdu, int column, int row, uint8_t code)
{
    vdu.MoveTo(column, row);
    vdu.Put(code);
}

// Rows [from, to] of `after` hold rows [from + shift, to + shift] of `before`, in cells and pixels.
void ExpectRowsMoved(const VduClient &vdu, const std::vector<uint32_t> &before, const Image &beforeImage,
                     const Image &afterImage, int from, int to, int shift)
{
    for (int r = from; r <= to; ++r) {
        for (int c = 0; c < vdu.block->columns; ++c)
            ASSERT_EQ(vdu.Cell(c, r), At(before, vdu, c, r + shift)) << "cell (" << c << ", " << r << ")";
        EXPECT_TRUE(Band(afterImage, vdu, r) == Band(beforeImage, vdu, r + shift)) << "pixels of row " << r;
    }
}

void ExpectRowBlank(const VduClient &vdu, const Image &image, const Image &back, int row)
{
    for (int c = 0; c < vdu.block->columns; ++c)
        ASSERT_EQ(vdu.Cell(c, row), 32u) << "cell (" << c << ", " << row << ")";
    EXPECT_TRUE(Band(image, vdu, row) == Band(back, vdu, row)) << "pixels of row " << row;
}

TEST(VduScrollRegion, ARuleAtThreeQuartersOfTheWidthHoldsTheRowsBelowIt)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(Geometry{80, 24}), 0);
        const Image back = vdu.Capture(false);
        LabelRows(vdu);
        PutCode(vdu, 60, 20, 18);

        auto before = Cells(vdu);
        Image beforeImage = vdu.Capture();
        vdu.MoveTo(7, 5);
        vdu.Control(21); // delete line
        Image image = vdu.Capture();
        ExpectRowsMoved(vdu, before, beforeImage, image, 0, 4, 0);
        ExpectRowsMoved(vdu, before, beforeImage, image, 5, 18, 1);
        ExpectRowBlank(vdu, image, back, 19);
        ExpectRowsMoved(vdu, before, beforeImage, image, 20, 23, 0);
        EXPECT_EQ(vdu.block->cursorColumn, 0);
        EXPECT_EQ(vdu.block->cursorRow, 5);

        before = Cells(vdu);
        beforeImage = image;
        vdu.MoveTo(7, 5);
        vdu.Control(20); // insert line
        image = vdu.Capture();
        ExpectRowsMoved(vdu, before, beforeImage, image, 0, 4, 0);
        ExpectRowBlank(vdu, image, back, 5);
        ExpectRowsMoved(vdu, before, beforeImage, image, 6, 19, -1);
        ExpectRowsMoved(vdu, before, beforeImage, image, 20, 23, 0);
        EXPECT_EQ(vdu.block->cursorColumn, 0);
        EXPECT_EQ(vdu.block->cursorRow, 5);

        // Directly above the rule, both only blank the cursor row.
        for (uint8_t code : {20, 21}) {
            vdu.Write(5, 19, "above");
            before = Cells(vdu);
            beforeImage = vdu.Capture();
            vdu.MoveTo(3, 19);
            vdu.Control(code);
            image = vdu.Capture();
            ExpectRowsMoved(vdu, before, beforeImage, image, 0, 18, 0);
            ExpectRowBlank(vdu, image, back, 19);
            ExpectRowsMoved(vdu, before, beforeImage, image, 20, 23, 0);
        }
    });
}

TEST(VduScrollRegion, ARuleElsewhereOrAnotherCodeDoesNotCloseTheRegion)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(Geometry{80, 24}), 0);
        const Image back = vdu.Capture(false);
        LabelRows(vdu);
        PutCode(vdu, 10, 20, 18); // a rule, but only at column 10
        PutCode(vdu, 60, 12, 15); // code 15 is no line-drawing character
        PutCode(vdu, 60, 14, 32 + 18);
        auto before = Cells(vdu);
        Image beforeImage = vdu.Capture();
        vdu.MoveTo(0, 5);
        vdu.Control(21);
        Image image = vdu.Capture();
        ExpectRowsMoved(vdu, before, beforeImage, image, 5, 22, 1);
        ExpectRowBlank(vdu, image, back, 23);

        // Code 16 at column 60 closes it.
        PutCode(vdu, 60, 16, 16);
        before = Cells(vdu);
        beforeImage = vdu.Capture();
        vdu.MoveTo(0, 5);
        vdu.Control(20);
        image = vdu.Capture();
        ExpectRowBlank(vdu, image, back, 5);
        ExpectRowsMoved(vdu, before, beforeImage, image, 6, 15, -1);
        ExpectRowsMoved(vdu, before, beforeImage, image, 16, 23, 0);
    });
}

TEST(VduCursorNormaliser, WrappingAndScrollingAtTheEdgesOfTheScreen)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(Geometry{80, 24}), 0);
        const Image back = vdu.Capture(false);
        LabelRows(vdu);
        PutCode(vdu, 60, 20, 18);

        // The last cell: drawn there, then the region above the rule scrolls and the cursor goes
        // to the last row of the screen all the same.
        auto before = Cells(vdu);
        Image beforeImage = vdu.Capture();
        vdu.MoveTo(79, 23);
        vdu.Put('Z');
        Image image = vdu.Capture();
        EXPECT_EQ(vdu.block->cursorColumn, 0);
        EXPECT_EQ(vdu.block->cursorRow, 23);
        ExpectRowsMoved(vdu, before, beforeImage, image, 0, 18, 1);
        ExpectRowBlank(vdu, image, back, 19);
        EXPECT_EQ(vdu.Cell(79, 23), uint32_t{'Z'});
        EXPECT_TRUE(RowHasInk(image, back, vdu, 79, 23));

        // 'U' 8 at (0, 0): to the last column of row -1, so a line is inserted at the top.
        before = Cells(vdu);
        beforeImage = image;
        vdu.MoveTo(0, 0);
        vdu.Control(8);
        image = vdu.Capture();
        EXPECT_EQ(vdu.block->cursorColumn, 0);
        EXPECT_EQ(vdu.block->cursorRow, 0);
        ExpectRowBlank(vdu, image, back, 0);
        ExpectRowsMoved(vdu, before, beforeImage, image, 1, 19, -1);
        ExpectRowsMoved(vdu, before, beforeImage, image, 20, 23, 0);

        // A row up from row 0 does the same; a row down from the last row scrolls.
        vdu.MoveTo(5, 0);
        vdu.Control(26);
        EXPECT_EQ(vdu.block->cursorColumn, 0);
        EXPECT_EQ(vdu.block->cursorRow, 0);
        vdu.MoveTo(5, 23);
        vdu.Control(10);
        EXPECT_EQ(vdu.block->cursorColumn, 0);
        EXPECT_EQ(vdu.block->cursorRow, 23);
        // Left from column 0 of a lower row: last column of the row above, no scrolling.
        before = Cells(vdu);
        vdu.MoveTo(0, 7);
        vdu.Control(8);
        EXPECT_EQ(vdu.block->cursorColumn, 79);
        EXPECT_EQ(vdu.block->cursorRow, 6);
        EXPECT_TRUE(Cells(vdu) == before);
        // A column far beyond the row goes to column 0 of the next row only.
        vdu.Control(16, (5000u << 16) | 9);
        EXPECT_EQ(vdu.block->cursorColumn, 0);
        EXPECT_EQ(vdu.block->cursorRow, 10);
        EXPECT_TRUE(Cells(vdu) == before);
    });
}

TEST(VduCursorNormaliser, WrapWithoutARuleScrollsTheWholeScreen)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(Geometry{80, 24}, 9), 0);
        const Image back = vdu.Capture(false);
        LabelRows(vdu);
        const auto before = Cells(vdu);
        const Image beforeImage = vdu.Capture();
        vdu.MoveTo(79, 23);
        vdu.Put('Z');
        const Image image = vdu.Capture();
        ExpectRowsMoved(vdu, before, beforeImage, image, 0, 21, 1);
        EXPECT_EQ(vdu.Cell(79, 22), uint32_t{'Z'});
        EXPECT_TRUE(RowHasInk(image, back, vdu, 79, 22));
        ExpectRowBlank(vdu, image, back, 23);
    });
}

TEST(VduButtons, MarkingALabelAndAHighlightedNumber)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(), 0);
        const Image back = vdu.Capture(false);
        vdu.Write(0, 4, "Name: ");
        vdu.Write(40, 4, "x");
        vdu.MoveTo(0, 4);
        vdu.Control(130);
        EXPECT_EQ(vdu.block->regionMode, 130);
        vdu.Control(16, (79u << 16) | 4);
        EXPECT_EQ(vdu.block->regionMode, 0);
        EXPECT_EQ(vdu.Cell(0, 4), 0x01000000u | 'N');
        EXPECT_EQ(vdu.Cell(1, 4), 0x02000000u | 'a');
        EXPECT_EQ(vdu.Cell(2, 4), 0x02000000u | 'm');
        EXPECT_EQ(vdu.Cell(3, 4), 0x02000000u | 'e');
        EXPECT_EQ(vdu.Cell(4, 4), 0x03000000u | ':');
        EXPECT_EQ(vdu.Cell(5, 4), 32u);
        EXPECT_EQ(vdu.Cell(40, 4), uint32_t{'x'});
        // The right end hides the colon.
        const Image image = vdu.Capture();
        const POINT colon = vdu.Origin(4, 4);
        for (int y = 1; y < 13; ++y)
            for (int x = 0; x < 4; ++x)
                ASSERT_EQ(image.At(colon.x + x, colon.y + y), lightGrey) << x << ", " << y;
        EXPECT_EQ(vdu.Front(colon.x + 4, colon.y + 5), black);

        // Writing over a middle cell keeps the button: grey text on the face.
        vdu.MoveTo(1, 4);
        vdu.Put('o');
        EXPECT_EQ(vdu.Cell(1, 4), 0x02000000u | 'o');
        const Image over = vdu.Capture();
        const POINT o = vdu.Origin(1, 4);
        EXPECT_EQ(over.At(o.x, o.y + 6), lightGrey);
        EXPECT_EQ(over.At(o.x, o.y), white);
        EXPECT_EQ(over.At(o.x, o.y + 13), black);
        int greyText = 0, darker = 0;
        for (int y = 1; y < 13; ++y)
            for (int x = 0; x < 8; ++x) {
                const COLORREF p = over.At(o.x + x, o.y + y);
                greyText += p == grey;
                darker += p != grey && p != lightGrey;
            }
        EXPECT_GT(greyText, 3);
        EXPECT_EQ(darker, 0) << "no black text on a button";

        // A highlighted number with a space on each side: the trailing space is the right end.
        vdu.Control(5);
        vdu.Write(10, 8, " 42 ");
        vdu.Control(2);
        vdu.Write(20, 8, "7 "); // not highlighted: no button
        vdu.Control(5);
        vdu.Write(30, 8, "99"); // followed by a cell never written: no button
        vdu.Control(2);
        vdu.MoveTo(79, 8);
        vdu.Control(131);
        vdu.Control(16, 8); // to (0, 8)
        EXPECT_EQ(vdu.Cell(10, 8), 0x10020u);
        EXPECT_EQ(vdu.Cell(11, 8), 0x01010000u | '4');
        EXPECT_EQ(vdu.Cell(12, 8), 0x02010000u | '2');
        EXPECT_EQ(vdu.Cell(13, 8), 0x03000020u);
        EXPECT_EQ(vdu.Cell(20, 8), uint32_t{'7'});
        EXPECT_EQ(vdu.Cell(21, 8), 32u);
        EXPECT_EQ(vdu.Cell(30, 8), 0x10000u | '9');
        EXPECT_EQ(vdu.Cell(31, 8), 0x10000u | '9');
        EXPECT_EQ(vdu.Cell(32, 8), 0u);
        const POINT end = vdu.Origin(13, 8);
        EXPECT_EQ(vdu.Front(end.x + 1, end.y + 5), lightGrey);
        EXPECT_EQ(vdu.Front(end.x + 4, end.y + 5), black);
        EXPECT_NE(vdu.Front(vdu.Origin(12, 8).x, vdu.Origin(12, 8).y + 6), back.At(0, 0));

        // Only the rows of the region are marked, from its lower right corner.
        vdu.Write(0, 10, "A: B: ");
        vdu.Write(0, 11, "C: ");
        vdu.MoveTo(3, 10);
        vdu.Control(130);
        vdu.Control(16, (5u << 16) | 10);
        EXPECT_EQ(vdu.Cell(1, 10), uint32_t{':'}) << "left of the region";
        EXPECT_EQ(vdu.Cell(3, 10), 0x01000000u | 'B');
        EXPECT_EQ(vdu.Cell(4, 10), 0x03000000u | ':');
        EXPECT_EQ(vdu.Cell(1, 11), uint32_t{':'});
    });
}

TEST(VduFrames, FrameOnIsClippedAndFrameOffClearsSharedCorners)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(Geometry{80, 24}), 0);
        const Image back = vdu.Capture(false);

        // From (70, 2) to a cursor at column 200: limited to column 79.
        vdu.MoveTo(70, 2);
        vdu.Control(137);
        vdu.Control(16, (200u << 16) | 5);
        EXPECT_EQ(vdu.block->regionMode, 0);
        EXPECT_EQ(vdu.block->anchorColumn, 70);
        EXPECT_EQ(vdu.block->anchorRow, 2);
        EXPECT_EQ(vdu.Frame(70, 2), 0xC0000000u);
        EXPECT_EQ(vdu.Frame(75, 2), 0x80000000u);
        EXPECT_EQ(vdu.Frame(79, 2), 0xA0000000u);
        EXPECT_EQ(vdu.Frame(70, 3), 0x40000000u);
        EXPECT_EQ(vdu.Frame(79, 4), 0x20000000u);
        EXPECT_EQ(vdu.Frame(70, 5), 0x50000000u);
        EXPECT_EQ(vdu.Frame(75, 5), 0x10000000u);
        EXPECT_EQ(vdu.Frame(79, 5), 0x30000000u);
        EXPECT_EQ(vdu.Frame(75, 3), 0u);
        EXPECT_EQ(vdu.Frame(69, 2), 0u);
        EXPECT_EQ(vdu.Frame(0, 3), 0u) << "nothing wrapped to the next row";
        EXPECT_EQ(vdu.Frame(70, 6), 0u);
        // The normaliser moved the cursor from column 200 to the next row.
        EXPECT_EQ(vdu.block->cursorColumn, 0);
        EXPECT_EQ(vdu.block->cursorRow, 6);
        const POINT corner = vdu.Origin(79, 2);
        EXPECT_EQ(vdu.Front(corner.x, corner.y + 4), white);
        EXPECT_EQ(vdu.Front(corner.x + 7, corner.y + 10), black);
        EXPECT_EQ(vdu.Front(corner.x + 3, corner.y + 10), back.At(corner.x + 3, corner.y + 10));

        // Two frames sharing the corner (20, 10); a character in that cell.
        vdu.Write(20, 10, "Q");
        vdu.Write(25, 12, "S");
        vdu.MoveTo(10, 7);
        vdu.Control(137);
        vdu.Control(16, (20u << 16) | 10);
        vdu.MoveTo(20, 10);
        vdu.Control(137);
        vdu.Control(16, (30u << 16) | 14);
        EXPECT_EQ(vdu.Frame(20, 10), 0xF0000000u);
        EXPECT_EQ(vdu.Frame(25, 12), 0u);
        const Image framed = vdu.Capture();
        const POINT q = vdu.Origin(20, 10);
        EXPECT_EQ(framed.At(q.x + 3, q.y + 2), black) << "left and right edges";
        EXPECT_EQ(framed.At(q.x, q.y + 6), black) << "top and bottom edges";
        EXPECT_EQ(framed.At(q.x, q.y + 7), white);

        vdu.MoveTo(10, 7);
        vdu.Control(136);
        vdu.Control(16, (20u << 16) | 10);
        EXPECT_EQ(vdu.Frame(20, 10), 0u) << "the other frame's bits in the corner go too";
        EXPECT_EQ(vdu.Frame(21, 10), 0x80000000u);
        EXPECT_EQ(vdu.Frame(20, 11), 0x40000000u);
        EXPECT_EQ(vdu.Frame(10, 7), 0u);
        EXPECT_EQ(vdu.Frame(15, 10), 0u);
        EXPECT_EQ(vdu.Cell(20, 10), uint32_t{'Q'});
        const Image unframed = vdu.Capture();
        EXPECT_TRUE(RowHasInk(unframed, back, vdu, 20, 10));
        int black_ = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 8; ++x)
                black_ += unframed.At(q.x + x, q.y + y) == black;
        EXPECT_GT(black_, 3) << "the character is back";
        EXPECT_EQ(unframed.At(q.x, q.y + 7), back.At(q.x, q.y + 7));

        // A one-cell frame from code 16 that keeps the cursor: all four edges.
        vdu.MoveTo(40, 20);
        vdu.Control(137);
        vdu.Control(16, 0x80000000u);
        EXPECT_EQ(vdu.Frame(40, 20), 0xF0000000u);
        EXPECT_EQ(vdu.Frame(41, 20), 0u);
        EXPECT_EQ(vdu.block->cursorColumn, 40);
        EXPECT_EQ(vdu.block->cursorRow, 20);

        // Remove frames (code 135) from the top: every frame bit goes, characters stay.
        vdu.Write(21, 11, "!");
        vdu.MoveTo(50, 3);
        vdu.Control(135);
        EXPECT_EQ(vdu.block->cursorColumn, 0);
        EXPECT_EQ(vdu.block->cursorRow, 0);
        for (int r = 0; r < 24; ++r)
            for (int c = 0; c < 80; ++c)
                ASSERT_EQ(vdu.Frame(c, r), 0u) << c << ", " << r;
        EXPECT_EQ(vdu.Cell(21, 11), uint32_t{'!'});
        EXPECT_TRUE(Band(vdu.Capture(), vdu, 2) == Band(back, vdu, 2));
    });
}

TEST(VduClearing, ClearingKeepsFrameEdgesAndRemovesCharactersAndAttributes)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(Geometry{80, 24}), 0);
        const Image back = vdu.Capture(false);
        vdu.Control(5);
        vdu.Write(3, 3, "H");
        vdu.Control(2);
        vdu.MoveTo(3, 3);
        vdu.Control(137);
        vdu.Control(16, 0x80000000u);
        ASSERT_EQ(vdu.Frame(3, 3), 0xF0000000u);
        vdu.Write(0, 2, "above");
        vdu.Write(0, 3, "ab");
        vdu.Write(70, 23, "end");
        const Image framed = vdu.Capture();

        // Code 24 from (2, 3): the framed cell loses its character and highlight, not its frame.
        vdu.MoveTo(2, 3);
        vdu.Control(24);
        EXPECT_EQ(vdu.block->cursorColumn, 2);
        EXPECT_EQ(vdu.block->cursorRow, 3);
        EXPECT_EQ(vdu.Cell(3, 3), 32u);
        EXPECT_EQ(vdu.Frame(3, 3), 0xF0000000u);
        EXPECT_EQ(vdu.Cell(0, 3), uint32_t{'a'});
        EXPECT_EQ(vdu.Cell(1, 3), uint32_t{'b'});
        EXPECT_EQ(vdu.Cell(2, 3), 32u);
        EXPECT_EQ(vdu.Cell(72, 23), 32u);
        EXPECT_EQ(vdu.Cell(0, 2), uint32_t{'a'});
        Image image = vdu.Capture();
        const POINT f = vdu.Origin(3, 3);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 8; ++x)
                ASSERT_EQ(image.At(f.x + x, f.y + y), framed.At(f.x + x, f.y + y)) << "frame drawing stays";
        EXPECT_TRUE(Band(image, vdu, 23) == Band(back, vdu, 23));
        vdu.MoveTo(0, 3);
        vdu.Control(135); // frames off: the cell is blank now
        EXPECT_EQ(vdu.Cell(3, 3), 32u);
        EXPECT_FALSE(RowHasInk(vdu.Capture(), back, vdu, 3, 3));

        // Code 23 clears to the end of the cursor row only.
        vdu.Write(0, 5, "0123456789");
        vdu.Write(0, 6, "next");
        vdu.MoveTo(4, 5);
        vdu.Control(23);
        EXPECT_EQ(vdu.Cell(3, 5), uint32_t{'3'});
        EXPECT_EQ(vdu.Cell(4, 5), 32u);
        EXPECT_EQ(vdu.Cell(9, 5), 32u);
        EXPECT_EQ(vdu.Cell(0, 6), uint32_t{'n'});

        // Code 25: home, then only highlighted cells are cleared.
        vdu.Write(0, 8, "plain");
        vdu.Control(5);
        vdu.Write(6, 8, "bright");
        vdu.Control(2);
        vdu.MoveTo(9, 9);
        vdu.Control(25);
        EXPECT_EQ(vdu.block->cursorColumn, 0);
        EXPECT_EQ(vdu.block->cursorRow, 0);
        EXPECT_EQ(vdu.Cell(0, 8), uint32_t{'p'});
        for (int c = 6; c < 12; ++c)
            EXPECT_EQ(vdu.Cell(c, 8), 32u);
        EXPECT_EQ(vdu.Cell(0, 6), uint32_t{'n'});

        // Code 12: home and clear everything.
        vdu.MoveTo(40, 12);
        vdu.Control(12);
        EXPECT_EQ(vdu.block->cursorColumn, 0);
        EXPECT_EQ(vdu.block->cursorRow, 0);
        for (int r = 0; r < 24; ++r)
            for (int c = 0; c < 80; ++c)
                ASSERT_EQ(vdu.Cell(c, r), 32u);
        EXPECT_TRUE(vdu.Capture() == back);
    });
}

// After 'V' has read the last cell of a row the cursor stands one past it; clearing to the end
// of the screen from there clears the rows below.
TEST(VduClearing, ClearToEndOfScreenFromJustPastARow)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(Geometry{20, 6}), 0);
        for (int r = 0; r < 6; ++r)
            vdu.Write(0, r, "0123456789abcdefghi");
        vdu.MoveTo(19, 2);
        vdu.block->data = 0;
        ASSERT_EQ(vdu.Submit('V'), 0);
        ASSERT_EQ(vdu.block->cursorColumn, 20);
        vdu.Control(24);
        EXPECT_EQ(vdu.Cell(18, 2), uint32_t{'i'}) << "the cursor row is untouched";
        for (int r = 3; r < 6; ++r)
            for (int c = 0; c < 20; ++c)
                EXPECT_EQ(vdu.Cell(c, r), 32u) << c << ", " << r;
        EXPECT_EQ(vdu.block->cursorColumn, 0);
        EXPECT_EQ(vdu.block->cursorRow, 3);
    });
}

} // namespace
