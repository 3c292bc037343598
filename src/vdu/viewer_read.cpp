#include "vdu/viewer_read.h"

namespace {

// A file object of the viewer's own on the client's file, with a file pointer of its own; null
// when the file cannot be opened once more for reading (someone holds it without read sharing).
HANDLE OwnReader(HANDLE file)
{
    const HANDLE own = ReOpenFile(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0);
    return own == INVALID_HANDLE_VALUE ? nullptr : own;
}

// Reads at an explicit offset: there is no separate seek for another thread to come between.
bool ReadPageAt(HANDLE file, uint8_t (&page)[pageReadSize])
{
    OVERLAPPED at{};
    at.Offset = pageFileOffset;
    DWORD read = 0;
    return ReadFile(file, page, pageReadSize, &read, &at) && read == pageReadSize;
}

} // namespace

const char *PageReadFailureText(PageRead result)
{
    switch (result) {
    case PageRead::noFile: return "INV VDU file HANDLE";
    case PageRead::fileTooLarge: return "VDU dwFileSizeHigh error";
    case PageRead::readFailed: return "VDU read error";
    case PageRead::done: break;
    }
    return nullptr;
}

PageRead ReadTextPage(HANDLE file, uint8_t (&page)[pageReadSize])
{
    if (file == nullptr || file == INVALID_HANDLE_VALUE)
        return PageRead::noFile;
    DWORD sizeHigh = 0;
    GetFileSize(file, &sizeHigh);
    if (sizeHigh != 0)
        return PageRead::fileTooLarge;
    const HANDLE own = OwnReader(file);
    // Without a file object of its own the pass reads through the client's handle, which then
    // leaves its file pointer after the page.
    const bool read = ReadPageAt(own ? own : file, page);
    if (own)
        CloseHandle(own);
    return read ? PageRead::done : PageRead::readFailed;
}
