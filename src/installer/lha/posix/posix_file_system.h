// The extraction's file system on POSIX systems, below a root directory.
#pragma once

#include <string>

#include "installer/lha/lha_file_system.h"

class PosixFileSystem : public FileSystem {
public:
    explicit PosixFileSystem(std::string root) : root_(std::move(root)) {}

    bool MakeDirectory(const std::string &path) override;
    FileHandle OpenTemporary(const std::string &path) override;
    bool Write(FileHandle file, const uint8_t *data, size_t size) override;
    bool Close(FileHandle file) override;
    bool RenameOver(const std::string &from, const std::string &to) override;
    bool Remove(const std::string &path) override;
    bool SetTime(const std::string &path, const MemberTime &time) override;

private:
    std::string Full(const std::string &path) const { return root_ + "/" + path; }

    std::string root_;
};
