// Scrolling and clearing by copying pixels against drawing every cell again: two screens built
// alike, one of them with the copies switched off, take the same random screens and the same
// random scrolls and clears, and must show the same front image, pixel for pixel, after every
// step.
#include "graphics_test_support.h"
#include "vdu_client.h"
#include "viewer_fixture.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

#include "host/shared_fields.h"
#include "vdu/file_viewer.h"
#include "vdu/front_record.h"
#include "vdu/screen_state.h"

namespace {

constexpr int stepsPerScreen = 160;

struct Style {
    uint8_t screenNumber;
    const char *name;
};
// Numbered screens other than the selected one are hidden by their windows' ticks.
constexpr Style styles[] = {{5, "etched"}, {8, "embossed"}, {9, "bitmap"}};

struct CellSize {
    int32_t width, height;
};
// Text reaches past the cells of 6 x 10 and 5 x 7, bitmap glyphs past all below 8 x 16 (on
// 8 x 12 text still fits), frame edges past those of 5 x 7.
constexpr CellSize cellSizes[] = {{8, 16}, {6, 10}, {12, 20}, {5, 7}, {8, 12}};

// The same request on both screens.
struct Pair {
    VduClient &fast, &exact;
    template <typename Step>
    void Both(Step step)
    {
        step(fast);
        step(exact);
    }
};

void SetMoves(VduClient &vdu, bool on)
{
    ScreenLock screen{vdu.block};
    ASSERT_TRUE(screen);
    SetImageMoves(*screen.get(), on);
}

// Both windows hidden and without the focus, their side stripes alike.
void Settle(VduClient &a, VduClient &b)
{
    for (DWORD start = GetTickCount(); (LoadShared(a.block->shown) || LoadShared(b.block->shown)) && GetTickCount() - start < 3000;)
        Sleep(10);
    for (VduClient *v : {&a, &b})
        SendMessageA(v->block->window, WM_KILLFOCUS, 0, 0);
}

ImageMoveCounts Counts(VduClient &vdu)
{
    ScreenLock screen{vdu.block};
    return screen ? ImageMoves(*screen.get()) : ImageMoveCounts{};
}

// Random content and random operations, the same for both screens.
class Steps {
public:
    Steps(Pair &pair, const Geometry &g, PageFile &page, uint32_t seed) : p_(pair), g_(g), page_(page), random_(seed) {}

    // Fixed steps first, each with one hazard that a copy must not carry along, then a scroll
    // or a clear through it.
    static constexpr int openingSteps = 8;
    std::string Opening(int step)
    {
        const char *what[openingSteps] = {
            "line drawing over text (bitmap glyphs and wide text reach into the next cell or row)",
            "line drawing written over again (its ends stay in the next row)",
            "a cell word written without drawing, as the cell showed before a clear",
            "a bar of the file viewer reaching into an unchanged cell",
            "graphics under one row only",
            "a frame the rows scroll through",
            "a frame under a clear of the screen",
            "rows reaching past the end of the image",
        };
        const int row = 2 + step;
        TextPage page;
        if (step == 3) { // the page as the screen shows it, but for one cell
            for (int r = 0; r < g_.rows; ++r)
                for (int c = 0; c < g_.columns; ++c)
                    page.Set(c, r, static_cast<uint8_t>(p_.fast.Cell(c, r)));
            page.Set(10, row + 1, 204);
            page_.Write(page);
        }
        p_.Both([&](VduClient &v) {
            VduBlock *b = v.block;
            switch (step) {
            case 0:
            case 1:
                v.MoveTo(0, row);
                for (int i = 0; i < 30; ++i)
                    v.Put(static_cast<uint8_t>(17 + i % 15));
                v.Write(0, step == 0 ? row + 1 : row, step == 0 ? "Text" : "Line drawing written over again");
                break;
            case 2: // over a cell that showed the same word before a clear
                v.Write(5, row + 1, "P");
                v.MoveTo(5, row + 1);
                v.Control(23);
                b->cells[5 + (row + 1) * g_.columns] = 'P';
                break;
            case 3: RunFileViewer(v.context, b); break;
            case 4:
                Graphics(v, 'A', 0, row + 1, 10, row + 2);
                Graphics(v, 'F');
                break;
            case 5:
            case 6:
                v.MoveTo(20, row);
                v.Control(137);
                v.Control(16, (30u << 16) | static_cast<uint32_t>(row + 2));
                break;
            case 7: b->cellHeight += 3; break;
            }
            v.MoveTo(0, row);
            v.Control(step == 6 ? 12 : 21);
            if (step == 7)
                b->cellHeight -= 3;
        });
        return what[step];
    }

