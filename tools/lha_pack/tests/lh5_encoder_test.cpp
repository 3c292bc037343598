#include <gtest/gtest.h>

#include <random>
#include <string>

#include "lh5_test_decoder.h"
#include "lha_pack/block_split.h"
#include "lha_pack/lh5_encoder.h"

namespace {

std::vector<uint8_t> RandomBytes(size_t n, unsigned seed, int alphabet = 256)
{
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (uint8_t &b : v)
        b = static_cast<uint8_t>(rng() % static_cast<unsigned>(alphabet));
    return v;
}

// Text of words drawn with skewed odds, so that it has both literals and matches of all lengths.
std::vector<uint8_t> WordText(size_t n, unsigned seed)
{
    static const char *const words[] = {"the", "installer", "copies", "files", "into", "target",
                                        "directory", "and", "then", "checks", "each", "record",
                                        "of", "a", "disk", "window", "with", "keys", "\n"};
    std::mt19937 rng(seed);
    std::string s;
    while (s.size() < n) {
        const unsigned r = rng() % 1000;
        s += words[(r * r / 1000) % 19];
        s += rng() % 9 == 0 ? std::to_string(rng() % 100000) + ", " : " ";
    }
    s.resize(n);
    return {s.begin(), s.end()};
}

void ExpectRoundTrip(const std::vector<uint8_t> &data, const std::string &what, const lha::Lh5Options &options = {})
{
    const std::optional<std::vector<uint8_t>> packed = lha::CompressLh5(data, UINT64_MAX, options);
    ASSERT_TRUE(packed) << what;
    const lha_test::DecodeResult r = lha_test::DecodeLh5(*packed, data.size());
    ASSERT_EQ(r.error, "") << what;
    EXPECT_TRUE(r.data == data) << what;
}

TEST(Lh5RoundTrip, SmallAndDegenerateInputs)
{
    ExpectRoundTrip({}, "empty");
    ExpectRoundTrip({0x7F}, "one byte");
    ExpectRoundTrip({1, 2}, "two bytes");
    ExpectRoundTrip(std::vector<uint8_t>(3, 'a'), "three equal bytes");
    std::vector<uint8_t> all(256);
    for (int i = 0; i < 256; ++i)
        all[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    ExpectRoundTrip(all, "every byte once");  // one length for all: single-symbol length table
    std::vector<uint8_t> allTwice = all;
    allTwice.insert(allTwice.end(), all.rbegin(), all.rend());
    ExpectRoundTrip(allTwice, "every byte, forwards and backwards");
}

TEST(Lh5RoundTrip, RunsAndLongMatches)
{
    ExpectRoundTrip(std::vector<uint8_t>(1 << 20, 0), "a megabyte of zeros");
    std::vector<uint8_t> steps;
    for (int len : {255, 256, 257, 258, 511, 512, 513, 3, 4, 1000})
        steps.insert(steps.end(), static_cast<size_t>(len), static_cast<uint8_t>(len));
    ExpectRoundTrip(steps, "runs around the longest match");
}

TEST(Lh5RoundTrip, IncompressibleAndWindowEdge)
{
    ExpectRoundTrip(RandomBytes(200000, 1), "random bytes");
    std::vector<uint8_t> periodic = RandomBytes(lha::windowSize, 2);
    for (int i = 0; i < 4; ++i)
        periodic.insert(periodic.end(), periodic.begin(), periodic.begin() + lha::windowSize);
    ExpectRoundTrip(periodic, "random bytes repeating a window apart");
}

TEST(Lh5RoundTrip, ManyBlocksOfChangingData)
{
    std::vector<uint8_t> d = WordText(300000, 3);
    const std::vector<uint8_t> noise = RandomBytes(100000, 4, 16);
    d.insert(d.end(), noise.begin(), noise.end());
    const std::vector<uint8_t> more = WordText(100000, 5);
    d.insert(d.end(), more.begin(), more.end());
    const std::optional<std::vector<uint8_t>> packed = lha::CompressLh5(d);
    ASSERT_TRUE(packed);
    const lha_test::DecodeResult r = lha_test::DecodeLh5(*packed, d.size());
    ASSERT_EQ(r.error, "");
    EXPECT_TRUE(r.data == d);
    EXPECT_GT(r.blocks, 3);

    // Short segments with cuts possible every few tokens still make a valid stream.
    lha::Lh5Options options;
    options.segmentTokens = 3000;
    options.blockUnit = 5;
    ExpectRoundTrip(std::vector<uint8_t>(d.begin(), d.begin() + 20000), "small segments", options);
}

TEST(Lh5Encoder, GivesUpBeyondTheSizeLimit)
{
    const std::vector<uint8_t> random = RandomBytes(50000, 6);
    EXPECT_FALSE(lha::CompressLh5(random, random.size() - 1));
    const std::vector<uint8_t> text = WordText(50000, 7);
    const std::optional<std::vector<uint8_t>> packed = lha::CompressLh5(text, text.size() - 1);
    ASSERT_TRUE(packed);
    EXPECT_FALSE(lha::CompressLh5(text, packed->size() - 1));
}

std::vector<lha::Token> Literals(const std::vector<uint8_t> &bytes)
{
    std::vector<lha::Token> tokens;
    for (uint8_t b : bytes)
        tokens.push_back(lha::Token::Literal(b));
    return tokens;
}

TEST(BlockSplit, BlocksCoverTheTokensWithinTheLimit)
{
    for (size_t n : {size_t{1}, size_t{1023}, size_t{65535}, size_t{65536}, size_t{200001}}) {
        const std::vector<lha::Token> tokens = Literals(RandomBytes(n, 8, 50));
        size_t total = 0;
        for (size_t length : lha::SplitIntoBlocks(tokens)) {
            EXPECT_GE(length, 1u);
            EXPECT_LE(length, lha::maxBlockSymbols);
            total += length;
        }
        EXPECT_EQ(total, n);
    }
    EXPECT_TRUE(lha::SplitIntoBlocks({}).empty());
}

TEST(BlockSplit, CutsWhereTheStatisticsChange)
{
    // Bytes from two disjoint alphabets: a cut between them saves far more than a table costs.
    std::vector<uint8_t> bytes = RandomBytes(20480, 9, 8);
    for (uint8_t b : RandomBytes(20480, 10, 8))
        bytes.push_back(static_cast<uint8_t>(b + 100));
    const std::vector<size_t> cut = lha::SplitIntoBlocks(Literals(bytes));
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0], 20480u);

    // The same statistics throughout: one block.
    EXPECT_EQ(lha::SplitIntoBlocks(Literals(RandomBytes(40960, 11, 8))).size(), 1u);
}

} // namespace
