#include "lha_pack/stub_checksum.h"

#include <cstddef>

namespace lha {

namespace {

constexpr std::size_t peOffsetField = 0x3C;  // in the MZ header
constexpr std::size_t optionalHeader = 24;   // after "PE\0\0" and the file header
constexpr std::size_t checksumField = 64;    // in the optional header, PE32 and PE32+ alike

uint32_t Get32(const std::vector<uint8_t> &bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
}

} // namespace

void ClearPeChecksum(std::vector<uint8_t> &stub)
{
    if (stub.size() < peOffsetField + 4 || stub[0] != 'M' || stub[1] != 'Z')
        return;
    const uint64_t pe = Get32(stub, peOffsetField);
    if (pe + optionalHeader + checksumField + 4 > stub.size())
        return;
    if (Get32(stub, pe) != 0x00004550) // "PE\0\0"
        return;
    const uint16_t magic = stub[pe + optionalHeader] | stub[pe + optionalHeader + 1] << 8;
    if (magic != 0x10B && magic != 0x20B)
        return;
    for (std::size_t i = 0; i < 4; ++i)
        stub[pe + optionalHeader + checksumField + i] = 0;
}

} // namespace lha
