#include "installer/twlsetup/win32_paths.h"

#include <windows.h>

#include <vector>

namespace {

using InformationFunction = BOOL(WINAPI *)(HANDLE, FILE_INFO_BY_HANDLE_CLASS, LPVOID, DWORD);

// Looked up at run time: systems before Vista do not have it (nor symbolic links).
InformationFunction InformationFunctionOfSystem()
{
    static const InformationFunction function = reinterpret_cast<InformationFunction>(
        reinterpret_cast<void *>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFileInformationByHandleEx")));
    return function;
}

HANDLE OpenWithoutFollowing(const std::wstring &path)
{
    return CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

std::wstring ResolvedNameOfHandle(HANDLE handle)
{
    const InformationFunction function = InformationFunctionOfSystem();
    if (function == nullptr)
        return {};
    std::vector<DWORD> buffer((sizeof(FILE_NAME_INFO) + 65536 + 3) / 4); // the longest name there is
    if (!function(handle, FileNameInfo, buffer.data(), static_cast<DWORD>(buffer.size() * 4)))
        return {};
    const auto *info = reinterpret_cast<const FILE_NAME_INFO *>(buffer.data());
    return std::wstring(info->FileName, info->FileNameLength / sizeof(wchar_t));
}

} // namespace

bool SamePathIgnoringCase(const std::wstring &a, const std::wstring &b)
{
    if (a.size() != b.size())
        return false;
    std::wstring upperA = a, upperB = b;
    if (!a.empty()) {
        CharUpperBuffW(upperA.data(), static_cast<DWORD>(upperA.size()));
        CharUpperBuffW(upperB.data(), static_cast<DWORD>(upperB.size()));
    }
    return upperA == upperB;
}

std::wstring WidenAnsi(const std::string &text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Utf8(const std::wstring &text)
{
    if (text.empty())
        return {};
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::wstring ExtendedLengthPath(const std::wstring &path)
{
    if (path.rfind(L"\\\\?\\", 0) == 0)
        return path;
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::vector<wchar_t> buffer(needed);
    const DWORD length = GetFullPathNameW(path.c_str(), needed, buffer.data(), nullptr);
    if (length == 0 || length >= needed)
        return path;
    const std::wstring full(buffer.data(), length);
    if (full.rfind(L"\\\\", 0) == 0)
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

std::wstring ResolvedNameOf(const std::wstring &path)
{
    const HANDLE handle = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return {};
    std::wstring name = ResolvedNameOfHandle(handle);
    CloseHandle(handle);
    return name;
}

std::wstring ResolvedNameBelow(const std::wstring &folderResolved, const std::wstring &component)
{
    if (folderResolved.empty())
        return {};
    return folderResolved + (folderResolved.back() == L'\\' ? L"" : L"\\") + component;
}

PathKind InspectPath(const std::wstring &path, const std::wstring &expectedResolved)
{
    const HANDLE handle = OpenWithoutFollowing(path);
    if (handle == INVALID_HANDLE_VALUE)
        return PathKind::missing;
    BY_HANDLE_FILE_INFORMATION info;
    PathKind kind = PathKind::other;
    if (GetFileInformationByHandle(handle, &info)) {
        if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            kind = PathKind::link;
        else if (!expectedResolved.empty() && !SamePathIgnoringCase(ResolvedNameOfHandle(handle), expectedResolved))
            kind = PathKind::link;
        else if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            kind = PathKind::directory;
        else if (GetFileType(handle) == FILE_TYPE_DISK)
            kind = PathKind::file;
    }
    CloseHandle(handle);
    return kind;
}
