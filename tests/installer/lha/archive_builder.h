// Hand-made LHA archives for the tests: headers of levels 0, 1 and 2 around given data.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct MemberSpec {
    std::string method = "-lh0-";
    unsigned level = 2;
    std::string name;                  // stored as given
    std::optional<std::string> directory; // extended header 0x02 (levels 1, 2), stored as given
    std::vector<uint8_t> original;
    std::optional<std::vector<uint8_t>> packed; // the original bytes when not given
    std::optional<uint16_t> crc;       // CRC-16 of `original` when not given
    uint32_t time = 0;                 // DOS time (levels 0, 1) or Unix time (level 2)
    std::optional<uint32_t> unixTimeExtension; // extended header 0x54
    std::optional<uint64_t> windowsTimeExtension; // extended header 0x41, as the write time
    bool headerCrcExtension = true;    // level 2: the header CRC in extended header 0x00
    std::optional<uint32_t> originalSize; // the size field; `original`'s size when not given
};

// One member: its header followed by its packed data.
std::vector<uint8_t> BuildMember(const MemberSpec &spec);

// The members one after another and the zero byte that ends an archive.
std::vector<uint8_t> BuildArchive(const std::vector<MemberSpec> &members);

std::vector<uint8_t> Bytes(const std::string &text);
