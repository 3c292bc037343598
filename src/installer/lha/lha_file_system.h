// What the extraction needs from a file system. Paths are relative to the target
// directory, components joined with '/', already checked by CheckMemberPath.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "installer/lha/lha_member_time.h"

using FileHandle = intptr_t;
constexpr FileHandle noFile = -1;

// What stands at a path, seen without following it.
enum class EntryKind {
    none,
    file,
    directory,
    link,  // a symbolic link, junction or other reparse point, or a name that leads elsewhere
    other, // a device, socket, ...
};

// Why the last call that failed failed.
enum class FsProblem { none, exists, notFound, nameTooLong, diskFull, accessDenied, other };

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // What is at `path`, not following a link there. The folders above it are the caller's
    // to have checked.
    virtual EntryKind Inspect(const std::string &path) = 0;
    // Creates the directory `path`; false when it cannot, also when something of that name
    // exists. The parent exists.
    virtual bool MakeDirectory(const std::string &path) = 0;
    // Creates `path` for writing only if nothing by that name exists (a link included);
    // noFile otherwise. CreateTemporary does the same for a file that is going to be
    // renamed or removed again.
    virtual FileHandle CreateNew(const std::string &path) = 0;
    virtual FileHandle CreateTemporary(const std::string &path) = 0;
    virtual bool Write(FileHandle file, const uint8_t *data, size_t size) = 0;
    virtual bool Close(FileHandle file) = 0;
    // Moves `from` to `to`, replacing a file `to`; a link `to` is replaced itself, what it
    // leads to is never touched.
    virtual bool RenameOver(const std::string &from, const std::string &to) = 0;
    virtual bool Remove(const std::string &path) = 0;
    // Sets the modification time of the closed file `path`.
    virtual bool SetTime(const std::string &path, const MemberTime &time) = 0;
    // The reason of the last call that failed.
    virtual FsProblem LastProblem() const = 0;
    // Two paths name the same file when their keys are equal: case is folded where the
    // file system ignores it.
    virtual std::string NameKey(const std::string &path) const { return path; }
};

// Words for a problem, for messages: "name too long", "disk full", ...
const char *ProblemText(FsProblem problem);
