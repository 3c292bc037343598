// Most-significant-bit-first reading of compressed member data. Past the end of the data
// the reader supplies zero bits and remembers that it did, so a damaged stream can neither
// read outside its buffer nor go unnoticed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

class BitReader {
public:
    BitReader(const uint8_t *data, size_t size) : next_(data), end_(data + size) { Refill(); }

    // Afterwards at least 56 bits can be peeked and skipped.
    void Refill()
    {
        if (end_ - next_ >= 8) {
            uint64_t word;
            std::memcpy(&word, next_, 8);
            bits_ |= __builtin_bswap64(word) >> count_;
            next_ += (63 - count_) >> 3;
            count_ |= 56;
        } else {
            RefillNearEnd();
        }
    }

    // The next `n` bits, 0 <= n <= 32, without consuming them.
    uint32_t Peek(unsigned n) const { return n == 0 ? 0 : static_cast<uint32_t>(bits_ >> (64 - n)); }

    void Skip(unsigned n)
    {
        bits_ <<= n;
        count_ -= n;
    }

    uint32_t Read(unsigned n)
    {
        const uint32_t value = Peek(n);
        Skip(n);
        return value;
    }

    // Whether more bits were consumed than the data holds.
    bool Overrun() const { return padding_ * 8 > count_; }

private:
    void RefillNearEnd()
    {
        while (count_ <= 56) {
            uint64_t byte = 0;
            if (next_ < end_)
                byte = *next_++;
            else
                ++padding_;
            bits_ |= byte << (56 - count_);
            count_ += 8;
        }
    }

    const uint8_t *next_;
    const uint8_t *end_;
    uint64_t bits_ = 0;   // unread bits from the top down
    unsigned count_ = 0;  // how many of them are valid
    size_t padding_ = 0;  // zero bytes supplied past the end
};
