// Fuzz target for the bitmap check and the draw arithmetic: any input is a file image; when the
// check accepts it, every byte that drawing would read (headers, colour table or masks, all pixel
// rows) and the source rectangle of a draw must lie inside the image.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "files/bitmap_layout.h"
#include "vdu/graphics_rules.h"

namespace {

uint32_t Read32(const uint8_t *p)
{
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// Reads every byte of [from, from + count): the sanitizer reports any of them outside the image.
uint32_t Touch(const uint8_t *image, uint64_t from, uint64_t count)
{
    uint32_t sum = 0;
    for (uint64_t i = 0; i < count; ++i)
        sum += image[from + i];
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    BitmapLayout layout{};
    if (!CheckBitmapLayout(data, size, layout))
        return 0;

    const uint8_t *info = data + layout.infoOffset;
    const uint32_t headerSize = Read32(info);
    const uint64_t stride = ((uint64_t{static_cast<uint32_t>(layout.width)} * layout.bitCount + 31) / 32) * 4;
    volatile uint32_t sink = Touch(data, 0, layout.infoOffset + headerSize);
    sink = sink + Touch(data, layout.bitsOffset, stride * static_cast<uint64_t>(layout.height));
    const uint32_t compression = Read32(info + 16);
    if (compression == 3)
        sink = sink + Touch(data, layout.infoOffset + 40, 12); // the masks
    if (layout.bitCount <= 8) {
        const uint32_t used = Read32(info + 32);
        const uint64_t entries = used ? used : (1u << layout.bitCount);
        sink = sink + Touch(data, layout.infoOffset + headerSize, 4 * entries);
    }
    if (layout.width <= 0 || layout.height <= 0 || layout.bitsOffset > size)
        std::abort();

    // A draw with arguments taken from the input's last bytes.
    int32_t args[8] = {};
    std::memcpy(args, data + size - std::min<size_t>(size, sizeof args), std::min<size_t>(size, sizeof args));
    const GraphicsRect placement{0, 0, static_cast<int32_t>(static_cast<uint32_t>(args[0]) % 4096),
                                 static_cast<int32_t>(static_cast<uint32_t>(args[1]) % 4096)};
    const int32_t height = static_cast<int32_t>(Read32(info + 8));
    const StretchPlan p = PlanBitmapDraw(layout.width, height, placement, args[2], args[3], args[4], args[5]);
    if (p.srcX < 0 || p.srcWidth < 0 || int64_t{p.srcX} + p.srcWidth > layout.width || p.srcY < 0 ||
        p.srcHeight < 0 || int64_t{p.srcY} + p.srcHeight > layout.height || p.destWidth > placement.right ||
        p.destHeight > placement.bottom)
        std::abort();
    return 0;
}
