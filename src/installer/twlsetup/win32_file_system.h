// The extraction's file system on Windows, below a root directory (the current directory
// when the root is empty).
#pragma once

#include <string>

#include "installer/lha/lha_file_system.h"

class Win32FileSystem : public FileSystem {
public:
    explicit Win32FileSystem(std::string root = {}) : root_(std::move(root)) {}

    bool MakeDirectory(const std::string &path) override;
    FileHandle OpenTemporary(const std::string &path) override;
    bool Write(FileHandle file, const uint8_t *data, size_t size) override;
    bool Close(FileHandle file) override;
    bool RenameOver(const std::string &from, const std::string &to) override;
    bool Remove(const std::string &path) override;
    bool SetTime(const std::string &path, const MemberTime &time) override;

private:
    std::string Full(const std::string &path) const;

    std::string root_;
};
