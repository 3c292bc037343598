#include "monitor/clock_stamp.h"

#include <cstdio>

namespace {

// Builds a word from the character positions given least significant nibble first; each
// nibble is the character's code AND 0x0F, so a blank gives 0.
uint32_t PackNibbles(const char *text, const int (&positions)[8])
{
    uint32_t word = 0;
    for (int n = 0; n < 8; ++n)
        word |= static_cast<uint32_t>(text[positions[n]] & 0x0F) << (4 * n);
    return word;
}

} // namespace

ClockStampWords PackClockStamp(const LocalTimeFields &t)
{
    char text[64] = {};
    std::snprintf(text, sizeof text, "%4d.%2d.%2d %2d:%2d:%2d.%2d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second, t.milliseconds);
    static constexpr int datePositions[8] = {1, 0, 3, 2, 6, 5, 9, 8};
    static constexpr int timePositions[8] = {12, 11, 15, 14, 18, 17, 21, 20};
    return {PackNibbles(text, datePositions), PackNibbles(text, timePositions)};
}

uint8_t AdvanceTickCounter(uint8_t counter)
{
    return static_cast<uint8_t>((counter + 15) & 0xF4);
}

bool TickTakesStamp(uint8_t counter)
{
    return (counter & 0x30) == 0x20;
}
