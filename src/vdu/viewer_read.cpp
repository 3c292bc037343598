#include "vdu/viewer_read.h"

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
    if (SetFilePointer(file, pageFileOffset, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return PageRead::seekFailed;
    DWORD read = 0;
    if (!ReadFile(file, page, pageReadSize, &read, nullptr) || read < pageReadSize)
        return PageRead::readFailed;
    return PageRead::done;
}
