#include "vdu/viewer_read.h"

#include "files/handle_position_lock.h"

namespace {

// A file object of the viewer's own on the client's file, with a file pointer of its own; null
// when the file cannot be opened once more for reading (someone holds it without read sharing).
HANDLE OwnReader(HANDLE file)
{
    const HANDLE own = ReOpenFile(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, 0);
    return own == INVALID_HANDLE_VALUE ? nullptr : own;
}

PageRead ReadPage(HANDLE file, uint8_t (&page)[pageReadSize])
{
    if (SetFilePointer(file, pageFileOffset, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return PageRead::seekFailed;
    DWORD read = 0;
    if (!ReadFile(file, page, pageReadSize, &read, nullptr) || read < pageReadSize)
        return PageRead::readFailed;
    return PageRead::done;
}

// Through the client's handle, as the file requests use it: under its position lock, and with
// the file pointer put back where it was.
PageRead ReadPageThroughClientHandle(HANDLE file, uint8_t (&page)[pageReadSize])
{
    const HandlePositionLock held{file};
    LONG high = 0;
    SetLastError(NO_ERROR);
    const DWORD low = SetFilePointer(file, 0, &high, FILE_CURRENT);
    const bool known = low != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR;
    const PageRead result = ReadPage(file, page);
    if (known)
        SetFilePointer(file, static_cast<LONG>(low), &high, FILE_BEGIN);
    return result;
}

} // namespace

const char *PageReadFailureText(PageRead result)
{
    switch (result) {
    case PageRead::noFile: return "INV VDU file HANDLE";
    case PageRead::fileTooLarge: return "VDU dwFileSizeHigh error";
    case PageRead::seekFailed: return "VDU fileptr error";
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
    if (!own)
        return ReadPageThroughClientHandle(file, page);
    const PageRead result = ReadPage(own, page);
    CloseHandle(own);
    return result;
}
