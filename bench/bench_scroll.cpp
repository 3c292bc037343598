// Times output that scrolls against the same output that does not, on 80 x 24 and 80 x 36
// screens under the running host: a client writes lines of 80 characters with 'T' and looks
// for a key with 'K' after each line, for 1.5 s a run. Scrolling: the screen is full, so every
// line moves the screen up by one row. Not scrolling: the cursor goes home before the line that
// would scroll. Besides characters per second, the processor time of the client per character
// and of the GUI thread (painting) per second.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench_screen_client.h"

namespace {

constexpr int runs = 5;

struct Run {
    double rate;          // characters per second
    double clientCpu;     // processor time of the client per character, microseconds
    double guiCpu;        // processor time of the GUI thread per second of output, milliseconds
};

Run Write(HostContext *context, int rows, bool scrolling)
{
    BenchScreen screen(context, 80, rows);
    Sleep(200);
    for (int n = 0; scrolling && n < rows; ++n)
        screen.Line(n);
    const HANDLE gui = WindowThread(screen.block->window);
    const double clientBefore = ThreadSeconds(GetCurrentThread()), guiBefore = ThreadSeconds(gui);
    const LONGLONG start = Now();
    int lines = 0;
    while (Seconds(Now() - start) < 1.5) { // long enough for the threads' times to count
        if (!scrolling && lines % (rows - 1) == 0)
            screen.Control(1);
        screen.Line(lines++);
    }
    const double seconds = Seconds(Now() - start);
    const Run run{80.0 * lines / seconds, 1e6 * (ThreadSeconds(GetCurrentThread()) - clientBefore) / (80.0 * lines),
                  1e3 * (ThreadSeconds(gui) - guiBefore) / seconds};
    CloseHandle(gui);
    return run;
}

void Report(HostContext *context, int rows, bool scrolling)
{
    std::vector<double> rates, client, gui;
    for (int run = 0; run < runs; ++run) {
        const Run r = Write(context, rows, scrolling);
        rates.push_back(r.rate);
        client.push_back(r.clientCpu);
        gui.push_back(r.guiCpu);
    }
    std::sort(rates.begin(), rates.end());
    char what[64];
    std::snprintf(what, sizeof what, "80 x %d, %s", rows, scrolling ? "scrolling" : "not scrolling");
    std::printf("%-26s median %7.0f chars/s (range %.0f to %.0f, %d runs); client %.1f us/char, GUI %.0f ms/s\n",
                what, Median(rates), rates.front(), rates.back(), runs, Median(client), Median(gui));
}

void Measure(HostContext *context)
{
    for (int rows : {24, 36}) {
        Report(context, rows, false);
        Report(context, rows, true);
    }
}

} // namespace

int main()
{
    char line[] = "";
    return HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, Measure);
}
