#include "print/port_buffer.h"

#include <cstring>

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

int32_t WriteAll(const uint8_t *bytes, int32_t count, const PortWriter &write)
{
    int32_t offset = 0;
    while (offset < count) {
        const int32_t written = write(bytes + offset, count - offset);
        if (written <= 0)
            break;
        offset += written < count - offset ? written : count - offset;
    }
    return offset;
}

PortFlush FlushPortBuffer(uint8_t *buffer, int32_t fill, bool stored, const PortWriter &write)
{
    fill = ClampFill(fill);
    const int32_t delivered = WriteAll(buffer, fill, write);
    if (delivered == fill)
        return {0, true};
    // The bytes that went out are not sent again; this request's own byte, the last, has not
    // gone out and is taken back, so that a client sending it again prints it once.
    const int32_t rest = FillAfterFailedFlush(fill, stored) - delivered;
    std::memmove(buffer, buffer + delivered, static_cast<size_t>(rest));
    return {rest, false};
}
