// Times what a user sees of typing and of bulk output on an 80 x 24 screen under the running
// host. Echo: a key is posted to the display window (as the platform queues a key press); the
// client polls 'K' with a 1 ms pause, echoes the character with 'T' and goes on polling; the
// clock stops when the first paint of the window that began after the echo has returned. The
// gaps between keys step through the 110 ms tick, so the keys arrive at every phase of it.
// Paints: a client writes lines of 80 characters with a 'K' after each, scrolling and not, and
// the window's paints are counted.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench_screen_client.h"

namespace {

constexpr int keys = 88;

void MeasureEcho(HostContext *context)
{
    BenchScreen screen(context, 80, 24);
    Sleep(300); // the window's first paints
    PaintWatch::Attach(screen.block->window);
    std::vector<double> latencies;
    int lost = 0;
    for (int i = 0; i < keys; ++i) {
        Sleep(20 + (i * 41) % 110); // 41 and 110 share no factor: every phase of the tick
        const char ch = static_cast<char>('a' + i % 26);
        PaintWatch::shown.store(0);
        PaintWatch::after.store(0);
        const LONGLONG posted = Now();
        PostMessageA(screen.block->window, WM_CHAR, static_cast<WPARAM>(ch), 1);
        bool echoed = false;
        for (;;) {
            const uint32_t event = screen.Take();
            if (!echoed && (event & 0xFFFF) == static_cast<uint32_t>(ch)) {
                screen.Put(static_cast<uint8_t>(ch));
                PaintWatch::after.store(Now());
                echoed = true;
            }
            const LONGLONG shown = PaintWatch::shown.load();
            if (shown != 0) {
                latencies.push_back(1e3 * Seconds(shown - posted));
                break;
            }
            if (Seconds(Now() - posted) > 2) {
                ++lost;
                break;
            }
            Sleep(1);
        }
    }
    PaintWatch::after.store(0);
    PaintWatch::Detach(screen.block->window);
    if (latencies.empty()) {
        std::printf("echo: no key was shown\n");
        return;
    }
    std::printf("%-46s median %6.1f ms  p95 %6.1f ms  worst %6.1f ms  (%zu keys%s)\n",
                "key posted -> echo painted, 80 x 24", Median(latencies), Percentile(latencies, 0.95),
                Percentile(latencies, 1.0), latencies.size(), lost ? ", some lost" : "");
}

void MeasurePaints(HostContext *context, bool scrolling)
{
    BenchScreen screen(context, 80, 24);
    Sleep(300);
    PaintWatch::Attach(screen.block->window);
    const int lines = 23;
    for (int n = 0; scrolling && n < 24; ++n) // fill the screen first: every further line scrolls
        screen.Line(n);
    PaintWatch::paints.store(0);
    PaintWatch::paintTicks.store(0);
    const LONGLONG start = Now();
    int written = 0;
    while (Seconds(Now() - start) < 3) {
        if (!scrolling && written % lines == 0)
            screen.Control(1); // home: the same lines again over the first 23 rows
        screen.Line(written++);
    }
    const double seconds = Seconds(Now() - start);
    const long paints = PaintWatch::paints.load();
    PaintWatch::Detach(screen.block->window);
    char what[64];
    std::snprintf(what, sizeof what, "paints during bulk output, %s", scrolling ? "scrolling" : "not scrolling");
    std::printf("%-46s %6.1f paints/s  (%ld paints of %.1f ms each, %.0f chars/s)\n", what, paints / seconds,
                paints, paints ? 1e3 * Seconds(PaintWatch::paintTicks.load()) / paints : 0.0, 80.0 * written / seconds);
}

void Measure(HostContext *context)
{
    MeasureEcho(context);
    MeasurePaints(context, false);
    MeasurePaints(context, true);
}

} // namespace

int main()
{
    char line[] = "";
    return HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, Measure);
}
