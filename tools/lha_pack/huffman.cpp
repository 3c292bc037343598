#include "lha_pack/huffman.h"

#include <algorithm>
#include <cassert>

namespace lha {

namespace {

// An entry of one package-merge list: a leaf (index into the sorted leaves) or a package of two
// entries of the list one level deeper.
struct Item {
    uint64_t weight;
    int leaf;  // -1 for a package
};

} // namespace

std::vector<uint8_t> LimitedCodeLengths(std::span<const uint32_t> freqs, int maxBits)
{
    std::vector<int> leaves;
    for (size_t s = 0; s < freqs.size(); ++s)
        if (freqs[s] != 0)
            leaves.push_back(static_cast<int>(s));
    const size_t n = leaves.size();
    assert(n >= 2 && maxBits < 32 && n <= (size_t{1} << maxBits));
    std::stable_sort(leaves.begin(), leaves.end(), [&](int a, int b) { return freqs[a] < freqs[b]; });

    // lists[d] holds the candidates for depth d + 1: the leaves merged with the pairs of lists[d + 1].
    std::vector<std::vector<Item>> lists(static_cast<size_t>(maxBits));
    for (size_t i = 0; i < n; ++i)
        lists.back().push_back({freqs[leaves[i]], static_cast<int>(i)});
    for (int d = maxBits - 2; d >= 0; --d) {
        const std::vector<Item> &deeper = lists[static_cast<size_t>(d) + 1];
        std::vector<Item> &list = lists[static_cast<size_t>(d)];
        list.reserve(n + deeper.size() / 2);
        size_t leaf = 0, pair = 0;
        while (leaf < n || pair + 1 < deeper.size()) {
            const bool havePair = pair + 1 < deeper.size();
            const uint64_t pairWeight = havePair ? deeper[pair].weight + deeper[pair + 1].weight : 0;
            if (leaf < n && (!havePair || freqs[leaves[leaf]] <= pairWeight)) {
                list.push_back({freqs[leaves[leaf]], static_cast<int>(leaf)});
                ++leaf;
            } else {
                list.push_back({pairWeight, -1});
                pair += 2;
            }
        }
    }

    // The cheapest 2n - 2 entries of the top list; each package taken takes the first two
    // untaken entries of the list below it, and every leaf taken adds one bit to its symbol.
    std::vector<uint8_t> lengths(freqs.size(), 0);
    size_t take = 2 * n - 2;
    for (size_t d = 0; d < lists.size() && take > 0; ++d) {
        size_t packages = 0;
        for (size_t i = 0; i < take; ++i) {
            const Item &item = lists[d][i];
            if (item.leaf >= 0)
                ++lengths[static_cast<size_t>(leaves[static_cast<size_t>(item.leaf)])];
            else
                ++packages;
        }
        take = 2 * packages;
    }
    return lengths;
}

std::vector<uint16_t> CanonicalCodes(std::span<const uint8_t> lengths)
{
    uint32_t count[33] = {};
    for (uint8_t len : lengths)
        ++count[len];
    count[0] = 0;
    uint32_t next[33] = {};
    for (int len = 1; len < 32; ++len)
        next[len + 1] = (next[len] + count[len]) << 1;
    std::vector<uint16_t> codes(lengths.size(), 0);
    for (size_t s = 0; s < lengths.size(); ++s)
        if (lengths[s] != 0)
            codes[s] = static_cast<uint16_t>(next[lengths[s]]++);
    return codes;
}

HuffmanCode BuildHuffmanCode(std::span<const uint32_t> freqs, int maxBits)
{
    HuffmanCode code;
    const size_t used = static_cast<size_t>(std::count_if(freqs.begin(), freqs.end(), [](uint32_t f) { return f != 0; }));
    if (used < 2) {
        code.lengths.assign(freqs.size(), 0);
        code.codes.assign(freqs.size(), 0);
        const auto it = std::find_if(freqs.begin(), freqs.end(), [](uint32_t f) { return f != 0; });
        code.onlySymbol = it == freqs.end() ? 0 : static_cast<int>(it - freqs.begin());
        return code;
    }
    code.lengths = LimitedCodeLengths(freqs, maxBits);
    code.codes = CanonicalCodes(code.lengths);
    return code;
}

} // namespace lha
