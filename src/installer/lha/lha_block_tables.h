// The code tables at the start of each block of an -lh5-, -lh6- or -lh7- stream: the
// literal/length code, whose lengths are coded with a small "pre-tree" code sent first,
// and the position code.
#pragma once

#include "installer/lha/lha_bit_reader.h"
#include "installer/lha/lha_huffman.h"

constexpr unsigned lzhLiteralSymbols = 510; // 256 bytes, then match lengths 3..256
constexpr unsigned lzhMinMatch = 3;

struct BlockTables {
    HuffmanTable preTree;
    HuffmanTable literals;
    HuffmanTable positions;
};

// Reads the three tables. `positionSymbols` is the window's bit count + 1, `positionCountBits`
// the width of the position table's count field (4 for -lh5-, 5 above). False when the
// tables are malformed.
bool ReadBlockTables(BitReader &reader, unsigned positionSymbols, unsigned positionCountBits, BlockTables &tables);
