#include "lha_pack/match_finder.h"

#include <algorithm>
#include <cstring>

namespace lha {

MatchFinder::MatchFinder(std::span<const uint8_t> data)
    : data_(data), head_(size_t{1} << hashBits, 0), prev_(windowSize, 0)
{
}

uint32_t MatchFinder::Hash(size_t pos) const
{
    const uint32_t v = (uint32_t{data_[pos]} << 16) | (uint32_t{data_[pos + 1]} << 8) | data_[pos + 2];
    return (v * 2654435761u) >> (32 - hashBits);
}

uint32_t MatchFinder::MatchLength(size_t a, size_t b, uint32_t limit) const
{
    const uint8_t *p = data_.data() + a;
    const uint8_t *q = data_.data() + b;
    uint32_t len = 0;
    while (len + 8 <= limit) {
        uint64_t x, y;
        std::memcpy(&x, p + len, 8);
        std::memcpy(&y, q + len, 8);
        if (x != y)
            return len + static_cast<uint32_t>(__builtin_ctzll(x ^ y) / 8);  // little-endian host
        len += 8;
    }
    while (len < limit && p[len] == q[len])
        ++len;
    return len;
}

Match MatchFinder::Find(size_t pos, uint32_t maxChain) const
{
    Match best;
    if (data_.size() - pos < minMatch)
        return best;
    const uint32_t limit = static_cast<uint32_t>(std::min<size_t>(maxMatch, data_.size() - pos));
    uint32_t bestLen = minMatch - 1;
    uint32_t link = head_[Hash(pos)];
    for (uint32_t chain = maxChain; link != 0 && chain > 0; --chain) {
        const size_t cand = link - 1;
        if (pos - cand > windowSize)
            break;
        if (data_[cand + bestLen] == data_[pos + bestLen]) {
            const uint32_t len = MatchLength(cand, pos, limit);
            if (len > bestLen) {
                bestLen = len;
                best = {len, static_cast<uint32_t>(pos - cand)};
                if (len == limit)
                    break;
            }
        }
        const uint32_t next = prev_[cand & (windowSize - 1)];
        if (next >= link)
            break;
        link = next;
    }
    return best;
}

void MatchFinder::Insert(size_t pos)
{
    if (data_.size() - pos < minMatch)
        return;
    uint32_t &head = head_[Hash(pos)];
    prev_[pos & (windowSize - 1)] = head;
    head = static_cast<uint32_t>(pos + 1);
}

} // namespace lha
