// Disk and version values as the host context keeps them.
#pragma once

#include <cstdint>

// Folds a 32-bit value to 16 bits (high half OR low half) and stores it high byte first.
void StoreFolded16(uint8_t out[2], uint32_t value);
