#include "installer/twlsetup/self_image.h"

#include <windows.h>

#include <vector>

namespace {

bool OwnPath(std::string &path)
{
    for (DWORD capacity = MAX_PATH; capacity <= 32768; capacity *= 2) {
        std::vector<char> buffer(capacity);
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), capacity);
        if (length == 0)
            return false;
        if (length < capacity) {
            path.assign(buffer.data(), length);
            return true;
        }
    }
    return false;
}

} // namespace

SelfImage::~SelfImage()
{
    if (view_ != nullptr)
        UnmapViewOfFile(view_);
}

bool SelfImage::Open(std::string &error)
{
    if (!OwnPath(path_)) {
        error = "cannot find the program's own file name";
        return false;
    }
    const HANDLE file = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = "cannot open " + path_;
        return false;
    }
    LARGE_INTEGER size;
    HANDLE mapping = nullptr;
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < 0x7FFFFFFF)
        mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    CloseHandle(file);
    if (mapping == nullptr) {
        error = "cannot map " + path_;
        return false;
    }
    view_ = static_cast<const uint8_t *>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    CloseHandle(mapping);
    if (view_ == nullptr) {
        error = "cannot map " + path_;
        return false;
    }
    size_ = static_cast<size_t>(size.QuadPart);
    return true;
}
