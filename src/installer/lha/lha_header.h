// One member header of an LHA archive, levels 0, 1 and 2.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "installer/lha/lha_member_time.h"

struct LhaHeader {
    std::string method;       // the five characters "-lh5-", "-lhd-", ...
    unsigned level = 0;
    uint64_t packedSize = 0;  // member data bytes after the header
    uint64_t originalSize = 0;
    uint16_t crc = 0;         // CRC-16 of the original bytes
    std::string path;         // directory and name as stored: '/', '\\' or 0xFF separate them
    MemberTime time;
    size_t headerSize = 0;    // bytes from the header's first byte to the member data
};

enum class HeaderStatus { member, end, error };

struct HeaderResult {
    HeaderStatus status = HeaderStatus::error;
    LhaHeader header;
    std::string error; // why the bytes are not a header, for HeaderStatus::error
};

// Reads the header at the start of `bytes`, which run to the end of the archive. A zero
// byte where a header would start, or no bytes at all, ends the archive. The member data
// need not be within `bytes`: the caller checks headerSize + packedSize.
HeaderResult ParseHeader(std::span<const uint8_t> bytes);
