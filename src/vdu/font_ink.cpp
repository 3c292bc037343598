#include "vdu/font_ink.h"

#include <memory>
#include <vector>

namespace {

constexpr int slot = 48;         // each character is drawn alone in a square of this side
constexpr int origin = 16;       // at this offset inside it
constexpr int slotsAcross = 16;  // 256 characters in 16 x 16 squares

SRWLOCK g_lock = SRWLOCK_INIT;
std::vector<std::pair<HFONT, std::unique_ptr<FontInk>>> g_measured;

constexpr PixelBox unknownInk{-slot, -slot, 2 * slot, 2 * slot};

PixelBox InkInSlot(const uint32_t *pixels, int width, int sx, int sy)
{
    PixelBox box;
    bool any = false;
    for (int y = 0; y < slot; ++y)
        for (int x = 0; x < slot; ++x) {
            if ((pixels[(sy + y) * width + sx + x] & 0xFFFFFF) == 0xFFFFFF)
                continue;
            if (x == 0 || y == 0 || x == slot - 1 || y == slot - 1)
                return unknownInk; // the ink may go on past the square
            const PixelBox dot{x - origin, y - origin, x - origin + 1, y - origin + 1};
            box = any ? Union(box, dot) : dot;
            any = true;
        }
    return box;
}

void Measure(HFONT font, HDC like, FontInk &ink)
{
    for (PixelBox &b : ink.of)
        b = unknownInk;
    const int side = slot * slotsAcross;
    const HDC dc = CreateCompatibleDC(like);
    const HBITMAP bitmap = dc ? CreateCompatibleBitmap(like, side, side) : nullptr;
    if (!bitmap) {
        if (dc)
            DeleteDC(dc);
        return;
    }
    const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const HGDIOBJ oldFont = SelectObject(dc, font);
    PatBlt(dc, 0, 0, side, side, WHITENESS);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    for (int c = 0; c < 256; ++c) {
        const char text = static_cast<char>(c);
        TextOutA(dc, (c % slotsAcross) * slot + origin, (c / slotsAcross) * slot + origin, &text, 1);
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> pixels(static_cast<size_t>(side) * side);
    if (GetDIBits(dc, bitmap, 0, side, pixels.data(), &info, DIB_RGB_COLORS) == side)
        for (int c = 0; c < 256; ++c)
            ink.of[c] = InkInSlot(pixels.data(), side, (c % slotsAcross) * slot, (c / slotsAcross) * slot);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

} // namespace

const FontInk &InkOf(HFONT font, HDC like)
{
    AcquireSRWLockExclusive(&g_lock);
    for (const auto &[f, ink] : g_measured)
        if (f == font) {
            ReleaseSRWLockExclusive(&g_lock);
            return *ink;
        }
    auto ink = std::make_unique<FontInk>();
    Measure(font, like, *ink);
    const FontInk &result = *ink;
    g_measured.emplace_back(font, std::move(ink));
    ReleaseSRWLockExclusive(&g_lock);
    return result;
}
