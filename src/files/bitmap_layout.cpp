#include "files/bitmap_layout.h"

#include "files/rle_stream.h"

namespace {

constexpr size_t fileHeaderSize = 14;
constexpr uint32_t coreHeaderSize = 12;
constexpr uint32_t infoHeaderSize = 40;
constexpr uint64_t masksSize = 12;
constexpr uint32_t compressionRgb = 0;
constexpr uint32_t compressionRle8 = 1;
constexpr uint32_t compressionRle4 = 2;
constexpr uint32_t compressionBitFields = 3;
// The platform decodes a run-length stream into whole rows that it addresses with 32-bit signed
// arithmetic: a larger picture is refused, however short its stream.
constexpr uint64_t largestDecodedImage = 0x7FFFFFFF;

uint32_t Read32(const uint8_t *p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t Read16(const uint8_t *p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

// What the check needs of either header.
struct Header {
    uint32_t size;
    int64_t width;
    int64_t height;
    uint16_t planes;
    uint16_t bitCount;
    uint32_t compression;
    uint32_t imageSize;
    uint32_t coloursUsed;
    uint32_t entrySize; // bytes of one colour table entry
};

// The header at `info`, of which `available` bytes lie inside the image.
bool ReadHeader(const uint8_t *info, size_t available, Header &h)
{
    if (available < 4)
        return false;
    h.size = Read32(info);
    if (h.size > available)
        return false;
    if (h.size == coreHeaderSize) {
        h.width = Read16(info + 4);
        h.height = Read16(info + 6);
        h.planes = Read16(info + 8);
        h.bitCount = Read16(info + 10);
        h.compression = compressionRgb;
        h.imageSize = 0;
        h.coloursUsed = 0;
        h.entrySize = 3;
        return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 24;
    }
    if (h.size < infoHeaderSize)
        return false;
    h.width = static_cast<int32_t>(Read32(info + 4));
    h.height = static_cast<int32_t>(Read32(info + 8));
    h.planes = Read16(info + 12);
    h.bitCount = Read16(info + 14);
    h.compression = Read32(info + 16);
    h.imageSize = Read32(info + 20);
    h.coloursUsed = Read32(info + 32);
    h.entrySize = 4;
    return true;
}

bool IsRunLength(const Header &h)
{
    return h.compression == compressionRle8 || h.compression == compressionRle4;
}

bool IsDrawableFormat(const Header &h)
{
    if (h.width <= 0 || h.height == 0 || h.planes != 1)
        return false;
    switch (h.compression) {
    case compressionRgb:
        return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 || h.bitCount == 24 ||
               h.bitCount == 32;
    case compressionBitFields: return h.bitCount == 16 || h.bitCount == 32;
    // The platform draws run-length encoded bitmaps bottom-up only.
    case compressionRle8: return h.bitCount == 8 && h.height > 0;
    case compressionRle4: return h.bitCount == 4 && h.height > 0;
    default: return false;
    }
}

// The bytes after the header that drawing reads with it: the colour table, and the three colour
// masks where they run past a short header.
bool TableBytes(const Header &h, uint64_t &bytes)
{
    if (h.bitCount <= 8) {
        const uint32_t maxColours = 1u << h.bitCount;
        if (h.coloursUsed > maxColours)
            return false;
        bytes = uint64_t{h.entrySize} * (h.coloursUsed ? h.coloursUsed : maxColours);
    } else {
        bytes = uint64_t{h.entrySize} * h.coloursUsed;
    }
    if (h.compression == compressionBitFields && h.size < infoHeaderSize + masksSize)
        bytes += infoHeaderSize + masksSize - h.size;
    return true;
}

} // namespace

uint32_t BitmapFileSize(const uint8_t *image)
{
    return Read32(image + 2);
}

bool CheckBitmapLayout(const uint8_t *image, size_t size, BitmapLayout &layout)
{
    if (!image || size < fileHeaderSize)
        return false;
    Header h{};
    uint64_t tableBytes = 0;
    if (!ReadHeader(image + fileHeaderSize, size - fileHeaderSize, h) || !IsDrawableFormat(h) ||
        !TableBytes(h, tableBytes))
        return false;
    const uint64_t infoSize = h.size + tableBytes;
    if (fileHeaderSize + infoSize > size)
        return false;

    const uint64_t bitsOffset = Read32(image + 10);
    const uint64_t rows = h.height < 0 ? -h.height : h.height;
    const uint64_t stride = ((static_cast<uint64_t>(h.width) * h.bitCount + 31) / 32) * 4;
    if (bitsOffset > size)
        return false;
    uint64_t bitsSize = stride * rows; // below 2^64 even for the widest rows of 32 bits
    if (IsRunLength(h)) {
        if (bitsSize > largestDecodedImage || h.imageSize == 0 || h.imageSize > size - bitsOffset ||
            !CheckRleStream(image + bitsOffset, h.imageSize, static_cast<uint32_t>(h.width),
                            static_cast<uint32_t>(rows), h.bitCount))
            return false;
        bitsSize = h.imageSize;
    } else if (bitsSize > size - bitsOffset) {
        return false;
    }

    layout.infoOffset = fileHeaderSize;
    layout.infoSize = static_cast<size_t>(infoSize);
    layout.bitsOffset = static_cast<size_t>(bitsOffset);
    layout.bitsSize = static_cast<size_t>(bitsSize);
    layout.width = static_cast<int32_t>(h.width);
    layout.height = static_cast<int32_t>(rows);
    layout.topDown = h.height < 0;
    layout.bitCount = h.bitCount;
    layout.compression = h.compression;
    return true;
}
