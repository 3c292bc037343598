// The extraction's file system on POSIX systems, below a root directory.
#pragma once

#include <string>

#include "installer/lha/lha_file_system.h"

class PosixFileSystem : public FileSystem {
public:
    explicit PosixFileSystem(std::string root) : root_(std::move(root)) {}

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

private:
    std::string Full(const std::string &path) const { return root_ + "/" + path; }
    // Keeps the reason of the call that just failed (errno) and returns false.
    bool Failed();

    std::string root_;
    FsProblem problem_ = FsProblem::none;
};
