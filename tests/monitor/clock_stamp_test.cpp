#include <gtest/gtest.h>

#include <set>

#include "monitor/clock_stamp.h"

namespace {

// The stamp's bytes in address order (the words are stored little-endian).
std::array<uint8_t, 8> Bytes(const ClockStampWords &w)
{
    std::array<uint8_t, 8> b{};
    for (int i = 0; i < 4; ++i) {
        b[i] = static_cast<uint8_t>(w.date >> (8 * i));
        b[4 + i] = static_cast<uint8_t>(w.time >> (8 * i));
    }
    return b;
}

TEST(ClockStamp, PacksEachFieldAsTwoDecimalDigits)
{
    const auto b = Bytes(PackClockStamp({2026, 12, 7, 15, 43, 12, 42}));
    const std::array<uint8_t, 8> expected{0x20, 0x26, 0x12, 0x07, 0x15, 0x43, 0x12, 0x42};
    EXPECT_EQ(b, expected);
}

TEST(ClockStamp, LastByteTakesTheFirstTwoCharactersOfTheMilliseconds)
{
    EXPECT_EQ(Bytes(PackClockStamp({2026, 1, 1, 0, 0, 0, 5}))[7], 0x05);
    EXPECT_EQ(Bytes(PackClockStamp({2026, 1, 1, 0, 0, 0, 42}))[7], 0x42);
    EXPECT_EQ(Bytes(PackClockStamp({2026, 1, 1, 0, 0, 0, 987}))[7], 0x98);
    EXPECT_EQ(Bytes(PackClockStamp({2026, 1, 1, 0, 0, 0, 100}))[7], 0x10);
    EXPECT_EQ(Bytes(PackClockStamp({2026, 1, 1, 0, 0, 0, 0}))[7], 0x00);
}

TEST(ClockStamp, SingleDigitFieldsHaveALeadingZeroDigit)
{
    const auto b = Bytes(PackClockStamp({1999, 3, 9, 4, 5, 6, 7}));
    const std::array<uint8_t, 8> expected{0x19, 0x99, 0x03, 0x09, 0x04, 0x05, 0x06, 0x07};
    EXPECT_EQ(b, expected);
}

TEST(TickCounter, StepsAndStampConditions)
{
    EXPECT_EQ(AdvanceTickCounter(0x11), 0x20);
    EXPECT_TRUE(TickTakesStamp(0x20));
    EXPECT_EQ(AdvanceTickCounter(0x05), 0x14);
    EXPECT_FALSE(TickTakesStamp(0x14));
    EXPECT_EQ(AdvanceTickCounter(0xF4), 0x00);
    EXPECT_FALSE(TickTakesStamp(0x00));
}

TEST(TickCounter, EnterA32ValueCycleAndStampWithinSevenTicks)
{
    const std::set<int> stampValues{0x20, 0x24, 0x60, 0x64, 0xA0, 0xA4, 0xE0, 0xE4};
    for (int start = 0; start < 256; ++start) {
        uint8_t c = static_cast<uint8_t>(start);
        c = AdvanceTickCounter(c);
        std::set<int> seen;
        uint8_t d = c;
        for (int i = 0; i < 64; ++i) {
            seen.insert(d);
            EXPECT_EQ(TickTakesStamp(d), stampValues.count(d) == 1) << std::hex << int(d);
            d = AdvanceTickCounter(d);
        }
        EXPECT_EQ(seen.size(), 32u) << "from " << start;
    }
    // Whatever a stamp leaves in the last byte (two BCD digits of the milliseconds), the next
    // stamp is due after 1 to 7 ticks.
    for (int ms = 0; ms < 1000; ++ms) {
        uint8_t c = Bytes(PackClockStamp({2026, 1, 1, 0, 0, 0, ms}))[7];
        int ticks = 0;
        do {
            c = AdvanceTickCounter(c);
            ++ticks;
        } while (!TickTakesStamp(c) && ticks < 100);
        EXPECT_GE(ticks, 1);
        EXPECT_LE(ticks, 7) << "ms " << ms;
    }
}

} // namespace
