// The extraction's file system on Windows, below a root directory (the current directory
// when the root is empty). Paths are handed to the system in their extended-length form,
// so that they may be longer than 260 characters; member names are in the ANSI code page.
#pragma once

#include <string>

#include "installer/lha/lha_file_system.h"

class Win32FileSystem : public FileSystem {
public:
    explicit Win32FileSystem(const std::string &root = {});

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

private:
    // "\\?\C:\root\a\b" for "a/b".
    std::wstring Full(const std::string &path) const;
    // Keeps the reason of the call that just failed (GetLastError) and returns false.
    bool Failed();
    // The same for a call that was to create `full`.
    bool FailedCreating(const std::wstring &full);

    std::wstring root_;         // extended-length and absolute, without a closing backslash
    std::wstring rootResolved_; // the name the system gives the root once links are resolved
    FsProblem problem_ = FsProblem::none;
};
