#include "files/file_client_text.h"

#include <cstdint>

#include "host/guarded_read.h"

bool CopyClientText(const char *address, char *out, size_t capacity)
{
    if (capacity == 0)
        return false;
    out[0] = '\0';
    if (!address)
        return false;
    const auto base = reinterpret_cast<uintptr_t>(address);
    for (size_t i = 0; i < capacity; ++i) {
        const int value = GuardedReadByte(base + i);
        if (value < 0)
            break;
        out[i] = static_cast<char>(value);
        if (value == 0)
            return true;
    }
    out[0] = '\0';
    return false;
}
