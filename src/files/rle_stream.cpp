#include "files/rle_stream.h"

namespace {

constexpr uint8_t endOfLine = 0;
constexpr uint8_t endOfBitmap = 1;
constexpr uint8_t delta = 2;

} // namespace

bool CheckRleStream(const uint8_t *stream, size_t length, uint32_t width, uint32_t height, uint16_t bitCount)
{
    if (!stream || (bitCount != 4 && bitCount != 8))
        return false;
    const uint64_t rowPixels = (uint64_t{width} * bitCount + 31) / 32 * 32 / bitCount;
    uint64_t x = 0, y = 0; // y counts rows from the bottom
    auto runFits = [&](uint64_t pixels) { return y < height && x + pixels <= rowPixels; };

    size_t at = 0;
    while (length - at >= 2) {
        const uint8_t count = stream[at];
        const uint8_t code = stream[at + 1];
        at += 2;
        if (count != 0) { // `count` pixels of the colours in `code`
            if (!runFits(count))
                return false;
            x += count;
            continue;
        }
        switch (code) {
        case endOfLine:
            if (y >= height)
                return false;
            x = 0;
            ++y;
            break;
        case endOfBitmap: return true;
        case delta:
            if (length - at < 2)
                return false;
            x += stream[at];
            y += stream[at + 1];
            at += 2;
            if (x > rowPixels || y > height)
                return false;
            break;
        default: { // a literal run of `code` pixels, padded to a whole number of 16-bit words
            const size_t bytes = (size_t{code} * bitCount + 7) / 8;
            const size_t padded = bytes + (bytes & 1);
            if (padded > length - at || !runFits(code))
                return false;
            x += code;
            at += padded;
        }
        }
    }
    return false; // no end-of-bitmap code
}
