// Times the way of a key through a display window under the running host: from posting a key
// message to the window (as the platform queues a key press) to the client holding its event
// from 'K'. The client polls 'K' without pause, so the figure is the GUI thread's share.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench_timing.h"
#include "host/host_api.h"
#include "vdu/vdu_block.h"

namespace {

constexpr int presses = 400;

void Submit(HostContext *context, VduBlock *block, uint8_t op)
{
    block->header.op = op;
    context->serviceEntry(context, &block->header);
}

// Posts `message` with `wParam` and returns the seconds until 'K' delivers `expected`, or -1.
double KeyToEvent(HostContext *context, VduBlock *block, UINT message, WPARAM wParam, uint32_t expected)
{
    const LONGLONG start = Now();
    PostMessageA(block->window, message, wParam, 1);
    for (;;) {
        Submit(context, block, 'K');
        if (block->data != 0)
            return (block->data & 0xFFFFF) == expected ? Seconds(Now() - start) : -1;
        if (Seconds(Now() - start) > 2)
            return -1;
        YieldProcessor();
    }
}

void Report(const char *what, std::vector<double> times)
{
    if (times.empty()) {
        std::printf("%-44s no event arrived\n", what);
        return;
    }
    std::sort(times.begin(), times.end());
    std::printf("%-44s median %8.1f us  p90 %8.1f us  max %8.1f us  (%zu presses)\n", what,
                Median(times) * 1e6, times[times.size() * 9 / 10] * 1e6, times.back() * 1e6, times.size());
}

void Measure(HostContext *context)
{
    auto *block = static_cast<VduBlock *>(HostAllocate(sizeof(VduBlock)));
    block->header.requestClass = 'V';
    Submit(context, block, 'Q');
    Sleep(300); // let the window settle after its first paint
    std::vector<double> keys, characters;
    int lost = 0;
    for (int i = 0; i < presses; ++i) {
        const double k = KeyToEvent(context, block, WM_KEYDOWN, VK_F1, 0x10000 + VK_F1);
        const double c = KeyToEvent(context, block, WM_CHAR, 'a', 'a');
        k < 0 ? ++lost : (keys.push_back(k), 0);
        c < 0 ? ++lost : (characters.push_back(c), 0);
    }
    Report("key-down F1 posted -> 'K' delivers 0x10070", keys);
    Report("character 'a' posted -> 'K' delivers 'a'", characters);
    if (lost)
        std::printf("%d presses lost or out of order\n", lost);
    Submit(context, block, 'X');
    HostRelease(block);
}

} // namespace

int main()
{
    char line[] = "";
    return HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, Measure);
}
