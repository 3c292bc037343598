#include "host/command_line.h"

namespace {

// Signed comparisons, so bytes above 127 never match.
bool IsLetter(signed char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(signed char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

CommandLineSwitches ScanCommandLine(const char *commandLine)
{
    CommandLineSwitches result;
    if (!commandLine)
        return result;
    for (const char *p = commandLine; *p; ++p) {
        const signed char next = static_cast<signed char>(p[1]);
        if (*p == '!' && (IsDigit(next) || IsLetter(next)))
            result.bangLetter = static_cast<uint8_t>(next);
        if (*p == '/' && IsLetter(next))
            result.optionFlags[(next & 31) - 1] = 1;
    }
    return result;
}
