#include <windows.h>

#include <cstdlib>

#include "host/host_api.h"

extern "C" uint8_t *LoadBitmapFile(const char *name)
{
    if (!name)
        return nullptr;
    const HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.HighPart != 0) {
        CloseHandle(file);
        return nullptr;
    }
    const DWORD length = size.LowPart;
    auto *buffer = static_cast<uint8_t *>(std::malloc(length ? length : 1));
    if (!buffer) {
        CloseHandle(file);
        return nullptr;
    }
    DWORD read = 0;
    const BOOL ok = ReadFile(file, buffer, length, &read, nullptr);
    CloseHandle(file);
    const bool valid = ok && read == length && length >= 6 && buffer[0] == 'B' && buffer[1] == 'M' &&
                       (buffer[2] | (buffer[3] << 8) | (buffer[4] << 16) |
                        (static_cast<DWORD>(buffer[5]) << 24)) == length;
    if (!valid) {
        std::free(buffer);
        return nullptr;
    }
    return buffer;
}
