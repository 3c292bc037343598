#include "lzh_test_encoder.h"

#include <algorithm>
#include <map>
#include <random>
#include <stdexcept>

namespace {

constexpr unsigned literalSymbols = 510;
constexpr unsigned preTreeSymbols = 19;

struct Code {
    uint32_t bits = 0;
    unsigned length = 0;
};

// Huffman code lengths of at most 16 bits; frequencies are halved until they fit.
std::vector<uint8_t> HuffmanLengths(std::vector<uint64_t> freq)
{
    for (;;) {
        std::multimap<uint64_t, std::vector<unsigned>> heap;
        for (unsigned s = 0; s < freq.size(); ++s)
            if (freq[s] > 0)
                heap.insert({freq[s], {s}});
        std::vector<uint8_t> lengths(freq.size(), 0);
        if (heap.size() == 1) {
            lengths[heap.begin()->second[0]] = 1;
            return lengths;
        }
        while (heap.size() > 1) {
            auto a = heap.begin();
            auto b = std::next(a);
            std::vector<unsigned> merged = a->second;
            merged.insert(merged.end(), b->second.begin(), b->second.end());
            for (unsigned s : merged)
                ++lengths[s];
            const uint64_t sum = a->first + b->first;
            heap.erase(a, std::next(b));
            heap.insert({sum, merged});
        }
        if (*std::max_element(lengths.begin(), lengths.end()) <= 16)
            return lengths;
        for (uint64_t &f : freq)
            f = f == 0 ? 0 : (f + 1) / 2;
    }
}

// Canonical codes: by length, then by symbol.
std::vector<Code> CodesOf(const std::vector<uint8_t> &lengths)
{
    std::vector<Code> codes(lengths.size());
    uint32_t next = 0;
    for (unsigned length = 1; length <= 16; ++length) {
        for (size_t s = 0; s < lengths.size(); ++s) {
            if (lengths[s] == length) {
                codes[s] = {next, length};
                ++next;
            }
        }
        next <<= 1;
    }
    return codes;
}

unsigned UsedSymbols(const std::vector<uint64_t> &freq, unsigned &only)
{
    unsigned used = 0;
    for (unsigned s = 0; s < freq.size(); ++s)
        if (freq[s] > 0) {
            ++used;
            only = s;
        }
    return used;
}

void PutSmallLength(BitWriter &out, unsigned length)
{
    if (length < 7) {
        out.Put(length, 3);
        return;
    }
    out.Put(7, 3);
    for (unsigned i = 7; i < length; ++i)
        out.Put(1, 1);
    out.Put(0, 1);
}

// The pre-tree or position table: count, lengths, and after the third pre-tree length the
// number of zero lengths that follow (up to 3).
void PutSmallTable(BitWriter &out, const std::vector<uint8_t> &lengths, unsigned countBits, bool skipField)
{
    unsigned count = static_cast<unsigned>(lengths.size());
    while (count > 0 && lengths[count - 1] == 0)
        --count;
    out.Put(count, countBits);
    for (unsigned i = 0; i < count;) {
        PutSmallLength(out, lengths[i++]);
        if (skipField && i == 3) {
            unsigned zeros = 0;
            while (zeros < 3 && i < count && lengths[i] == 0) {
                ++zeros;
                ++i;
            }
            out.Put(zeros, 2);
        }
    }
}

struct PreSymbol {
    unsigned symbol;
    uint32_t extra;
    unsigned extraBits;
};

// Literal/length code lengths as pre-tree symbols.
std::vector<PreSymbol> PreSymbolsOf(const std::vector<uint8_t> &lengths, unsigned &count)
{
    count = literalSymbols;
    while (count > 0 && lengths[count - 1] == 0)
        --count;
    std::vector<PreSymbol> list;
    for (unsigned i = 0; i < count;) {
        if (lengths[i] != 0) {
            list.push_back({lengths[i++] + 2u, 0, 0});
            continue;
        }
        unsigned run = 0;
        while (i + run < count && lengths[i + run] == 0)
            ++run;
        i += run;
        while (run > 0) {
            if (run >= 20) {
                const unsigned take = std::min(run, 531u);
                list.push_back({2, take - 20, 9});
                run -= take;
            } else if (run >= 3 && run != 19) {
                list.push_back({1, run - 3, 4});
                run = 0;
            } else {
                list.push_back({0, 0, 0});
                --run;
            }
        }
    }
    return list;
}

unsigned SymbolOf(const LzhToken &t)
{
    return t.length == 0 ? t.literal : 256 + t.length - 3;
}

unsigned SlotOf(unsigned distance)
{
    unsigned value = distance - 1;
    unsigned slot = 0;
    while (value > 0) {
        ++slot;
        value >>= 1;
    }
    return slot;
}

void PutBlock(BitWriter &out, const LzhToken *tokens, size_t count, const LzhEncodeOptions &options)
{
    const unsigned positionSymbols = options.windowBits + 1;
    const unsigned positionCountBits = options.windowBits <= 13 ? 4 : 5;
    std::vector<uint64_t> literalFreq(literalSymbols, 0), positionFreq(positionSymbols, 0);
    for (size_t i = 0; i < count; ++i) {
        ++literalFreq[SymbolOf(tokens[i])];
        if (tokens[i].length != 0)
            ++positionFreq[SlotOf(tokens[i].distance)];
    }
    out.Put(static_cast<uint32_t>(count), 16);

    unsigned only = 0;
    std::vector<uint8_t> literalLengths;
    if (options.literalLengths) {
        literalLengths = *options.literalLengths;
    } else if (UsedSymbols(literalFreq, only) == 1) {
        out.Put(0, 5); // pre-tree: one symbol, never used
        out.Put(0, 5);
        out.Put(0, 9);
        out.Put(only, 9);
    } else {
        literalLengths = HuffmanLengths(literalFreq);
    }
    if (!literalLengths.empty()) {
        unsigned written = 0;
        const std::vector<PreSymbol> pre = PreSymbolsOf(literalLengths, written);
        std::vector<uint64_t> preFreq(preTreeSymbols, 0);
        for (const PreSymbol &p : pre)
            ++preFreq[p.symbol];
        std::vector<Code> preCodes;
        if (UsedSymbols(preFreq, only) == 1) {
            out.Put(0, 5);
            out.Put(only, 5);
            preCodes.assign(preTreeSymbols, Code{});
        } else {
            const std::vector<uint8_t> preLengths = HuffmanLengths(preFreq);
            PutSmallTable(out, preLengths, 5, true);
            preCodes = CodesOf(preLengths);
        }
        out.Put(written, 9);
        for (const PreSymbol &p : pre) {
            out.Put(preCodes[p.symbol].bits, preCodes[p.symbol].length);
            out.Put(p.extra, p.extraBits);
        }
    }
    const std::vector<Code> literalCodes =
        literalLengths.empty() ? std::vector<Code>(literalSymbols) : CodesOf(literalLengths);

    std::vector<Code> positionCodes(positionSymbols);
    const unsigned usedPositions = UsedSymbols(positionFreq, only);
    if (usedPositions <= 1) {
        out.Put(0, positionCountBits);
        out.Put(usedPositions == 1 ? only : 0, positionCountBits);
    } else {
        const std::vector<uint8_t> positionLengths = HuffmanLengths(positionFreq);
        PutSmallTable(out, positionLengths, positionCountBits, false);
        positionCodes = CodesOf(positionLengths);
    }

    for (size_t i = 0; i < count; ++i) {
        const Code &c = literalCodes[SymbolOf(tokens[i])];
        out.Put(c.bits, c.length);
        if (tokens[i].length == 0)
            continue;
        const unsigned slot = SlotOf(tokens[i].distance);
        out.Put(positionCodes[slot].bits, positionCodes[slot].length);
        if (slot > 1)
            out.Put(tokens[i].distance - 1 - (1u << (slot - 1)), slot - 1);
    }
}

} // namespace