    // One step; returns what it did.
    std::string Next()
    {
        switch (Pick(24)) {
        case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7: return Text();
        case 8: return Rule();
        case 9: return Buttons();
        case 10: return Frame();
        case 11: return Under();
        case 12: return Viewer();
        case 13: return Pick(4) ? Poke() : Reshape();
        case 14: case 15: case 16: case 17: return Scroll(Pick(2) ? 21 : 20);
        case 18: case 19: return Wrap();
        case 20: return Clear(23);
        case 21: return Clear(24);
        case 22: return Clear(12);
        default: return Scroll(21);
        }
    }

private:
    int Pick(int n) { return static_cast<int>(random_() % static_cast<uint32_t>(n)); }
    int Column() { return Pick(g_.columns); }
    int Row() { return Pick(g_.rows); }

    // Text, line drawing, and now and then a character whose ink reaches into the cell to the left.
    uint8_t Character()
    {
        if (Pick(3) == 0)
            return static_cast<uint8_t>(1 + Pick(31));
        if (Pick(30) == 0)
            return Pick(2) ? 188 : 189;
        return PageCharacter();
    }

    uint8_t PageCharacter()
    {
        static const uint8_t pool[] = {'A', 'W', 'g', 'j', 'M', '@', '0', '7', ':', '|', ' ', 186, 204, 206, 'q', '_'};
        return pool[Pick(sizeof pool)];
    }

    std::string Text()
    {
        const int column = Column(), row = Row(), length = 1 + Pick(12);
        const uint8_t mode = Pick(3) == 0 ? 5 : Pick(6) == 0 ? 129 : 2; // highlight, masked, plain
        uint8_t text[16];
        for (int i = 0; i < length; ++i)
            text[i] = Character();
        p_.Both([&](VduClient &v) {
            v.MoveTo(column, row);
            v.Control(mode);
            for (int i = 0; i < length; ++i)
                v.Put(text[i]);
            v.Control(2);
        });
        return "text at row " + std::to_string(row);
    }

    // A line-drawing character at three quarters of the width ends the scroll regions above it.
    std::string Rule()
    {
        const int row = Row();
        const uint8_t code = static_cast<uint8_t>(16 + Pick(16));
        p_.Both([&](VduClient &v) {
            v.MoveTo(g_.columns * 3 / 4, row);
            v.Put(code);
        });
        return "rule in row " + std::to_string(row);
    }

    std::string Buttons()
    {
        const int row = Row(), column = Pick(g_.columns / 2);
        p_.Both([&](VduClient &v) {
            v.MoveTo(column, row);
            v.Put(" Ok: ");
            v.Control(5);
            v.Put("42");
            v.Control(2);
            v.Put(" ");
            v.MoveTo(column, row);
            v.Control(130);
            v.Control(16, (static_cast<uint32_t>(column + 10) << 16) | static_cast<uint32_t>(row));
        });
        return "buttons in row " + std::to_string(row);
    }

    std::string Frame()
    {
        const int c1 = Column(), r1 = Row(), c2 = Column(), r2 = Row();
        const uint8_t code = Pick(4) == 0 ? 136 : 137;
        p_.Both([&](VduClient &v) {
            v.MoveTo(c1, r1);
            v.Control(code);
            v.Control(16, (static_cast<uint32_t>(c2) << 16) | static_cast<uint32_t>(r2));
        });
        return "frame " + std::to_string(code);
    }

    // Graphics in the back image, under the text: a filled rectangle or a line.
    std::string Under()
    {
        const int32_t x1 = Pick(g_.columns * g_.cellWidth), y1 = Pick(g_.rows * g_.cellHeight);
        const int32_t x2 = Pick(g_.columns * g_.cellWidth), y2 = Pick(g_.rows * g_.cellHeight);
        const int32_t colour = static_cast<int32_t>(random_() & 0xFFFFFF);
        const bool line = Pick(2) == 0;
        p_.Both([&](VduClient &v) {
            Graphics(v, 'C', 0, 0, 0, colour);
            if (line) {
                Graphics(v, 'b', 0, 0, x1, y1);
                Graphics(v, 'd', 0, 0, x2, y2);
            } else {
                Graphics(v, 'a', x1, y1, x2, y2);
                Graphics(v, 'F');
            }
        });
        return line ? "line under the text" : "fill under the text";
    }

