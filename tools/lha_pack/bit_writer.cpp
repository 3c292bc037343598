#include "lha_pack/bit_writer.h"

namespace lha {

void BitWriter::Put(uint32_t value, int count)
{
    if (count <= 0)
        return;
    pending_ = (pending_ << count) | (value & ((1u << count) - 1));
    pendingBits_ += count;
    bitCount_ += static_cast<uint64_t>(count);
    while (pendingBits_ >= 8) {
        pendingBits_ -= 8;
        bytes_.push_back(static_cast<uint8_t>(pending_ >> pendingBits_));
    }
    pending_ &= (1u << pendingBits_) - 1;
}

std::vector<uint8_t> BitWriter::Finish()
{
    if (pendingBits_ > 0)
        bytes_.push_back(static_cast<uint8_t>(pending_ << (8 - pendingBits_)));
    pending_ = 0;
    pendingBits_ = 0;
    std::vector<uint8_t> out;
    out.swap(bytes_);
    return out;
}

} // namespace lha
