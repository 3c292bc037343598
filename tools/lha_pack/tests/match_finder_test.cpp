#include <gtest/gtest.h>

#include <random>
#include <string>

#include "lha_pack/lazy_parser.h"
#include "lha_pack/match_finder.h"

namespace {

std::vector<uint8_t> Bytes(const std::string &s) { return {s.begin(), s.end()}; }

std::vector<uint8_t> RandomBytes(size_t n, unsigned seed, int alphabet = 256)
{
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (uint8_t &b : v)
        b = static_cast<uint8_t>(rng() % static_cast<unsigned>(alphabet));
    return v;
}

lha::Match FindAfterInserting(lha::MatchFinder &finder, size_t pos, uint32_t maxChain = 256)
{
    for (size_t p = 0; p < pos; ++p)
        finder.Insert(p);
    return finder.Find(pos, maxChain);
}

std::vector<lha::Token> ParseAll(std::span<const uint8_t> data, const lha::ParseOptions &options = {},
                                 size_t chunk = SIZE_MAX)
{
    lha::LazyParser parser(data, options);
    std::vector<lha::Token> tokens;
    while (!parser.Done())
        parser.Parse(tokens, chunk > SIZE_MAX - tokens.size() ? SIZE_MAX : tokens.size() + chunk);
    return tokens;
}

// The data the tokens stand for; fails the test on a token the format cannot carry.
std::vector<uint8_t> Expand(const std::vector<lha::Token> &tokens)
{
    std::vector<uint8_t> out;
    for (const lha::Token &t : tokens) {
        if (!t.IsMatch()) {
            out.push_back(static_cast<uint8_t>(t.symbol));
            continue;
        }
        EXPECT_GE(t.Length(), lha::minMatch);
        EXPECT_LE(t.Length(), lha::maxMatch);
        EXPECT_GE(t.distance, 1u);
        EXPECT_LE(t.distance, lha::windowSize);
        if (t.distance > out.size()) {
            ADD_FAILURE() << "match before the start";
            return out;
        }
        for (uint32_t k = 0; k < t.Length(); ++k)
            out.push_back(out[out.size() - t.distance]);
    }
    return out;
}

TEST(MatchFinder, LongestAndOnTiesNearest)
{
    const std::vector<uint8_t> d = Bytes("abcdeX" "abcdY" "abcdeZ" "abcd" "abcdeQ");
    lha::MatchFinder finder(d);
    const lha::Match m = FindAfterInserting(finder, 21);  // the last "abcdeQ"
    EXPECT_EQ(m.length, 5u);
    EXPECT_EQ(m.distance, 10u);  // "abcdeZ", nearer than the first "abcdeX"
}

TEST(MatchFinder, NothingBelowThreeBytes)
{
    const std::vector<uint8_t> d = Bytes("abXYabZab");
    lha::MatchFinder finder(d);
    EXPECT_EQ(FindAfterInserting(finder, 4).length, 0u);
    lha::MatchFinder end(d);
    EXPECT_EQ(FindAfterInserting(end, 7).length, 0u);  // two bytes left
}

TEST(MatchFinder, ReachesExactlyTheWindow)
{
    const std::vector<uint8_t> head = RandomBytes(40, 1);
    for (uint32_t gap : {lha::windowSize, lha::windowSize + 1}) {
        std::vector<uint8_t> d = head;
        const std::vector<uint8_t> filler = RandomBytes(gap - head.size(), 2, 7);  // no byte of head's
        for (uint8_t b : filler)
            d.push_back(static_cast<uint8_t>(b + 200));
        d.insert(d.end(), head.begin(), head.end());
        lha::MatchFinder finder(d);
        const lha::Match m = FindAfterInserting(finder, gap, 100000);
        if (gap == lha::windowSize) {
            EXPECT_EQ(m.distance, lha::windowSize);
            EXPECT_EQ(m.length, head.size());
        } else {
            EXPECT_LT(m.length, 10u) << "matched beyond the window";
        }
    }
}

TEST(MatchFinder, CappedAtMaxMatchAndAtTheEnd)
{
    const std::vector<uint8_t> zeros(1000, 0);
    lha::MatchFinder finder(zeros);
    lha::Match m = FindAfterInserting(finder, 1);
    EXPECT_EQ(m.length, lha::maxMatch);
    EXPECT_EQ(m.distance, 1u);
    for (size_t p = 2; p < 990; ++p)
        finder.Insert(p);
    m = finder.Find(990, 16);
    EXPECT_EQ(m.length, 10u);
}

TEST(LazyParser, TakesTheLongerMatchOneByteLater)
{
    // At "abcdefgh" the start matches "abc" (3 bytes), the next byte "bcdefgh" (7 bytes).
    const std::vector<uint8_t> d = Bytes("abc-bcdefgh+abcdefgh");
    const std::vector<lha::Token> tokens = ParseAll(d);
    ASSERT_EQ(Expand(tokens), d);
    ASSERT_GE(tokens.size(), 2u);
    const lha::Token &literal = tokens[tokens.size() - 2];
    const lha::Token &match = tokens.back();
    EXPECT_FALSE(literal.IsMatch());
    EXPECT_EQ(literal.symbol, 'a');
    ASSERT_TRUE(match.IsMatch());
    EXPECT_EQ(match.Length(), 7u);
    EXPECT_EQ(match.distance, 9u);
}

TEST(LazyParser, ShortMatchesFarBackAreSentAsBytes)
{
    std::vector<uint8_t> d = Bytes("xyz");
    const std::vector<uint8_t> filler = RandomBytes(5000, 4, 20);
    for (uint8_t b : filler)
        d.push_back(static_cast<uint8_t>('A' + b));
    d.insert(d.end(), {'x', 'y', 'z'});
    lha::ParseOptions options;
    options.farMinLength = 4096;
    std::vector<lha::Token> tokens = ParseAll(d, options);
    ASSERT_EQ(Expand(tokens), d);
    for (size_t i = tokens.size() - 3; i < tokens.size(); ++i)
        EXPECT_FALSE(tokens[i].IsMatch());
    options.farMinLength = lha::windowSize;
    tokens = ParseAll(d, options);
    ASSERT_EQ(Expand(tokens), d);
    EXPECT_TRUE(tokens.back().IsMatch());
}

TEST(LazyParser, ReproducesTheDataOfManyKinds)
{
    std::vector<std::vector<uint8_t>> inputs;
    inputs.push_back({});
    inputs.push_back({42});
    inputs.push_back(std::vector<uint8_t>(100000, 'z'));
    inputs.push_back(RandomBytes(70000, 9));
    inputs.push_back(RandomBytes(70000, 10, 4));
    std::vector<uint8_t> periodic = RandomBytes(lha::windowSize, 11);
    for (int i = 0; i < 3; ++i)
        periodic.insert(periodic.end(), periodic.begin(), periodic.begin() + lha::windowSize);
    inputs.push_back(periodic);
    for (const std::vector<uint8_t> &d : inputs) {
        const std::vector<lha::Token> tokens = ParseAll(d);
        EXPECT_EQ(Expand(tokens), d) << "size " << d.size();
    }
}

TEST(LazyParser, ChunkedParseEqualsOneParse)
{
    std::vector<uint8_t> d = RandomBytes(30000, 12, 6);
    d.insert(d.end(), 3000, 'q');
    const std::vector<lha::Token> whole = ParseAll(d);
    for (size_t chunk : {1, 7, 1000}) {
        const std::vector<lha::Token> pieces = ParseAll(d, {}, chunk);
        ASSERT_EQ(pieces.size(), whole.size()) << "chunk " << chunk;
        for (size_t i = 0; i < whole.size(); ++i) {
            ASSERT_EQ(pieces[i].symbol, whole[i].symbol) << "chunk " << chunk << " token " << i;
            ASSERT_EQ(pieces[i].distance, whole[i].distance) << "chunk " << chunk << " token " << i;
        }
    }
}

} // namespace