    // The file viewer draws a page over a few rows, with its own bars and text (the rest of the
    // page holds what the screen shows); then a few cells of the page change, and its bars reach
    // into neighbours that stay as they are.
    std::string Viewer()
    {
        TextPage page;
        const int first = Row();
        for (int r = 0; r < g_.rows; ++r)
            for (int c = 0; c < g_.columns; ++c) {
                const uint8_t shown = static_cast<uint8_t>(p_.fast.Cell(c, r));
                page.Set(c, r, r < first || r > first + 2 ? shown : Pick(4) ? ' ' : PageCharacter(),
                         Pick(2) ? 0x07 : 0x0F);
            }
        for (int pass = 0; pass < 2; ++pass) {
            page_.Write(page);
            p_.Both([&](VduClient &v) { RunFileViewer(v.context, v.block); });
            for (int i = 0; i < 6; ++i)
                page.Set(Column(), std::min(first + Pick(3), g_.rows - 1), Pick(2) ? 204 : PageCharacter());
        }
        return "file viewer from row " + std::to_string(first);
    }

    // A client that writes the host's cell buffer itself, without drawing.
    std::string Poke()
    {
        const int column = Column(), row = Row();
        const uint32_t word = Character() | (Pick(2) ? 0x10000u : 0u);
        p_.Both([&](VduClient &v) { v.block->cells[column + row * g_.columns] = word; });
        return "cell written directly";
    }

    // A client that changes the geometry of the open screen, keeping the size of the image or
    // not (the last rows may then lie past its end), and later puts it back.
    std::string Reshape()
    {
        int32_t height = g_.cellHeight, top = g_.marginTop, bottom = g_.marginBottom;
        if (!reshaped_) {
            const int32_t d = (1 + Pick(3)) * (Pick(2) ? 1 : -1);
            const bool keepSize = Pick(2) == 0;
            if (Pick(2)) {
                height += d;
                if (keepSize && bottom - d * g_.rows >= 0)
                    bottom -= d * g_.rows;
            } else {
                top += 8 * d;
                if (keepSize && bottom - 8 * d >= 0)
                    bottom -= 8 * d;
            }
        }
        reshaped_ = !reshaped_;
        p_.Both([&](VduClient &v) {
            v.block->cellHeight = height;
            v.block->marginTop = top;
            v.block->marginBottom = bottom;
        });
        return reshaped_ ? "geometry changed" : "geometry put back";
    }

    std::string Scroll(uint8_t code)
    {
        const int row = Row(), column = Column();
        p_.Both([&](VduClient &v) {
            v.MoveTo(column, row);
            v.Control(code);
        });
        return (code == 21 ? "delete line at row " : "insert line at row ") + std::to_string(row);
    }

    // The cursor normaliser's scrolls: past the last cell, and up from the first row.
    std::string Wrap()
    {
        const int kind = Pick(3);
        p_.Both([&](VduClient &v) {
            if (kind == 0) {
                v.MoveTo(g_.columns - 1, g_.rows - 1);
                v.Put('Z');
            } else if (kind == 1) {
                v.MoveTo(0, g_.rows - 1);
                v.Control(10);
            } else {
                v.MoveTo(0, 0);
                v.Control(26);
            }
        });
        return kind == 0 ? "wrap at the last cell" : kind == 1 ? "line feed at the last row" : "up from the first row";
    }

    std::string Clear(uint8_t code)
    {
        const int column = Column(), row = Row();
        p_.Both([&](VduClient &v) {
            v.MoveTo(column, row);
            v.Control(code);
        });
        return "clear " + std::to_string(code) + " at (" + std::to_string(column) + ", " + std::to_string(row) + ")";
    }

