#include <gtest/gtest.h>

#include <cstring>
#include <string>

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
