// Extraction of a whole archive through a FileSystem.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "installer/lha/lha_file_system.h"

struct ExtractReport {
    unsigned extracted = 0;            // files and directories created
    std::vector<std::string> failures; // one line each: the member's name and what went wrong
};

// Extracts every member of `archive`, which starts with its first header. A member that
// fails leaves no file under its name; extraction goes on with the next member as long as
// the headers can still be followed. An archive without members is a failure too.
ExtractReport ExtractArchive(std::span<const uint8_t> archive, FileSystem &fs);
