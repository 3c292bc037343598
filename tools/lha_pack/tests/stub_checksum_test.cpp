#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "lha_pack/stub_checksum.h"

namespace {

constexpr std::size_t pe = 0x80;
constexpr std::size_t checksum = pe + 24 + 64;

void Put32(std::vector<uint8_t> &bytes, std::size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// The headers of a Windows program as far as the checksum, with the checksum 0x12345678.
std::vector<uint8_t> Program(uint16_t magic = 0x10B)
{
    std::vector<uint8_t> bytes(0x200, 0xEE);
    bytes[0] = 'M';
    bytes[1] = 'Z';
    Put32(bytes, 0x3C, pe);
    Put32(bytes, pe, 0x00004550);
    bytes[pe + 24] = magic & 0xFF;
    bytes[pe + 25] = magic >> 8;
    Put32(bytes, checksum, 0x12345678);
    return bytes;
}

TEST(StubChecksum, ClearedInWindowsProgramsOnly)
{
    struct Case {
        const char *what;
        std::vector<uint8_t> stub;
        bool cleared;
    };
    std::vector<Case> cases = {
        {"PE32", Program(), true},
        {"PE32+", Program(0x20B), true},
        {"no MZ", Program(), false},
        {"no PE signature", Program(), false},
        {"unknown optional header", Program(0x107), false},
        {"PE header beyond the end", Program(), false},
        {"checksum beyond the end", Program(), false},
        {"PE offset near 4 GiB", Program(), false},
        {"shorter than an MZ header", {'M', 'Z', 0, 0}, false},
    };
    cases[2].stub[0] = 'Z';
    cases[3].stub[pe + 1] = 'X';
    Put32(cases[5].stub, 0x3C, 0x1000);
    cases[6].stub.resize(checksum + 2);
    Put32(cases[7].stub, 0x3C, 0xFFFFFFF0);
    for (Case &c : cases) {
        std::vector<uint8_t> expected = c.stub;
        if (c.cleared)
            Put32(expected, checksum, 0);
        lha::ClearPeChecksum(c.stub);
        EXPECT_EQ(c.stub, expected) << c.what;
    }
}

} // namespace
