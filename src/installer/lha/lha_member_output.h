// One member onto the file system.
#pragma once

#include <span>
#include <string>

#include "installer/lha/lha_file_system.h"
#include "installer/lha/lha_header.h"

// Creates `path` and every directory above it. Empty on success, else what went wrong.
std::string MakeDirectories(FileSystem &fs, const std::string &path);

// Decodes the member into a new temporary file beside `path` and renames it to `path` once
// size and CRC match. On failure removes the temporary file. Empty on success, else what
// went wrong.
std::string WriteFileMember(FileSystem &fs, const LhaHeader &header, std::span<const uint8_t> packed,
                            const std::string &path);
