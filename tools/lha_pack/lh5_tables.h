// The code tables at the head of an lh5 block: the position table and the table of the
// character-table lengths share one format, the character table is sent through the latter.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "lha_pack/bit_writer.h"
#include "lha_pack/huffman.h"

namespace lha {

// One symbol (0..18) that describes the character-table lengths: 0 one unused entry, 1 3..18
// unused entries (4 extra bits), 2 20..531 unused entries (9 extra bits), n + 2 a length n.
struct LengthSymbol {
    uint8_t symbol;
    uint16_t extra;
    uint8_t extraBits;
};

// The code of `symbol` (nothing when the code has a single symbol).
void PutSymbol(BitWriter &out, const HuffmanCode &code, int symbol);

// The character-table lengths as length symbols, up to the last used entry.
std::vector<LengthSymbol> DescribeCharLengths(std::span<const uint8_t> charLengths);

// A table in the shared format: the entry count in `countBits` bits, then each length in three
// bits (7 and above as 7 followed by one 1 bit per step and a 0). After entry `zeroRunAfter`
// (3 for the length table, none for the position table) a 2-bit count of zero entries follows.
// A code of a single symbol goes as a count of 0 and the symbol.
void WriteSharedFormatTable(BitWriter &out, const HuffmanCode &code, int countBits, int zeroRunAfter);

// The character table, described by `symbols` and coded with `lengthCode`.
void WriteCharTable(BitWriter &out, const HuffmanCode &charCode, const HuffmanCode &lengthCode,
                    std::span<const LengthSymbol> symbols);

} // namespace lha
