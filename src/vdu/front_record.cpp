#include "vdu/front_record.h"

#include <algorithm>
#include <cstring>

#include "vdu/display_paint.h"
#include "vdu/font_ink.h"

namespace {

constexpr DrawnCell erased{32, 0};

bool SameGeometry(const FrontRecord &r, const VduBlock *b, const ScreenState &s)
{
    return r.columns == s.columns && r.rows == s.rows && r.cellWidth == b->cellWidth &&
           r.cellHeight == b->cellHeight && r.marginLeft == b->marginLeft && r.marginTop == b->marginTop &&
           r.marginRight == b->marginRight && r.marginBottom == b->marginBottom && r.screenNumber == b->screenNumber;
}

// The block's geometry lays the cells out over exactly the images the host made, so a band of
// rows is the same rectangle for the copies as for the erase helpers.
bool DescribesImages(const VduBlock *b, const ScreenState &s)
{
    if (b->columns != s.columns || b->rows != s.rows || b->cellWidth < 1 || b->cellHeight < 1 || b->marginLeft < 0 ||
        b->marginTop < 0 || b->marginRight < 0 || b->marginBottom < 0)
        return false;
    const WindowSize front = ImageSize(s.frontBitmap), back = ImageSize(s.backBitmap);
    const int64_t width = int64_t{b->marginLeft} + int64_t{s.columns} * b->cellWidth + b->marginRight;
    const int64_t height = int64_t{b->marginTop} + int64_t{s.rows} * b->cellHeight + b->marginBottom;
    return front.width == width && front.height == height && back.width == width && back.height == height;
}

void Make(ScreenState &s, bool blank)
{
    const VduBlock *b = s.block;
    if (!s.front)
        s.front = new FrontRecord{};
    FrontRecord &r = *s.front;
    const bool movesOff = r.movesOff;
    const ImageMoveCounts counts = r.counts;
    r = FrontRecord{};
    r.movesOff = movesOff;
    r.counts = counts;
    r.columns = s.columns;
    r.rows = s.rows;
    r.cellWidth = b->cellWidth;
    r.cellHeight = b->cellHeight;
    r.marginLeft = b->marginLeft;
    r.marginTop = b->marginTop;
    r.marginRight = b->marginRight;
    r.marginBottom = b->marginBottom;
    r.screenNumber = b->screenNumber;
    r.usable = DescribesImages(b, s);
    const size_t rows = static_cast<size_t>(std::max(s.rows, 0));
    r.stale.assign(rows, blank ? 0 : 1);
    r.backSameAsNext.assign(rows, 0);
    r.drawn.assign(rows * static_cast<size_t>(std::max(s.columns, 0)), erased);
    r.footprints.resize(footprintKinds);
    if (!r.usable)
        return; // nothing is moved or copied until the geometry describes the images again
    const FontInk &ink = InkOf(s.font, s.frontDC);
    for (int kind = 0; kind < footprintKinds; ++kind) {
        uint32_t word, frame;
        WordsOfKind(kind, word, frame);
        r.footprints[kind] = PlanFootprint(PlanCell(word, frame, r.screenNumber, r.cellWidth, r.cellHeight), ink);
    }
}

bool InsideScreen(const ScreenState &s, int32_t column, int32_t row)
{
    return column >= 0 && row >= 0 && column < s.columns && row < s.rows;
}

size_t CellIndex(const ScreenState &s, int32_t column, int32_t row)
{
    return static_cast<size_t>(column) + static_cast<size_t>(row) * static_cast<size_t>(s.columns);
}

int32_t FloorDiv(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return static_cast<int32_t>(std::clamp<int64_t>((a % b != 0 && a < 0) ? q - 1 : q, INT32_MIN, INT32_MAX));
}

void MarkStale(FrontRecord &r, int32_t first, int32_t last)
{
    first = std::max(first, int32_t{0});
    last = std::min(last, r.rows - 1);
    for (int32_t row = first; row <= last; ++row)
        r.stale[row] = 1;
}

// Whether bands of the back image of rows next to each other are the same, from one copy of it.
void CompareBackRows(ScreenState &s, FrontRecord &r)
{
    std::fill(r.backSameAsNext.begin(), r.backSameAsNext.end(), 0);
    const WindowSize image = ImageSize(s.backBitmap);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    const HDC dc = CreateCompatibleDC(s.backDC);
    const HBITMAP copy = dc ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (copy) {
        const HGDIOBJ old = SelectObject(dc, copy);
        if (BitBlt(dc, 0, 0, image.width, image.height, s.backDC, 0, 0, SRCCOPY)) {
            GdiFlush();
            const auto *pixels = static_cast<const uint8_t *>(bits);
            const size_t band = static_cast<size_t>(image.width) * 4 * static_cast<size_t>(r.cellHeight);
            for (int32_t row = 0; row + 1 < r.rows; ++row) {
                const uint8_t *top = pixels + (static_cast<size_t>(r.marginTop) + static_cast<size_t>(row) * r.cellHeight) *
                                                  image.width * 4;
                r.backSameAsNext[row] = std::memcmp(top, top + band, band) == 0;
            }
            r.backKnown = true;
        }
        SelectObject(dc, old);
        DeleteObject(copy);
    }
    if (dc)
        DeleteDC(dc);
}

} // namespace

