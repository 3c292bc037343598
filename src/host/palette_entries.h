// The host palette: 65 entries, a grey ramp with the default colours in entries 1..7.
#pragma once

#include <cstdint>

constexpr int paletteEntryCount = 65;
constexpr int paletteBytes = 4 + 4 * paletteEntryCount; // 264: header and entries

struct PaletteEntry {
    uint8_t red, green, blue, flags;
};

// The colour table filled for `colours` (eight COLORREF values 0x00BBGGRR).
void BuildPaletteEntries(const uint32_t colours[8], PaletteEntry out[paletteEntryCount]);
