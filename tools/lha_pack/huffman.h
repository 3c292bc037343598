// Huffman codes with a length limit: optimal lengths by package-merge, then canonical codes in the
// order the lh5 decoder assigns them (shorter codes first, equal lengths by symbol).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace lha {

struct HuffmanCode {
    std::vector<uint8_t> lengths;  // per symbol; 0 for a symbol that does not occur
    std::vector<uint16_t> codes;   // per symbol, the low `lengths[s]` bits
    // When fewer than two symbols occur, the table names one symbol that costs no bits at all
    // (0 when none occurs); `lengths` are then all 0.
    int onlySymbol = -1;

    uint32_t BitsOf(int symbol) const { return lengths[static_cast<size_t>(symbol)]; }
};

// Code lengths of at most `maxBits` minimising sum(freq * length), for at least two symbols with a
// non-zero frequency (and no more than 2^maxBits of them). The code they give is complete.
std::vector<uint8_t> LimitedCodeLengths(std::span<const uint32_t> freqs, int maxBits);

// The canonical codes for `lengths`.
std::vector<uint16_t> CanonicalCodes(std::span<const uint8_t> lengths);

// The whole code for `freqs`, with the single-symbol case resolved.
HuffmanCode BuildHuffmanCode(std::span<const uint32_t> freqs, int maxBits);

} // namespace lha
