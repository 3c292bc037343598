// A file system in memory that behaves like a real one where the extraction can tell:
// parents must exist, temporary files are created exclusively, a file does not replace a
// directory. Operations can be made to fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "installer/lha/lha_file_system.h"

class MemoryFileSystem : public FileSystem {
public:
    struct Node {
        bool directory = false;
        std::vector<uint8_t> data;
        std::optional<MemberTime> time;
    };

    bool MakeDirectory(const std::string &path) override;
    FileHandle OpenTemporary(const std::string &path) override;
    bool Write(FileHandle file, const uint8_t *data, size_t size) override;
    bool Close(FileHandle file) override;
    bool RenameOver(const std::string &from, const std::string &to) override;
    bool Remove(const std::string &path) override;
    bool SetTime(const std::string &path, const MemberTime &time) override;

    std::map<std::string, Node> nodes; // every file and directory by path
    size_t fileSizeLimit = SIZE_MAX;   // writes beyond it fail, like a full disk
    bool failRename = false;
    bool failSetTime = false;
    size_t openFiles() const { return open_.size(); }
    // Files created by OpenTemporary and neither renamed nor removed since.
    size_t temporariesLeft() const { return temporaries_.size(); }

private:
    bool ParentIsDirectory(const std::string &path) const;

    std::map<FileHandle, std::string> open_;
    std::set<std::string> temporaries_;
    FileHandle nextHandle_ = 1;
};
