// A plain LZH encoder for the tests: it writes given literals and matches as -lh5-/-lh6-/
// -lh7- blocks, so the decoder can be checked against streams whose content is known,
// including shapes a real compressor rarely produces.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

struct LzhToken {
    unsigned length = 0;   // 0 for a literal, else 3..256
    unsigned distance = 0; // 1..window size, for a match
    uint8_t literal = 0;
};

struct LzhEncodeOptions {
    unsigned windowBits = 13;
    size_t blockTokens = 65535; // tokens per block
    // Literal/length code lengths to use instead of Huffman lengths from the frequencies.
    std::optional<std::vector<uint8_t>> literalLengths;
};

class BitWriter {
public:
    void Put(uint32_t value, unsigned bits);
    std::vector<uint8_t> Finish(); // pads the last byte with zero bits

private:
    std::vector<uint8_t> bytes_;
    uint64_t pending_ = 0;
    unsigned count_ = 0;
};

std::vector<uint8_t> EncodeLzh(const std::vector<LzhToken> &tokens, const LzhEncodeOptions &options);

// What the tokens decode to, the window starting out as spaces.
std::vector<uint8_t> ExpandTokens(const std::vector<LzhToken> &tokens, unsigned windowBits);

// Random literals and matches with lengths and distances over their whole ranges.
std::vector<LzhToken> RandomTokens(uint32_t seed, size_t count, unsigned windowBits);

// Greedy matches of 3 bytes or more found by brute force over the last `window` bytes.
std::vector<LzhToken> TokensOf(const std::vector<uint8_t> &data, unsigned windowBits);
