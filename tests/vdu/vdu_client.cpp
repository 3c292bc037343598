#include "vdu_client.h"

#include "vdu/glyph_renderer.h"
#include "vdu/screen_state.h"

namespace {

std::function<void(HostContext *)> g_body;

void Trampoline(HostContext *context)
{
    g_body(context);
}

COLORREF PixelUnderLock(const VduBlock *block, bool front, int32_t x, int32_t y)
{
    ScreenLock screen{block};
    if (!screen)
        return CLR_INVALID;
    return GetPixel(front ? screen.get()->frontDC : screen.get()->backDC, x, y);
}

} // namespace

int RunClient(std::function<void(HostContext *)> body)
{
    g_body = std::move(body);
    char line[] = "";
    return HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, Trampoline);
}

VduClient::VduClient(HostContext *c) : context(c), block(static_cast<VduBlock *>(HostAllocate(sizeof(VduBlock))))
{
    block->header.requestClass = 'V';
}

VduClient::~VduClient()
{
    if (block->cells)
        Close();
    HostRelease(block);
}

int8_t VduClient::Open(const Geometry &g, uint32_t screenNumber)
{
    block->columns = g.columns;
    block->rows = g.rows;
    block->cellWidth = g.cellWidth;
    block->cellHeight = g.cellHeight;
    block->marginLeft = g.marginLeft;
    block->marginTop = g.marginTop;
    block->marginRight = g.marginRight;
    block->marginBottom = g.marginBottom;
    block->extra = screenNumber;
    return Submit('Q');
}

int8_t VduClient::Close()
{
    return Submit('X');
}

int8_t VduClient::Submit(uint8_t op)
{
    block->header.op = op;
    context->serviceEntry(context, &block->header);
    EXPECT_EQ(block->header.op, op);
    return block->header.status;
}

void VduClient::Put(uint8_t ch)
{
    block->data = ch;
    EXPECT_EQ(Submit('T'), 0);
}

void VduClient::Put(const char *text)
{
    for (const char *p = text; *p; ++p)
        Put(static_cast<uint8_t>(*p));
}

void VduClient::Control(uint8_t code, uint32_t extra)
{
    block->data = code;
    block->extra = extra;
    EXPECT_EQ(Submit('U'), 0);
}

void VduClient::MoveTo(int32_t column, int32_t row)
{
    block->cursorColumn = column;
    block->cursorRow = row;
}

uint32_t VduClient::Cell(int32_t column, int32_t row) const
{
    return block->cells[column + row * block->columns];
}

uint32_t VduClient::Frame(int32_t column, int32_t row) const
{
    return block->frames[column + row * block->columns];
}

COLORREF VduClient::Front(int32_t x, int32_t y) const
{
    return PixelUnderLock(block, true, x, y);
}

COLORREF VduClient::Back(int32_t x, int32_t y) const
{
    return PixelUnderLock(block, false, x, y);
}

POINT VduClient::Origin(int32_t column, int32_t row) const
{
    return {block->marginLeft + column * block->cellWidth, block->marginTop + row * block->cellHeight};
}

Image VduClient::Capture(bool front) const
{
    Image image;
    ScreenLock screen{block};
    if (!screen)
        return image;
    image.width = block->frontWidth;
    image.height = block->frontHeight;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, dib);
    BitBlt(dc, 0, 0, image.width, image.height, front ? screen.get()->frontDC : screen.get()->backDC, 0, 0, SRCCOPY);
    GdiFlush();
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    const auto *source = static_cast<const uint32_t *>(bits);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const uint32_t p = source[i]; // 0x00RRGGBB
        image.pixels[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);
    return image;
}

void VduClient::Render(int32_t column, int32_t row, uint32_t word, uint32_t frame, bool erase)
{
    ScreenLock screen{block};
    ASSERT_TRUE(screen);
    ScreenState &s = *screen.get();
    const int32_t savedColumn = block->cursorColumn, savedRow = block->cursorRow;
    block->cursorColumn = column;
    block->cursorRow = row;
    uint32_t *slot = FrameSlot(s, column, row);
    ASSERT_NE(slot, nullptr);
    *slot = frame;
    if (erase)
        EraseCell(s);
    block->data = word;
    DrawCell(s);
    block->cursorColumn = savedColumn;
    block->cursorRow = savedRow;
}

void VduClient::Write(int32_t column, int32_t row, const char *text)
{
    MoveTo(column, row);
    Put(text);
}
