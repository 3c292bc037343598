#include "viewer_box_counter.h"

BoxCounter::BoxCounter(DWORD holdMs, std::function<void()> onBox)
    : holdMs_(holdMs), onBox_(std::move(onBox)), thread_(CreateThread(nullptr, 0, Watch, this, 0, nullptr))
{
}

BoxCounter::~BoxCounter()
{
    stop_ = true;
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
}

std::vector<std::string> BoxCounter::Texts() const
{
    std::lock_guard<std::mutex> guard(mutex_);
    return texts_;
}

DWORD WINAPI BoxCounter::Watch(void *parameter)
{
    auto *self = static_cast<BoxCounter *>(parameter);
    while (!self->stop_) {
        const HWND box = FindWindowA(nullptr, "setupbox");
        if (!box) {
            Sleep(5);
            continue;
        }
        char text[128] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text); // the text control of a message box
        {
            std::lock_guard<std::mutex> guard(self->mutex_);
            self->texts_.push_back(text);
        }
        ++self->count_;
        if (self->onBox_)
            self->onBox_();
        Sleep(self->holdMs_);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 400 && IsWindow(box); ++i) // counted once, however long it takes to close
            Sleep(5);
    }
    return 0;
}
