// Extraction of a whole archive through a FileSystem.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "installer/lha/lha_file_system.h"

struct ExtractProgress {
    unsigned membersDone = 0;
    unsigned membersTotal = 0; // members whose headers can be followed
    uint64_t bytesDone = 0;    // decoded so far, of members finished or not
    uint64_t bytesTotal = 0;   // the original sizes of those members
};

class ProgressObserver {
public:
    virtual ~ProgressObserver() = default;
    // Called after every member and between the blocks a member is decoded in.
    virtual void Progress(const ExtractProgress &progress) = 0;
};

struct ExtractOptions {
    uint32_t processId = 0; // part of every temporary name
    ProgressObserver *observer = nullptr;
};

struct ExtractReport {
    unsigned extracted = 0;            // files and directories created
    uint64_t bytes = 0;                // in the files created
    std::vector<std::string> failures; // one line each: the member's name and what went wrong
    std::vector<std::string> notices;  // members written with something to tell: the time
                                       // stamp not set, an earlier member replaced
};

// Extracts every member of `archive`, which starts with its first header. A member that
// fails leaves no file under its name; extraction goes on with the next member as long as
// the headers can still be followed. An archive without members is a failure too. A member
// of the same name as an earlier one (NameKey) replaces it, with a notice.
ExtractReport ExtractArchive(std::span<const uint8_t> archive, FileSystem &fs, const ExtractOptions &options = {});
