#include "vdu/vdu_graphics.h"

#include <cstdlib>

#include "vdu/graphics_bitmap.h"
#include "vdu/front_record.h"
#include "vdu/graphics_rules.h"
#include "vdu/painters.h"
#include "vdu/screen_state.h"

namespace {

constexpr uint32_t paletteRelative = 0x02000000;

// The geometry of the screen as the host made it: the image size from the back bitmap itself,
// the buffers' columns and rows.
GraphicsGeometry GeometryOf(const ScreenState &s)
{
    BITMAP image{};
    GetObjectA(s.backBitmap, sizeof image, &image);
    const VduBlock *b = s.block;
    return {image.bmWidth, image.bmHeight, s.columns, s.rows, b->cellWidth, b->cellHeight, b->marginLeft,
            b->marginTop};
}

enum class Coordinates { imagePixels, cells, textArea };

GraphicsPoint PointFrom(const GraphicsGeometry &g, Coordinates system, int32_t a, int32_t b)
{
    switch (system) {
    case Coordinates::imagePixels: return PointFromImagePixels(g, a, b);
    case Coordinates::cells: return PointFromCells(g, a, b);
    case Coordinates::textArea: break;
    }
    return PointFromTextArea(g, a, b);
}

// '@', 'A', 'a': both corners from the four arguments.
void SetRectangle(ScreenState &s, Coordinates system)
{
    VduBlock *b = s.block;
    const GraphicsGeometry g = GeometryOf(s);
    const GraphicsPoint first = PointFrom(g, system, b->graphicsArg1, b->graphicsArg2);
    const GraphicsPoint second = PointFrom(g, system, b->graphicsArg3, b->graphicsArg4);
    b->graphicsRect[0] = first.x;
    b->graphicsRect[1] = first.y;
    b->graphicsRect[2] = second.x;
    b->graphicsRect[3] = second.y;
}

// 'B', 'b', 'G', 'D', 'd': the second corner becomes the first, the new point the second.
GraphicsPoint NextPoint(ScreenState &s, Coordinates system, int32_t a, int32_t c)
{
    VduBlock *b = s.block;
    const GraphicsPoint p = PointFrom(GeometryOf(s), system, a, c);
    b->graphicsRect[0] = b->graphicsRect[2];
    b->graphicsRect[1] = b->graphicsRect[3];
    b->graphicsRect[2] = p.x;
    b->graphicsRect[3] = p.y;
    return p;
}

void MovePen(ScreenState &s, Coordinates system, int32_t a, int32_t c)
{
    const GraphicsPoint p = NextPoint(s, system, a, c);
    MoveToEx(s.backDC, p.x, p.y, nullptr);
}

void DrawLine(ScreenState &s, Coordinates system)
{
    const GraphicsPoint p = NextPoint(s, system, s.block->graphicsArg3, s.block->graphicsArg4);
    SetBkColor(s.backDC, s.block->colours[7]);
    SetBkMode(s.backDC, OPAQUE);
    LineTo(s.backDC, p.x, p.y);
}

GraphicsRect CurrentRect(const ScreenState &s)
{
    const int32_t *r = s.block->graphicsRect;
    return NormalisedRect(GeometryOf(s), r[0], r[1], r[2], r[3]);
}

void Fill(ScreenState &s, COLORREF colour)
{
    const GraphicsRect r = CurrentRect(s);
    const RECT area{r.left, r.top, r.right, r.bottom};
    const HBRUSH brush = CreateSolidBrush(colour);
    FillRect(s.backDC, &area, brush);
    DeleteObject(brush);
}

void PlaceBitmap(ScreenState &s)
{
    const GraphicsRect r = CurrentRect(s);
    int32_t *placement = s.block->bitmapRect;
    placement[0] = r.left;
    placement[1] = r.top;
    placement[2] = r.right;
    placement[3] = r.bottom;
}

bool DrawBitmap(ScreenState &s)
{
    const VduBlock *b = s.block;
    const int32_t *p = b->bitmapRect;
    const GraphicsRect placement = NormalisedRect(GeometryOf(s), p[0], p[1], p[2], p[3]);
    return DrawScreenBitmap(s, placement, b->graphicsArg1, b->graphicsArg2, b->graphicsArg3, b->graphicsArg4);
}

bool IsLoad(uint8_t op)
{
    return op == 'L' || op == 'l';
}

// One sub-operation; false where it ends with status 11. `loaded` is the file a load read.
bool Perform(ScreenState &s, uint8_t op, uint8_t *loaded)
{
    VduBlock *b = s.block;
    switch (op) {
    case '@': SetRectangle(s, Coordinates::imagePixels); return true;
    case 'A': SetRectangle(s, Coordinates::cells); return true;
    case 'a': SetRectangle(s, Coordinates::textArea); return true;
    case 'B': MovePen(s, Coordinates::cells, b->graphicsArg3, b->graphicsArg4); return true;
    case 'b': MovePen(s, Coordinates::textArea, b->graphicsArg3, b->graphicsArg4); return true;
    case 'G':
    case 'g': MovePen(s, Coordinates::cells, b->cursorColumn, b->cursorRow); return true;
    case 'D': DrawLine(s, Coordinates::cells); break;
    case 'd': DrawLine(s, Coordinates::textArea); break;
    case 'C':
    case 'c': b->colours[7] = DrawingColour(b->graphicsArg4); return true;
    case 'E':
    case 'e': Fill(s, b->colours[0]); break;
    case 'F':
    case 'f': Fill(s, b->colours[7] | paletteRelative); break;
    case 'L':
    case 'l':
        InstallScreenBitmap(s, loaded);
        return loaded != nullptr;
    case 'R': PlaceBitmap(s); return true;
    case 'Z':
    case 'z':
        if (!DrawBitmap(s))
            return false;
        break;
    default: return true;
    }
    RecordBackChanged(s);
    RepaintAll(s); // the new background under the unchanged text
    return true;
}

bool NeedsBitmap(uint8_t op)
{
    return op == 'L' || op == 'l' || op == 'Z' || op == 'z';
}

} // namespace

void VduGraphics(HostContext *, RequestBlock *request)
{
    auto *b = reinterpret_cast<VduBlock *>(request);
    const uint8_t op = b->graphicsOp;
    // The file is read before the screen is locked, so that the display window need not wait.
    uint8_t *loaded = IsLoad(op) ? ReadDrawableBitmap(b->bitmapPath, sizeof b->bitmapPath) : nullptr;
    bool done;
    if (ScreenLock screen{b}) {
        done = Perform(*screen.get(), op, loaded);
    } else {
        std::free(loaded);
        done = !NeedsBitmap(op); // a closed block has nothing to load a bitmap for or draw
    }
    request->status = done ? HOST_STATUS_DONE : HOST_STATUS_NO_BITMAP;
}
