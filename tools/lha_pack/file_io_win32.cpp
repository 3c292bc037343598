// The Windows side of file_io.h, in Win32 calls: lha_pack.exe.
#include "lha_pack/file_io.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <exception>

namespace lha {

namespace {

// The system's text for the last error, without its line end.
std::string Reason(const std::string &what, const std::string &path)
{
    const DWORD code = GetLastError();
    char text[256] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                  text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == '.'))
        --length;
    const std::string reason = length > 0 ? std::string(text, length) : "error " + std::to_string(code);
    return "cannot " + what + " \"" + path + "\": " + reason;
}

// FILETIME counts 100 ns steps from 1601; Unix time seconds from 1970.
int64_t UnixTime(const FILETIME &time)
{
    const uint64_t ticks = (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
    return (static_cast<int64_t>(ticks) - 116444736000000000) / 10000000;
}

} // namespace

bool ReadRegularFile(const std::string &path, uint64_t maxSize, const char *limitNote, InputFile &file,
                     std::string &error)
{
    // Shared for reading only: nobody changes the file while it is read.
    const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = Reason("open", path);
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool examined = GetFileInformationByHandle(handle, &info);
    const uint64_t size = (uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
    if (!examined)
        error = Reason("examine", path);
    else if (GetFileType(handle) != FILE_TYPE_DISK || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        error = "\"" + path + "\" is not a regular file";
    else if (size > maxSize)
        error = "\"" + path + "\" is " + std::to_string(size) + " bytes, too large: " + limitNote;
    if (error.empty()) {
        file.modified = UnixTime(info.ftLastWriteTime);
        try {
            file.data.resize(static_cast<size_t>(size));
        } catch (const std::exception &) { // no memory (bad_alloc), or 2 GiB or more (length_error)
            error = "\"" + path + "\" is " + std::to_string(size) + " bytes, more than this 32-bit program can hold";
        }
        size_t done = 0;
        while (error.empty() && done < file.data.size()) {
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(file.data.size() - done, 1u << 30));
            DWORD n = 0;
            if (!ReadFile(handle, file.data.data() + done, chunk, &n, nullptr))
                error = Reason("read", path);
            else if (n == 0)
                error = "\"" + path + "\" shrank while it was read";
            else
                done += n;
        }
        uint8_t extra;
        DWORD n = 0;
        if (error.empty() && ReadFile(handle, &extra, 1, &n, nullptr) && n != 0)
            error = "\"" + path + "\" grew while it was read";
    }
    CloseHandle(handle);
    return error.empty();
}

OutputFile::~OutputFile()
{
    if (handle_) {
        CloseHandle(handle_);
        DeleteFileA(temporary_.c_str());
    }
}

bool OutputFile::Open(const std::string &path, std::string &error)
{
    path_ = path;
    // A new file beside the output: OUT.<process><attempt>, never one that exists already.
    for (DWORD attempt = 0; attempt < 100; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".%lx%02lx", GetCurrentProcessId(), attempt);
        const std::string name = path + suffix;
        const HANDLE handle =
            CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            handle_ = handle;
            temporary_ = name;
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    error = Reason("create a file beside", path);
    return false;
}

bool OutputFile::Write(std::span<const uint8_t> bytes, std::string &error)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD n = 0;
        if (!WriteFile(handle_, bytes.data() + done, chunk, &n, nullptr) || n == 0) {
            error = Reason("write", temporary_);
            return false;
        }
        done += n;
    }
    return true;
}

bool OutputFile::Commit(std::string &error)
{
    const HANDLE handle = handle_;
    handle_ = nullptr;
    if (!CloseHandle(handle)) {
        error = Reason("write", temporary_);
        DeleteFileA(temporary_.c_str());
        return false;
    }
    if (!MoveFileExA(temporary_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = Reason("replace", path_);
        DeleteFileA(temporary_.c_str());
        return false;
    }
    return true;
}

std::span<const uint8_t> BuiltInStub()
{
    const HRSRC resource = FindResourceA(nullptr, "TWLSTUB", MAKEINTRESOURCEA(10)); // RT_RCDATA
    const HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    const void *bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return {};
    return {static_cast<const uint8_t *>(bytes), SizeofResource(nullptr, resource)};
}

} // namespace lha
