// Decoding of member data: -lh0- (stored) and the LZSS + static Huffman methods -lh5-,
// -lh6- and -lh7-, which differ only in their window size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// Receives the decoded bytes in order. Returning false stops the decoding.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool Put(const uint8_t *data, size_t size) = 0;
};

enum class DecodeStatus {
    ok,
    unsupportedMethod,
    sizeMismatch,  // stored data whose packed and original sizes differ
    truncated,     // the stream needs more bits than the member data holds
    badTable,      // malformed code tables
    badCode,       // a bit pattern no symbol has, or an empty block
    sinkFailed,
};

const char *DecodeStatusText(DecodeStatus status);

// Whether `method` ("-lh5-", ...) is one DecodeMember handles.
bool IsDecodableMethod(std::string_view method);

// Decodes `packed` into exactly `originalSize` bytes for `sink`.
DecodeStatus DecodeMember(std::string_view method, std::span<const uint8_t> packed, uint64_t originalSize,
                          ByteSink &sink);
