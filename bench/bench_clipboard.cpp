// Times copy and paste on a screen under the running host: the characters per second of a
// 10,000-character paste reaching a client that calls 'K' in a loop, and the time from the left
// button's release to the text of a whole 80 x 36 screen being on the clipboard.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "vdu/test_clipboard.h"
#include "host/host_api.h"
#include "vdu/vdu_block.h"

namespace {

constexpr int pasteRuns = 5, copyRuns = 20;
constexpr size_t pasteLength = 10000;
constexpr int32_t columns = 80, rows = 36;

void Submit(HostContext *context, VduBlock *block, uint8_t op)
{
    block->header.op = op;
    context->serviceEntry(context, &block->header);
}

// Posts the paste command and returns the seconds until 'K' has delivered every character, or -1.
double PasteToClient(HostContext *context, VduBlock *block)
{
    const LONGLONG start = Now();
    PostMessageA(block->window, WM_SYSCOMMAND, 0x20, 0);
    size_t delivered = 0;
    while (delivered < pasteLength) {
        Submit(context, block, 'K');
        if (block->data != 0) {
            if (block->data != static_cast<uint32_t>('a' + delivered % 26))
                return -1;
            ++delivered;
        } else if (Seconds(Now() - start) > 30) {
            return -1;
        }
    }
    return Seconds(Now() - start);
}

LPARAM ClientPoint(HWND window, int32_t x, int32_t y)
{
    RECT r{};
    GetWindowRect(window, &r);
    POINT p{r.left + x, r.top + y};
    ScreenToClient(window, &p);
    return MAKELPARAM(p.x, p.y);
}

// Drags over the whole screen and returns the seconds from posting the button's release until
// the copied text is on the clipboard and the window has closed it again, or -1.
double CopyWholeScreen(HostContext *context, VduBlock *block, size_t expectedLength)
{
    const HWND window = block->window;
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(window, 12 + 4, 104 + 8));
    const LPARAM corner = ClientPoint(window, 12 + 8 * (columns - 1) + 4, 104 + 16 * (rows - 1) + 8);
    PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, corner);
    for (int i = 0; i < 2000 && block->data != VDU_EVENT_MOUSE + WM_LBUTTONDOWN; ++i) {
        Sleep(1);
        Submit(context, block, 'K');
    }
    const DWORD before = GetClipboardSequenceNumber();
    const LONGLONG start = Now();
    PostMessageA(window, WM_LBUTTONUP, 0, corner);
    while (GetClipboardSequenceNumber() == before || GetOpenClipboardWindow() != nullptr) {
        if (Seconds(Now() - start) > 5)
            return -1;
        YieldProcessor();
    }
    const double seconds = Seconds(Now() - start);
    Submit(context, block, 'K'); // the button-up
    return ClipboardUnicode().size() == expectedLength ? seconds : -1;
}

void Report(const char *what, std::vector<double> values, const char *unit, double scale)
{
    if (values.empty()) {
        std::printf("%-52s no complete run\n", what);
        return;
    }
    std::sort(values.begin(), values.end());
    std::printf("%-52s median %10.1f %s  min %10.1f  max %10.1f  (%zu runs)\n", what, Median(values) * scale, unit,
                values.front() * scale, values.back() * scale, values.size());
}

void Measure(HostContext *context)
{
    auto *block = static_cast<VduBlock *>(HostAllocate(sizeof(VduBlock)));
    block->header.requestClass = 'V';
    block->columns = columns;
    block->rows = rows;
    block->cellWidth = 8;
    block->cellHeight = 16;
    block->marginLeft = 12;
    block->marginTop = 104;
    block->marginRight = 4;
    block->marginBottom = 8;
    Submit(context, block, 'Q');
    Sleep(300); // let the window settle after its first paint

    std::wstring text;
    for (size_t i = 0; i < pasteLength; ++i)
        text += static_cast<wchar_t>('a' + i % 26);
    std::vector<double> rates;
    int failed = 0;
    for (int run = 0; run < pasteRuns; ++run) {
        const double seconds = SetClipboardUnicode(text) ? PasteToClient(context, block) : -1;
        seconds > 0 ? rates.push_back(pasteLength / seconds) : (void)++failed;
    }
    Report("10,000-character paste -> 'K' loop", rates, "chars/s", 1);

    // Every cell but the last, whose character would scroll the screen.
    for (int32_t i = 0; i < columns * rows - 1; ++i) {
        block->data = static_cast<uint8_t>('!' + i % 90);
        Submit(context, block, 'T');
    }
    std::vector<double> copies;
    const size_t copied = static_cast<size_t>(columns * rows - 1 + (rows - 1) * 2);
    for (int run = 0; run < copyRuns; ++run) {
        const double seconds = CopyWholeScreen(context, block, copied);
        seconds >= 0 ? copies.push_back(seconds) : (void)++failed;
    }
    Report("button-up -> 80 x 36 screen on the clipboard", copies, "us", 1e6);
    if (failed)
        std::printf("%d runs failed\n", failed);
    Submit(context, block, 'X');
    HostRelease(block);
}

} // namespace

int main()
{
    char line[] = "";
    return HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, Measure);
}
