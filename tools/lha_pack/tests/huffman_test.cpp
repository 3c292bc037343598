#include <gtest/gtest.h>

#include <functional>
#include <queue>
#include <random>

#include "lha_pack/huffman.h"

namespace {

uint64_t Cost(const std::vector<uint32_t> &freqs, const std::vector<uint8_t> &lengths)
{
    uint64_t cost = 0;
    for (size_t i = 0; i < freqs.size(); ++i)
        cost += uint64_t{freqs[i]} * lengths[i];
    return cost;
}

// The cost of an unlimited Huffman code, from merging the two lightest weights repeatedly.
uint64_t UnlimitedHuffmanCost(const std::vector<uint32_t> &freqs)
{
    std::priority_queue<uint64_t, std::vector<uint64_t>, std::greater<>> heap;
    for (uint32_t f : freqs)
        if (f != 0)
            heap.push(f);
    uint64_t cost = 0;
    while (heap.size() > 1) {
        const uint64_t a = heap.top();
        heap.pop();
        const uint64_t b = heap.top();
        heap.pop();
        cost += a + b;
        heap.push(a + b);
    }
    return cost;
}

// Checks that the lengths give a complete code of at most `maxBits`, zero exactly for the
// unused symbols.
void ExpectCompleteCode(const std::vector<uint32_t> &freqs, const std::vector<uint8_t> &lengths, int maxBits)
{
    ASSERT_EQ(lengths.size(), freqs.size());
    uint64_t kraft = 0;  // in units of 2^-maxBits
    for (size_t i = 0; i < freqs.size(); ++i) {
        EXPECT_EQ(lengths[i] == 0, freqs[i] == 0) << "symbol " << i;
        EXPECT_LE(lengths[i], maxBits) << "symbol " << i;
        if (lengths[i] != 0)
            kraft += uint64_t{1} << (maxBits - lengths[i]);
    }
    EXPECT_EQ(kraft, uint64_t{1} << maxBits);
}

TEST(HuffmanLengths, OptimalWhenTheLimitDoesNotBind)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 50; ++round) {
        std::vector<uint32_t> freqs(510);
        for (uint32_t &f : freqs)
            f = rng() % 3 == 0 ? 0 : rng() % 1000;
        freqs[rng() % 510] = 1;
        freqs[rng() % 510] = 5000;
        // Weights of 1..5000 over about 340 symbols may need codes a little beyond 16 bits.
        const std::vector<uint8_t> lengths = lha::LimitedCodeLengths(freqs, 24);
        ExpectCompleteCode(freqs, lengths, 24);
        EXPECT_EQ(Cost(freqs, lengths), UnlimitedHuffmanCost(freqs)) << "round " << round;
    }
}

TEST(HuffmanLengths, SkewedWeightsStayWithinTheLimit)
{
    // Fibonacci weights make an unlimited code as deep as the alphabet is long.
    std::vector<uint32_t> freqs(30);
    freqs[0] = freqs[1] = 1;
    for (size_t i = 2; i < freqs.size(); ++i)
        freqs[i] = freqs[i - 1] + freqs[i - 2];
    for (int maxBits : {16, 8, 5}) {
        const std::vector<uint8_t> lengths = lha::LimitedCodeLengths(freqs, maxBits);
        ExpectCompleteCode(freqs, lengths, maxBits);
    }
}

TEST(HuffmanLengths, OptimalUnderABindingLimitByExhaustiveSearch)
{
    std::mt19937 rng(5);
    for (int round = 0; round < 30; ++round) {
        std::vector<uint32_t> freqs(6);
        for (uint32_t &f : freqs)
            f = 1 + rng() % (round % 2 ? 1000 : 10);
        const int maxBits = 3;
        uint64_t best = UINT64_MAX;
        std::vector<uint8_t> trial(6);
        const std::function<void(size_t, uint32_t)> search = [&](size_t i, uint32_t used) {
            if (i == trial.size()) {
                if (used <= 8)
                    best = std::min(best, Cost(freqs, trial));
                return;
            }
            for (uint8_t len = 1; len <= maxBits; ++len) {
                trial[i] = len;
                search(i + 1, used + (1u << (maxBits - len)));
            }
        };
        search(0, 0);
        const std::vector<uint8_t> lengths = lha::LimitedCodeLengths(freqs, maxBits);
        ExpectCompleteCode(freqs, lengths, maxBits);
        EXPECT_EQ(Cost(freqs, lengths), best) << "round " << round;
    }
}

TEST(HuffmanCodes, CanonicalShorterFirstThenBySymbol)
{
    const std::vector<uint8_t> lengths = {2, 1, 3, 0, 3};
    const std::vector<uint16_t> codes = lha::CanonicalCodes(lengths);
    EXPECT_EQ(codes[1], 0b0);
    EXPECT_EQ(codes[0], 0b10);
    EXPECT_EQ(codes[2], 0b110);
    EXPECT_EQ(codes[4], 0b111);
}

TEST(HuffmanCodes, NoCodeIsAPrefixOfAnother)
{
    std::mt19937 rng(3);
    std::vector<uint32_t> freqs(510);
    for (uint32_t &f : freqs)
        f = rng() % 4 == 0 ? 0 : 1 + rng() % 300;
    const lha::HuffmanCode code = lha::BuildHuffmanCode(freqs, 16);
    ASSERT_LT(code.onlySymbol, 0);
    for (size_t a = 0; a < freqs.size(); ++a)
        for (size_t b = 0; b < freqs.size(); ++b) {
            if (a == b || code.lengths[a] == 0 || code.lengths[b] == 0 || code.lengths[a] > code.lengths[b])
                continue;
            const uint32_t prefix = code.codes[b] >> (code.lengths[b] - code.lengths[a]);
            EXPECT_NE(prefix, code.codes[a]) << a << " is a prefix of " << b;
        }
}

TEST(HuffmanCodes, NoneOrOneSymbolNeedsNoBits)
{
    std::vector<uint32_t> freqs(14, 0);
    EXPECT_EQ(lha::BuildHuffmanCode(freqs, 16).onlySymbol, 0);
    freqs[9] = 1234;
    const lha::HuffmanCode one = lha::BuildHuffmanCode(freqs, 16);
    EXPECT_EQ(one.onlySymbol, 9);
    EXPECT_EQ(one.BitsOf(9), 0u);
    freqs[2] = 1;
    const lha::HuffmanCode two = lha::BuildHuffmanCode(freqs, 16);
    EXPECT_EQ(two.onlySymbol, -1);
    EXPECT_EQ(two.BitsOf(9), 1u);
    EXPECT_EQ(two.BitsOf(2), 1u);
}

} // namespace
