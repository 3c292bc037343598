#include "installer/lha/lha_member_time.h"

namespace {

int DaysInMonth(int year, int month)
{
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

} // namespace

bool SplitDosTime(uint32_t dos, DosFields &fields)
{
    const unsigned date = dos >> 16;
    const unsigned time = dos & 0xFFFF;
    fields.year = 1980 + static_cast<int>(date >> 9);
    fields.month = static_cast<int>((date >> 5) & 15);
    fields.day = static_cast<int>(date & 31);
    fields.hour = static_cast<int>(time >> 11);
    fields.minute = static_cast<int>((time >> 5) & 63);
    fields.second = static_cast<int>(time & 31) * 2;
    return fields.month >= 1 && fields.month <= 12 && fields.day >= 1 &&
           fields.day <= DaysInMonth(fields.year, fields.month) && fields.hour <= 23 && fields.minute <= 59 &&
           fields.second <= 58;
}

int64_t FileTimeToUnixSeconds(uint64_t fileTime)
{
    constexpr int64_t secondsFrom1601To1970 = 11644473600;
    return static_cast<int64_t>(fileTime / 10000000) - secondsFrom1601To1970;
}

bool IsUsableTime(const MemberTime &time)
{
    constexpr int64_t first1601 = -11644473600;
    constexpr int64_t last9999 = 253402300799;
    DosFields fields;
    if (time.kind == MemberTime::Kind::unixUtc)
        return time.unixSeconds >= first1601 && time.unixSeconds <= last9999;
    return time.kind == MemberTime::Kind::dosLocal && SplitDosTime(time.dos, fields);
}
