// Times copy and paste on a screen under the running host: the characters per second of a
// 10,000-character paste reaching a client that calls 'K' in a loop, and the time from the left
// button's release to the text of a whole 80 x 36 screen being on the clipboard.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_screen_client.h"
#include "vdu/test_clipboard.h"

namespace {

constexpr int pasteRuns = 5, copyRuns = 20;
constexpr size_t pasteLength = 10000;
constexpr int32_t columns = 80, rows = 36;

// Posts the paste command and returns the seconds until 'K' has delivered every character, or -1.
double PasteToClient(BenchScreen &screen)
{
    const LONGLONG start = Now();
    PostMessageA(screen.block->window, WM_SYSCOMMAND, 0x20, 0);
    size_t delivered = 0;
    while (delivered < pasteLength) {
        if (const uint32_t event = screen.Take()) {
            if (event != static_cast<uint32_t>('a' + delivered % 26))
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
double CopyWholeScreen(BenchScreen &screen, size_t expectedLength)
{
    const VduBlock *block = screen.block;
    const HWND window = block->window;
    const auto at = [&](int32_t column, int32_t row) {
        return ClientPoint(window, block->marginLeft + 8 * column + 4, block->marginTop + 16 * row + 8);
    };
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at(0, 0));
    const LPARAM corner = at(columns - 1, rows - 1);
    PostMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, corner);
    for (int i = 0; i < 2000 && block->data != VDU_EVENT_MOUSE + WM_LBUTTONDOWN; ++i) {
        Sleep(1);
        screen.Take();
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
    screen.Take(); // the button-up
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
    BenchScreen screen(context, columns, rows);
    Sleep(300); // let the window settle after its first paint

    std::wstring text;
    for (size_t i = 0; i < pasteLength; ++i)
        text += static_cast<wchar_t>('a' + i % 26);
    std::vector<double> rates;
    int failed = 0;
    for (int run = 0; run < pasteRuns; ++run) {
        const double seconds = SetClipboardUnicode(text) ? PasteToClient(screen) : -1;
        seconds > 0 ? rates.push_back(pasteLength / seconds) : (void)++failed;
    }
    Report("10,000-character paste -> 'K' loop", rates, "chars/s", 1);

    // Every cell but the last, whose character would scroll the screen.
    for (int32_t i = 0; i < columns * rows - 1; ++i)
        screen.Put(static_cast<uint8_t>('!' + i % 90));
    std::vector<double> copies;
    const size_t copied = static_cast<size_t>(columns * rows - 1 + (rows - 1) * 2);
    for (int run = 0; run < copyRuns; ++run) {
        const double seconds = CopyWholeScreen(screen, copied);
        seconds >= 0 ? copies.push_back(seconds) : (void)++failed;
    }
    Report("button-up -> 80 x 36 screen on the clipboard", copies, "us", 1e6);
    if (failed)
        std::printf("%d runs failed\n", failed);
}

} // namespace

int main()
{
    char line[] = "";
    return HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, Measure);
}
