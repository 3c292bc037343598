// The packed-decimal clock stamp and the tick counter kept in its last byte.
#pragma once

#include <cstdint>

struct ClockStampWords {
    uint32_t date; // bytes: century, year, month, day
    uint32_t time; // bytes: hour, minute, second, first two characters of the milliseconds
};

struct LocalTimeFields {
    int year, month, day, hour, minute, second, milliseconds;
};

ClockStampWords PackClockStamp(const LocalTimeFields &t);

// The counter after one 55 ms tick.
uint8_t AdvanceTickCounter(uint8_t counter);

// Whether a counter value (after advancing) calls for a fresh stamp.
bool TickTakesStamp(uint8_t counter);