void BitWriter::Put(uint32_t value, unsigned bits)
{
    for (unsigned i = bits; i-- > 0;) {
        pending_ = (pending_ << 1) | ((value >> i) & 1);
        if (++count_ == 8) {
            bytes_.push_back(static_cast<uint8_t>(pending_));
            pending_ = 0;
            count_ = 0;
        }
    }
}

std::vector<uint8_t> BitWriter::Finish()
{
    if (count_ > 0)
        Put(0, 8 - count_);
    return bytes_;
}

std::vector<uint8_t> EncodeLzh(const std::vector<LzhToken> &tokens, const LzhEncodeOptions &options)
{
    BitWriter out;
    for (size_t at = 0; at < tokens.size(); at += options.blockTokens)
        PutBlock(out, tokens.data() + at, std::min(options.blockTokens, tokens.size() - at), options);
    return out.Finish();
}

std::vector<uint8_t> ExpandTokens(const std::vector<LzhToken> &tokens, unsigned windowBits)
{
    const size_t window = size_t{1} << windowBits;
    std::vector<uint8_t> all(window, ' ');
    for (const LzhToken &t : tokens) {
        if (t.length == 0) {
            all.push_back(t.literal);
            continue;
        }
        if (t.distance < 1 || t.distance > window || t.length < 3 || t.length > 256)
            throw std::invalid_argument("token out of range");
        for (unsigned i = 0; i < t.length; ++i)
            all.push_back(all[all.size() - t.distance]);
    }
    return std::vector<uint8_t>(all.begin() + static_cast<std::ptrdiff_t>(window), all.end());
}

std::vector<LzhToken> RandomTokens(uint32_t seed, size_t count, unsigned windowBits)
{
    std::mt19937 random(seed);
    std::vector<LzhToken> tokens(count);
    for (LzhToken &t : tokens) {
        if (random() % 3 == 0) {
            t.literal = static_cast<uint8_t>(random() % 4 == 0 ? random() : 'a' + random() % 26);
            continue;
        }
        t.length = random() % 8 == 0 ? 3 + random() % 254 : 3 + random() % 12;
        const unsigned slot = random() % (windowBits + 1);
        t.distance = slot == 0 ? 1 : (1u << (slot - 1)) + 1 + random() % (1u << (slot - 1));
    }
    return tokens;
}

std::vector<LzhToken> TokensOf(const std::vector<uint8_t> &data, unsigned windowBits)
{
    const size_t window = size_t{1} << windowBits;
    std::vector<LzhToken> tokens;
    for (size_t at = 0; at < data.size();) {
        LzhToken best;
        best.literal = data[at];
        for (size_t from = at > window ? at - window : 0; from < at; ++from) {
            unsigned length = 0;
            while (length < 256 && at + length < data.size() && data[from + length] == data[at + length])
                ++length;
            if (length >= 3 && length >= best.length) {
                best.length = length;
                best.distance = static_cast<unsigned>(at - from);
            }
        }
        at += best.length == 0 ? 1 : best.length;
        tokens.push_back(best);
    }
    return tokens;
}
