// The LZ parse of lh5: at each position the longest match, but a byte goes out as a literal when
// the next position starts a longer match.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "lha_pack/lh5_format.h"
#include "lha_pack/match_finder.h"

namespace lha {

struct ParseOptions {
    uint32_t maxChain = 256;       // positions looked at per search
    uint32_t goodLength = 32;      // after a match this long, the search one byte on is a quarter as long
    uint32_t lazyBelow = 128;      // matches this long or longer are taken at once
    uint32_t farMinLength = 4096;  // a match of minMatch bytes further back than this is no gain
};

class LazyParser {
public:
    LazyParser(std::span<const uint8_t> data, const ParseOptions &options);

    // Appends tokens until `out` holds `maxTokens` of them or the data is all parsed.
    void Parse(std::vector<Token> &out, size_t maxTokens);
    bool Done() const { return pos_ >= data_.size() && !hasPending_; }

private:
    Match FindAt(size_t pos);
    void InsertUpTo(size_t end);

    std::span<const uint8_t> data_;
    ParseOptions options_;
    MatchFinder finder_;
    size_t pos_ = 0;       // the next position to search
    size_t inserted_ = 0;  // positions below this are in the chains
    bool hasPending_ = false;
    Match pending_;        // the match found at pos_ - 1, not yet sent
};

} // namespace lha
