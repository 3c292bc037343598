#include "vdu/vdu_open_close.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <tuple>

#include "host/host_api.h"
#include "vdu/display_window.h"
#include "vdu/front_record.h"
#include "vdu/screen_state.h"

namespace {

constexpr int64_t maxImageSide = 32767;
constexpr int64_t maxCells = int64_t{1} << 22;

int32_t Default(int32_t value, int32_t below, int32_t fallback, int32_t least)
{
    return value < below ? std::max(fallback, least) : value;
}

void ApplyGeometryDefaults(VduBlock *b, const HostContext *h)
{
    b->columns = Default(b->columns, 1, h->columns, 1);
    b->rows = Default(b->rows, 1, h->rows, 1);
    b->cellWidth = Default(b->cellWidth, 1, h->cellWidth, 4);
    b->cellHeight = Default(b->cellHeight, 1, h->cellHeight, 4);
    b->marginLeft = Default(b->marginLeft, 4, h->marginLeft, 4);
    b->marginTop = Default(b->marginTop, 4, h->marginTop, 4);
    b->marginRight = Default(b->marginRight, 4, h->marginRight, 4);
    b->marginBottom = Default(b->marginBottom, 4, h->marginBottom, 4);
}

HBITMAP CreateImageBitmap(HDC reference, int32_t width, int32_t height)
{
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    return CreateDIBitmap(reference, &header, 0, nullptr, nullptr, 0);
}

// A memory context with a 24-bit image of the given size, the host palette realised in it.
bool CreateImage(const HostContext *h, HDC reference, int32_t width, int32_t height, HDC &dc, HBITMAP &bitmap,
                 HGDIOBJ &oldBitmap)
{
    dc = CreateCompatibleDC(reference);
    if (!dc)
        return false;
    SetMapMode(dc, MM_TEXT);
    if (h->palette) {
        SelectPalette(dc, h->palette, FALSE);
        RealizePalette(dc);
    }
    bitmap = CreateImageBitmap(reference, width, height);
    if (!bitmap)
        return false;
    oldBitmap = SelectObject(dc, bitmap);
    return oldBitmap != nullptr;
}

// Face colour with a 2-pixel raised border: white top and left over black bottom and right.
void PaintBackground(const HostContext *h, HDC dc, int32_t w, int32_t hgt)
{
    const HGDIOBJ old = SelectObject(dc, h->brushes[10]);
    PatBlt(dc, 0, 0, w, hgt, PATCOPY);
    SelectObject(dc, h->brushes[11]);
    for (int i = 0; i < 2; ++i) {
        PatBlt(dc, 0, hgt - 1 - i, w - i, 1, PATCOPY);
        PatBlt(dc, w - 1 - i, 0, 1, hgt - i, PATCOPY);
    }
    SelectObject(dc, h->brushes[9]);
    for (int i = 0; i < 2; ++i) {
        PatBlt(dc, 0, i, w - i, 1, PATCOPY);
        PatBlt(dc, i, 0, 1, hgt - i, PATCOPY);
    }
    SelectObject(dc, old);
}

// Releases whatever part of a screen was made, and the state itself.
void ReleaseScreen(ScreenState *s)
{
    if (s->window)
        DestroyWindow(s->window);
    for (auto [dc, bitmap, old] : {std::tuple{s->frontDC, s->frontBitmap, s->frontOldBitmap},
                                   std::tuple{s->backDC, s->backBitmap, s->backOldBitmap}}) {
        if (dc && old)
            SelectObject(dc, old);
        if (bitmap)
            DeleteObject(bitmap);
        if (dc)
            DeleteDC(dc);
    }
    HostRelease(s->cells);
    HostRelease(s->frames);
}

void ClearScreenFields(VduBlock *b)
{
    b->window = nullptr;
    b->frontDC = nullptr;
    b->backDC = nullptr;
    b->cells = nullptr;
    b->frames = nullptr;
}

void CloseOpenScreen(VduBlock *b)
{
    ScreenState *s = UnregisterScreen(b);
    if (!s)
        return;
    ReleaseScreen(s);
    std::free(s->bitmapFile);
    if (s->bitmapHandle)
        DeleteObject(s->bitmapHandle);
    DestroyScreenState(s);
}

} // namespace

