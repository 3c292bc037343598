// Thin wrappers around the host's service entry: one function per request the demo makes.
// Everything goes through HostContext::serviceEntry with the blocks of the public headers.
#pragma once

#include <stdint.h>

#include "host/host_api.h"
#include "host/host_context.h"
#include "vdu/vdu_block.h"

struct Screen {
    HostContext *host = nullptr;
    VduBlock *block = nullptr; // from the memory service; null while the screen is closed
    uint8_t number = 0;
};

// Submits `request` with `op` and returns its status.
int8_t Submit(HostContext *host, RequestBlock *request, uint8_t op);

// Memory service: zero-filled block of `size` bytes, or null; and its release.
void *AllocateBlock(HostContext *host, int32_t size);
void ReleaseBlock(HostContext *host, void *address);

// Opens screen `number` (80 columns, 8 x 16 cells, room for the click band in the top margin).
bool OpenScreen(Screen &screen, HostContext *host, uint8_t number);
void CloseScreen(Screen &screen);

void Put(Screen &screen, uint8_t ch);
void Text(Screen &screen, const char *text);
void Control(Screen &screen, uint8_t code, uint32_t extra = 0);
// Cursor to (column, row) with control code 16; also ends an armed region action there.
void MoveTo(Screen &screen, int32_t column, int32_t row);
void TextAt(Screen &screen, int32_t column, int32_t row, const char *text, bool highlight = false);
// A frame with its corners at the two cells.
void FrameBox(Screen &screen, int32_t column1, int32_t row1, int32_t column2, int32_t row2);
// Labels ending in ':' and highlighted digits followed by a space become raised buttons.
void MarkButtons(Screen &screen, int32_t column1, int32_t row1, int32_t column2, int32_t row2);
// Asks for the changes to be shown at the display window's next tick.
void Flush(Screen &screen);
// Character at (column, row), read back with 'V'.
uint8_t ReadCell(Screen &screen, int32_t column, int32_t row);

// 'K': the next input event code (0 if none) and its position.
uint32_t NextEvent(Screen &screen, uint32_t &position);
// 'M': the cell and the text-area pixel of the last mouse event that 'K' delivered.
struct MouseCell {
    int32_t column, row, x, y;
};
MouseCell MousePosition(Screen &screen);

// Graphics operation '4' with its four arguments in logical order.
int8_t Graphics(Screen &screen, char op, int32_t arg1 = 0, int32_t arg2 = 0, int32_t arg3 = 0, int32_t arg4 = 0);
// Loads the bitmap file `path` and draws it into the image-pixel rectangle at `percent` scale.
int8_t DrawBitmap(Screen &screen, const char *path, int32_t left, int32_t top, int32_t right, int32_t bottom,
                  int32_t percent);

// A file request: the block and the context it goes to.
struct FileRequest {
    HostContext *host;
    FileBlock block;
};
FileRequest MakeFileRequest(HostContext *host, const char *name);
int8_t FileOp(FileRequest &file, uint8_t op);
// Record locks: one byte each in the file's lock area, by record number.
int8_t LockRecord(FileRequest &file, uint32_t number);
int8_t UnlockRecord(FileRequest &file, uint32_t number);

// Makes screen `number` the visible one, as the next-screen zone does.
void SelectScreen(HostContext *host, uint8_t number);
// Non-zero once the monitor window was asked to close.
bool QuitRequested(HostContext *host);
