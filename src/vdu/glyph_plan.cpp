#include "vdu/glyph_plan.h"

#include <array>

namespace {

// Glyphs 17 to 31 are built from an upper arm (rows 0-6), a bar (rows 7-9) and a lower arm
// (rows 10-15); 28 to 31 repeat 24 to 27.
struct GlyphBands {
    uint8_t upper, bar, lower;
};

constexpr GlyphBands glyphBands[32] = {
    {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {},
    {0x38, 0x38, 0x38}, // 17 vertical line
    {0x00, 0xFF, 0x00}, // 18 horizontal line
    {0x38, 0xFF, 0x38}, // 19 cross
    {0x00, 0x3F, 0x38}, // 20 top-left corner
    {0x38, 0x3F, 0x00}, // 21 bottom-left corner
    {0x38, 0xF8, 0x00}, // 22 bottom-right corner
    {0x00, 0xF8, 0x38}, // 23 top-right corner
    {0x00, 0xFF, 0x38}, // 24 tee opening down
    {0x38, 0x3F, 0x38}, // 25 tee opening right
    {0x38, 0xFF, 0x00}, // 26 tee opening up
    {0x38, 0xF8, 0x38}, // 27 tee opening left
    {0x00, 0xFF, 0x38}, {0x38, 0x3F, 0x38}, {0x38, 0xFF, 0x00}, {0x38, 0xF8, 0x38},
};

using GlyphTable = std::array<std::array<uint8_t, 16>, 32>;

constexpr GlyphTable MakeGlyphTable()
{
    GlyphTable table{};
    for (int code = 0; code < 32; ++code)
        for (int row = 0; row < 16; ++row)
            table[code][row] = row < 7 ? glyphBands[code].upper : row < 10 ? glyphBands[code].bar : glyphBands[code].lower;
    return table;
}

constexpr GlyphTable glyphTable = MakeGlyphTable();

constexpr int maxGlyphRects = 8;

struct GlyphRectTable {
    GlyphRect rects[32][maxGlyphRects];
    int counts[32];
};

// Horizontal runs of each row, each extended downward over the following identical rows.
constexpr GlyphRectTable MakeGlyphRects()
{
    GlyphRectTable t{};
    for (int code = 0; code < 32; ++code) {
        int n = 0;
        int row = 0;
        while (row < 16) {
            int end = row + 1;
            while (end < 16 && glyphTable[code][end] == glyphTable[code][row])
                ++end;
            const uint8_t bits = glyphTable[code][row];
            for (int b = 0; b < 8;) {
                if (!(bits & (0x80 >> b))) {
                    ++b;
                    continue;
                }
                int e = b;
                while (e < 8 && (bits & (0x80 >> e)))
                    ++e;
                t.rects[code][n++] = {static_cast<uint8_t>(b), static_cast<uint8_t>(row),
                                      static_cast<uint8_t>(e - b), static_cast<uint8_t>(end - row)};
                b = e;
            }
            row = end;
        }
        t.counts[code] = n;
    }
    return t;
}

constexpr GlyphRectTable glyphRects = MakeGlyphRects();

struct Planner {
    CellPlan &plan;
    void operator()(uint8_t brush, int32_t x, int32_t y, int32_t w, int32_t h)
    {
        if (plan.strokeCount < maxCellStrokes)
            plan.strokes[plan.strokeCount++] = {brush, x, y, w, h};
    }
};

void PlanFrame(Planner &s, unsigned n, int32_t W, int32_t H)
{
    switch (n) {
    case 8: s(brushWhite, 0, 4, W, 2); break;
    case 12:
        s(brushWhite, 0, 4, W, 2);
        s(brushWhite, 0, 4, 3, H - 4);
        s(brushLightGrey, 2, 5, 1, 1);
        break;
    case 10:
        s(brushWhite, 0, 4, W, 2);
        s(brushBlack, W - 1, 4, 1, H - 4);
        s(brushBlack, W - 2, 5, 1, H - 5);
        break;
    case 4: s(brushWhite, 0, 0, 3, H); break;
    case 2: s(brushBlack, W - 2, 0, 2, H); break;
    case 5:
        s(brushWhite, 0, 0, 3, 8);
        s(brushBlack, 1, 6, W - 1, 1);
        s(brushBlack, 0, 7, W, 1);
        break;
    case 3:
        s(brushBlack, W - 2, 0, 2, 8);
        s(brushBlack, 0, 6, W, 2);
        break;
    case 1: s(brushBlack, 0, 6, W, 2); break;
    default: break;
    }
    if ((n & 8) && (n & 1)) {
        s(brushBlack, 0, 6, W, 1);
        s(brushWhite, 0, 7, W, 1);
    }
    if ((n & 4) && (n & 2)) {
        s(brushBlack, 3, 0, 1, H);
        s(brushWhite, 4, 0, 2, H);
    }
}

void PlanButton(Planner &s, CellPlan &plan, unsigned parts, uint8_t c, int32_t W, int32_t H)
{
    const bool printable = c >= 33 && c <= 254;
    if (parts == 4) {
        s(brushWhite, 0, 0, W, H - 2);
        return;
    }
    switch (parts & 3) {
    case 1:
        s(brushLightGrey, 0, 0, W, H - 2);
        s(brushWhite, 0, 0, W, 1);
        s(brushWhite, 0, 0, 1, H - 2);
        s(brushBlack, 0, H - 3, W, 1);
        break;
    case 2:
        s(brushLightGrey, 0, 0, W, H - 2);
        s(brushWhite, 0, 0, W, 1);
        s(brushBlack, 0, H - 3, W, 1);
        break;
    case 3:
        s(brushLightGrey, 0, 0, W - 4, H - 2);
        s(brushWhite, 0, 0, W - 4, 1);
        s(brushBlack, W - 4, 0, 1, H - 2);
        s(brushBlack, 0, H - 3, W - 3, 1);
        return;
    default:
        return;
    }
    if (printable) {
        plan.drawText = true;
        plan.character = c;
        plan.textColour = 0x808080;
        plan.textX = 2;
    }
}

// The embossed (shadow black) and etched (shadow grey) line shapes.
void PlanLine(Planner &s, unsigned k, bool embossed, int32_t W, int32_t H)
{
    if (embossed) {
        switch (k) {
        case 1: case 9: case 11:
            s(brushWhite, 3, 0, 2, H); s(brushBlack, 5, 0, 1, H); break;
        case 2: case 10:
            s(brushWhite, 0, 6, W, 1); s(brushBlack, 0, 7, W, 1); break;
        case 3:
            s(brushWhite, 3, 0, 2, H); s(brushWhite, 0, 6, W, 1);
            s(brushBlack, 5, 0, 1, H); s(brushBlack, 0, 7, W, 1); break;
        case 4:
            s(brushWhite, 3, 6, 2, H - 6); s(brushWhite, 5, 6, W - 5, 1);
            s(brushBlack, 5, 7, 1, H - 7); s(brushBlack, 6, 7, W - 6, 1); break;
        case 5:
            s(brushWhite, 3, 0, 2, H - 8); s(brushWhite, 5, 6, W - 5, 1);
            s(brushBlack, 5, 0, 1, H - 8); s(brushBlack, 6, 7, W - 6, 1); break;
        case 6:
            s(brushWhite, 3, 0, 2, H - 8); s(brushWhite, 0, 6, W - 5, 1);
            s(brushBlack, 5, 0, 1, H - 8); s(brushBlack, 0, 7, W - 4, 1); break;
        case 7:
            s(brushWhite, 3, 6, 2, H - 6); s(brushWhite, 0, 6, W - 5, 1);
            s(brushBlack, 5, 7, 1, H - 7); s(brushBlack, 0, 7, W - 6, 1); break;
        case 8:
            s(brushWhite, 3, 7, 2, H - 7); s(brushWhite, 0, 6, W, 1);
            s(brushBlack, 5, 7, 1, H - 7); s(brushBlack, 4, 7, W - 4, 1); break;
        default: break;
        }
        return;
    }
    switch (k) {
    case 1: case 9: case 11:
        s(brushWhite, 4, 0, 1, H); s(brushGrey, 3, 0, 1, H); break;
    case 2: case 10:
        s(brushWhite, 0, 7, W, 1); s(brushGrey, 0, 6, W, 1); break;
    case 3:
        s(brushWhite, 4, 0, 1, H); s(brushWhite, 0, 7, W, 1);
        s(brushGrey, 3, 0, 1, H); s(brushGrey, 0, 6, W, 1); break;
    case 4:
        s(brushWhite, 4, 7, 1, H - 7); s(brushWhite, 6, 7, W - 6, 1);
        s(brushGrey, 3, 6, 1, H - 6); s(brushGrey, 5, 6, W - 5, 1); break;
    case 5:
        s(brushWhite, 4, 0, 1, H - 8); s(brushWhite, 4, 7, W - 4, 1);
        s(brushGrey, 3, 0, 1, H - 10); s(brushGrey, 4, 6, W - 4, 1); break;
    case 6:
        s(brushWhite, 4, 0, 1, H - 8); s(brushWhite, 0, 7, W - 4, 1);
        s(brushGrey, 3, 0, 1, H - 10); s(brushGrey, 0, 6, W - 4, 1); break;
    case 7:
        s(brushWhite, 4, 7, 1, H - 7); s(brushWhite, 0, 7, W - 6, 1);
        s(brushGrey, 3, 6, 1, H - 6); s(brushGrey, 0, 6, W - 5, 1); break;
    case 8:
        s(brushWhite, 4, 7, 1, H - 7); s(brushWhite, 0, 7, W, 1);
        s(brushGrey, 3, 7, 1, H - 7); s(brushGrey, 0, 6, W, 1); break;
    default: break;
    }
}

} // namespace

const uint8_t *BitmapGlyphRows(int code)
{
    return glyphTable[code & 31].data();
}

GlyphRects BitmapGlyphRects(int code)
{
    return {glyphRects.rects[code & 31], glyphRects.counts[code & 31]};
}

CellPlan PlanCell(uint32_t word, uint32_t frameWord, int screenNumber, int32_t W, int32_t H)
{
    CellPlan plan;
    Planner strokes{plan};
    const unsigned edges = frameWord >> 28;
    if (edges != 0) {
        PlanFrame(strokes, edges, W, H);
        return plan; // a framed cell shows nothing else
    }
    const uint8_t c = static_cast<uint8_t>(word);
    const unsigned parts = (word >> 24) & 7;
    if (parts != 0)
        PlanButton(strokes, plan, parts, c, W, H);
    if (c >= 1 && c <= 31) {
        if (screenNumber >= 9)
            plan.bitmapGlyph = BitmapGlyphRects(c);
        else
            PlanLine(strokes, c & 15, screenNumber == 8, W, H);
    }
    if ((parts & 3) == 0 && c >= 33 && c <= 254) {
        plan.drawText = true;
        plan.character = c;
        plan.textColour = (word & 0x10000u) ? 0xFF0000 : 0x000000;
        plan.textX = 0;
    }
    return plan;
}
