// Screen 4: the live file view. A thread of the demo rewrites a text page in TWLVIEW.DAT four
// times a second; the host's file viewer reads the page through the handle in mirrorFile and
// redraws the cells that changed.
#include <string.h>

#include "demo.h"
#include "view_page.h"

namespace {

constexpr const char *kViewFile = "TWLVIEW.DAT";

bool WriteAt(HANDLE file, uint32_t offset, const void *bytes, uint32_t count)
{
    DWORD written = 0;
    return SetFilePointer(file, static_cast<LONG>(offset), nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
           WriteFile(file, bytes, count, &written, nullptr) && written == count;
}

// hh:mm:ss from the host's packed-decimal clock stamp.
void ClockText(const HostContext *host, char (&text)[9])
{
    const uint32_t stamp = __atomic_load_n(&host->clockTime, __ATOMIC_SEQ_CST);
    const auto bcd = [](uint32_t b) { return static_cast<char>('0' + ((b >> 4) & 0xF)); };
    const auto low = [](uint32_t b) { return static_cast<char>('0' + (b & 0xF)); };
    const uint32_t hour = stamp & 0xFF, minute = (stamp >> 8) & 0xFF, second = (stamp >> 16) & 0xFF;
    const char out[9] = {bcd(hour), low(hour), ':', bcd(minute), low(minute), ':', bcd(second), low(second), 0};
    memcpy(text, out, sizeof out);
}

void WriterLoop(Demo *demo)
{
    ViewWriter &w = demo->writer;
    ViewState state;
    while (!w.stop.load()) {
        ClockText(demo->host, state.time);
        {
            std::lock_guard<std::mutex> guard(w.actionLock);
            state.lastAction = w.lastAction;
        }
        const ViewPage page = ComposeViewPage(state);
        WriteAt(w.writeFile, kViewPageOffset, page.data(), static_cast<uint32_t>(page.size()));
        ++state.pass;
        for (int i = 0; i < 5 && !w.stop.load(); ++i)
            Sleep(50);
    }
}

} // namespace

bool StartLiveView(Demo &demo)
{
    ViewWriter &w = demo.writer;
    w.writeFile = CreateFileA(kViewFile, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (w.writeFile == INVALID_HANDLE_VALUE)
        return false;
    // The file: a note at the start, the page at 4096, 8192 bytes in all (the viewer reads 4096).
    static char whole[kViewFileSize];
    memset(whole, 0, sizeof whole);
    strcpy(whole, "TWLDEMO live view: an 80 x 24 text page of character and attribute bytes at offset 4096.\r\n");
    const ViewPage first = ComposeViewPage({});
    memcpy(whole + kViewPageOffset, first.data(), first.size());
    if (!WriteAt(w.writeFile, 0, whole, sizeof whole)) {
        CloseHandle(w.writeFile);
        w.writeFile = INVALID_HANDLE_VALUE;
        return false;
    }
    w.viewFile = CreateFileA(kViewFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (w.viewFile == INVALID_HANDLE_VALUE) {
        CloseHandle(w.writeFile);
        w.writeFile = INVALID_HANDLE_VALUE;
        return false;
    }
    w.stop = false;
    w.thread = std::thread(WriterLoop, &demo);
    __atomic_store_n(&demo.host->mirrorFile, w.viewFile, __ATOMIC_SEQ_CST);
    __atomic_store_n(&demo.view.block->viewerSwitch, static_cast<uint8_t>(VDU_VIEWER_ON), __ATOMIC_SEQ_CST);
    return true;
}

void StopLiveView(Demo &demo)
{
    ViewWriter &w = demo.writer;
    if (demo.view.block)
        __atomic_store_n(&demo.view.block->viewerSwitch, static_cast<uint8_t>(' '), __ATOMIC_SEQ_CST);
    if (w.thread.joinable()) {
        w.stop = true;
        w.thread.join();
    }
    // A pass that began before the switch went off may still be reading. Closing the screen
    // runs on the GUI thread, where the passes run, so once it returns none is left.
    CloseScreen(demo.view);
    __atomic_store_n(&demo.host->mirrorFile, static_cast<HANDLE>(nullptr), __ATOMIC_SEQ_CST);
    for (HANDLE *h : {&w.viewFile, &w.writeFile}) {
        if (*h != INVALID_HANDLE_VALUE)
            CloseHandle(*h);
        *h = INVALID_HANDLE_VALUE;
    }
}

void HandleViewPage(Demo &demo, const Event &event)
{
    if (event.kind == EventKind::Key && event.value == VK_ESCAPE)
        SelectScreen(demo.host, kTextScreen);
    else if ((event.kind == EventKind::Key && event.value == VK_F5) ||
             (event.kind == EventKind::Character && (event.value == 's' || event.value == 'S')))
        SelectScreen(demo.host, kServicesScreen);
}
