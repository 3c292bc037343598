// The payload record that the installer carries: type, name, big-endian length, padded bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr size_t payloadRecordHeaderSize = 20;

// Whether `name` is an 8.3 DOS file name ending in ".EXE" (either case).
bool IsDosExeName(const std::string &name);

// The payload length rounded up to a multiple of 16: the bytes the extraction writes.
uint64_t PaddedPayloadSize(uint64_t length);

// The whole record for a payload file named `name` (upper-cased into the record).
// Empty, with `error` set, when the name is not an 8.3 ".EXE" name or the record cannot
// describe the payload: more than 4294967280 bytes, or 16 MiB or more with a 12-character name
// (the first byte of the length, which follows the name, must then be 0 to end it).
std::vector<uint8_t> BuildPayloadRecord(const std::string &name, const std::vector<uint8_t> &payload,
                                        std::string &error);
