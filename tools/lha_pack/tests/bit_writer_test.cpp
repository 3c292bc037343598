#include <gtest/gtest.h>

#include <random>

#include "lha_pack/bit_writer.h"

namespace {

TEST(BitWriter, HighestBitFirstAndZeroPadding)
{
    lha::BitWriter w;
    w.Put(1, 1);
    w.Put(0, 1);
    w.Put(5, 3);    // 101
    w.Put(0xFF, 3); // only the low three bits: 111
    EXPECT_EQ(w.BitCount(), 8u);
    w.Put(1, 2);    // 01, then six zero bits of padding
    EXPECT_EQ(w.Finish(), (std::vector<uint8_t>{0xAF, 0x40}));
}

TEST(BitWriter, LongRunsOfMixedWidthsMatchABitByBitCopy)
{
    std::mt19937 rng(7);
    lha::BitWriter w;
    std::vector<bool> bits;
    for (int i = 0; i < 5000; ++i) {
        const int count = static_cast<int>(rng() % 25);
        const uint32_t value = rng();
        w.Put(value, count);
        for (int b = count - 1; b >= 0; --b)
            bits.push_back((value >> b) & 1);
    }
    ASSERT_EQ(w.BitCount(), bits.size());
    const std::vector<uint8_t> bytes = w.Finish();
    ASSERT_EQ(bytes.size(), (bits.size() + 7) / 8);
    for (size_t i = 0; i < bytes.size() * 8; ++i) {
        const bool expected = i < bits.size() && bits[i];
        ASSERT_EQ(((bytes[i / 8] >> (7 - i % 8)) & 1) != 0, expected) << "bit " << i;
    }
}

} // namespace
