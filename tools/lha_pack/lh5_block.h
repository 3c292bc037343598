// One lh5 block: the symbol count, the three code tables, then the coded symbols.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "lha_pack/bit_writer.h"
#include "lha_pack/huffman.h"
#include "lha_pack/lh5_format.h"
#include "lha_pack/lh5_tables.h"

namespace lha {

struct BlockFrequencies {
    std::array<uint32_t, charSymbols> chars{};
    std::array<uint32_t, positionSymbols> positions{};

    void Add(const Token &t);
    void Add(const BlockFrequencies &other);
};

BlockFrequencies CountFrequencies(std::span<const Token> tokens);

// The codes of one block and the description of its character table.
struct BlockCodes {
    HuffmanCode chars;
    HuffmanCode positions;
    HuffmanCode lengths;
    std::vector<LengthSymbol> charTable;
};

BlockCodes BuildBlockCodes(const BlockFrequencies &freqs);

// Writes a block of 1..maxBlockSymbols tokens.
void WriteBlock(BitWriter &out, std::span<const Token> tokens);

} // namespace lha
