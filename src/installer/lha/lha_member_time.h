// A member's modification time as an archive header records it: MS-DOS date and time in
// local time (header levels 0 and 1) or seconds since 1970 in UTC (level 2, extensions).
#pragma once

#include <cstdint>

struct MemberTime {
    enum class Kind { none, dosLocal, unixUtc };
    Kind kind = Kind::none;
    uint32_t dos = 0;        // date in the high word, time in the low word
    int64_t unixSeconds = 0;
};

// The calendar fields of an MS-DOS time stamp.
struct DosFields {
    int year;   // 1980..2107
    int month;  // 1..12
    int day;    // 1..the last of the month
    int hour;   // 0..23
    int minute; // 0..59
    int second; // 0..58, even
};

// False when a field is out of range (month 0, 30 February, hour 25, ...).
bool SplitDosTime(uint32_t dos, DosFields &fields);

// Whether the time can be applied: a UTC time from 1601 to 9999, a DOS time with valid fields.
bool IsUsableTime(const MemberTime &time);

// Seconds since 1970 of a Windows FILETIME (100 ns units since 1601).
int64_t FileTimeToUnixSeconds(uint64_t fileTime);
