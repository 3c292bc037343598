// The viewer's page rules on their own: character translation, box bars, and which cells a
// pass redraws in which colour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vdu/viewer_page.h"

namespace {

std::vector<uint8_t> PageWith(int column, int row, uint8_t ch, uint8_t attribute)
{
    std::vector<uint8_t> page(pageReadSize, 0);
    page[2 * (row * pageColumns + column)] = ch;
    page[2 * (row * pageColumns + column) + 1] = attribute;
    return page;
}

bool Inside(const RECT &r, int x, int y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// The 8 x 16 pixels a box character covers, as rows of '#' and '.'.
std::vector<std::string> BoxPixels(uint8_t code)
{
    BoxBars bars;
    EXPECT_TRUE(BoxBarsOf(code, bars)) << int{code};
    std::vector<std::string> rows;
    for (int y = 0; y < 16; ++y) {
        std::string row;
        for (int x = 0; x < 10; ++x)
            row += Inside(bars.horizontal, x, y) || Inside(bars.vertical, x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

TEST(ViewerPage, NationalCharactersAreTranslatedOnceAndOthersPass)
{
    const std::pair<uint8_t, uint8_t> mapped[] = {
        {0x5B, 0xC4}, {0x5C, 0xD6}, {0x5D, 0xDC}, {0x7B, 0xE4}, {0x7C, 0xF6}, {0x7D, 0xFC}, {0x7E, 'A'},
        {0x8E, 0xC4}, {0x99, 0xD6}, {0x9A, 0xDC}, {0x84, 0xE4}, {0x94, 0xF6}, {0x81, 0xFC}, {0x15, 0xDF}};
    int changed = 0;
    for (int b = 0; b < 256; ++b)
        changed += TranslatePageCharacter(static_cast<uint8_t>(b)) != b;
    EXPECT_EQ(changed, 14);
    for (auto [from, to] : mapped) {
        EXPECT_EQ(TranslatePageCharacter(from), to) << std::hex << int{from};
        // an output is never translated again
        EXPECT_EQ(TranslatePageCharacter(to), to) << std::hex << int{to};
    }
}

TEST(ViewerPage, DoubleLineBoxCharactersAreBarsAndTheirNeighboursText)
{
    BoxBars bars;
    for (int code : {184, 189, 190, 196, 199, 207, 77})
        EXPECT_FALSE(BoxBarsOf(static_cast<uint8_t>(code), bars)) << code;

    // top-left corner: bar from column 1 rightwards, stem from row 6 down
    const std::vector<std::string> corner = BoxPixels(201);
    EXPECT_EQ(corner[4], "..........");
    EXPECT_EQ(corner[5], "..######..");
    EXPECT_EQ(corner[6], ".#######..");
    EXPECT_EQ(corner[15], ".###......");
    // the tee opening right reaches two pixels into the next cell
    EXPECT_EQ(BoxPixels(204)[6], ".#########");
    EXPECT_EQ(BoxPixels(204)[0], ".###......");
}

TEST(ViewerPage, OnlyAChangedCharacterIsRedrawn)
{
    const std::vector<uint8_t> page = PageWith(79, 23, 0x5B, 0x07);
    // the translated character is what the cell is compared with
    EXPECT_FALSE(PlanPageCell(page.data(), 79, 23, 0xC4).redraw);
    const PageCellDraw changed = PlanPageCell(page.data(), 79, 23, 'x');
    EXPECT_TRUE(changed.redraw);
    EXPECT_EQ(changed.word, 0xC4u);
    EXPECT_FALSE(changed.box);
    // attributes in the cell word (highlight, button) make it differ: the plain character is stored
    EXPECT_TRUE(PlanPageCell(page.data(), 79, 23, 0x100C4).redraw);
    // cells holding 0 on a fresh screen stay untouched
    EXPECT_FALSE(PlanPageCell(page.data(), 0, 0, 0).redraw);
    EXPECT_TRUE(PlanPageCell(page.data(), 78, 23, 'x').redraw);
}

TEST(ViewerPage, IntensityBitAloneMakesTextPurple)
{
    for (uint8_t attribute : {0x08, 0x0F, 0x78, 0xF8})
        EXPECT_EQ(PlanPageCell(PageWith(3, 2, 'Q', attribute).data(), 3, 2, 0).textColour, pageTextPurple)
            << int{attribute};
    for (uint8_t attribute : {0x00, 0x07, 0x70, 0xF7})
        EXPECT_EQ(PlanPageCell(PageWith(3, 2, 'Q', attribute).data(), 3, 2, 0).textColour, pageTextBlack)
            << int{attribute};
    const PageCellDraw box = PlanPageCell(PageWith(40, 12, 205, 0x0F).data(), 40, 12, 0);
    EXPECT_TRUE(box.redraw);
    EXPECT_TRUE(box.box);
    EXPECT_EQ(box.word, 205u);
}

TEST(ViewerPage, TextSegmentsJoinNeighboursOfOneColourAcrossBoxCells)
{
    auto cell = [](bool box, COLORREF colour) {
        PageCellDraw d;
        d.redraw = true;
        d.box = box;
        d.textColour = colour;
        return d;
    };
    const COLORREF k = pageTextBlack, p = pageTextPurple;
    const PageCellDraw run[] = {cell(true, p), cell(false, k), cell(true, p), cell(false, k), cell(false, p),
                                cell(false, p), cell(true, k),  cell(false, k), cell(true, k)};
    TextSegment segments[9];
    const int32_t n = SplitTextSegments(run, 9, segments);
    ASSERT_EQ(n, 3);
    EXPECT_EQ(segments[0].first, 0);
    EXPECT_EQ(segments[0].count, 4);
    EXPECT_EQ(segments[0].colour, k);
    EXPECT_EQ(segments[1].first, 4);
    EXPECT_EQ(segments[1].count, 2);
    EXPECT_EQ(segments[1].colour, p);
    EXPECT_EQ(segments[2].first, 6);
    EXPECT_EQ(segments[2].count, 2);
    EXPECT_EQ(segments[2].colour, k);
    // every text cell is in exactly one segment
    const PageCellDraw boxes[] = {cell(true, k), cell(true, p)};
    EXPECT_EQ(SplitTextSegments(boxes, 2, segments), 0);
    EXPECT_EQ(SplitTextSegments(run + 4, 1, segments), 1);
}

} // namespace
