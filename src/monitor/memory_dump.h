// Layout and text of the memory monitor's hex dump.
#pragma once

#include <cstdint>

constexpr int dumpRows = 48;
constexpr int dumpBytesPerRow = 16;
constexpr int dumpBytes = dumpRows * dumpBytesPerRow;
constexpr int dumpAddressX = 164;
constexpr int dumpCharX = 580;
constexpr int dumpCharStep = 8;

inline int DumpRowY(int row) { return 24 + 11 * row; }

// x of the two hex digits of byte `column`: a gap of 8 pixels after every fourth byte.
inline int DumpHexX(int column)
{
    return 260 + 16 * column + 8 * ((column >= 4) + (column >= 8) + (column >= 12));
}

// "%08lX" of an address into `out` (at least 9 bytes).
void FormatDumpAddress(uint32_t address, char *out);

// "%02lX" of a byte into `out` (at least 3 bytes).
void FormatDumpByte(uint8_t value, char *out);
