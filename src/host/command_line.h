// The command-line switches: '!' with a letter or digit, '/' with a letter.
#pragma once

#include <cstdint>

struct CommandLineSwitches {
    uint8_t bangLetter = 0;        // character after the last "!x" switch, 0 if none
    uint8_t optionFlags[26] = {};  // 1 for each letter given as "/x", either case
};

CommandLineSwitches ScanCommandLine(const char *commandLine);
