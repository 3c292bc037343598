// The output buffer of a print job on a raw port or file: which characters are kept, when the
// buffer goes out, and the write loop that delivers it. Free of Windows calls so that the rules
// can be checked on their own; the port itself is reached through a writer function.
#pragma once

#include <cstdint>
#include <functional>

// Bytes of the print block's line buffer used as the port's output buffer.
inline constexpr int32_t kPortBufferSize = 128;
// A fill count above this sends the buffer.
inline constexpr int32_t kPortFlushAbove = 96;

// The fill count as a usable index: a count the client left below 0 counts as empty, one above
// the buffer size as full, so no store or write ever reaches outside the buffer.
int32_t ClampFill(int32_t fill);

struct PortStore {
    int32_t fill;   // the fill count after the store
    bool stored;    // the request's character went into the buffer (at index fill - 1)
    bool flush;     // the buffer must be written now
};

// What a send of the word `data` does to a buffer holding `fill` bytes: the low byte is kept
// when there is room and bits 16..23 are below 2; the buffer goes out when it holds more than
// 96 bytes or the low byte is a control character up to carriage return (13).
PortStore PlanStore(int32_t fill, uint32_t data);

// The fill count after a flush that delivered nothing: the character of this request is taken
// back, and nothing when this request stored none (an earlier request's byte stays).
int32_t FillAfterFailedFlush(int32_t fill, bool stored);

// Writes `count` bytes of `bytes`; returns the number written, or a negative value when the
// write failed.
using PortWriter = std::function<int32_t(const uint8_t *bytes, int32_t count)>;

// Delivers the whole buffer, writing again after each partial write from the first byte not yet
// delivered. Returns the number of bytes delivered: all `count` of them, or fewer when a write
// failed or delivered nothing.
int32_t WriteAll(const uint8_t *bytes, int32_t count, const PortWriter &write);

struct PortFlush {
    int32_t fill;   // the fill count afterwards: 0 once everything went out
    bool delivered; // every byte went out
};

// Sends the first `fill` bytes of `buffer`. When a write fails, the bytes delivered before it are
// dropped, the character of this request (the last byte, when `stored`) is taken back, and what
// is left moves to the start of the buffer, in order, for the next flush.
PortFlush FlushPortBuffer(uint8_t *buffer, int32_t fill, bool stored, const PortWriter &write);
