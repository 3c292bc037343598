// What a client can get wrong: requests on a block that is not open, a cursor far off the
// screen, geometry changed after open, a screen too large to make.
#include "vdu_client.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The buffers and the bytes just past the cell buffer. Sized once: taking a snapshot allocates
// nothing.
struct Snapshot {
    explicit Snapshot(int count) : cells(count), frames(count) {}
    void Take(const uint32_t *cellBuffer, const uint32_t *frameBuffer)
    {
        std::memcpy(pastCells, cellBuffer + cells.size(), sizeof pastCells);
        std::copy(cellBuffer, cellBuffer + cells.size(), cells.begin());
        std::copy(frameBuffer, frameBuffer + frames.size(), frames.begin());
    }
    std::vector<uint32_t> cells, frames;
    uint8_t pastCells[64] = {};
};

const POINT farCursors[] = {{-1, 2},      {-3, 2},         {2, -1},            {2, -6},
                            {2, 5},       {2, 6},          {7, 5},             {12, 10},
                            {-100000, 2}, {2, 100000},     {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN},
                            {INT_MAX, 2}, {2, INT_MIN},    {INT_MIN, 2},       {2, INT_MAX}};

struct Request {
    uint8_t op, code;
};
const Request cursorRequests[] = {{'T', 'x'}, {'U', 23}, {'U', 24}, {'U', 20}, {'U', 21}, {'V', 0}};

std::string Describe(const Request &q, POINT at)
{
    return std::string("'") + static_cast<char>(q.op) + "' " + std::to_string(q.code) + " at (" +
           std::to_string(at.x) + ", " + std::to_string(at.y) + ")";
}

// Pixels outside the text area (margins and border) are those of the back image.
void ExpectMarginsUntouched(const VduClient &vdu, const Image &image, const Image &back, int columns, int rows,
                            const char *what)
{
    const VduBlock *b = vdu.block;
    const int left = b->marginLeft, top = b->marginTop;
    const int right = left + columns * b->cellWidth, bottom = top + rows * b->cellHeight;
    int touched = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if ((x < left || x >= right || y < top || y >= bottom) && image.At(x, y) != back.At(x, y))
                ++touched;
    EXPECT_EQ(touched, 0) << what << ": pixels drawn outside the text area";
}

// Without an open screen 'T' and 'U' change nothing, 'V' answers the end mark, 'K' no event, and
// 'M' and 'A' answer from the block's own fields; all end with status 0.
TEST(VduRobustness, RequestsOnABlockThatIsNotOpenAnswerWithoutAScreen)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        VduBlock *b = vdu.block;
        struct Answer {
            uint8_t op;
            uint32_t data, extra;
        };
        // 80 x 24 cells of 8 x 16 behind margins 12 and 104, the last mouse event at (52, 168)
        // of an unzoomed window: pixel (40, 64) of the text area, in cell (5, 4).
        const Answer answers[] = {{'T', 12, 0x00050003}, {'U', 12, 0x00050003},
                                  {'V', 0x1000D, 0},     {'K', 0, 0},
                                  {'M', 5 | 4 << 16, 40 | 64 << 16}, {'A', 80 | 24 << 16, 8 | 16 << 16}};
        auto check = [&](const char *when) {
            for (const Answer &a : answers) {
                b->data = 12;
                b->extra = 0x00050003;
                b->cursorColumn = 3;
                b->cursorRow = 4;
                b->repaintCountdown = 7;
                b->pendingEscapes = 2;
                b->eventCount = 1;
                b->columns = 80;
                b->rows = 24;
                b->cellWidth = 8;
                b->cellHeight = 16;
                b->marginLeft = 12;
                b->marginTop = 104;
                b->mouseX = 52;
                b->mouseY = 168;
                b->backWidth = b->windowWidth = 656;
                b->backHeight = b->windowHeight = 496;
                const std::string what = std::string(when) + " '" + static_cast<char>(a.op) + "'";
                EXPECT_EQ(vdu.Submit(a.op), 0) << what;
                EXPECT_EQ(b->data, a.data) << what;
                EXPECT_EQ(b->extra, a.extra) << what;
                EXPECT_EQ(b->cursorColumn, 3) << what;
                EXPECT_EQ(b->cursorRow, 4) << what;
                EXPECT_EQ(b->repaintCountdown, 7) << what;
                EXPECT_EQ(b->pendingEscapes, 2) << what;
                EXPECT_EQ(b->eventCount, 1) << what;
                EXPECT_EQ(b->cells, nullptr) << what;
            }
        };
        check("never opened");
        EXPECT_EQ(vdu.Close(), 0);
        ASSERT_EQ(vdu.Open(Geometry{10, 4}), 0);
        uint32_t *cells = b->cells;
        EXPECT_EQ(vdu.Close(), 0);
        EXPECT_EQ(b->cells, nullptr);
        b->cells = cells; // a stale pointer left by the client is not used
        b->header.op = 'T';
        b->data = 'x';
        context->serviceEntry(context, &b->header);
        EXPECT_EQ(b->header.status, 0);
        b->cells = nullptr;
        check("closed");
        ASSERT_EQ(vdu.Open(Geometry{100000, 100000}), 0);
        ASSERT_EQ(b->window, nullptr);
        check("refused as too large");
    });
}

