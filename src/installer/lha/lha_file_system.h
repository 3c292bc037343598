// What the extraction needs from a file system. Paths are relative to the target
// directory, components joined with '/', already checked by CheckMemberPath.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "installer/lha/lha_member_time.h"

using FileHandle = intptr_t;
constexpr FileHandle noFile = -1;

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // True when `path` is a directory afterwards, whether it existed or not. The parent exists.
    virtual bool MakeDirectory(const std::string &path) = 0;
    // Creates `path` for writing only if nothing by that name exists; noFile otherwise.
    virtual FileHandle OpenTemporary(const std::string &path) = 0;
    virtual bool Write(FileHandle file, const uint8_t *data, size_t size) = 0;
    virtual bool Close(FileHandle file) = 0;
    // Moves `from` to `to`, replacing a file `to`.
    virtual bool RenameOver(const std::string &from, const std::string &to) = 0;
    virtual bool Remove(const std::string &path) = 0;
    // Sets the modification time of the closed file `path`.
    virtual bool SetTime(const std::string &path, const MemberTime &time) = 0;
};
