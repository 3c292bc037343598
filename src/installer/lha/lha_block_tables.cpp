#include "installer/lha/lha_block_tables.h"

namespace {

constexpr unsigned preTreeSymbols = 19;
constexpr unsigned preTreeCountBits = 5;
constexpr unsigned literalCountBits = 9;
constexpr unsigned literalFastBits = 12;
constexpr unsigned smallFastBits = 8;
constexpr unsigned maxSmallSymbols = 19;
constexpr unsigned noSkipField = 0;

// Lengths 0..6 take three bits; 7 and above are 7 followed by a one bit for each further
// step and a closing zero bit.
bool ReadLength(BitReader &reader, uint8_t &length)
{
    unsigned value = reader.Read(3);
    if (value == 7) {
        while (reader.Read(1) == 1) {
            if (++value > HuffmanTable::maxLength)
                return false;
        }
    }
    length = static_cast<uint8_t>(value);
    return true;
}

// The pre-tree and the position table. In the pre-tree, after the length at index
// `skipAfter` - 1 a two-bit field gives a number of zero lengths that follow.
bool ReadSmallTable(BitReader &reader, unsigned symbols, unsigned countBits, unsigned skipAfter, HuffmanTable &table)
{
    reader.Refill();
    const unsigned count = reader.Read(countBits);
    if (count == 0) {
        const unsigned only = reader.Read(countBits);
        if (only >= symbols)
            return false;
        table.SetSingle(only, smallFastBits);
        return true;
    }
    if (count > symbols)
        return false;
    uint8_t lengths[maxSmallSymbols] = {};
    unsigned i = 0;
    while (i < count) {
        reader.Refill();
        if (!ReadLength(reader, lengths[i++]))
            return false;
        if (i == skipAfter) {
            unsigned zeros = reader.Read(2);
            while (zeros-- > 0 && i < count)
                lengths[i++] = 0;
        }
    }
    return table.Build(lengths, symbols, smallFastBits);
}

// Literal/length code lengths, each a pre-tree symbol: 0 one zero length, 1 a run of 3..18
// zero lengths, 2 a run of 20..531 zero lengths, n >= 3 the length n - 2.
bool ReadLiteralTable(BitReader &reader, const HuffmanTable &preTree, HuffmanTable &table)
{
    reader.Refill();
    const unsigned count = reader.Read(literalCountBits);
    if (count == 0) {
        const unsigned only = reader.Read(literalCountBits);
        if (only >= lzhLiteralSymbols)
            return false;
        table.SetSingle(only, literalFastBits);
        return true;
    }
    if (count > lzhLiteralSymbols)
        return false;
    uint8_t lengths[lzhLiteralSymbols] = {};
    unsigned i = 0;
    while (i < count) {
        reader.Refill();
        const int symbol = preTree.Decode(reader);
        if (symbol < 0)
            return false;
        if (symbol > 2) {
            lengths[i++] = static_cast<uint8_t>(symbol - 2);
            continue;
        }
        const unsigned zeros = symbol == 0 ? 1 : symbol == 1 ? reader.Read(4) + 3 : reader.Read(9) + 20;
        if (zeros > count - i)
            return false;
        i += zeros; // the lengths are zero already
    }
    return table.Build(lengths, lzhLiteralSymbols, literalFastBits);
}

} // namespace

bool ReadBlockTables(BitReader &reader, unsigned positionSymbols, unsigned positionCountBits, BlockTables &tables)
{
    return ReadSmallTable(reader, preTreeSymbols, preTreeCountBits, 3, tables.preTree) &&
           ReadLiteralTable(reader, tables.preTree, tables.literals) &&
           ReadSmallTable(reader, positionSymbols, positionCountBits, noSkipField, tables.positions);
}
