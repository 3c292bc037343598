#include <gtest/gtest.h>

#include <string>

#include "lha_pack/lh5_tables.h"

namespace {

std::string Bits(lha::BitWriter &w)
{
    const uint64_t count = w.BitCount();
    const std::vector<uint8_t> bytes = w.Finish();
    std::string s;
    for (uint64_t i = 0; i < count; ++i)
        s += ((bytes[i / 8] >> (7 - i % 8)) & 1) ? '1' : '0';
    return s;
}

lha::HuffmanCode CodeWithLengths(std::vector<uint8_t> lengths)
{
    lha::HuffmanCode code;
    code.codes = lha::CanonicalCodes(lengths);
    code.lengths = std::move(lengths);
    return code;
}

// The lengths a description stands for, read back as a decoder would.
std::vector<uint8_t> Expand(const std::vector<lha::LengthSymbol> &symbols)
{
    std::vector<uint8_t> lengths;
    for (const lha::LengthSymbol &s : symbols) {
        if (s.symbol == 0)
            lengths.push_back(0);
        else if (s.symbol == 1)
            lengths.insert(lengths.end(), s.extra + 3u, 0);
        else if (s.symbol == 2)
            lengths.insert(lengths.end(), s.extra + 20u, 0);
        else
            lengths.push_back(static_cast<uint8_t>(s.symbol - 2));
    }
    return lengths;
}

TEST(CharTableDescription, ZeroRunsOfEveryRangeReadBack)
{
    for (size_t run : {1, 2, 3, 17, 18, 19, 20, 21, 300, 507}) {
        std::vector<uint8_t> lengths(510, 0);
        lengths[0] = 4;
        lengths[1 + run] = 16;
        const std::vector<lha::LengthSymbol> symbols = lha::DescribeCharLengths(lengths);
        std::vector<uint8_t> expected(lengths.begin(), lengths.begin() + static_cast<long>(run) + 2);
        EXPECT_EQ(Expand(symbols), expected) << "run " << run;
        for (const lha::LengthSymbol &s : symbols) {
            EXPECT_LT(s.symbol, 19);
            EXPECT_LT(s.extra, 1u << s.extraBits);
            EXPECT_EQ(s.extraBits, s.symbol == 1 ? 4 : s.symbol == 2 ? 9 : 0);
        }
    }
}

TEST(CharTableDescription, RunsPickTheCheapestForm)
{
    std::vector<uint8_t> lengths(510, 0);
    lengths[0] = 1;
    lengths[20] = 2;   // 19 zeros before: one single zero, then 18
    lengths[41] = 3;   // 20 zeros before: the long form
    const std::vector<lha::LengthSymbol> s = lha::DescribeCharLengths(lengths);
    ASSERT_EQ(s.size(), 6u);  // the zeros after the last used entry are not sent
    EXPECT_EQ(s[1].symbol, 0);
    EXPECT_EQ(s[2].symbol, 1);
    EXPECT_EQ(s[2].extra, 15);
    EXPECT_EQ(s[4].symbol, 2);
    EXPECT_EQ(s[4].extra, 0);
    EXPECT_EQ(s[5].symbol, 5);
}

TEST(SharedFormatTable, LengthsZeroRunAfterTheThirdAndLongLengths)
{
    lha::BitWriter w;
    // Entries 3 and 4 unused: after the third entry a 2-bit count of them replaces them.
    lha::WriteSharedFormatTable(w, CodeWithLengths({1, 2, 3, 0, 0, 3}), 5, 3);
    EXPECT_EQ(Bits(w), "00110" "001" "010" "011" "10" "011");

    lha::BitWriter p;
    // No zero run for the position table; 7 and above as 7 and one 1 bit per step above it.
    lha::WriteSharedFormatTable(p, CodeWithLengths({1, 0, 7, 9, 16, 0}), 4, -1);
    EXPECT_EQ(Bits(p), "0101" "001" "000" "1110" "111110" "1111111111110");
}

TEST(SharedFormatTable, ZeroRunCountIsSentEvenWhenTheTableEndsAtTheThird)
{
    lha::BitWriter w;
    lha::WriteSharedFormatTable(w, CodeWithLengths({1, 2, 2, 0, 0}), 5, 3);
    EXPECT_EQ(Bits(w), "00011" "001" "010" "010" "00");
}

TEST(SharedFormatTable, SingleSymbolAsACountOfZero)
{
    lha::HuffmanCode single;
    single.lengths.assign(14, 0);
    single.codes.assign(14, 0);
    single.onlySymbol = 13;
    lha::BitWriter w;
    lha::WriteSharedFormatTable(w, single, 4, -1);
    EXPECT_EQ(Bits(w), "0000" "1101");
}

TEST(CharTable, SymbolsGoThroughTheLengthCode)
{
    std::vector<uint8_t> charLengths(510, 0);
    charLengths[0] = 1;
    charLengths[300] = 1;
    const lha::HuffmanCode chars = CodeWithLengths(charLengths);
    const std::vector<lha::LengthSymbol> symbols = lha::DescribeCharLengths(charLengths);
    // Symbols used: 3 (length 1) twice and 2 (a long zero run) once.
    std::vector<uint8_t> lengthLengths(19, 0);
    lengthLengths[3] = 1;
    lengthLengths[2] = 1;
    lha::BitWriter w;
    lha::WriteCharTable(w, chars, CodeWithLengths(lengthLengths), symbols);
    // 301 entries; length 1 is code 1, the run of 299 zeros code 0 with 279 in nine bits.
    EXPECT_EQ(Bits(w), "100101101" "1" "0" "100010111" "1");
}

} // namespace
