// Times the character screens under the running host: 'T' throughput on an 80 x 36 screen of
// plain text, and a repaint of all cells of such a screen with mixed content in each of the
// three line-drawing styles.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_timing.h"
#include "host/host_api.h"
#include "vdu/painters.h"
#include "vdu/screen_state.h"
#include "vdu/vdu_block.h"

namespace {

constexpr int columns = 80, rows = 36, runs = 9;

struct Screen {
    HostContext *context;
    VduBlock *block;

    Screen(HostContext *c, uint8_t screenNumber)
        : context(c), block(static_cast<VduBlock *>(HostAllocate(sizeof(VduBlock))))
    {
        block->header.requestClass = 'V';
        block->columns = columns;
        block->rows = rows;
        block->cellWidth = 8;
        block->cellHeight = 16;
        block->extra = screenNumber;
        Submit('Q');
    }
    ~Screen()
    {
        Submit('X');
        HostRelease(block);
    }
    void Submit(uint8_t op)
    {
        block->header.op = op;
        context->serviceEntry(context, &block->header);
    }
    void Put(uint8_t ch)
    {
        block->data = ch;
        Submit('T');
    }
    void Put(const char *text)
    {
        for (const char *p = text; *p; ++p)
            Put(static_cast<uint8_t>(*p));
    }
    void Control(uint8_t code, uint32_t extra = 0)
    {
        block->data = code;
        block->extra = extra;
        Submit('U');
    }
    void MoveTo(int column, int row)
    {
        block->cursorColumn = column;
        block->cursorRow = row;
    }
};

// Every cell but the last once (no scrolling), plain text.
void MeasurePutCharacter(HostContext *context)
{
    Screen screen(context, 0);
    constexpr int perRun = 10 * (columns * rows - 1);
    std::vector<double> rates;
    for (int run = 0; run < runs; ++run) {
        const LONGLONG start = Now();
        for (int pass = 0; pass < 10; ++pass) {
            screen.MoveTo(0, 0);
            for (int i = 0; i < columns * rows - 1; ++i)
                screen.Put(static_cast<uint8_t>('A' + (i + pass) % 58));
        }
        rates.push_back(perRun / Seconds(Now() - start));
    }
    std::printf("%-44s median %10.0f chars/s  (%d runs of %d)\n", "'T' on 80 x 36, plain text", Median(rates), runs,
                perRun);
}

// Text, highlight, boxes of line-drawing characters, buttons and frames.
void FillMixed(Screen &s)
{
    for (int r = 0; r < rows; ++r) {
        s.MoveTo(0, r);
        s.Control(r % 3 == 0 ? 5 : 2);
        s.Put("The quick brown fox jumps over the lazy dog 0123456789");
    }
    s.Control(2);
    // a box of line-drawing characters with tees and a cross: rows 2 to 12, columns 56 to 78
    for (int r = 2; r <= 12; ++r) {
        s.MoveTo(56, r);
        for (int c = 56; c <= 78; ++c) {
            const bool left = c == 56, right = c == 78, middle = c == 67;
            uint8_t code = 32;
            if (r == 2)
                code = left ? 20 : right ? 23 : middle ? 24 : 18;
            else if (r == 12)
                code = left ? 21 : right ? 22 : middle ? 26 : 18;
            else if (r == 7)
                code = left ? 25 : right ? 27 : middle ? 19 : 18;
            else if (left || right || middle)
                code = 17;
            s.Put(code);
        }
    }
    // every line-drawing code
    for (int r = 14; r < rows; ++r) {
        s.MoveTo(56, r);
        for (int k = 0; k < 23; ++k)
            s.Put(static_cast<uint8_t>(17 + (k + r) % 15));
    }
    // buttons: labels and highlighted numbers
    for (int r = 20; r < 30; ++r) {
        s.MoveTo(0, r);
        s.Put("Name: ");
        s.Control(5);
        s.Put(" 42 ");
        s.Control(2);
        s.Put("Town: ");
        s.MoveTo(0, r);
        s.Control(130);
        s.Control(16, (40u << 16) | static_cast<uint32_t>(r));
    }
    // frames
    for (int f = 0; f < 4; ++f) {
        s.MoveTo(2 + 12 * f, 31);
        s.Control(137);
        s.Control(16, ((10u + 12 * f) << 16) | 35);
    }
    s.MoveTo(60, 0);
    s.Control(137);
    s.Control(16, (79u << 16) | 13);
}

void MeasureRepaintAll(HostContext *context)
{
    const struct {
        uint8_t number;
        const char *style;
    } screens[] = {{0, "etched"}, {8, "embossed"}, {9, "bitmap"}};
    for (const auto &which : screens) {
        Screen screen(context, which.number);
        FillMixed(screen);
        std::vector<double> times;
        for (int run = 0; run < 2 * runs + 1; ++run) {
            ScreenLock lock{screen.block};
            const LONGLONG start = Now();
            RepaintAll(*lock.get());
            times.push_back(1e3 * Seconds(Now() - start));
        }
        char what[64];
        std::snprintf(what, sizeof what, "repaint all of 80 x 36, mixed, %s", which.style);
        std::printf("%-44s median %10.3f ms      (%d runs; min %.3f ms)\n", what, Median(times), 2 * runs + 1,
                    *std::min_element(times.begin(), times.end()));
    }
}

void Measure(HostContext *context)
{
    MeasurePutCharacter(context);
    MeasureRepaintAll(context);
}

} // namespace

int main()
{
    char line[] = "";
    return HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, Measure);
}
