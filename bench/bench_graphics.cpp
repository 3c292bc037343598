// Times the graphics operation's bitmap draw under the running host: 'Z' of a 640 x 480 24-bit
// bitmap into a 640 x 480 place at 100 % and at 250 %, each request with its white ground and
// the recompose of an 80 x 30 screen of text, and that recompose on its own for comparison.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "../tests/vdu/graphics_bitmap_builder.h"
#include "bench_timing.h"
#include "host/host_api.h"
#include "vdu/painters.h"
#include "vdu/screen_state.h"
#include "vdu/vdu_block.h"

namespace {

constexpr int runs = 21;
constexpr char bitmapName[] = "bench_graphics.bmp";

bool WriteBitmap()
{
    std::vector<uint8_t> file = bitmap_builder::Make(640, 480, 24);
    for (int32_t y = 0; y < 480; ++y)
        for (int32_t x = 0; x < 640; ++x)
            bitmap_builder::SetPixel24(file, x, y, static_cast<uint32_t>((x * 37) ^ (y * 91) ^ (x * y)) & 0xFFFFFF);
    const HANDLE f = CreateFileA(bitmapName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteFile(f, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    CloseHandle(f);
    return written == file.size();
}

int8_t Submit(HostContext *context, VduBlock *b, uint8_t op)
{
    b->header.op = op;
    context->serviceEntry(context, &b->header);
    return b->header.status;
}

int8_t Graphics(HostContext *context, VduBlock *b, char letter, int32_t a1, int32_t a2, int32_t a3, int32_t a4)
{
    b->graphicsOp = static_cast<uint8_t>(letter);
    b->graphicsArg1 = a1;
    b->graphicsArg2 = a2;
    b->graphicsArg3 = a3;
    b->graphicsArg4 = a4;
    return Submit(context, b, '4');
}

void Report(const char *what, std::vector<double> times)
{
    std::printf("%-52s median %8.3f ms  (%d runs; min %.3f ms)\n", what, Median(times), runs,
                *std::min_element(times.begin(), times.end()));
}

void Measure(HostContext *context)
{
    if (!WriteBitmap()) {
        std::printf("cannot write %s\n", bitmapName);
        return;
    }
    auto *b = static_cast<VduBlock *>(HostAllocate(sizeof(VduBlock)));
    b->header.requestClass = 'V';
    b->columns = 80;
    b->rows = 30;
    b->cellWidth = 8;
    b->cellHeight = 16;
    Submit(context, b, 'Q');
    for (int r = 0; r < 30; ++r) {
        b->cursorColumn = 0;
        b->cursorRow = r;
        for (const char *p = "The quick brown fox jumps over the lazy dog 0123456789"; *p; ++p) {
            b->data = static_cast<uint8_t>(*p);
            Submit(context, b, 'T');
        }
    }
    std::strcpy(b->bitmapPath, bitmapName);
    if (Graphics(context, b, 'L', 0, 0, 0, 0) != 0) {
        std::printf("cannot load %s\n", bitmapName);
        return;
    }
    Graphics(context, b, 'a', 0, 0, 640, 480);
    Graphics(context, b, 'R', 0, 0, 0, 0);

    for (int scale : {100, 250}) {
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            const LONGLONG start = Now();
            Graphics(context, b, 'Z', 0, 0, scale, scale);
            times.push_back(1e3 * Seconds(Now() - start));
        }
        char what[80];
        std::snprintf(what, sizeof what, "'Z' of 640 x 480 x 24 bits at %d %%, with recompose", scale);
        Report(what, times);
    }
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        ScreenLock lock{b};
        const LONGLONG start = Now();
        RepaintAll(*lock.get());
        times.push_back(1e3 * Seconds(Now() - start));
    }
    Report("recompose alone (repaint all of 80 x 30)", times);
    Submit(context, b, 'X');
    HostRelease(b);
    DeleteFileA(bitmapName);
}

} // namespace

int main()
{
    char line[] = "";
    return HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, Measure);
}
