// A file system in memory that behaves like a real one where the extraction can tell:
// parents must exist, new files are created exclusively, a file does not replace a
// directory, links are nodes of their own that nothing goes through. Operations can be
// made to fail.
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
        EntryKind kind = EntryKind::file;
        std::vector<uint8_t> data;
        std::optional<MemberTime> time;
        bool directory() const { return kind == EntryKind::directory; }
    };

    EntryKind Inspect(const std::string &path) override;
    bool MakeDirectory(const std::string &path) override;
    FileHandle CreateNew(const std::string &path) override;
    FileHandle CreateTemporary(const std::string &path) override;
    bool Write(FileHandle file, const uint8_t *data, size_t size) override;
    bool Close(FileHandle file) override;
    bool RenameOver(const std::string &from, const std::string &to) override;
    bool Remove(const std::string &path) override;
    bool SetTime(const std::string &path, const MemberTime &time) override;
    FsProblem LastProblem() const override { return problem_; }
    std::string NameKey(const std::string &path) const override;

    std::map<std::string, Node> nodes; // every file, directory and link by path
    size_t fileSizeLimit = SIZE_MAX;   // writes beyond it fail, like a full disk
    size_t nameLimit = 255;            // longer components are refused as too long
    unsigned temporariesTaken = 0;     // so many temporary names are found taken first
    bool caseInsensitive = false;      // names differing in case only are one
    bool failRename = false;
    bool failSetTime = false;
    size_t openFiles() const { return open_.size(); }
    // Files created by CreateTemporary and neither renamed nor removed since.
    size_t temporariesLeft() const { return temporaries_.size(); }
    // Every temporary name asked for, in order.
    std::vector<std::string> temporaryNamesTried;

private:
    bool Fail(FsProblem problem);
    FileHandle FailOpen(FsProblem problem);
    FileHandle Create(const std::string &path);
    bool ParentIsDirectory(const std::string &path) const;
    bool NameTooLong(const std::string &path) const;

    std::map<FileHandle, std::string> open_;
    std::set<std::string> temporaries_;
    FileHandle nextHandle_ = 1;
    FsProblem problem_ = FsProblem::none;
};
