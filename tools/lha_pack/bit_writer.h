// Bits into bytes, most significant bit first, as the lh5 decoder reads them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lha {

class BitWriter {
public:
    // Appends the low `count` bits of `value` (count 0..24), highest first.
    void Put(uint32_t value, int count);
    // The number of bits put so far.
    uint64_t BitCount() const { return bitCount_; }
    // The bytes, the last one padded with zero bits.
    std::vector<uint8_t> Finish();

private:
    std::vector<uint8_t> bytes_;
    uint32_t pending_ = 0;  // bits not yet in `bytes_`, right-aligned
    int pendingBits_ = 0;
    uint64_t bitCount_ = 0;
};

} // namespace lha