void VduOpen(HostContext *h, RequestBlock *request)
{
    auto *b = reinterpret_cast<VduBlock *>(request);
    CloseOpenScreen(b); // a second open starts afresh instead of leaking the first screen
    b->bitmapFile = nullptr;
    b->bitmapHandle = nullptr;

    b->host = h;
    std::memcpy(b->colours, h->colours, sizeof b->colours);
    ApplyGeometryDefaults(b, h);
    b->screenNumber = static_cast<uint8_t>(b->extra & 15);
    std::memcpy(b->title, "/tarnwell", 9);
    b->title[9] = static_cast<char>('0' + (b->screenNumber & 7));
    ClearScreenFields(b);
    b->zoomEighths = 8;
    const int64_t width = int64_t{b->marginLeft} + int64_t{b->columns} * b->cellWidth + b->marginRight;
    const int64_t height = int64_t{b->marginTop} + int64_t{b->rows} * b->cellHeight + b->marginBottom;
    const int64_t cellCount = int64_t{b->columns} * b->rows;
    b->mouseMoveX = b->mouseMoveY = b->mouseX = b->mouseY = 0;
    b->windowWidth = static_cast<int32_t>(std::clamp<int64_t>(width, 8, INT32_MAX));
    b->windowHeight = static_cast<int32_t>(std::clamp<int64_t>(height, 8, INT32_MAX));
    request->status = HOST_STATUS_DONE;
    if (width > maxImageSide || height > maxImageSide || cellCount > maxCells)
        return; // no screen of that size can be made

    auto *s = new ScreenState{};
    s->block = b;
    s->host = h;
    s->columns = b->columns;
    s->rows = b->rows;
    s->font = h->font;
    s->window = CreateWindowExA(0, displayClassName, b->title, 0x00CA0000, h->monitorLeft + h->monitorWidth,
                                h->monitorTop, b->windowWidth, b->windowHeight, nullptr, nullptr, h->instance, b);
    const HDC reference = s->window ? GetWindowDC(s->window) : nullptr;
    if (reference)
        SetMapMode(reference, MM_TEXT);
    s->cells = static_cast<uint32_t *>(HostAllocate(static_cast<int32_t>(cellCount * 4)));
    s->frames = static_cast<uint32_t *>(HostAllocate(static_cast<int32_t>(cellCount * 4)));
    const int32_t w = static_cast<int32_t>(width), hgt = static_cast<int32_t>(height);
    const bool made = reference && s->cells && s->frames &&
                      CreateImage(h, reference, w, hgt, s->backDC, s->backBitmap, s->backOldBitmap) &&
                      CreateImage(h, reference, w, hgt, s->frontDC, s->frontBitmap, s->frontOldBitmap);
    if (reference)
        ReleaseDC(s->window, reference);
    if (!made) {
        ReleaseScreen(s);
        delete s;
        return;
    }

    PaintBackground(h, s->backDC, w, hgt);
    BitBlt(s->frontDC, 0, 0, w, hgt, s->backDC, 0, 0, SRCCOPY);
    SelectObject(s->frontDC, s->font);
    SetBkMode(s->frontDC, TRANSPARENT);
    ForgetFrontDrawingState(*s);
    StartRecord(*s);

    b->window = s->window;
    b->cells = s->cells;
    b->frames = s->frames;
    b->font = s->font;
    b->cursorColumn = b->cursorRow = 0;
    b->backWidth = b->frontWidth = w;
    b->backHeight = b->frontHeight = hgt;
    b->backDC = s->backDC;
    b->frontDC = s->frontDC;
    RegisterScreen(s);

    ShowWindow(s->window, SW_SHOWNORMAL);
    b->shown = 1;
    UpdateWindow(s->window);
}

void VduClose(HostContext *, RequestBlock *request)
{
    auto *b = reinterpret_cast<VduBlock *>(request);
    CloseOpenScreen(b);
    ClearScreenFields(b);
    b->bitmapFile = nullptr;
    b->bitmapHandle = nullptr;
    request->status = HOST_STATUS_DONE;
}