// On a 7 x 5 screen: a cursor just off the screen or far away, and what each request leaves.
TEST(VduRobustness, ACursorFarOffTheScreenTouchesNothingOutsideIt)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        constexpr int columns = 7, rows = 5, count = columns * rows;
        ASSERT_EQ(vdu.Open(Geometry{columns, rows, 8, 16, 24, 40, 24, 40}), 0);
        uint32_t *cells = vdu.block->cells;
        uint32_t *frames = vdu.block->frames;
        const Image back = vdu.Capture(false);
        Snapshot before(count), after(count);
        for (const Request &q : cursorRequests)
            for (const POINT &at : farCursors) {
                // Fill the screen with known words and a frame, then send the request.
                vdu.MoveTo(0, 0);
                vdu.Control(12);
                for (int r = 0; r < rows; ++r)
                    vdu.Write(0, r, r == rows - 1 ? "ABCDEF" : "abcdefg");
                vdu.MoveTo(1, 1);
                vdu.Control(137);
                vdu.Control(16, (3u << 16) | 3);
                before.Take(cells, frames);
                vdu.MoveTo(at.x, at.y);
                vdu.block->data = q.code;
                EXPECT_EQ(vdu.Submit(q.op), 0);
                after.Take(cells, frames);
                const std::string what = Describe(q, at);
                EXPECT_TRUE(before.frames == after.frames) << what;
                ExpectMarginsUntouched(vdu, vdu.Capture(), back, columns, rows, what.c_str());
                if (q.op == 'V') {
                    EXPECT_TRUE(before.cells == after.cells) << what;
                    EXPECT_EQ(vdu.block->data, 0x1000Du) << what;
                }
                // Only words that a screen can hold: characters written here or spaces.
                for (int i = 0; i < count; ++i) {
                    const uint32_t w = after.cells[i];
                    EXPECT_TRUE(w == 32 || w == 'x' || (w >= 'a' && w <= 'g') || (w >= 'A' && w <= 'F'))
                        << what << ": cell " << i << " holds 0x" << std::hex << w;
                }
                // Clearing to the end of a row left of the screen clears that row from column 0
                // and nothing in the rows around it.
                if (q.op == 'U' && q.code == 23 && at.y >= 0 && at.y < rows && at.x < 0) {
                    for (int i = 0; i < count; ++i)
                        EXPECT_EQ(after.cells[i], i / columns == at.y ? 32u : before.cells[i]) << what << ": cell " << i;
                }
            }
    });
}

// A screen whose cell buffer is large enough to sit in memory of its own, so that the bytes
// past its end belong to nobody: requests with the cursor below, right of, above and left of
// the screen leave them alone.
TEST(VduRobustness, NothingIsWrittenPastTheCellBuffer)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        constexpr int columns = 520, rows = 256, count = columns * rows;
        ASSERT_EQ(vdu.Open(Geometry{columns, rows, 2, 2}), 0);
        uint32_t *cells = vdu.block->cells;
        uint32_t *frames = vdu.block->frames;
        Snapshot before(count), after(count);
        const POINT cursors[] = {{2, rows},     {0, rows + 1},   {columns, rows}, {columns, rows - 1},
                                 {3, rows + 40}, {2, -1},         {-1, 0},         {INT_MAX, INT_MAX},
                                 {INT_MIN, INT_MIN}};
        for (const Request &q : cursorRequests)
            for (const POINT &at : cursors) {
                before.Take(cells, frames);
                vdu.MoveTo(at.x, at.y);
                vdu.block->data = q.code;
                const int8_t status = vdu.Submit(q.op);
                after.Take(cells, frames);
                EXPECT_EQ(status, 0);
                EXPECT_EQ(std::memcmp(before.pastCells, after.pastCells, sizeof before.pastCells), 0)
                    << Describe(q, at) << ": bytes past the cell buffer";
                EXPECT_TRUE(before.frames == after.frames) << Describe(q, at);
            }
    });
}

