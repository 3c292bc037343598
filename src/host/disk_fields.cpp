#include "host/disk_fields.h"

void StoreFolded16(uint8_t out[2], uint32_t value)
{
    const uint32_t folded = (value >> 16) | (value & 0xFFFFu);
    out[0] = static_cast<uint8_t>(folded >> 8);
    out[1] = static_cast<uint8_t>(folded);
}
