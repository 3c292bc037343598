#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "print/print_block.h"
#include "print/print_rules.h"

using namespace print_rules;

namespace {

TEST(PrintOpenDefaults, ColumnsAndRows)
{
    EXPECT_EQ(OpenColumns(0, 80), 80);
    EXPECT_EQ(OpenColumns(-5, 132), 132);
    EXPECT_EQ(OpenColumns(0, 0), 1);    // a host default below 1 still gives one column
    EXPECT_EQ(OpenColumns(0, 500), 192);
    EXPECT_EQ(OpenColumns(300, 80), 192);
    EXPECT_EQ(OpenColumns(192, 80), 192);
    EXPECT_EQ(OpenColumns(1, 80), 1);
    EXPECT_EQ(OpenRows(0), 72);
    EXPECT_EQ(OpenRows(-1), 72);
    EXPECT_EQ(OpenRows(1), 1);
    EXPECT_EQ(SafeColumns(-7), 1);
    EXPECT_EQ(SafeColumns(100000), 192);
}

std::string Name(const char (&port)[8])
{
    char name[kPrinterNameSize];
    std::memset(name, 'x', sizeof name);
    PrinterName(port, name);
    return std::string(name, name + 10) + (name[10] == '\0' ? "|" : "?");
}

TEST(PrintPrinterName, KindLetterAndDigit)
{
    EXPECT_EQ(Name({'L', 'P', 'T', '1'}), "tarnwellP1|");
    EXPECT_EQ(Name({'C', 'O', 'M', '2'}), "tarnwellS2|");
    EXPECT_EQ(Name({'c', 'o', 'm', '3'}), "tarnwellP3|"); // only an upper-case C marks a serial port
    EXPECT_EQ(Name({'P', 'R', 'N', '\0'}), std::string("tarnwellP\0|", 11));
    EXPECT_EQ(Name({'L', 'P', 'T', '1', 'X', 'Y', 'Z', 'W'}), "tarnwellP1|");
}

TEST(PrintPrinterName, FirstParallelPortOnly)
{
    char name[kPrinterNameSize];
    PrinterName("LPT1", name);
    EXPECT_TRUE(IsFirstParallel(name));
    PrinterName("LPT2", name);
    EXPECT_FALSE(IsFirstParallel(name));
    PrinterName("COM1", name);
    EXPECT_FALSE(IsFirstParallel(name));
}

TEST(PrintLinePitch, SixLinesPerInchTruncatedTowardZero)
{
    const int32_t expected[] = {0, -16, -33, -50, -66, -83, -100};
    for (int32_t row = 0; row < 7; ++row)
        EXPECT_EQ(LineY(row), expected[row]) << row;
    EXPECT_EQ(LineY(-1), 16);
    EXPECT_EQ(LineY(INT32_MAX), INT32_MIN); // far beyond the page, no overflow
}

TEST(PrintPageLength, RowsThatFitThePrintableHeight)
{
    struct Case {
        int32_t heightPixels, pixelsPerInch, rows;
    } cases[] = {
        {3508, 300, 70},   // A4 without margins: 11.69 inches
        {3300, 300, 66},   // 11 inches: the last row ends exactly at the bottom
        {3299, 300, 65},   // a pixel less and it no longer fits
        {3150, 300, 63},   // Letter less half an inch of margins
        {7016, 600, 70},
        {10, 300, 1},      // a page lower than a line still takes one
        {0, 300, INT32_MAX}, // no usable size: no page length
        {3508, 0, INT32_MAX},
        {INT32_MAX, 1, INT32_MAX},
    };
    for (const Case &c : cases)
        EXPECT_EQ(RowsOnPage(c.heightPixels, c.pixelsPerInch), c.rows) << c.heightPixels << " at " << c.pixelsPerInch;
}

TEST(PrintPageLength, ALineBelowThePageGoesToTheNext)
{
    const char blank[] = "    ", text[] = "  x ";
    EXPECT_TRUE(IsBlankLine(blank, 4));
    EXPECT_FALSE(IsBlankLine(text, 4));
    EXPECT_TRUE(IsBlankLine(text, 2)); // only the line's own columns count
    struct Case {
        int32_t row, rowsOnPage;
        bool blank;
        PageBreak expected;
    } cases[] = {
        {0, 70, false, PageBreak::None},
        {69, 70, false, PageBreak::None},
        {70, 70, false, PageBreak::NewPage},
        {70, 70, true, PageBreak::EndPageOnly}, // a page that is exactly full makes no blank page
        {500, 70, false, PageBreak::NewPage},   // a row the client left far below
        {-1, 70, false, PageBreak::None},
        {1000000, INT32_MAX, false, PageBreak::None},
    };
    for (const Case &c : cases)
        EXPECT_EQ(BreakBeforeLine(c.row, c.rowsOnPage, c.blank), c.expected) << c.row << " of " << c.rowsOnPage;
}

TEST(PrintOwnFont, TenToTheInchUnlessTheLineWouldNotFit)
{
    struct Case {
        int32_t columns, widthPixels, pixelsPerInch, advance, height;
    } cases[] = {
        {80, 2480, 300, 10, 16},  // A4 without margins: 8.27 inches
        {80, 2400, 300, 10, 16},  // 8 inches: exactly 80 tenths
        {80, 2330, 300, 9, 15},   // A4 less margins: 7.77 inches
        {80, 4960, 600, 10, 16},
        {40, 2480, 300, 10, 16},  // never wider than a tenth
        {132, 2480, 300, 6, 10},
        {192, 2480, 300, 4, 6},
        {5000, 2480, 300, 4, 6},  // columns beyond the line buffer count as 192
        {192, 50, 300, 1, 1},     // at least one hundredth
        {80, 0, 300, 10, 16},     // no usable size: a tenth
        {80, 2480, 0, 10, 16},
    };
    for (const Case &c : cases) {
        const FontCell cell = OwnFontCell(c.columns, c.widthPixels, c.pixelsPerInch);
        EXPECT_EQ(cell.advance, c.advance) << c.columns << " columns on " << c.widthPixels << " at " << c.pixelsPerInch;
        EXPECT_EQ(cell.height, c.height) << c.columns << " columns on " << c.widthPixels << " at " << c.pixelsPerInch;
    }
}

TEST(PrintOwnFont, CharactersStandOnTheirColumnsInTrueInches)
{
    // A mapping mode's hundredths of an inch, taken from a size in whole millimetres, are not
    // quite the device's: 209 mm are 823 hundredths where 2479 pixels at 300 per inch are 826.
    struct Case {
        int32_t advance, pixelsPerInch, window, viewport;
    } cases[] = {
        {10, 300, 823, 2479},
        {10, 300, 823, -2479}, // a y-up mapping has a negative extent
        {10, 600, 826, 4960},
        {6, 300, 1169, 3508},
        {10, 72, 827, 595},
    };
    for (const Case &c : cases) {
        int32_t advances[PRINT_LINE_BUFFER_SIZE];
        ColumnAdvances(c.advance, c.pixelsPerInch, c.window, c.viewport, PRINT_LINE_BUFFER_SIZE, advances);
        const double pixelsPerUnit = std::abs(double(c.viewport) / c.window);
        int64_t x = 0;
        for (int32_t i = 1; i <= PRINT_LINE_BUFFER_SIZE; ++i) {
            x += advances[i - 1];
            const double ideal = i * c.advance * c.pixelsPerInch / 100.0;
            ASSERT_LE(std::abs(x * pixelsPerUnit - ideal), pixelsPerUnit / 2 + 1e-9)
                << "character " << i << " at " << c.pixelsPerInch << " per inch, " << c.window << "/" << c.viewport;
        }
    }
    int32_t plain[3];
    ColumnAdvances(7, 300, 0, 2479, 3, plain); // no mapping to go by
    EXPECT_EQ(std::vector<int32_t>(plain, plain + 3), std::vector<int32_t>(3, 7));
}

struct Line {
    char buffer[PRINT_LINE_BUFFER_SIZE + 8];
    LineState state;
    explicit Line(int32_t columns) : state{buffer, columns, 0, 0}
    {
        std::memset(buffer, '#', sizeof buffer);
        ClearLine(buffer, columns);
    }
    CharacterOutcome Send(uint32_t data) { return ApplyCharacter(state, data); }
    void SendText(const char *text)
    {
        for (; *text; ++text)
            Send(static_cast<uint8_t>(*text));
    }
    std::string Text() const { return std::string(buffer, buffer + state.columns); }
};

TEST(PrintLineBuffer, CarriageReturnOverwritesFromTheStart)
{
    Line line(8);
    line.SendText("Hello\rJ");
    EXPECT_EQ(line.state.cursorColumn, 1);
    const CharacterOutcome lf = line.Send('\n');
    EXPECT_EQ(lf.action, LineAction::DrawLine);
    EXPECT_EQ(lf.drawRow, 0);
    EXPECT_EQ(line.Text(), "Jello   ");
    EXPECT_EQ(line.state.cursorColumn, 0);
    EXPECT_EQ(line.state.cursorRow, 1);
    EXPECT_EQ(line.buffer[8], '#'); // nothing past the line
}

TEST(PrintLineBuffer, FormFeedDrawsAndEndsThePageWithoutAdvancingTheRow)
{
    Line line(4);
    line.state.cursorRow = 5;
    line.SendText("ab");
    const CharacterOutcome ff = line.Send('\f');
    EXPECT_EQ(ff.action, LineAction::DrawLineAndEndPage);
    EXPECT_EQ(ff.drawRow, 5);
    EXPECT_EQ(line.state.cursorRow, 5); // the caller resets it when the page ends
    EXPECT_EQ(line.state.cursorColumn, 0);
    EXPECT_EQ(line.Text(), "ab  ");
}

TEST(PrintLineBuffer, DropsControlsMarkedWordsAndCharactersPastTheLine)
{
    Line line(5);
    line.SendText("ABCDEFG");
    EXPECT_EQ(line.Text(), "ABCDE");
    EXPECT_EQ(line.state.cursorColumn, 5);
    EXPECT_EQ(line.buffer[5], '#');

    Line other(6);
    other.Send(0x01);
    other.Send(0x1B);
    other.Send(0x00020000u | 'X'); // bits 16..23 at 2: not stored
    other.Send(0x00010000u | 'Y'); // at 1: stored
    other.Send(0xE9);              // bytes above 127 are printable
    EXPECT_EQ(other.Text(), std::string("Y\xE9    "));
    const CharacterOutcome lf = other.Send(0x0002000Au); // not stored, but the line feed acts
    EXPECT_EQ(lf.action, LineAction::DrawLine);
    EXPECT_EQ(other.state.cursorRow, 1);
    EXPECT_EQ(other.Send(0x0003000Cu).action, LineAction::DrawLineAndEndPage);
}

TEST(PrintLineBuffer, ClientCursorOutsideTheLineStoresNothing)
{
    Line line(4);
    line.state.cursorColumn = -3;
    line.Send('Z');
    line.state.cursorColumn = 4;
    line.Send('Z');
    line.state.cursorColumn = 100000;
    line.Send('Z');
    EXPECT_EQ(std::string(line.buffer, line.buffer + sizeof line.buffer),
              std::string("    ") + std::string(sizeof line.buffer - 4, '#'));
    line.Send('\r');
    EXPECT_EQ(line.state.cursorColumn, 0);
    line.state.cursorRow = INT32_MAX;
    EXPECT_EQ(line.Send('\n').drawRow, INT32_MAX);
    EXPECT_EQ(line.state.cursorRow, INT32_MAX);
}

TEST(PrintLineBuffer, ClearLineNeverPassesTheBuffer)
{
    char buffer[PRINT_LINE_BUFFER_SIZE + 4];
    std::memset(buffer, '#', sizeof buffer);
    ClearLine(buffer, 5000);
    EXPECT_EQ(buffer[PRINT_LINE_BUFFER_SIZE - 1], ' ');
    EXPECT_EQ(buffer[PRINT_LINE_BUFFER_SIZE], '#');
    ClearLine(buffer + 100, -1); // at least one column
    EXPECT_EQ(buffer[100], ' ');
}

} // namespace