    Pair &p_;
    Geometry g_;
    PageFile &page_;
    std::mt19937 random_;
    bool reshaped_ = false;
};

bool SameState(const VduClient &a, const VduClient &b, std::string &why)
{
    const int32_t n = a.block->columns * a.block->rows;
    for (int32_t i = 0; i < n; ++i)
        if (a.block->cells[i] != b.block->cells[i] || a.block->frames[i] != b.block->frames[i]) {
            why = "cell words or frame words differ at index " + std::to_string(i);
            return false;
        }
    if (a.block->data != b.block->data || a.block->cursorColumn != b.block->cursorColumn ||
        a.block->cursorRow != b.block->cursorRow) {
        why = "data or cursor differ";
        return false;
    }
    const Image fast = a.Capture(), exact = b.Capture();
    if (fast == exact)
        return true;
    for (size_t i = 0; i < fast.pixels.size(); ++i)
        if (fast.pixels[i] != exact.pixels[i]) {
            why = "pixel (" + std::to_string(i % fast.width) + ", " + std::to_string(i / fast.width) + ") differs";
            break;
        }
    return false;
}

TEST(VduScrollIdentity, CopiedScrollsAndClearsShowWhatDrawingEveryCellShows)
{
    ImageMoveCounts total{};
    const int exitCode = RunClient([&](HostContext *context) {
        PageFile page("page.bin");
        context->mirrorFile = page.handle();
        context->selectedScreen = 15;
        uint32_t seed = 1;
        for (const CellSize &size : cellSizes)
            for (const Style &style : styles) {
                Geometry g;
                g.columns = 48;
                g.rows = 16;
                g.cellWidth = size.width;
                g.cellHeight = size.height;
                VduClient fast(context), exact(context);
                ASSERT_EQ(fast.Open(g, style.screenNumber), 0);
                ASSERT_EQ(exact.Open(g, style.screenNumber), 0);
                SetMoves(exact, false);
                Settle(fast, exact);
                Pair pair{fast, exact};
                Steps steps(pair, g, page, seed++);
                std::string why;
                ASSERT_TRUE(SameState(fast, exact, why)) << "freshly opened: " << why;
                for (int i = 0; i < stepsPerScreen; ++i) {
                    const std::string step = i < Steps::openingSteps ? steps.Opening(i) : steps.Next();
                    ASSERT_TRUE(SameState(fast, exact, why))
                        << style.name << " style, " << size.width << " x " << size.height << " cells, step " << i
                        << " (" << step << "): " << why;
                }
                const ImageMoveCounts c = Counts(fast);
                total.rowMoves += c.rowMoves;
                total.refusedMoves += c.refusedMoves;
                total.movedRows += c.movedRows;
                total.redrawnRows += c.redrawnRows;
                total.redrawnCells += c.redrawnCells;
                total.copiedClears += c.copiedClears;
                total.refusedClears += c.refusedClears;
                EXPECT_EQ(Counts(exact).rowMoves + Counts(exact).copiedClears, 0u);
            }
        context->mirrorFile = nullptr;
    });
    ASSERT_EQ(exitCode, 0) << "the host did not start";
    // Every way through the copies was taken somewhere: copied rows and clears, and each fall-back.
    EXPECT_GT(total.rowMoves, 0u);
    EXPECT_GT(total.movedRows, 0u);
    EXPECT_GT(total.copiedClears, 0u);
    EXPECT_GT(total.refusedMoves, 0u);
    EXPECT_GT(total.redrawnRows, 0u);
    EXPECT_GT(total.redrawnCells, 0u);
    EXPECT_GT(total.refusedClears, 0u);
    std::printf("row moves %u (refused %u), rows moved %u, rows redrawn %u, cells redrawn %u, clears copied %u "
                "(refused %u)\n",
                total.rowMoves, total.refusedMoves, total.movedRows, total.redrawnRows, total.redrawnCells,
                total.copiedClears, total.refusedClears);
}

} // namespace

namespace {

// The side stripe is painted two pixels wide into the back image, but carried into the front
// image only as far as the left margin reaches: with a narrower margin (a client that moved
// the text area left), column 0 shows the stripe as it was when each of its cells was last
// erased, and rows that move must not carry that along.
TEST(VduScrollIdentity, FocusChangeUnderANarrowLeftMarginDoesNotMoveWithTheRows)
{
    const int exitCode = RunClient([&](HostContext *context) {
        context->selectedScreen = 15;
        for (const int32_t margin : {0, 1}) {
            Geometry g;
            g.columns = 20;
            g.rows = 6;
            VduClient fast(context), exact(context);
            ASSERT_EQ(fast.Open(g, 5), 0);
            ASSERT_EQ(exact.Open(g, 5), 0);
            SetMoves(exact, false);
            Settle(fast, exact);
            Pair pair{fast, exact};
            pair.Both([&](VduClient &v) {
                v.block->marginRight += v.block->marginLeft - margin; // the image keeps its size
                v.block->marginLeft = margin;
                v.MoveTo(0, 0);
                v.Control(21);
                SendMessageA(v.block->window, WM_SETFOCUS, 0, 0);
                v.Write(0, 2, "|text");
                SendMessageA(v.block->window, WM_KILLFOCUS, 0, 0);
                v.MoveTo(0, 0);
                v.Control(21);
            });
            std::string why;
            EXPECT_TRUE(SameState(fast, exact, why)) << "left margin " << margin << ": " << why;
        }
    });
    ASSERT_EQ(exitCode, 0) << "the host did not start";
}

} // namespace
