#include "print/port_buffer.h"

int32_t ClampFill(int32_t fill)
{
    if (fill < 0)
        return 0;
    if (fill > kPortBufferSize)
        return kPortBufferSize;
    return fill;
}

PortStore PlanStore(int32_t fill, uint32_t data)
{
    PortStore result{ClampFill(fill), false, false};
    const uint8_t ch = static_cast<uint8_t>(data & 0xFF);
    if (result.fill < kPortBufferSize && ((data >> 16) & 0xFF) < 2) {
        ++result.fill;
        result.stored = true;
    }
    result.flush = result.fill > kPortFlushAbove || ch <= 13;
    return result;
}

int32_t FillAfterFailedFlush(int32_t fill, bool stored)
{
    fill = ClampFill(fill);
    return stored && fill > 0 ? fill - 1 : fill;
}

bool WriteAll(const uint8_t *bytes, int32_t count, const PortWriter &write)
{
    int32_t offset = 0, left = count;
    while (left > 0) {
        const int32_t written = write(bytes + offset, left);
        if (written <= 0)
            return false;
        if (written >= left)
            return true;
        offset += written;
        left -= written;
    }
    return true;
}
