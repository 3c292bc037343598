#include "installer/lha/lha_decoder.h"

#include "installer/lha/lzh_decoder.h"

namespace {

constexpr size_t storedChunk = 1u << 16;

DecodeStatus CopyStored(std::span<const uint8_t> packed, uint64_t originalSize, ByteSink &sink)
{
    if (packed.size() != originalSize)
        return DecodeStatus::sizeMismatch;
    for (size_t at = 0; at < packed.size(); at += storedChunk) {
        const size_t size = std::min(storedChunk, packed.size() - at);
        if (!sink.Put(packed.data() + at, size))
            return DecodeStatus::sinkFailed;
    }
    return DecodeStatus::ok;
}

bool WindowBitsOf(std::string_view method, unsigned &windowBits)
{
    if (method == "-lh5-")
        windowBits = 13;
    else if (method == "-lh6-")
        windowBits = 15;
    else if (method == "-lh7-")
        windowBits = 16;
    else
        return false;
    return true;
}

} // namespace

const char *DecodeStatusText(DecodeStatus status)
{
    switch (status) {
    case DecodeStatus::ok:
        return "ok";
    case DecodeStatus::unsupportedMethod:
        return "compression method not supported";
    case DecodeStatus::sizeMismatch:
        return "stored member whose packed and original sizes differ";
    case DecodeStatus::truncated:
        return "compressed data ends early";
    case DecodeStatus::badTable:
        return "corrupt Huffman table";
    case DecodeStatus::badCode:
        return "corrupt compressed data";
    case DecodeStatus::sinkFailed:
        return "could not write the file";
    }
    return "unknown error";
}

bool IsDecodableMethod(std::string_view method)
{
    unsigned windowBits;
    return method == "-lh0-" || WindowBitsOf(method, windowBits);
}

DecodeStatus DecodeMember(std::string_view method, std::span<const uint8_t> packed, uint64_t originalSize,
                          ByteSink &sink)
{
    if (method == "-lh0-")
        return CopyStored(packed, originalSize, sink);
    unsigned windowBits;
    if (!WindowBitsOf(method, windowBits))
        return DecodeStatus::unsupportedMethod;
    return DecodeLzh(windowBits, packed, originalSize, sink);
}
