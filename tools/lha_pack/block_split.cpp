#include "lha_pack/block_split.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "lha_pack/lh5_block.h"

namespace lha {

namespace {

// f * log2(f) for the counts a block can hold.
const std::vector<float> &FLogF()
{
    static const std::vector<float> table = [] {
        std::vector<float> t(maxBlockSymbols + 1, 0.0f);
        for (size_t f = 2; f < t.size(); ++f)
            t[f] = static_cast<float>(static_cast<double>(f) * std::log2(static_cast<double>(f)));
        return t;
    }();
    return table;
}

// The entropy of the symbols plus a rough price of the tables: close enough to the exact size
// to choose cuts, and far cheaper.
double EstimateBits(const BlockFrequencies &freqs)
{
    const std::vector<float> &flogf = FLogF();
    double bits = 16 + 3 * lengthSymbols + 4;
    uint32_t total = 0;
    bool zeroRun = false;
    for (uint32_t f : freqs.chars) {
        total += f;
        bits -= flogf[f];
        if (f != 0) {
            bits += 4;
            zeroRun = false;
        } else if (!zeroRun) {
            bits += 5;
            zeroRun = true;
        }
    }
    bits += flogf[total];
    uint32_t matches = 0;
    for (size_t p = 0; p < freqs.positions.size(); ++p) {
        const uint32_t f = freqs.positions[p];
        matches += f;
        bits -= flogf[f];
        bits += 3 + static_cast<double>(f) * PositionExtraBits(static_cast<int>(p));
    }
    bits += flogf[matches];
    return bits;
}

} // namespace

std::vector<size_t> SplitIntoBlocks(std::span<const Token> tokens, size_t unit)
{
    if (tokens.empty())
        return {};
    unit = std::clamp<size_t>(unit, 1, maxBlockSymbols);
    const size_t units = (tokens.size() + unit - 1) / unit;
    const size_t maxUnits = maxBlockSymbols / unit;

    std::vector<BlockFrequencies> unitFreqs(units);
    for (size_t u = 0; u < units; ++u)
        unitFreqs[u] = CountFrequencies(tokens.subspan(u * unit, std::min(unit, tokens.size() - u * unit)));

    // best[j]: the least size of the first j units; from[j]: where the last block of it starts.
    std::vector<double> best(units + 1, std::numeric_limits<double>::max());
    std::vector<size_t> from(units + 1, 0);
    best[0] = 0;
    for (size_t j = 1; j <= units; ++j) {
        BlockFrequencies freqs;
        for (size_t i = j; i-- > 0 && j - i <= maxUnits;) {
            freqs.Add(unitFreqs[i]);
            const double bits = best[i] + EstimateBits(freqs);
            if (bits < best[j]) {
                best[j] = bits;
                from[j] = i;
            }
        }
    }

    std::vector<size_t> lengths;
    for (size_t j = units; j > 0; j = from[j])
        lengths.push_back(std::min(j * unit, tokens.size()) - from[j] * unit);
    std::reverse(lengths.begin(), lengths.end());
    return lengths;
}

} // namespace lha