TEST(VduRobustness, GeometryChangedAfterOpenDoesNotReachOutsideTheBuffers)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        constexpr int columns = 520, rows = 256, count = columns * rows; // buffers of their own, as above
        ASSERT_EQ(vdu.Open(Geometry{columns, rows, 2, 2}), 0);
        VduBlock *b = vdu.block;
        uint32_t *const cells = b->cells;
        uint32_t *const frames = b->frames;
        std::vector<uint32_t> decoy(4096, 0xDEADBEEF);
        Snapshot before(count), after(count);
        before.Take(cells, frames);

        b->columns = 100000;
        b->rows = 100000;
        b->cells = decoy.data();
        b->frames = decoy.data();
        b->cellWidth = -50;
        b->marginLeft = INT_MAX;
        vdu.MoveTo(9000, 9000);
        vdu.Put('q'); // on the host's screen of 520 x 256 the cursor wraps and scrolls
        vdu.MoveTo(columns - 1, rows - 1);
        vdu.Put('r');
        for (uint8_t code : {23, 24, 20, 21, 12, 25, 135}) {
            vdu.MoveTo(7000, 6000);
            vdu.Control(code);
        }
        vdu.MoveTo(0, 0);
        vdu.Control(137);
        vdu.Control(16, (30000u << 16) | 30000);
        vdu.MoveTo(0, 0);
        vdu.Control(130);
        vdu.Control(16, (30000u << 16) | 30000);
        vdu.MoveTo(5000, 2);
        vdu.block->data = 0;
        const int8_t statusV = vdu.Submit('V');
        const int8_t statusM = vdu.Submit('M');
        const int8_t statusA = vdu.Submit('A');
        after.Take(cells, frames);
        EXPECT_EQ(statusV, 0);
        EXPECT_EQ(statusM, 0);
        EXPECT_EQ(statusA, 0);
        EXPECT_EQ(b->data, ((100000u & 0xFFFF) << 16) | (100000u & 0xFFFF)) << "'A' reports the block's fields";
        for (uint32_t word : decoy)
            ASSERT_EQ(word, 0xDEADBEEFu) << "the block's buffer pointers are not used";
        EXPECT_EQ(std::memcmp(before.pastCells, after.pastCells, sizeof before.pastCells), 0);
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(frames[i] & 0x0FFFFFFF, 0u) << i;

        // Put back, the screen works as before.
        b->columns = columns;
        b->rows = rows;
        b->cells = cells;
        b->frames = frames;
        b->cellWidth = 2;
        b->marginLeft = 12;
        vdu.Control(12);
        vdu.Write(1, 1, "ok");
        EXPECT_EQ(vdu.Cell(1, 1), uint32_t{'o'});
        EXPECT_EQ(vdu.Close(), 0);
    });
}

BOOL CALLBACK CountDisplayWindow(HWND window, LPARAM count)
{
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    *reinterpret_cast<int *>(count) += lstrcmpA(name, "TARNWELL_DISPLAY") == 0;
    return TRUE;
}

// Within the size limits, but too large for a bitmap: open gets as far as the window and the
// buffers and must take all of it back.
TEST(VduRobustness, AnOpenThatFailsHalfwayLeavesNothingBehind)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        VduBlock *b = vdu.block;
        auto displayWindows = [context] {
            int n = 0;
            EnumThreadWindows(GetWindowThreadProcessId(context->monitorWindow, nullptr), CountDisplayWindow,
                              reinterpret_cast<LPARAM>(&n));
            return n;
        };
        const int windowsBefore = displayWindows();
        for (int i = 0; i < 30; ++i) {
            EXPECT_EQ(vdu.Open(Geometry{80, 24, 400, 1300}), 0); // 32016 x 31312 pixels
            EXPECT_EQ(b->window, nullptr);
            EXPECT_EQ(b->cells, nullptr);
            EXPECT_EQ(b->frames, nullptr);
            if (HasFailure())
                return;
        }
        EXPECT_EQ(displayWindows(), windowsBefore) << "a window of a failed open was left";
        b->data = 'x';
        EXPECT_EQ(vdu.Submit('T'), 0);
    });
}

TEST(VduRobustness, AScreenTooLargeToMakeLeavesNothingOpen)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        VduBlock *b = vdu.block;
        const Geometry absurd[] = {Geometry{100000, 100000}, Geometry{80, 24, 100000, 16},
                                   Geometry{80, 24, 8, 16, INT_MAX, 104, INT_MAX, 8}, Geometry{65536, 65536, 1, 1}};
        for (const Geometry &g : absurd) {
            ASSERT_EQ(vdu.Open(Geometry{10, 4}), 0);
            const HWND old = b->window;
            ASSERT_TRUE(IsWindow(old));
            EXPECT_EQ(vdu.Open(g), 0);
            EXPECT_EQ(b->window, nullptr);
            EXPECT_EQ(b->cells, nullptr);
            EXPECT_EQ(b->frames, nullptr);
            EXPECT_EQ(b->frontDC, nullptr);
            EXPECT_EQ(b->backDC, nullptr);
            EXPECT_FALSE(IsWindow(old)) << "the screen opened before in this block is gone";
            b->data = 'x';
            EXPECT_EQ(vdu.Submit('T'), 0);
            EXPECT_EQ(vdu.Close(), 0);
        }
        // A second open of an open block replaces the screen.
        ASSERT_EQ(vdu.Open(Geometry{10, 4}), 0);
        const HWND first = b->window;
        vdu.Write(0, 0, "old");
        ASSERT_EQ(vdu.Open(Geometry{12, 5}), 0);
        EXPECT_FALSE(IsWindow(first));
        EXPECT_TRUE(IsWindow(b->window));
        EXPECT_EQ(vdu.Cell(0, 0), 0u);
        vdu.Write(11, 4, "z");
        EXPECT_EQ(b->cursorRow, 4);
    });
}

} // namespace
