// The CRC-16 of LHA archives (polynomial 0x8005, reflected, initial value 0).
#pragma once

#include <cstddef>
#include <cstdint>

uint16_t LhaCrc16(uint16_t crc, const uint8_t *data, size_t size);