FrontRecord &CurrentRecord(ScreenState &s)
{
    if (!s.front || !SameGeometry(*s.front, s.block, s))
        Make(s, false);
    return *s.front;
}

void StartRecord(ScreenState &s)
{
    Make(s, true);
}

void ReleaseRecord(ScreenState &s)
{
    delete s.front;
    s.front = nullptr;
}

bool DrawsInsideCell(const FrontRecord &r, uint32_t word, uint32_t frame)
{
    return InsideCell(r.footprints[FootprintKind(word, frame)], r.cellWidth, r.cellHeight);
}

void RecordCellDrawn(ScreenState &s, int32_t column, int32_t row, uint32_t word, uint32_t frame)
{
    FrontRecord &r = CurrentRecord(s);
    if (!InsideScreen(s, column, row))
        return;
    r.drawn[CellIndex(s, column, row)] = {word, frame};
    const PixelBox &box = r.footprints[FootprintKind(word, frame)];
    if (!InsideCell(box, r.cellWidth, r.cellHeight))
        MarkStale(r, std::min(row, row + FloorDiv(box.top, r.cellHeight)),
                  std::max(row, row + FloorDiv(int64_t{box.bottom} - 1, r.cellHeight)));
}

void RecordCellErased(ScreenState &s, int32_t column, int32_t row)
{
    FrontRecord &r = CurrentRecord(s);
    if (InsideScreen(s, column, row))
        r.drawn[CellIndex(s, column, row)] = erased;
}

void RecordRowErased(ScreenState &s, int32_t row)
{
    FrontRecord &r = CurrentRecord(s);
    if (row < 0 || row >= s.rows)
        return;
    r.stale[row] = 0;
    std::fill_n(r.drawn.begin() + static_cast<ptrdiff_t>(CellIndex(s, 0, row)), s.columns, erased);
}

void RecordScreenErased(ScreenState &s)
{
    FrontRecord &r = CurrentRecord(s);
    std::fill(r.stale.begin(), r.stale.end(), 0);
    std::fill(r.drawn.begin(), r.drawn.end(), erased);
}

void RecordOtherDrawing(ScreenState &s, int32_t firstRow)
{
    FrontRecord &r = CurrentRecord(s);
    MarkStale(r, firstRow, r.rows - 1);
}

void RecordBackChanged(ScreenState &s)
{
    CurrentRecord(s).backKnown = false;
}

bool BackRowsAlike(ScreenState &s, int32_t a, int32_t b)
{
    FrontRecord &r = CurrentRecord(s);
    if (!r.usable || std::abs(a - b) != 1 || std::min(a, b) < 0 || std::max(a, b) >= r.rows)
        return false;
    if (!r.backKnown)
        CompareBackRows(s, r);
    return r.backKnown && r.backSameAsNext[std::min(a, b)];
}

void SetImageMoves(ScreenState &s, bool on)
{
    CurrentRecord(s).movesOff = !on;
}

ImageMoveCounts ImageMoves(ScreenState &s)
{
    return CurrentRecord(s).counts;
}
