#include "vdu_client.h"

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
