// The level-2 member header: fixed fields, then extended headers for the header CRC, the file name
// and the directory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lha {

struct MemberHeader {
    const char *method = "-lh5-";  // five characters
    uint32_t packedSize = 0;
    uint32_t originalSize = 0;
    uint32_t unixTime = 0;
    uint16_t dataCrc = 0;
    // The member's path: directory names and the file name, separated by '/'.
    std::string path;
};

constexpr uint8_t osIdUnix = 'U';  // names as they are: readers fold the case of MS-DOS ones
constexpr uint8_t extCommon = 0x00;
constexpr uint8_t extFileName = 0x01;
constexpr uint8_t extDirectory = 0x02;
constexpr uint8_t directorySeparator = 0xFF;

// The header bytes, or nothing with `error` set when the path does not fit (empty file name,
// empty directory name, a 0xFF byte, more than 65535 header bytes).
std::vector<uint8_t> BuildLevel2Header(const MemberHeader &member, std::string &error);

} // namespace lha
