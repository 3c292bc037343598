#include "monitor/memory_dump.h"

#include <cstdio>

void FormatDumpAddress(uint32_t address, char *out)
{
    std::snprintf(out, 9, "%08lX", static_cast<unsigned long>(address));
}

void FormatDumpByte(uint8_t value, char *out)
{
    std::snprintf(out, 3, "%02lX", static_cast<unsigned long>(value));
}
