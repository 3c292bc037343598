#include "lha_pack/lh5_tables.h"

#include "lha_pack/lh5_format.h"

namespace lha {

namespace {

size_t UsedEntries(std::span<const uint8_t> lengths)
{
    size_t n = lengths.size();
    while (n > 0 && lengths[n - 1] == 0)
        --n;
    return n;
}

} // namespace

void PutSymbol(BitWriter &out, const HuffmanCode &code, int symbol)
{
    if (code.onlySymbol < 0)
        out.Put(code.codes[static_cast<size_t>(symbol)], code.lengths[static_cast<size_t>(symbol)]);
}

std::vector<LengthSymbol> DescribeCharLengths(std::span<const uint8_t> charLengths)
{
    std::vector<LengthSymbol> symbols;
    const size_t n = UsedEntries(charLengths);
    size_t i = 0;
    while (i < n) {
        if (charLengths[i] != 0) {
            symbols.push_back({static_cast<uint8_t>(charLengths[i] + 2), 0, 0});
            ++i;
            continue;
        }
        size_t run = 0;
        while (i + run < n && charLengths[i + run] == 0)
            ++run;
        i += run;
        if (run <= 2) {
            for (size_t k = 0; k < run; ++k)
                symbols.push_back({0, 0, 0});
        } else if (run <= 18) {
            symbols.push_back({1, static_cast<uint16_t>(run - 3), 4});
        } else if (run == 19) {
            symbols.push_back({0, 0, 0});
            symbols.push_back({1, 15, 4});
        } else {
            symbols.push_back({2, static_cast<uint16_t>(run - 20), 9});
        }
    }
    return symbols;
}

void WriteSharedFormatTable(BitWriter &out, const HuffmanCode &code, int countBits, int zeroRunAfter)
{
    if (code.onlySymbol >= 0) {
        out.Put(0, countBits);
        out.Put(static_cast<uint32_t>(code.onlySymbol), countBits);
        return;
    }
    const size_t n = UsedEntries(code.lengths);
    out.Put(static_cast<uint32_t>(n), countBits);
    size_t i = 0;
    while (i < n) {
        const int len = code.lengths[i++];
        if (len < 7) {
            out.Put(static_cast<uint32_t>(len), 3);
        } else {
            out.Put(7, 3);
            out.Put(((1u << (len - 7)) - 1) << 1, len - 6);  // len - 7 ones, then a zero
        }
        if (static_cast<int>(i) == zeroRunAfter) {
            uint32_t zeros = 0;
            while (zeros < 3 && i < n && code.lengths[i] == 0) {
                ++zeros;
                ++i;
            }
            out.Put(zeros, 2);
        }
    }
}

void WriteCharTable(BitWriter &out, const HuffmanCode &charCode, const HuffmanCode &lengthCode,
                    std::span<const LengthSymbol> symbols)
{
    if (charCode.onlySymbol >= 0) {
        out.Put(0, charCountBits);
        out.Put(static_cast<uint32_t>(charCode.onlySymbol), charCountBits);
        return;
    }
    out.Put(static_cast<uint32_t>(UsedEntries(charCode.lengths)), charCountBits);
    for (const LengthSymbol &s : symbols) {
        PutSymbol(out, lengthCode, s.symbol);
        out.Put(s.extra, s.extraBits);
    }
}

} // namespace lha
