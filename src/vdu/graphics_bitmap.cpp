#include "vdu/graphics_bitmap.h"

#include <cstdlib>
#include <cstring>

#include "files/bitmap_layout.h"
#include "host/host_api.h"

namespace {

constexpr uint32_t loadedMarker = 0xAABBCCDD;

// The layout of the screen's file image, checked again before every use against the length
// the host read: drawing trusts nothing but what the check measured inside the buffer.
bool LoadedLayout(const ScreenState &s, BitmapLayout &layout)
{
    return s.bitmapFile && CheckBitmapLayout(s.bitmapFile, s.bitmapFileSize, layout);
}

void FillWhite(HDC dc, const GraphicsRect &r)
{
    const RECT area{r.left, r.top, r.right, r.bottom};
    const HBRUSH white = CreateSolidBrush(0xFFFFFF);
    FillRect(dc, &area, white);
    DeleteObject(white);
}

} // namespace

void ReleaseScreenBitmap(ScreenState &s)
{
    std::free(s.bitmapFile);
    s.bitmapFile = nullptr;
    s.bitmapFileSize = 0;
    s.block->bitmapFile = nullptr;
    if (s.bitmapHandle)
        DeleteObject(s.bitmapHandle);
    s.bitmapHandle = nullptr;
    s.block->bitmapHandle = nullptr;
}

uint8_t *ReadDrawableBitmap(const char *path, size_t pathSpace)
{
    // A copy, as the client may change its block meanwhile; a path that fills the whole space
    // has no terminating NUL.
    char name[MAX_PATH + 1];
    const size_t length = strnlen(path, pathSpace);
    if (length == pathSpace || length >= sizeof name)
        return nullptr;
    std::memcpy(name, path, length);
    name[length] = '\0';

    uint8_t *image = LoadBitmapFile(name);
    BitmapLayout layout{};
    if (image && !CheckBitmapLayout(image, BitmapFileSize(image), layout)) {
        std::free(image);
        return nullptr;
    }
    return image;
}

void InstallScreenBitmap(ScreenState &s, uint8_t *image)
{
    ReleaseScreenBitmap(s);
    BitmapLayout layout{};
    // Still the host's alone: its size field is the length the loader read.
    const size_t size = image ? BitmapFileSize(image) : 0;
    if (!image || !CheckBitmapLayout(image, size, layout)) {
        std::free(image);
        return;
    }
    s.bitmapFile = image;
    s.bitmapFileSize = size;
    s.block->bitmapFile = image;
    s.block->bitmapMarker = loadedMarker;
    const auto *info = reinterpret_cast<const BITMAPINFO *>(image + layout.infoOffset);
    s.bitmapHandle = CreateDIBitmap(s.backDC, &info->bmiHeader, CBM_INIT, image + layout.bitsOffset, info,
                                    DIB_PAL_COLORS);
    s.block->bitmapHandle = s.bitmapHandle;
}

bool DrawScreenBitmap(ScreenState &s, const GraphicsRect &placement, int32_t offsetX, int32_t offsetY,
                      int32_t scaleX, int32_t scaleY)
{
    BitmapLayout layout{};
    if (!LoadedLayout(s, layout))
        return false;
    // The header goes to the platform as the file has it, the 12-byte core header too.
    const auto *info = reinterpret_cast<const BITMAPINFO *>(s.bitmapFile + layout.infoOffset);
    const StretchPlan p = PlanBitmapDraw(layout.width, layout.topDown ? -layout.height : layout.height, placement,
                                         offsetX, offsetY, scaleX, scaleY);
    FillWhite(s.backDC, placement);
    SetStretchBltMode(s.backDC, COLORONCOLOR);
    StretchDIBits(s.backDC, placement.left, placement.top, p.destWidth, p.destHeight, p.srcX, p.srcY, p.srcWidth,
                  p.srcHeight, s.bitmapFile + layout.bitsOffset, info, DIB_RGB_COLORS, SRCAND);
    SetStretchBltMode(s.backDC, BLACKONWHITE);
    return true;
}
