// A strict lh5 decoder for the tests: besides what any decoder needs (complete codes, lengths of
// at most 16 bits, distances inside the window), it insists on what this encoder promises:
// no reference before the start of the data, block counts that end exactly with the data, and no
// bytes after the last block but its padding.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lha_test {

struct DecodeResult {
    std::vector<uint8_t> data;
    std::string error;  // empty when the stream decoded
    int blocks = 0;
};

DecodeResult DecodeLh5(std::span<const uint8_t> stream, size_t originalSize);

} // namespace lha_test
