// Times the graphics operation's bitmap draw under the running host: 'Z' of a 640 x 480 bitmap,
// 24 bits and run-length encoded 8 bits (whose stream the host walks again before each draw),
// into a 640 x 480 place at 100 % and at 250 %, each request with its white ground and the
// recompose of an 80 x 30 screen of text, and that recompose on its own for comparison.
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

std::vector<uint8_t> TrueColourPicture()
{
    std::vector<uint8_t> file = bitmap_builder::Make(640, 480, 24);
    for (int32_t y = 0; y < 480; ++y)
        for (int32_t x = 0; x < 640; ++x)
            bitmap_builder::SetPixel24(file, x, y, static_cast<uint32_t>((x * 37) ^ (y * 91) ^ (x * y)) & 0xFFFFFF);
    return file;
}

// Each row: sixteen runs of 30 pixels and eight literal runs of 20, then an end of line.
std::vector<uint8_t> RunLengthPicture()
{
    std::vector<uint8_t> stream;
    for (int y = 0; y < 480; ++y) {
        for (int i = 0; i < 16; ++i)
            stream.insert(stream.end(), {30, static_cast<uint8_t>(y + 7 * i)});
        for (int i = 0; i < 8; ++i) {
            stream.insert(stream.end(), {0, 20});
            for (int x = 0; x < 20; ++x)
                stream.push_back(static_cast<uint8_t>(x * y + i));
        }
        stream.insert(stream.end(), {0, 0});
    }
    stream.insert(stream.end(), {0, 1});
    return bitmap_builder::MakeRle(640, 480, 8, stream);
}

bool WriteBitmap(const std::vector<uint8_t> &file)
{
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

// 'Z' of `file` at 100 % and 250 %, loaded into the open screen `b`.
void MeasureDraws(HostContext *context, VduBlock *b, const std::vector<uint8_t> &file, const char *kind)
{
    std::strcpy(b->bitmapPath, bitmapName);
    if (!WriteBitmap(file) || Graphics(context, b, 'L', 0, 0, 0, 0) != 0) {
        std::printf("cannot write or load %s\n", bitmapName);
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
        std::snprintf(what, sizeof what, "'Z' of 640 x 480, %s, at %d %%, with recompose", kind, scale);
        Report(what, times);
    }
    DeleteFileA(bitmapName);
}

void Measure(HostContext *context)
{
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
    MeasureDraws(context, b, TrueColourPicture(), "24 bits");
    MeasureDraws(context, b, RunLengthPicture(), "RLE8");
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
}

} // namespace

int main()
{
    char line[] = "";
    return HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, Measure);
}
