#include "host/palette_entries.h"

#include <algorithm>

void BuildPaletteEntries(const uint32_t colours[8], PaletteEntry out[paletteEntryCount])
{
    for (int i = 0; i < paletteEntryCount; ++i) {
        const auto grey = static_cast<uint8_t>(std::min(8 * i, 255));
        out[i] = {grey, grey, grey, 0};
    }
    for (int i = 1; i <= 7; ++i) {
        const uint32_t c = colours[i - 1];
        out[i] = {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c >> 16), 0};
    }
}
