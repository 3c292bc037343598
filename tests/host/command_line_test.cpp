#include <gtest/gtest.h>

#include "host/command_line.h"

namespace {

int FlagCount(const CommandLineSwitches &s)
{
    int n = 0;
    for (uint8_t f : s.optionFlags)
        n += f;
    return n;
}

TEST(CommandLine, SwitchesOfBothKindsWithLaterBangWinning)
{
    const CommandLineSwitches s = ScanCommandLine("/p !7 /Q !x");
    EXPECT_EQ(s.optionFlags['P' - 'A'], 1);
    EXPECT_EQ(s.optionFlags['Q' - 'A'], 1);
    EXPECT_EQ(FlagCount(s), 2);
    EXPECT_EQ(s.bangLetter, 'x');
}

TEST(CommandLine, TrailingMarksAndNonLettersSetNothing)
{
    for (const char *line : {"!", "/", "abc !", "abc /", "/1", "!#", "/ P", "! 7", ""}) {
        const CommandLineSwitches s = ScanCommandLine(line);
        EXPECT_EQ(s.bangLetter, 0) << line;
        EXPECT_EQ(FlagCount(s), 0) << line;
    }
}

TEST(CommandLine, OnlyTheLetterRightAfterTheSlashCounts)
{
    const CommandLineSwitches s = ScanCommandLine("/ab");
    EXPECT_EQ(s.optionFlags[0], 1);
    EXPECT_EQ(FlagCount(s), 1);
}

TEST(CommandLine, UpperAndLowerCaseSetTheSameFlag)
{
    EXPECT_EQ(ScanCommandLine("/z").optionFlags[25], 1);
    EXPECT_EQ(ScanCommandLine("/Z").optionFlags[25], 1);
    EXPECT_EQ(ScanCommandLine("!9").bangLetter, '9');
    EXPECT_EQ(ScanCommandLine("!!A").bangLetter, 'A');
}

TEST(CommandLine, BytesAbove127NeverMatch)
{
    // 0xC1 AND 31 would be 1 ('A') and 0xB7 looks like '7' in the low bits.
    const CommandLineSwitches s = ScanCommandLine("/\xC1 !\xB7 !\xE1 /\xFA");
    EXPECT_EQ(s.bangLetter, 0);
    EXPECT_EQ(FlagCount(s), 0);
}

TEST(CommandLine, NullLineIsEmpty)
{
    EXPECT_EQ(FlagCount(ScanCommandLine(nullptr)), 0);
}

} // namespace
