#include <gtest/gtest.h>

#include <map>
#include <string>

#include "installer/lha/lha_crc.h"
#include "lha_pack/lha_header.h"

namespace {

uint32_t Le(const std::vector<uint8_t> &h, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | h[at + static_cast<size_t>(i)];
    return v;
}

// The extended headers by type, following the chain of next-size fields as a reader does; checks
// that the chain stays inside the header.
std::map<uint8_t, std::string> Extended(const std::vector<uint8_t> &h)
{
    std::map<uint8_t, std::string> ext;
    size_t at = 24;
    for (uint32_t size = Le(h, at, 2); size != 0; size = Le(h, at, 2)) {
        at += 2;
        EXPECT_GE(size, 3u);
        if (at + size > h.size()) {
            ADD_FAILURE() << "extended header past the header";
            break;
        }
        ext[h[at]] = std::string(h.begin() + static_cast<long>(at) + 1, h.begin() + static_cast<long>(at + size) - 2);
        at += size - 2;
    }
    return ext;
}

lha::MemberHeader Member(const std::string &path)
{
    lha::MemberHeader m;
    m.method = "-lh5-";
    m.packedSize = 0x01020304;
    m.originalSize = 0xA0B0C0D0;
    m.unixTime = 1700000000;
    m.dataCrc = 0xBEEF;
    m.path = path;
    return m;
}

TEST(Level2Header, FixedFieldsAndFileName)
{
    std::string error;
    const std::vector<uint8_t> h = lha::BuildLevel2Header(Member("readme.txt"), error);
    ASSERT_FALSE(h.empty()) << error;
    EXPECT_EQ(Le(h, 0, 2), h.size());
    EXPECT_EQ(std::string(h.begin() + 2, h.begin() + 7), "-lh5-");
    EXPECT_EQ(Le(h, 7, 4), 0x01020304u);
    EXPECT_EQ(Le(h, 11, 4), 0xA0B0C0D0u);
    EXPECT_EQ(Le(h, 15, 4), 1700000000u);
    EXPECT_EQ(h[19], 0x20);
    EXPECT_EQ(h[20], 2);
    EXPECT_EQ(Le(h, 21, 2), 0xBEEFu);
    const std::map<uint8_t, std::string> ext = Extended(h);
    EXPECT_EQ(ext.at(lha::extFileName), "readme.txt");
    EXPECT_EQ(ext.count(lha::extDirectory), 0u);
}

TEST(Level2Header, HeaderCrcCoversTheWholeHeader)
{
    std::string error;
    std::vector<uint8_t> h = lha::BuildLevel2Header(Member("a/b.bin"), error);
    ASSERT_FALSE(h.empty()) << error;
    ASSERT_EQ(h[26], lha::extCommon);  // the first extended header
    const uint16_t stored = static_cast<uint16_t>(Le(h, 27, 2));
    h[27] = h[28] = 0;
    EXPECT_EQ(stored, LhaCrc16(0, h.data(), h.size()));
}

TEST(Level2Header, DirectoriesWithTheSeparatorAfterEachName)
{
    std::string error;
    const std::vector<uint8_t> h = lha::BuildLevel2Header(Member("data/maps/north.map"), error);
    ASSERT_FALSE(h.empty()) << error;
    const std::map<uint8_t, std::string> ext = Extended(h);
    EXPECT_EQ(ext.at(lha::extFileName), "north.map");
    EXPECT_EQ(ext.at(lha::extDirectory), "data\xFFmaps\xFF");
}

TEST(Level2Header, SizeWithZeroLowByteIsPadded)
{
    // 26 fixed bytes, 5 for the CRC header and 3 around the name: a 222-byte name makes 256.
    std::string error;
    const std::vector<uint8_t> h = lha::BuildLevel2Header(Member(std::string(222, 'n')), error);
    ASSERT_EQ(h.size(), 257u) << error;
    EXPECT_EQ(Le(h, 0, 2), 257u);
    EXPECT_EQ(Extended(h).at(lha::extFileName), std::string(222, 'n'));
    const std::vector<uint8_t> shorter = lha::BuildLevel2Header(Member(std::string(221, 'n')), error);
    EXPECT_EQ(shorter.size(), 255u);
}

TEST(Level2Header, PathsTheHeaderCannotCarry)
{
    for (const std::string &path :
         std::vector<std::string>{"", "dir/", "a//b", "/abs", "x\xFFy", std::string(65600, 'l')}) {
        std::string error;
        EXPECT_TRUE(lha::BuildLevel2Header(Member(path), error).empty()) << path.substr(0, 20);
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
