// The constants of the lh5 stream: an 8 KiB sliding window, match lengths 3..256, and blocks of
// static Huffman codes over 510 character/length symbols and 14 position classes.
#pragma once

#include <cstdint>

namespace lha {

constexpr int windowBits = 13;
constexpr uint32_t windowSize = 1u << windowBits;  // the farthest a match may reach back
constexpr uint32_t minMatch = 3;
constexpr uint32_t maxMatch = 256;

constexpr int charSymbols = 256 + maxMatch - minMatch + 1;  // 510: bytes, then lengths 3..256
constexpr int positionSymbols = windowBits + 1;            // 14: distance classes 0..13
constexpr int lengthSymbols = 19;                          // codes of the character-table lengths

// Field widths of the symbol counts at the head of each table.
constexpr int lengthCountBits = 5;
constexpr int charCountBits = 9;
constexpr int positionCountBits = 4;

constexpr int maxCodeBits = 16;
constexpr uint32_t maxBlockSymbols = 65535;  // the block's symbol count is a 16-bit field

// One symbol of the LZ parse: a byte (symbol < 256) or a match (symbol 256 + length - 3, with
// the distance 1..windowSize back to where the copy starts).
struct Token {
    uint16_t symbol;
    uint16_t distance;

    static Token Literal(uint8_t byte) { return {byte, 0}; }
    static Token Match(uint32_t length, uint32_t distance)
    {
        return {static_cast<uint16_t>(256 + length - minMatch), static_cast<uint16_t>(distance)};
    }
    bool IsMatch() const { return symbol >= 256; }
    uint32_t Length() const { return symbol - 256u + minMatch; }
};

// A distance is sent as d - 1: its bit count (the position symbol) then the bits below the top one.
inline int PositionSymbol(uint32_t distance)
{
    uint32_t v = distance - 1;
    int bits = 0;
    while (v) {
        ++bits;
        v >>= 1;
    }
    return bits;
}

inline int PositionExtraBits(int positionSymbol) { return positionSymbol > 1 ? positionSymbol - 1 : 0; }

} // namespace lha
