#include "installer/twlsetup/win32_file_system.h"

#include <windows.h>

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

} // namespace

std::string Win32FileSystem::Full(const std::string &path) const
{
    std::string full = root_.empty() ? path : root_ + "\\" + path;
    for (char &c : full)
        if (c == '/')
            c = '\\';
    return full;
}

bool Win32FileSystem::MakeDirectory(const std::string &path)
{
    const std::string full = Full(path);
    if (CreateDirectoryA(full.c_str(), nullptr))
        return true;
    const DWORD attributes = GetFileAttributesA(full.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileHandle Win32FileSystem::OpenTemporary(const std::string &path)
{
    const HANDLE file =
        CreateFileA(Full(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? noFile : reinterpret_cast<FileHandle>(file);
}

bool Win32FileSystem::Write(FileHandle file, const uint8_t *data, size_t size)
{
    while (size > 0) {
        const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(ToHandle(file), data, chunk, &written, nullptr) || written == 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

bool Win32FileSystem::Close(FileHandle file)
{
    return CloseHandle(ToHandle(file)) != 0;
}

bool Win32FileSystem::RenameOver(const std::string &from, const std::string &to)
{
    return MoveFileExA(Full(from).c_str(), Full(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool Win32FileSystem::Remove(const std::string &path)
{
    return DeleteFileA(Full(path).c_str()) != 0;
}

bool Win32FileSystem::SetTime(const std::string &path, const MemberTime &time)
{
    FILETIME fileTime;
    const bool converted = time.kind == MemberTime::Kind::unixUtc ? UnixToFileTime(time.unixSeconds, fileTime)
                           : time.kind == MemberTime::Kind::dosLocal ? DosLocalToFileTime(time.dos, fileTime)
                                                                     : false;
    if (!converted)
        return false;
    const HANDLE file = CreateFileA(Full(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool set = SetFileTime(file, nullptr, nullptr, &fileTime) != 0;
    CloseHandle(file);
    return set;
}
