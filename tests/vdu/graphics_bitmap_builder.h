// Bitmap files built in memory for the graphics tests, the bitmap check's fuzz seeds and the
// benchmarks. Portable: no platform headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bitmap_builder {

inline void Put32(std::vector<uint8_t> &b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}

inline void Put16(std::vector<uint8_t> &b, size_t at, uint16_t v)
{
    b.at(at) = static_cast<uint8_t>(v);
    b.at(at + 1) = static_cast<uint8_t>(v >> 8);
}

inline size_t Stride(int32_t width, uint16_t bits)
{
    return ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
}

// Offsets of a file made by Make.
constexpr size_t infoOffset = 14;
constexpr size_t widthOffset = 18, heightOffset = 22, planesOffset = 26, bitCountOffset = 28;
constexpr size_t compressionOffset = 30, sizeImageOffset = 34, coloursUsedOffset = 46;

inline size_t TableEntries(uint16_t bits)
{
    return bits <= 8 ? size_t{1} << bits : 0;
}

inline size_t PixelOffset(uint16_t bits, bool bitFields = false)
{
    return 14 + 40 + 4 * TableEntries(bits) + (bitFields ? 12 : 0);
}

// A well-formed file: 40-byte header, a grey-scale colour table for 8 bits or fewer, three
// 5-6-5 (16 bits) or 8-8-8 (32 bits) masks when `bitFields`, pixels all `fill`.
inline std::vector<uint8_t> Make(int32_t width, int32_t height, uint16_t bits, bool bitFields = false,
                                 uint8_t fill = 0)
{
    const size_t rows = static_cast<size_t>(height < 0 ? -static_cast<int64_t>(height) : height);
    const size_t offset = PixelOffset(bits, bitFields);
    std::vector<uint8_t> b(offset + Stride(width, bits) * rows, fill);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 6, 0);
    Put32(b, 10, static_cast<uint32_t>(offset));
    Put32(b, 14, 40);
    Put32(b, widthOffset, static_cast<uint32_t>(width));
    Put32(b, heightOffset, static_cast<uint32_t>(height));
    Put16(b, planesOffset, 1);
    Put16(b, bitCountOffset, bits);
    Put32(b, compressionOffset, bitFields ? 3 : 0);
    for (size_t at = 34; at < 54; ++at)
        b[at] = 0;
    const size_t entries = TableEntries(bits);
    for (size_t i = 0; i < entries; ++i) {
        const auto level = static_cast<uint8_t>(entries > 1 ? i * 255 / (entries - 1) : 0);
        const size_t at = 54 + 4 * i;
        b[at] = b[at + 1] = b[at + 2] = level;
        b[at + 3] = 0;
    }
    if (bitFields) {
        const size_t at = 54;
        if (bits == 16) {
            Put32(b, at, 0xF800);
            Put32(b, at + 4, 0x07E0);
            Put32(b, at + 8, 0x001F);
        } else {
            Put32(b, at, 0xFF0000);
            Put32(b, at + 4, 0x00FF00);
            Put32(b, at + 8, 0x0000FF);
        }
    }
    return b;
}

// A run-length encoded file: 40-byte header, the grey-scale table, then `stream` as the pixel
// data (RLE8 for 8 bits, RLE4 for 4), its size stated in the header.
inline std::vector<uint8_t> MakeRle(int32_t width, int32_t height, uint16_t bits, const std::vector<uint8_t> &stream)
{
    std::vector<uint8_t> b = Make(1, 1, bits);
    b.resize(PixelOffset(bits));
    b.insert(b.end(), stream.begin(), stream.end());
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, widthOffset, static_cast<uint32_t>(width));
    Put32(b, heightOffset, static_cast<uint32_t>(height));
    Put32(b, compressionOffset, bits == 8 ? 1 : 2);
    Put32(b, sizeImageOffset, static_cast<uint32_t>(stream.size()));
    return b;
}

// A file with the 12-byte core header: 16-bit width and height, a grey-scale table of 3-byte
// entries for 8 bits or fewer, pixels all `fill`.
inline std::vector<uint8_t> MakeCore(uint16_t width, uint16_t height, uint16_t bits, uint8_t fill = 0)
{
    const size_t entries = TableEntries(bits);
    const size_t offset = 14 + 12 + 3 * entries;
    std::vector<uint8_t> b(offset + Stride(width, bits) * height, fill);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 6, 0);
    Put32(b, 10, static_cast<uint32_t>(offset));
    Put32(b, 14, 12);
    Put16(b, 18, width);
    Put16(b, 20, height);
    Put16(b, 22, 1);
    Put16(b, 24, bits);
    for (size_t i = 0; i < entries; ++i) {
        const auto level = static_cast<uint8_t>(entries > 1 ? i * 255 / (entries - 1) : 0);
        b[26 + 3 * i] = b[27 + 3 * i] = b[28 + 3 * i] = level;
    }
    return b;
}

// Sets pixel (x, y), y counted from the top of the picture, of a 24-bit file made by Make;
// `rgb` as 0x00RRGGBB.
inline void SetPixel24(std::vector<uint8_t> &b, int32_t x, int32_t y, uint32_t rgb)
{
    const int32_t height = static_cast<int32_t>(b[22] | (b[23] << 8) | (b[24] << 16) | (uint32_t{b[25]} << 24));
    const int32_t width = static_cast<int32_t>(b[18] | (b[19] << 8) | (b[20] << 16) | (uint32_t{b[21]} << 24));
    const int32_t rows = height < 0 ? -height : height;
    const int32_t stored = height < 0 ? y : rows - 1 - y;
    const size_t at = PixelOffset(24) + Stride(width, 24) * static_cast<size_t>(stored) + 3 * static_cast<size_t>(x);
    b[at] = static_cast<uint8_t>(rgb);
    b[at + 1] = static_cast<uint8_t>(rgb >> 8);
    b[at + 2] = static_cast<uint8_t>(rgb >> 16);
}

} // namespace bitmap_builder
