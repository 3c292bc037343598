#include "requests.h"

#include <string.h>

namespace {

// Screen geometry: the top margin holds the display window's click band (window y 44 to 79).
constexpr int32_t kColumns = 80, kRows = 24, kCellWidth = 8, kCellHeight = 16;
constexpr int32_t kMarginLeft = 15, kMarginTop = 88, kMarginRight = 9, kMarginBottom = 24;

uint32_t PositionArgument(int32_t column, int32_t row)
{
    return (static_cast<uint32_t>(column & 0x7FFF) << 16) | static_cast<uint32_t>(row & 0x7FFF);
}

} // namespace

int8_t Submit(HostContext *host, RequestBlock *request, uint8_t op)
{
    request->op = op;
    host->serviceEntry(host, request);
    return request->status;
}

void *AllocateBlock(HostContext *host, int32_t size)
{
    MemoryBlock memory{{REQUEST_MEMORY, 0, 0, 0}, size, nullptr};
    return Submit(host, &memory.header, 'Q') == HOST_STATUS_DONE ? memory.address : nullptr;
}

void ReleaseBlock(HostContext *host, void *address)
{
    MemoryBlock memory{{REQUEST_MEMORY, 0, 0, 0}, 0, address};
    Submit(host, &memory.header, 'X');
}

bool OpenScreen(Screen &screen, HostContext *host, uint8_t number)
{
    auto *block = static_cast<VduBlock *>(AllocateBlock(host, sizeof(VduBlock)));
    if (!block)
        return false;
    block->header.requestClass = REQUEST_VDU;
    block->columns = kColumns;
    block->rows = kRows;
    block->cellWidth = kCellWidth;
    block->cellHeight = kCellHeight;
    block->marginLeft = kMarginLeft;
    block->marginTop = kMarginTop;
    block->marginRight = kMarginRight;
    block->marginBottom = kMarginBottom;
    block->extra = number;
    // The open answers 0 even when no screen could be made; the window tells.
    if (Submit(host, &block->header, 'Q') != HOST_STATUS_DONE || !block->window) {
        ReleaseBlock(host, block);
        return false;
    }
    screen = {host, block, number};
    return true;
}

void CloseScreen(Screen &screen)
{
    if (!screen.block)
        return;
    Submit(screen.host, &screen.block->header, 'X');
    ReleaseBlock(screen.host, screen.block);
    screen.block = nullptr;
}

void Put(Screen &screen, uint8_t ch)
{
    screen.block->data = ch;
    Submit(screen.host, &screen.block->header, 'T');
}

void Text(Screen &screen, const char *text)
{
    for (const char *p = text; *p; ++p)
        Put(screen, static_cast<uint8_t>(*p));
}

void Control(Screen &screen, uint8_t code, uint32_t extra)
{
    screen.block->data = code;
    screen.block->extra = extra;
    Submit(screen.host, &screen.block->header, 'U');
}

void MoveTo(Screen &screen, int32_t column, int32_t row)
{
    Control(screen, 16, PositionArgument(column, row));
}

void TextAt(Screen &screen, int32_t column, int32_t row, const char *text, bool highlight)
{
    MoveTo(screen, column, row);
    if (highlight)
        Control(screen, 5);
    Text(screen, text);
    if (highlight)
        Control(screen, 2);
}

void FrameBox(Screen &screen, int32_t column1, int32_t row1, int32_t column2, int32_t row2)
{
    MoveTo(screen, column1, row1);
    Control(screen, 137);
    MoveTo(screen, column2, row2);
}

void MarkButtons(Screen &screen, int32_t column1, int32_t row1, int32_t column2, int32_t row2)
{
    MoveTo(screen, column1, row1);
    Control(screen, 130);
    MoveTo(screen, column2, row2);
}

void Flush(Screen &screen)
{
    Control(screen, 128);
}

uint8_t ReadCell(Screen &screen, int32_t column, int32_t row)
{
    MoveTo(screen, column, row);
    Submit(screen.host, &screen.block->header, 'V');
    return static_cast<uint8_t>(screen.block->data);
}

uint32_t NextEvent(Screen &screen, uint32_t &position)
{
    Submit(screen.host, &screen.block->header, 'K');
    position = screen.block->extra;
    return screen.block->data;
}

MouseCell MousePosition(Screen &screen)
{
    Submit(screen.host, &screen.block->header, 'M');
    const uint32_t cell = screen.block->data, pixel = screen.block->extra;
    return {static_cast<int32_t>(cell & 0xFFFF), static_cast<int32_t>(cell >> 16),
            static_cast<int16_t>(pixel & 0xFFFF), static_cast<int16_t>(pixel >> 16)};
}

int8_t Graphics(Screen &screen, char op, int32_t arg1, int32_t arg2, int32_t arg3, int32_t arg4)
{
    VduBlock *b = screen.block;
    b->graphicsOp = static_cast<uint8_t>(op);
    b->graphicsArg1 = arg1;
    b->graphicsArg2 = arg2;
    b->graphicsArg3 = arg3;
    b->graphicsArg4 = arg4;
    return Submit(screen.host, &b->header, '4');
}

int8_t DrawBitmap(Screen &screen, const char *path, int32_t left, int32_t top, int32_t right, int32_t bottom,
                  int32_t percent)
{
    char *target = screen.block->bitmapPath;
    const size_t room = sizeof screen.block->bitmapPath;
    strncpy(target, path, room - 1);
    target[room - 1] = 0;
    int8_t status = Graphics(screen, 'L');
    if (status != HOST_STATUS_DONE)
        return status;
    Graphics(screen, '@', left, top, right, bottom);
    Graphics(screen, 'R');
    return Graphics(screen, 'Z', 0, 0, percent, percent);
}

FileRequest MakeFileRequest(HostContext *host, const char *name)
{
    FileRequest file{host, {}};
    file.block.header.requestClass = REQUEST_FILE;
    file.block.data = const_cast<char *>(name);
    return file;
}

int8_t FileOp(FileRequest &file, uint8_t op)
{
    return Submit(file.host, &file.block.header, op);
}

int8_t LockRecord(FileRequest &file, uint32_t number)
{
    file.block.position = number;
    return FileOp(file, 'L');
}

int8_t UnlockRecord(FileRequest &file, uint32_t number)
{
    file.block.position = number;
    return FileOp(file, 'U');
}

void SelectScreen(HostContext *host, uint8_t number)
{
    __atomic_store_n(&host->selectedScreen, static_cast<uint8_t>(number | 0x80), __ATOMIC_SEQ_CST);
}

bool QuitRequested(HostContext *host)
{
    return __atomic_load_n(&host->quitFlag, __ATOMIC_SEQ_CST) != 0;
}
