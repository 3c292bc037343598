#include "installer/lha/lha_huffman.h"

bool HuffmanTable::Build(const uint8_t *lengths, unsigned symbols, unsigned fastBits)
{
    if (symbols > maxSymbols || fastBits > 12)
        return false;
    count_.fill(0);
    for (unsigned s = 0; s < symbols; ++s) {
        if (lengths[s] > maxLength)
            return false;
        ++count_[lengths[s]];
    }
    count_[0] = 0;
    int unassigned = 1; // of the code space at the current length
    for (unsigned length = 1; length <= maxLength; ++length) {
        unassigned = unassigned * 2 - count_[length];
        if (unassigned < 0)
            return false;
    }

    std::array<uint32_t, maxLength + 1> next{};
    uint32_t code = 0;
    uint16_t index = 0;
    for (unsigned length = 1; length <= maxLength; ++length) {
        code = (code + count_[length - 1]) << 1;
        first_[length] = next[length] = code;
        offset_[length] = index;
        index = static_cast<uint16_t>(index + count_[length]);
    }
    std::array<uint16_t, maxLength + 1> placed = offset_;
    fastBits_ = fastBits;
    fast_.fill(slowEntry);
    for (unsigned s = 0; s < symbols; ++s) {
        const unsigned length = lengths[s];
        if (length == 0)
            continue;
        sorted_[placed[length]++] = static_cast<uint16_t>(s);
        const uint32_t symbolCode = next[length]++;
        if (length > fastBits)
            continue;
        const unsigned shift = fastBits - length;
        const uint16_t entry = static_cast<uint16_t>(s | (length << lengthShift));
        for (uint32_t i = symbolCode << shift; i < (symbolCode + 1) << shift; ++i)
            fast_[i] = entry;
    }
    return true;
}

void HuffmanTable::SetSingle(unsigned symbol, unsigned fastBits)
{
    fastBits_ = fastBits;
    fast_.fill(static_cast<uint16_t>(symbol));
    count_.fill(0);
}

int HuffmanTable::DecodeLong(BitReader &reader) const
{
    const uint32_t bits = reader.Peek(maxLength);
    for (unsigned length = 1; length <= maxLength; ++length) {
        const uint32_t code = bits >> (maxLength - length);
        if (code - first_[length] < count_[length]) {
            reader.Skip(length);
            return sorted_[offset_[length] + code - first_[length]];
        }
    }
    return -1;
}
