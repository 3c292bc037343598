// Canonical Huffman codes as the LZH methods transmit them: a code length per symbol,
// codes assigned by length, then by symbol. Lengths run up to 16 bits.
#pragma once

#include <array>
#include <cstdint>

#include "installer/lha/lha_bit_reader.h"

class HuffmanTable {
public:
    static constexpr unsigned maxSymbols = 510;
    static constexpr unsigned maxLength = 16;

    // `lengths[i]` is the code length of symbol i, 0 for an unused symbol. False when the
    // lengths over-subscribe the code space or exceed 16. Unused codes of an incomplete
    // code decode as errors. `fastBits` (at most 12) is the size of the lookup index.
    bool Build(const uint8_t *lengths, unsigned symbols, unsigned fastBits);

    // A table whose only symbol takes no bits at all.
    void SetSingle(unsigned symbol, unsigned fastBits);

    // The next symbol, -1 for a code no symbol has. The reader must hold 16 bits.
    int Decode(BitReader &reader) const
    {
        const uint16_t entry = fast_[reader.Peek(fastBits_)];
        if (entry != slowEntry) {
            reader.Skip(entry >> lengthShift);
            return entry & symbolMask;
        }
        return DecodeLong(reader);
    }

private:
    static constexpr unsigned lengthShift = 9;
    static constexpr uint16_t symbolMask = (1u << lengthShift) - 1;
    static constexpr uint16_t slowEntry = 0xFFFF;

    int DecodeLong(BitReader &reader) const;

    unsigned fastBits_ = 0;
    std::array<uint16_t, 1u << 12> fast_{}; // symbol | length << 9, or slowEntry
    std::array<uint32_t, maxLength + 1> first_{};   // first code of each length
    std::array<uint16_t, maxLength + 1> count_{};   // symbols of each length
    std::array<uint16_t, maxLength + 1> offset_{};  // index into sorted_ of each length
    std::array<uint16_t, maxSymbols> sorted_{};     // symbols by length, then by value
};
