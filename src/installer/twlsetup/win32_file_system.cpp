#include "installer/twlsetup/win32_file_system.h"

#include <windows.h>

#include "installer/twlsetup/win32_paths.h"

namespace {

constexpr int64_t secondsFrom1601To1970 = 11644473600;
constexpr int64_t latestUnixSecond = 253402300799; // the last second of 9999

HANDLE ToHandle(FileHandle file)
{
    return reinterpret_cast<HANDLE>(file);
}

bool UnixToFileTime(int64_t seconds, FILETIME &fileTime)
{
    if (seconds < -secondsFrom1601To1970 || seconds > latestUnixSecond)
        return false;
    const uint64_t ticks = static_cast<uint64_t>(seconds + secondsFrom1601To1970) * 10000000u;
    fileTime.dwLowDateTime = static_cast<DWORD>(ticks);
    fileTime.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return true;
}

// The DOS time's fields are local time of the day they name, daylight saving included.
bool DosLocalToFileTime(uint32_t dos, FILETIME &fileTime)
{
    DosFields fields;
    if (!SplitDosTime(dos, fields))
        return false;
    SYSTEMTIME local = {};
    local.wYear = static_cast<WORD>(fields.year);
    local.wMonth = static_cast<WORD>(fields.month);
    local.wDay = static_cast<WORD>(fields.day);
    local.wHour = static_cast<WORD>(fields.hour);
    local.wMinute = static_cast<WORD>(fields.minute);
    local.wSecond = static_cast<WORD>(fields.second);
    SYSTEMTIME utc;
    return TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) && SystemTimeToFileTime(&utc, &fileTime);
}

// Without FILE_FLAG_OPEN_REPARSE_POINT an exclusive create follows a link that leads nowhere
// and makes the file it names.
FileHandle Create(const std::wstring &full)
{
    const HANDLE file = CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    return file == INVALID_HANDLE_VALUE ? noFile : reinterpret_cast<FileHandle>(file);
}

} // namespace

Win32FileSystem::Win32FileSystem(const std::string &root)
    : root_(ExtendedLengthPath(WidenAnsi(root.empty() ? "." : root)))
{
    while (!root_.empty() && root_.back() == L'\\')
        root_.pop_back();
    rootResolved_ = ResolvedNameOf(root_ + L"\\");
}

std::wstring Win32FileSystem::Full(const std::string &path) const
{
    std::wstring full = root_ + L"\\" + WidenAnsi(path);
    for (wchar_t &c : full)
        if (c == L'/')
            c = L'\\';
    return full;
}

bool Win32FileSystem::Failed()
{
    switch (GetLastError()) {
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        problem_ = FsProblem::exists;
        break;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        problem_ = FsProblem::notFound;
        break;
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        problem_ = FsProblem::nameTooLong;
        break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        problem_ = FsProblem::diskFull;
        break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_WRITE_PROTECT:
        problem_ = FsProblem::accessDenied;
        break;
    default:
        problem_ = FsProblem::other;
        break;
    }
    return false;
}

EntryKind Win32FileSystem::Inspect(const std::string &path)
{
    const std::wstring full = Full(path);
    switch (InspectPath(full, ResolvedNameBelow(rootResolved_, full.substr(root_.size() + 1)))) {
    case PathKind::missing:
        Failed();
        return EntryKind::none;
    case PathKind::link:
        return EntryKind::link;
    case PathKind::directory:
        return EntryKind::directory;
    case PathKind::file:
        return EntryKind::file;
    case PathKind::other:
        break;
    }
    return EntryKind::other;
}

// Systems tell of a name or path longer than they can hold in different ways: Wine says
// "path not found" for a name over 255 characters and fails without a reason for a path
// longer than the unix file system takes.
bool Win32FileSystem::FailedCreating(const std::wstring &full)
{
    constexpr size_t longestName = 255;
    constexpr size_t longestPath = 32767;
    Failed();
    if (full.size() - full.rfind(L'\\') - 1 > longestName || full.size() > longestPath ||
        (problem_ == FsProblem::other && full.size() > MAX_PATH))
        problem_ = FsProblem::nameTooLong;
    return false;
}

bool Win32FileSystem::MakeDirectory(const std::string &path)
{
    const std::wstring full = Full(path);
    // CreateDirectoryW has no way not to follow a link that leads nowhere: it would make the
    // folder the link names.
    if (InspectPath(full, {}) != PathKind::missing) {
        problem_ = FsProblem::exists;
        return false;
    }
    return CreateDirectoryW(full.c_str(), nullptr) || FailedCreating(full);
}

FileHandle Win32FileSystem::CreateNew(const std::string &path)
{
    const std::wstring full = Full(path);
    const FileHandle file = Create(full);
    if (file == noFile)
        FailedCreating(full);
    return file;
}

FileHandle Win32FileSystem::CreateTemporary(const std::string &path)
{
    return CreateNew(path);
}

bool Win32FileSystem::Write(FileHandle file, const uint8_t *data, size_t size)
{
    while (size > 0) {
        const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(ToHandle(file), data, chunk, &written, nullptr))
            return Failed();
        if (written == 0) {
            problem_ = FsProblem::diskFull;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

bool Win32FileSystem::Close(FileHandle file)
{
    return CloseHandle(ToHandle(file)) || Failed();
}

bool Win32FileSystem::RenameOver(const std::string &from, const std::string &to)
{
    return MoveFileExW(Full(from).c_str(), Full(to).c_str(), MOVEFILE_REPLACE_EXISTING) || Failed();
}

bool Win32FileSystem::Remove(const std::string &path)
{
    return DeleteFileW(Full(path).c_str()) || Failed();
}

bool Win32FileSystem::SetTime(const std::string &path, const MemberTime &time)
{
    FILETIME fileTime;
    const bool converted = time.kind == MemberTime::Kind::unixUtc ? UnixToFileTime(time.unixSeconds, fileTime)
                           : time.kind == MemberTime::Kind::dosLocal ? DosLocalToFileTime(time.dos, fileTime)
                                                                     : false;
    if (!converted) {
        problem_ = FsProblem::other;
        return false;
    }
    const HANDLE file = CreateFileW(Full(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return Failed();
    const bool set = SetFileTime(file, nullptr, nullptr, &fileTime) || Failed();
    CloseHandle(file);
    return set;
}

std::string Win32FileSystem::NameKey(const std::string &path) const
{
    std::wstring wide = WidenAnsi(path);
    if (!wide.empty())
        CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return Utf8(wide);
}
