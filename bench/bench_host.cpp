// Times the service entry under the running host: a same-thread request (the byte peek),
// the hand-over of a screen open to the GUI thread, and start-up to the first paint.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "host/host_api.h"
#include "vdu/vdu_block.h"

namespace {

LARGE_INTEGER g_frequency;
double g_firstPaintMs = -1;
HHOOK g_paintHook;

double Microseconds(LONGLONG ticks)
{
    return 1e6 * static_cast<double>(ticks) / static_cast<double>(g_frequency.QuadPart);
}

void Report(const char *what, std::vector<LONGLONG> &ticks)
{
    std::sort(ticks.begin(), ticks.end());
    const double median = Microseconds(ticks[ticks.size() / 2]);
    const double p99 = Microseconds(ticks[ticks.size() * 99 / 100]);
    std::printf("%-34s n=%-7zu median %9.3f us   p99 %9.3f us\n", what, ticks.size(), median, p99);
}

void Measure(HostContext *context)
{
    constexpr int peeks = 200000, handovers = 5000;
    std::vector<LONGLONG> ticks;
    static const uint8_t byte = 0xC8;
    MemoryBlock peek{{'M', 0, 0, 'B'}, 0, const_cast<uint8_t *>(&byte)};
    for (int i = 0; i < peeks; ++i) {
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        context->serviceEntry(context, &peek.header);
        QueryPerformanceCounter(&b);
        ticks.push_back(b.QuadPart - a.QuadPart);
    }
    Report("peek 'M' 'B' (same thread)", ticks);

    // A screen too large to make: the open gives up at once, so this times the hand-over to the
    // GUI thread and back.
    ticks.clear();
    auto *screen = static_cast<VduBlock *>(HostAllocate(sizeof(VduBlock)));
    screen->header.requestClass = 'V';
    for (int i = 0; i < handovers; ++i) {
        screen->columns = screen->rows = 100000;
        screen->header.op = 'Q';
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        context->serviceEntry(context, &screen->header);
        QueryPerformanceCounter(&b);
        ticks.push_back(b.QuadPart - a.QuadPart);
    }
    Report("hand-over 'V' 'Q' (to GUI thread)", ticks);

    // A real 80 x 24 screen opened and closed.
    ticks.clear();
    for (int i = 0; i < 200; ++i) {
        screen->columns = 80;
        screen->rows = 24;
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        screen->header.op = 'Q';
        context->serviceEntry(context, &screen->header);
        screen->header.op = 'X';
        context->serviceEntry(context, &screen->header);
        QueryPerformanceCounter(&b);
        ticks.push_back(b.QuadPart - a.QuadPart);
    }
    Report("open and close of an 80 x 24 screen", ticks);
    HostRelease(screen);
    std::printf("%-34s %.1f ms\n", "process start to first paint", g_firstPaintMs);
}

// The first WM_PAINT that the monitor window finishes, seen from a hook on the GUI thread.
LRESULT CALLBACK WatchPaint(int code, WPARAM wParam, LPARAM lParam)
{
    const auto *message = reinterpret_cast<const CWPRETSTRUCT *>(lParam);
    if (code == HC_ACTION && message->message == WM_PAINT && g_firstPaintMs < 0) {
        FILETIME created, exited, kernel, user, now;
        GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
        GetSystemTimeAsFileTime(&now);
        const ULONGLONG start = (ULONGLONG{created.dwHighDateTime} << 32) | created.dwLowDateTime;
        const ULONGLONG end = (ULONGLONG{now.dwHighDateTime} << 32) | now.dwLowDateTime;
        g_firstPaintMs = static_cast<double>(end - start) / 1e4;
    }
    return CallNextHookEx(g_paintHook, code, wParam, lParam);
}

} // namespace

int main()
{
    QueryPerformanceFrequency(&g_frequency);
    g_paintHook = SetWindowsHookExA(WH_CALLWNDPROCRET, WatchPaint, nullptr, GetCurrentThreadId());
    char line[] = "";
    return HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, Measure);
}
