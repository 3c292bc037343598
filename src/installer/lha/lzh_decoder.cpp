#include "installer/lha/lzh_decoder.h"

#include <cstring>
#include <memory>
#include <vector>

#include "installer/lha/lha_block_tables.h"

namespace {

constexpr size_t flushSize = 1u << 18;
constexpr size_t longestMatch = 256;
constexpr size_t copySlack = 8; // match copies move 8 bytes at a time and may overshoot

// Decoded bytes go into `buffer_` after a window's worth of history; when enough have
// gathered they go to the sink, and the last window's worth moves to the front. Matches
// thus copy within one flat buffer and never wrap.
class LzhStream {
public:
    LzhStream(unsigned windowBits, std::span<const uint8_t> packed, ByteSink &sink)
        : reader_(packed.data(), packed.size()), sink_(sink), history_(size_t{1} << windowBits),
          positionSymbols_(windowBits + 1), positionCountBits_(windowBits <= 13 ? 4 : 5),
          buffer_(history_ + flushSize + longestMatch + copySlack, ' ')
    {
    }

    DecodeStatus Run(uint64_t originalSize);

private:
    DecodeStatus StartBlock();
    bool Flush();

    BitReader reader_;
    ByteSink &sink_;
    const size_t history_;
    const unsigned positionSymbols_;
    const unsigned positionCountBits_;
    std::vector<uint8_t> buffer_;
    size_t position_ = 0; // of the next decoded byte in buffer_
    unsigned blockLeft_ = 0;
    BlockTables tables_;
};

DecodeStatus LzhStream::StartBlock()
{
    reader_.Refill();
    blockLeft_ = reader_.Read(16);
    if (blockLeft_ == 0)
        return reader_.Overrun() ? DecodeStatus::truncated : DecodeStatus::badCode;
    if (!ReadBlockTables(reader_, positionSymbols_, positionCountBits_, tables_))
        return reader_.Overrun() ? DecodeStatus::truncated : DecodeStatus::badTable;
    return reader_.Overrun() ? DecodeStatus::truncated : DecodeStatus::ok;
}

bool LzhStream::Flush()
{
    if (position_ > history_ && !sink_.Put(buffer_.data() + history_, position_ - history_))
        return false;
    std::memmove(buffer_.data(), buffer_.data() + position_ - history_, history_);
    position_ = history_;
    return true;
}

DecodeStatus LzhStream::Run(uint64_t originalSize)
{
    // The hot loop keeps the reader, the output position and the block count in locals:
    // stores of output bytes could otherwise alias them and force reloads after every byte.
    // The members hand them to StartBlock and Flush.
    BitReader reader = reader_;
    size_t position = history_;
    uint64_t left = originalSize;
    uint8_t *const out = buffer_.data();
    const size_t flushAt = history_ + flushSize;
    unsigned blockLeft = 0;
    while (left > 0) {
        if (blockLeft == 0) {
            reader_ = reader;
            const DecodeStatus status = StartBlock();
            if (status != DecodeStatus::ok)
                return status;
            reader = reader_;
            blockLeft = blockLeft_;
        }
        --blockLeft;
        reader.Refill();
        if (reader.Overrun())
            return DecodeStatus::truncated;
        const int symbol = tables_.literals.Decode(reader);
        if (symbol < 256) {
            if (symbol < 0)
                return reader.Overrun() ? DecodeStatus::truncated : DecodeStatus::badCode;
            out[position++] = static_cast<uint8_t>(symbol);
            --left;
        } else {
            const int slot = tables_.positions.Decode(reader);
            if (slot < 0)
                return reader.Overrun() ? DecodeStatus::truncated : DecodeStatus::badCode;
            // Slot 0 is distance 1; slot s > 0 covers distances 2^(s-1) + 1 .. 2^s.
            const size_t distance = 1 + (slot == 0 ? 0 : (size_t{1} << (slot - 1)) + reader.Read(slot - 1));
            size_t length = static_cast<size_t>(symbol) - 256 + lzhMinMatch;
            if (length > left)
                length = static_cast<size_t>(left);
            uint8_t *to = out + position;
            const uint8_t *from = to - distance;
            if (distance >= copySlack) {
                for (size_t i = 0; i < length; i += copySlack)
                    std::memcpy(to + i, from + i, copySlack);
            } else {
                for (size_t i = 0; i < length; ++i)
                    to[i] = from[i];
            }
            position += length;
            left -= length;
        }
        if (position >= flushAt) {
            position_ = position;
            if (!Flush())
                return DecodeStatus::sinkFailed;
            position = position_;
        }
    }
    if (reader.Overrun())
        return DecodeStatus::truncated;
    position_ = position;
    return Flush() ? DecodeStatus::ok : DecodeStatus::sinkFailed;
}

} // namespace

DecodeStatus DecodeLzh(unsigned windowBits, std::span<const uint8_t> packed, uint64_t originalSize, ByteSink &sink)
{
    const auto stream = std::make_unique<LzhStream>(windowBits, packed, sink);
    return stream->Run(originalSize);
}
