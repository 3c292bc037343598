#include "files/bitmap_layout.h"

namespace {

constexpr size_t fileHeaderSize = 14;
constexpr size_t infoHeaderSize = 40;
constexpr size_t masksSize = 12;
constexpr uint32_t compressionRgb = 0;
constexpr uint32_t compressionBitFields = 3;

uint32_t Read32(const uint8_t *p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t Read16(const uint8_t *p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

} // namespace

uint32_t BitmapFileSize(const uint8_t *image)
{
    return Read32(image + 2);
}

bool CheckBitmapLayout(const uint8_t *image, size_t size, BitmapLayout &layout)
{
    if (!image || size < fileHeaderSize + infoHeaderSize)
        return false;
    const uint8_t *info = image + fileHeaderSize;
    const uint64_t headerSize = Read32(info);
    if (headerSize < infoHeaderSize || fileHeaderSize + headerSize > size)
        return false;

    const int32_t width = static_cast<int32_t>(Read32(info + 4));
    const int64_t height = static_cast<int32_t>(Read32(info + 8));
    const uint16_t planes = Read16(info + 12);
    const uint16_t bitCount = Read16(info + 14);
    const uint32_t compression = Read32(info + 16);
    const uint32_t coloursUsed = Read32(info + 32);
    if (width <= 0 || height == 0 || planes != 1)
        return false;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return false;
    if (compression != compressionRgb &&
        !(compression == compressionBitFields && (bitCount == 16 || bitCount == 32)))
        return false;

    uint64_t tableBytes = 0;
    if (bitCount <= 8) {
        const uint32_t maxColours = 1u << bitCount;
        if (coloursUsed > maxColours)
            return false;
        tableBytes = 4ull * (coloursUsed ? coloursUsed : maxColours);
    } else {
        tableBytes = 4ull * coloursUsed;
    }
    // The three colour masks are read at offsets 40 to 51 of the information header, which
    // are past the end of a header shorter than 52 bytes.
    if (compression == compressionBitFields && headerSize < infoHeaderSize + masksSize)
        tableBytes += infoHeaderSize + masksSize - headerSize;
    if (fileHeaderSize + headerSize + tableBytes > size)
        return false;

    const uint64_t bitsOffset = Read32(image + 10);
    const uint64_t rows = height < 0 ? -height : height;
    const uint64_t stride = ((uint64_t{static_cast<uint32_t>(width)} * bitCount + 31) / 32) * 4;
    if (bitsOffset > size || stride * rows > size - bitsOffset)
        return false;

    layout.infoOffset = fileHeaderSize;
    layout.bitsOffset = static_cast<size_t>(bitsOffset);
    layout.width = width;
    layout.height = static_cast<int32_t>(rows);
    layout.bitCount = bitCount;
    return true;
}
