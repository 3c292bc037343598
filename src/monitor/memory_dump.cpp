#include "monitor/memory_dump.h"

#include <cstdio>

void FormatDumpRow(uint32_t address, const uint8_t bytes[dumpBytesPerRow], DumpRowText &out)
{
    std::snprintf(out.address, sizeof out.address, "%08lX", static_cast<unsigned long>(address));
    for (int c = 0; c < dumpBytesPerRow; ++c)
        std::snprintf(out.hex + 2 * c, 3, "%02lX", static_cast<unsigned long>(bytes[c]));
}
