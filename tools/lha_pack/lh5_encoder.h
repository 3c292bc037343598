// Data into an lh5 stream: the lazy LZ parse, cut into blocks of static Huffman codes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "lha_pack/lazy_parser.h"

namespace lha {

struct Lh5Options {
    ParseOptions parse;
    size_t segmentTokens = size_t{1} << 18;  // tokens parsed before their blocks are chosen
    size_t blockUnit = 1024;                 // the granularity of block cuts
};

// The compressed stream, or nothing once it would grow beyond `sizeLimit` bytes.
std::optional<std::vector<uint8_t>> CompressLh5(std::span<const uint8_t> data, uint64_t sizeLimit = UINT64_MAX,
                                                const Lh5Options &options = {});

} // namespace lha
