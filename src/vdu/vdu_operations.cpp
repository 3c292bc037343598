#include "vdu/vdu_operations.h"

#include "host/shared_fields.h"
#include "print/screen_hardcopy.h"
#include "vdu/cursor.h"
#include "vdu/glyph_renderer.h"
#include "vdu/paint_pacing.h"
#include "vdu/painters.h"
#include "vdu/paste_delivery.h"
#include "vdu/screen_rules.h"

namespace {

VduBlock *Vdu(RequestBlock *request)
{
    return reinterpret_cast<VduBlock *>(request);
}

// The hardcopy request of the display window (Alt+Print Screen, or its system-menu item), with
// Shift, Ctrl and the lock bits ignored.
bool IsHardcopyEvent(uint32_t code)
{
    return (code & 0x20FF'FFFFu) == 0x2001'002Cu;
}

// Moves a cursor coordinate by one; a client may have left it at the end of the int32 range.
void Step(int32_t &coordinate, int delta)
{
    coordinate = static_cast<int32_t>(static_cast<int64_t>(coordinate) + delta);
}

void Home(VduBlock *b)
{
    b->cursorColumn = 0;
    b->cursorRow = 0;
}

void PositionAndRegionAction(ScreenState &s)
{
    VduBlock *b = s.block;
    b->anchorColumn = b->cursorColumn;
    b->anchorRow = b->cursorRow;
    int32_t column = b->cursorColumn, row = b->cursorRow;
    if (PositionFromArgument(b->extra, s.rows, column, row)) {
        b->cursorColumn = column;
        b->cursorRow = row;
    }
    switch (b->regionMode) {
    case 130:
    case 131:
        MarkButtons(s);
        b->regionMode = 0;
        break;
    case 136:
        FrameOff(s);
        b->regionMode = 0;
        break;
    case 137:
        FrameOn(s);
        b->regionMode = 0;
        break;
    default:
        break;
    }
}

void RunControlCode(ScreenState &s, uint8_t code)
{
    VduBlock *b = s.block;
    switch (code) {
    case 1: Home(b); break;
    case 2: case 4: b->maskMode = 0; b->highlight = 0; break;
    case 5: b->highlight = 1; break;
    case 6: case 9: Step(b->cursorColumn, 1); break;
    case 8: Step(b->cursorColumn, -1); break;
    case 10: Step(b->cursorRow, 1); break;
    case 12:
        Home(b);
        ClearToEndOfScreen(s);
        RequestRepaint(b, VDU_REPAINT_SOON);
        break;
    case 13:
        b->cursorColumn = 0;
        if (LoadShared(b->repaintCountdown) >= VDU_REPAINT_REQUEST)
            RequestRepaint(b, VDU_REPAINT_SOON);
        break;
    case 16: PositionAndRegionAction(s); break;
    case 20:
        b->cursorColumn = 0;
        InsertLine(s);
        RequestRepaint(b, VDU_REPAINT_REQUEST);
        break;
    case 21:
        b->cursorColumn = 0;
        DeleteLine(s);
        RequestRepaint(b, VDU_REPAINT_REQUEST);
        break;
    case 23: ClearToEndOfLine(s); RequestRepaint(b, VDU_REPAINT_REQUEST); break;
    case 24: ClearToEndOfScreen(s); RequestRepaint(b, VDU_REPAINT_REQUEST); break;
    case 25:
        Home(b);
        ClearHighlightedCells(s);
        RequestRepaint(b, VDU_REPAINT_REQUEST);
        break;
    case 26: Step(b->cursorRow, -1); break;
    case 128:
        RequestRepaint(b, VDU_REPAINT_SOON); // the pause follows once the screen is unlocked
        break;
    case 129: b->maskMode = 4; b->highlight = 0; break;
    case 130: case 131: case 136: case 137: b->regionMode = code; break;
    case 135:
        Home(b);
        RemoveFrames(s);
        RequestRepaint(b, VDU_REPAINT_REQUEST);
        break;
    default: break;
    }
}

// Takes one of the synthetic escapes that the display window may be setting at this moment.
bool TakePendingEscape(VduBlock *b)
{
    std::atomic_ref<int32_t> pending(b->pendingEscapes);
    int32_t n = pending.load();
    while (n != 0)
        if (pending.compare_exchange_weak(n, n - 1))
            return true;
    return false;
}

} // namespace

void VduPutCharacter(HostContext *, RequestBlock *request)
{
    VduBlock *b = Vdu(request);
    if (ScreenLock screen{b}) {
        ScreenState &s = *screen.get();
        NormaliseCursor(s);
        const uint32_t *cell = CellSlot(s, b->cursorColumn, b->cursorRow);
        const uint32_t old = cell ? *cell : 0;
        EraseAndDraw(s, WordForCharacter(static_cast<uint8_t>(b->data), old, b->maskMode, b->highlight));
        b->cursorColumn = static_cast<int32_t>(int64_t{b->cursorColumn} + 1);
        NormaliseCursor(s);
        RequestRepaint(b, VDU_REPAINT_REQUEST);
    }
    request->status = HOST_STATUS_DONE;
}

void VduControl(HostContext *, RequestBlock *request)
{
    VduBlock *b = Vdu(request);
    const uint8_t code = static_cast<uint8_t>(b->data);
    if (ScreenLock screen{b}) {
        ScreenState &s = *screen.get();
        RunControlCode(s, code);
        NormaliseCursor(s);
        RequestRepaint(b, VDU_REPAINT_REQUEST);
    } else {
        request->status = HOST_STATUS_DONE;
        return;
    }
    if (code == 128)
        Sleep(1); // flush: give the display window its turn
    request->status = HOST_STATUS_DONE;
}

void VduReadCharacter(HostContext *, RequestBlock *request)
{
    VduBlock *b = Vdu(request);
    if (ScreenLock screen{b}) {
        const uint32_t *cell = CellSlot(*screen.get(), b->cursorColumn, b->cursorRow);
        if (cell) {
            b->data = *cell & 0xFF;
            ++b->cursorColumn;
        } else {
            b->data = 0x1000D;
        }
    } else {
        b->data = 0x1000D; // no screen, nothing to read: a client reading to the end mark stops
    }
    b->extra = 0;
    request->status = HOST_STATUS_DONE;
}

void VduTakeEvent(HostContext *context, RequestBlock *request)
{
    VduBlock *b = Vdu(request);
    bool hardcopy = false;
    if (ScreenLock screen{b}) {
        FeedWaitingEvents(*screen.get());
        if (LoadShared(b->repaintCountdown) >= VDU_REPAINT_REQUEST) {
            RequestRepaint(b, VDU_REPAINT_SOON);
            AskToShowOutput(*screen.get());
        }
        if (TakePendingEscape(b)) {
            b->data = VDU_EVENT_SYNTHETIC_ESCAPE;
            b->extra = 0;
        } else if (LoadShared(b->eventCount) < 1) {
            b->data = 0;
            b->extra = 0;
        } else {
            const int32_t index = (b->eventReadIndex + 1) & 15;
            b->eventReadIndex = index;
            const VduEvent event = b->events[index];
            b->data = event.code;
            b->extra = event.position;
            std::atomic_ref<int32_t>(b->eventCount).fetch_sub(1);
            hardcopy = IsHardcopyEvent(event.code);
            const uint32_t kind = (event.code >> 16) & 0xFF;
            if (kind == 0x02 || kind == 0x04) {
                b->mouseX = static_cast<int32_t>(event.position & 0xFFFF);
                b->mouseY = static_cast<int32_t>(event.position >> 16);
            }
        }
    } else {
        b->data = 0; // no screen, no event
        b->extra = 0;
    }
    if (hardcopy) {
        // Outside the lock: the hardcopy takes it itself and may wait on a message box.
        ScreenHardcopy(context, request);
        b->data = 0;
        b->extra = 0;
    }
    request->status = HOST_STATUS_DONE;
}

void VduMouseToCell(HostContext *, RequestBlock *request)
{
    VduBlock *b = Vdu(request);
    // The cell is limited to the host's buffers; with no screen open, to the block's own geometry.
    int32_t columns = b->columns, rows = b->rows;
    if (ScreenLock screen{b}) {
        columns = screen.get()->columns;
        rows = screen.get()->rows;
    }
    // The display window resizes itself on the GUI thread.
    const int32_t windowWidth = LoadShared(b->windowWidth), windowHeight = LoadShared(b->windowHeight);
    const MouseCell m = MouseToCell({b->mouseX, b->mouseY, b->backWidth, b->backHeight, windowWidth, windowHeight,
                                     b->marginLeft, b->marginTop, b->cellWidth, b->cellHeight, columns, rows});
    b->data = m.cell;
    b->extra = m.offset;
    request->status = HOST_STATUS_DONE;
}

void VduGeometry(HostContext *, RequestBlock *request)
{
    VduBlock *b = Vdu(request);
    b->data = (static_cast<uint32_t>(b->columns) & 0xFFFF) | (static_cast<uint32_t>(b->rows) << 16);
    b->extra = (static_cast<uint32_t>(b->cellWidth) & 0xFFFF) | (static_cast<uint32_t>(b->cellHeight) << 16);
    request->status = HOST_STATUS_DONE;
}
