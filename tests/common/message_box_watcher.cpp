#include "message_box_watcher.h"

namespace {

DWORD WINAPI Watch(void *parameter)
{
    auto *self = static_cast<MessageBoxWatcher *>(parameter);
    for (int i = 0; i < 2000; ++i) {
        const HWND box = FindWindowA(nullptr, "setupbox");
        if (box) {
            char text[128] = {};
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text); // the text control of a message box
            self->text = text;
            self->seen = true;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return 0;
        }
        Sleep(10);
    }
    return 0;
}

} // namespace

MessageBoxWatcher::MessageBoxWatcher()
{
    thread = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}
