#include "lh5_test_decoder.h"

#include <array>
#include <stdexcept>

namespace lha_test {

namespace {

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class BitReader {
public:
    explicit BitReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    uint32_t Get(int count)
    {
        uint32_t v = 0;
        for (int i = 0; i < count; ++i) {
            if (pos_ / 8 >= bytes_.size())
                throw Failure("read past the end of the stream");
            v = (v << 1) | ((bytes_[pos_ / 8] >> (7 - pos_ % 8)) & 1u);
            ++pos_;
        }
        return v;
    }
    uint64_t Position() const { return pos_; }

private:
    std::span<const uint8_t> bytes_;
    uint64_t pos_ = 0;
};

// A canonical code read back from its lengths, or a single symbol sent with no bits.
class Decoder {
public:
    void Single(int symbol) { single_ = symbol; }

    void Lengths(const std::vector<uint8_t> &lengths)
    {
        single_ = -1;
        count_.fill(0);
        for (uint8_t len : lengths)
            ++count_[len];
        count_[0] = 0;
        uint32_t room = 1u << 16;
        for (int len = 1; len <= 16; ++len) {
            if (count_[len] << (16 - len) > room)
                throw Failure("over-full code");
            room -= count_[len] << (16 - len);
        }
        if (room != 0)
            throw Failure("incomplete code");
        sorted_.clear();
        for (int len = 1; len <= 16; ++len)
            for (size_t s = 0; s < lengths.size(); ++s)
                if (lengths[s] == len)
                    sorted_.push_back(static_cast<int>(s));
    }

    int Read(BitReader &in) const
    {
        if (single_ >= 0)
            return single_;
        uint32_t code = 0, first = 0, index = 0;
        for (int len = 1; len <= 16; ++len) {
            code |= in.Get(1);
            if (code - first < count_[len])
                return sorted_[index + code - first];
            index += count_[len];
            first = (first + count_[len]) << 1;
            code <<= 1;
        }
        throw Failure("no such code");
    }

private:
    int single_ = -1;
    std::array<uint32_t, 17> count_{};
    std::vector<int> sorted_;
};

void ReadSharedTable(BitReader &in, Decoder &decoder, int symbols, int countBits, int zeroRunAfter)
{
    const int n = static_cast<int>(in.Get(countBits));
    if (n == 0) {
        const int s = static_cast<int>(in.Get(countBits));
        if (s >= symbols)
            throw Failure("single symbol out of range");
        decoder.Single(s);
        return;
    }
    if (n > symbols)
        throw Failure("too many table entries");
    std::vector<uint8_t> lengths(static_cast<size_t>(symbols), 0);
    int i = 0;
    while (i < n) {
        uint32_t len = in.Get(3);
        if (len == 7)
            while (in.Get(1) == 1)
                if (++len > 16)
                    throw Failure("table length above 16");
        lengths[static_cast<size_t>(i++)] = static_cast<uint8_t>(len);
        if (i == zeroRunAfter)
            for (uint32_t z = in.Get(2); z > 0; --z) {
                if (i >= n)
                    throw Failure("zero run past the table");
                lengths[static_cast<size_t>(i++)] = 0;
            }
    }
    decoder.Lengths(lengths);
}

void ReadCharTable(BitReader &in, Decoder &chars, const Decoder &lengthCode)
{
    const int n = static_cast<int>(in.Get(9));
    if (n == 0) {
        const int s = static_cast<int>(in.Get(9));
        if (s >= 510)
            throw Failure("single character symbol out of range");
        chars.Single(s);
        return;
    }
    if (n > 510)
        throw Failure("too many character entries");
    std::vector<uint8_t> lengths(510, 0);
    int i = 0;
    while (i < n) {
        const int s = lengthCode.Read(in);
        int zeros = 0;
        if (s == 0)
            zeros = 1;
        else if (s == 1)
            zeros = static_cast<int>(in.Get(4)) + 3;
        else if (s == 2)
            zeros = static_cast<int>(in.Get(9)) + 20;
        else
            lengths[static_cast<size_t>(i++)] = static_cast<uint8_t>(s - 2);
        if (i + zeros > n)
            throw Failure("zero run past the character table");
        i += zeros;
    }
    chars.Lengths(lengths);
}

} // namespace

DecodeResult DecodeLh5(std::span<const uint8_t> stream, size_t originalSize)
{
    DecodeResult result;
    try {
        BitReader in(stream);
        Decoder lengthCode, chars, positions;
        uint32_t left = 0;
        while (result.data.size() < originalSize) {
            if (left == 0) {
                left = in.Get(16);
                if (left == 0)
                    throw Failure("empty block");
                ReadSharedTable(in, lengthCode, 19, 5, 3);
                ReadCharTable(in, chars, lengthCode);
                ReadSharedTable(in, positions, 14, 4, -1);
                ++result.blocks;
            }
            --left;
            const int c = chars.Read(in);
            if (c < 256) {
                result.data.push_back(static_cast<uint8_t>(c));
                continue;
            }
            const size_t length = static_cast<size_t>(c) - 253;
            uint32_t p = static_cast<uint32_t>(positions.Read(in));
            if (p != 0)
                p = (1u << (p - 1)) + in.Get(static_cast<int>(p) - 1);
            const size_t distance = p + 1;
            if (distance > result.data.size() || distance > 8192)
                throw Failure("match reaches before the data or the window");
            if (result.data.size() + length > originalSize)
                throw Failure("match runs past the end of the data");
            for (size_t k = 0; k < length; ++k)
                result.data.push_back(result.data[result.data.size() - distance]);
        }
        if (left != 0)
            throw Failure("block count runs past the end of the data");
        if ((in.Position() + 7) / 8 != stream.size())
            throw Failure("bytes after the last block");
    } catch (const Failure &f) {
        result.error = f.what();
    }
    return result;
}

} // namespace lha_test
