#include <gtest/gtest.h>

#include <random>
#include <string>

#include "installer/lha/lha_crc.h"
#include "lh5_test_decoder.h"
#include "lha_pack/archive_member.h"

namespace {

uint32_t Le(const std::vector<uint8_t> &h, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | h[at + static_cast<size_t>(i)];
    return v;
}

std::string Method(const lha::PackedMember &m) { return std::string(m.header.begin() + 2, m.header.begin() + 7); }

std::vector<uint8_t> RandomBytes(size_t n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (uint8_t &b : v)
        b = static_cast<uint8_t>(rng());
    return v;
}

std::vector<uint8_t> Text()
{
    std::string s;
    for (int i = 0; i < 2000; ++i)
        s += "line " + std::to_string(i % 37) + " of the read-me\n";
    return {s.begin(), s.end()};
}

// Checks the sizes and the data CRC in the header, and that the body gives back `data`.
void ExpectMember(const lha::PackedMember &m, const std::vector<uint8_t> &data)
{
    EXPECT_EQ(Le(m.header, 7, 4), m.body.size());
    EXPECT_EQ(Le(m.header, 11, 4), data.size());
    EXPECT_EQ(Le(m.header, 15, 4), 1234567890u);
    EXPECT_EQ(Le(m.header, 21, 2), LhaCrc16(0, data.data(), data.size()));
    if (Method(m) == "-lh0-") {
        EXPECT_TRUE(m.body == data);
    } else {
        const lha_test::DecodeResult r = lha_test::DecodeLh5(m.body, data.size());
        EXPECT_EQ(r.error, "");
        EXPECT_TRUE(r.data == data);
    }
}

TEST(ArchiveMember, AutomaticChoiceStoresWhatDoesNotShrink)
{
    std::string error;
    const std::vector<uint8_t> text = Text();
    const std::vector<uint8_t> random = RandomBytes(5000, 1);
    const std::vector<uint8_t> empty;
    const auto t = lha::PackMember("doc/readme.txt", text, 1234567890, lha::PackMethod::Auto, error);
    const auto r = lha::PackMember("noise.bin", random, 1234567890, lha::PackMethod::Auto, error);
    const auto e = lha::PackMember("empty", empty, 1234567890, lha::PackMethod::Auto, error);
    ASSERT_TRUE(t && r && e) << error;
    EXPECT_EQ(Method(*t), "-lh5-");
    EXPECT_EQ(Method(*r), "-lh0-");
    EXPECT_EQ(Method(*e), "-lh0-");
    ExpectMember(*t, text);
    ExpectMember(*r, random);
    ExpectMember(*e, empty);
}

TEST(ArchiveMember, ForcedMethodsHoldEvenWhenWorse)
{
    std::string error;
    const std::vector<uint8_t> random = RandomBytes(5000, 2);
    const std::vector<uint8_t> text = Text();
    const std::vector<uint8_t> empty;
    const auto r = lha::PackMember("noise.bin", random, 1234567890, lha::PackMethod::Lh5, error);
    const auto e = lha::PackMember("empty", empty, 1234567890, lha::PackMethod::Lh5, error);
    const auto t = lha::PackMember("readme.txt", text, 1234567890, lha::PackMethod::Lh0, error);
    ASSERT_TRUE(r && e && t) << error;
    EXPECT_EQ(Method(*r), "-lh5-");
    EXPECT_EQ(Method(*e), "-lh5-");
    EXPECT_EQ(Method(*t), "-lh0-");
    ExpectMember(*r, random);
    ExpectMember(*e, empty);
    ExpectMember(*t, text);
}

TEST(ArchiveMember, BadPathIsRefused)
{
    std::string error;
    EXPECT_FALSE(lha::PackMember("dir/", Text(), 0, lha::PackMethod::Auto, error));
    EXPECT_FALSE(error.empty());
}

} // namespace
