// Hash chains over the last window of the input: the longest earlier match of a position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "lha_pack/lh5_format.h"

namespace lha {

struct Match {
    uint32_t length = 0;  // 0 when there is none of at least minMatch bytes
    uint32_t distance = 0;
};

class MatchFinder {
public:
    // `data` must outlive the finder and be shorter than 4 GiB.
    explicit MatchFinder(std::span<const uint8_t> data);

    // The longest match for `pos` among the positions inserted so far that lie within the window,
    // at most maxMatch bytes and not past the end of the data; the nearest of equally long ones.
    // Looks at no more than `maxChain` earlier positions.
    Match Find(size_t pos, uint32_t maxChain) const;

    // Makes `pos` a match candidate for later positions. Positions go in increasing order.
    void Insert(size_t pos);

private:
    static constexpr int hashBits = 15;

    uint32_t Hash(size_t pos) const;
    uint32_t MatchLength(size_t a, size_t b, uint32_t limit) const;

    std::span<const uint8_t> data_;
    std::vector<uint32_t> head_;  // per hash: latest position + 1, 0 for none
    std::vector<uint32_t> prev_;  // per position modulo the window: the previous one + 1
};

} // namespace lha
