// Where the PE image of an executable file ends, so that data appended to it can be found.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// The end of the last section's raw data, or of the COFF symbol and string tables if they
// lie further back. 0 with `error` set when `file` is not a well-formed PE file or its
// headers point past its end.
size_t PeImageEnd(std::span<const uint8_t> file, std::string &error);
