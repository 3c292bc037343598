// The chain of extended headers of levels 1 and 2: each one a type byte, its data and the
// size of the next one (0 ends the chain). Every size counts the type, data and next size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "installer/lha/lha_member_time.h"

struct ExtendedFields {
    std::optional<std::string> name;      // type 0x01
    std::optional<std::string> directory; // type 0x02, 0xFF separated
    std::optional<int64_t> unixTime;      // type 0x54, or the write time of type 0x41
    std::optional<size_t> crcOffset;      // type 0x00: where its header CRC lies in `chain`
    uint16_t headerCrc = 0;
};

// Walks the chain in `chain`, the first extended header having `firstSize` bytes. Sets
// `used` to the bytes the chain takes. Empty on success, else what is wrong.
std::string ParseExtendedHeaders(std::span<const uint8_t> chain, size_t firstSize, ExtendedFields &fields,
                                 size_t &used);
