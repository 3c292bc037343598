// Members onto the file system.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <unordered_set>

#include "installer/lha/lha_file_system.h"
#include "installer/lha/lha_header.h"

// Writes the members of one extraction below the target directory. Every folder on a
// member's path is made, or found to be a folder, once: a link there (or at the member's
// own name) refuses the member, nothing is ever written through one. A file is decoded
// straight into a new file; when a file of that name exists, into a temporary file beside
// it that replaces it once size and CRC match.
class MemberWriter {
public:
    // `processId` keeps this process's temporary names apart from any other's; `onBytes`
    // hears of every block of bytes decoded.
    MemberWriter(FileSystem &fs, uint32_t processId, std::function<void(size_t)> onBytes = {});

    // Empty on success, else what went wrong.
    std::string WriteDirectory(const std::string &path);
    // Empty on success, else what went wrong; then nothing is left under `path` and a file
    // that was there is kept. `notice` is set when the file was written but its time could
    // not be set.
    std::string WriteFile(const LhaHeader &header, std::span<const uint8_t> packed, const std::string &path,
                          std::string &notice);

private:
    std::string MakeFolders(const std::string &path, size_t length);
    std::string MakeFolder(const std::string &folder, bool isMember);
    FileHandle CreateTemporaryBeside(const std::string &path, std::string &temporary);
    std::string Fill(FileHandle file, const LhaHeader &header, std::span<const uint8_t> packed);
    void ApplyTime(const std::string &path, const MemberTime &time, std::string &notice);

    FileSystem &fs_;
    uint32_t processId_;
    unsigned counter_ = 0;
    std::function<void(size_t)> onBytes_;
    std::unordered_set<std::string> folders_; // made or found to be real folders
};
