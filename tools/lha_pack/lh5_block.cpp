#include "lha_pack/lh5_block.h"

#include <cassert>

namespace lha {

namespace {

void WriteTables(BitWriter &out, const BlockCodes &codes)
{
    WriteSharedFormatTable(out, codes.lengths, lengthCountBits, 3);
    WriteCharTable(out, codes.chars, codes.lengths, codes.charTable);
    WriteSharedFormatTable(out, codes.positions, positionCountBits, -1);
}

} // namespace

void BlockFrequencies::Add(const Token &t)
{
    ++chars[t.symbol];
    if (t.IsMatch())
        ++positions[static_cast<size_t>(PositionSymbol(t.distance))];
}

void BlockFrequencies::Add(const BlockFrequencies &other)
{
    for (size_t i = 0; i < chars.size(); ++i)
        chars[i] += other.chars[i];
    for (size_t i = 0; i < positions.size(); ++i)
        positions[i] += other.positions[i];
}

BlockFrequencies CountFrequencies(std::span<const Token> tokens)
{
    BlockFrequencies freqs;
    for (const Token &t : tokens)
        freqs.Add(t);
    return freqs;
}

BlockCodes BuildBlockCodes(const BlockFrequencies &freqs)
{
    BlockCodes codes;
    codes.chars = BuildHuffmanCode(freqs.chars, maxCodeBits);
    codes.positions = BuildHuffmanCode(freqs.positions, maxCodeBits);
    if (codes.chars.onlySymbol < 0) {
        codes.charTable = DescribeCharLengths(codes.chars.lengths);
        std::array<uint32_t, lengthSymbols> lengthFreqs{};
        for (const LengthSymbol &s : codes.charTable)
            ++lengthFreqs[s.symbol];
        codes.lengths = BuildHuffmanCode(lengthFreqs, maxCodeBits);
    } else {
        codes.lengths = BuildHuffmanCode(std::array<uint32_t, lengthSymbols>{}, maxCodeBits);
    }
    return codes;
}

void WriteBlock(BitWriter &out, std::span<const Token> tokens)
{
    assert(!tokens.empty() && tokens.size() <= maxBlockSymbols);
    const BlockCodes codes = BuildBlockCodes(CountFrequencies(tokens));
    out.Put(static_cast<uint32_t>(tokens.size()), 16);
    WriteTables(out, codes);
    for (const Token &t : tokens) {
        PutSymbol(out, codes.chars, t.symbol);
        if (!t.IsMatch())
            continue;
        const int p = PositionSymbol(t.distance);
        PutSymbol(out, codes.positions, p);
        const int extra = PositionExtraBits(p);
        out.Put((t.distance - 1u) & ((1u << extra) - 1), extra);
    }
}

} // namespace lha
