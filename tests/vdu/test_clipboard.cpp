#include "test_clipboard.h"

#include <windows.h>

#include <cstring>

namespace {

bool Open()
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (OpenClipboard(nullptr))
            return true;
        Sleep(10);
    }
    return false;
}

template <typename Char>
std::basic_string<Char> Read(UINT format)
{
    std::basic_string<Char> text;
    if (!Open())
        return text;
    if (const HANDLE data = GetClipboardData(format)) {
        if (const auto *p = static_cast<const Char *>(GlobalLock(data))) {
            const size_t most = GlobalSize(data) / sizeof(Char);
            size_t n = 0;
            while (n < most && p[n] != 0)
                ++n;
            text.assign(p, n);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace

std::string ClipboardAnsi()
{
    return Read<char>(CF_TEXT);
}

std::wstring ClipboardUnicode()
{
    return Read<wchar_t>(CF_UNICODETEXT);
}

bool SetClipboardUnicode(const std::wstring &text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        return false;
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    if (!Open()) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!set)
        GlobalFree(memory);
    CloseClipboard();
    return set;
}
