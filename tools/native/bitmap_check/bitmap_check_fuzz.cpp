// Fuzz target for the bitmap check and the draw arithmetic: any input is a file image; when the
// check accepts it, every byte that drawing would read (headers, colour table or masks, all pixel
// rows or the whole run-length stream) and the source rectangle of a draw must lie inside the
// image, and a decoder that follows a run-length stream blindly must stay inside the stream and
// the decoded picture.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "files/bitmap_layout.h"
#include "vdu/graphics_rules.h"

namespace {

uint32_t Read32(const uint8_t *p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

uint16_t Read16(const uint8_t *p)
{
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

// Reads every byte of [from, from + count): the sanitizer reports any of them outside the image.
uint32_t Touch(const uint8_t *image, uint64_t from, uint64_t count)
{
    uint32_t sum = 0;
    for (uint64_t i = 0; i < count; ++i)
        sum += image[from + i];
    return sum;
}

// The bytes after the header that the platform reads with it, from the header's own fields.
uint64_t TableBytes(const uint8_t *info)
{
    const uint32_t headerSize = Read32(info);
    if (headerSize == 12) {
        const uint16_t bits = Read16(info + 10);
        return bits <= 8 ? 3u << bits : 0;
    }
    const uint16_t bits = Read16(info + 14);
    const uint32_t used = Read32(info + 32);
    uint64_t bytes = 4ull * (used ? used : bits <= 8 ? 1u << bits : 0);
    if (Read32(info + 16) == 3 && headerSize < 52)
        bytes += 52 - headerSize; // the masks
    return bytes;
}

// Follows the stream as a decoder that trusts it would, writing each pixel into a picture of
// exactly the decoded size (when it is small enough to allocate here); the stream is read from
// the input itself, whose end the sanitizer guards.
void DecodeBlindly(const uint8_t *stream, uint64_t length, uint64_t width, uint64_t rows, uint16_t bits)
{
    const uint64_t stride = (width * bits + 31) / 32 * 4, rowPixels = stride * 8 / bits;
    const uint64_t pictureSize = stride * rows;
    std::unique_ptr<uint8_t[]> picture(pictureSize <= (1u << 24) ? new uint8_t[pictureSize] : nullptr);
    uint64_t x = 0, y = 0, at = 0;
    auto put = [&](uint64_t pixels, const uint8_t *from, bool literal) {
        Require(y < rows && x + pixels <= rowPixels);
        for (uint64_t i = 0; i < pixels; ++i, ++x)
            if (picture) {
                const uint8_t value = literal ? from[bits == 8 ? i : i / 2] : from[0];
                picture[y * stride + (bits == 8 ? x : x / 2)] = value;
            }
    };
    for (;;) {
        Require(at + 2 <= length);
        const uint8_t count = stream[at], code = stream[at + 1];
        at += 2;
        if (count) {
            put(count, stream + at - 1, false);
        } else if (code == 0) {
            Require(y < rows);
            x = 0;
            ++y;
        } else if (code == 1) {
            return;
        } else if (code == 2) {
            Require(at + 2 <= length);
            x += stream[at];
            y += stream[at + 1];
            at += 2;
            Require(x <= rowPixels && y <= rows);
        } else {
            const uint64_t bytes = (uint64_t{code} * bits + 7) / 8;
            Require(at + bytes + bytes % 2 <= length);
            put(code, stream + at, true);
            at += bytes + bytes % 2;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    BitmapLayout layout{};
    if (!CheckBitmapLayout(data, size, layout))
        return 0;
    Require(layout.width > 0 && layout.height > 0 && layout.bitsOffset <= size &&
            layout.bitsSize <= size - layout.bitsOffset);

    const uint8_t *info = data + layout.infoOffset;
    const uint32_t headerSize = Read32(info);
    const bool core = headerSize == 12;
    const uint32_t compression = core ? 0 : Read32(info + 16);
    volatile uint32_t sink = Touch(data, 0, layout.infoOffset + headerSize + TableBytes(info));
    sink = sink + Touch(data, layout.bitsOffset, layout.bitsSize);
    const uint64_t width = static_cast<uint32_t>(layout.width), rows = static_cast<uint32_t>(layout.height);
    if (compression == 1 || compression == 2) {
        Require(!layout.topDown && layout.bitCount == (compression == 1 ? 8 : 4));
        DecodeBlindly(data + layout.bitsOffset, Read32(info + 20), width, rows, layout.bitCount);
    } else {
        const uint64_t stride = (width * layout.bitCount + 31) / 32 * 4;
        sink = sink + Touch(data, layout.bitsOffset, stride * rows);
    }

    // A draw with arguments taken from the input's last bytes.
    int32_t args[8] = {};
    std::memcpy(args, data + size - std::min<size_t>(size, sizeof args), std::min<size_t>(size, sizeof args));
    const GraphicsRect placement{0, 0, static_cast<int32_t>(static_cast<uint32_t>(args[0]) % 4096),
                                 static_cast<int32_t>(static_cast<uint32_t>(args[1]) % 4096)};
    const int32_t height = layout.topDown ? -layout.height : layout.height;
    const StretchPlan p = PlanBitmapDraw(layout.width, height, placement, args[2], args[3], args[4], args[5]);
    Require(p.srcX >= 0 && p.srcWidth >= 0 && int64_t{p.srcX} + p.srcWidth <= layout.width && p.srcY >= 0 &&
            p.srcHeight >= 0 && int64_t{p.srcY} + p.srcHeight <= layout.height && p.destWidth <= placement.right &&
            p.destHeight <= placement.bottom);
    return 0;
}
