// The Win32 file system under the shared contract, in a scratch directory below the test's
// working directory; and the image end of a real executable.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "file_system_contract.h"
#include "installer/twlsetup/pe_image_end.h"
#include "installer/twlsetup/self_image.h"
#include "installer/twlsetup/win32_file_system.h"
#include "installer/twlsetup/win32_paths.h"
#include "symbolic_link.h"

namespace {

// Empties and removes `path` (extended-length); a link in it is removed, never entered.
void RemoveTree(const std::wstring &path)
{
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        const std::wstring resolved = ResolvedNameOf(path);
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring inner = path + L"\\" + name;
            if (InspectPath(inner, ResolvedNameBelow(resolved, name)) == PathKind::directory)
                RemoveTree(inner);
            else if (!DeleteFileW(inner.c_str()))
                RemoveDirectoryW(inner.c_str());
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

std::string Native(const std::string &path)
{
    std::string native = path;
    for (char &c : native)
        if (c == '/')
            c = '\\';
    return native;
}

// Reads and writes below the root with paths of any length, as the file system does.
class Win32Probe : public FileSystemProbe {
public:
    Win32Probe() : root_(MakeRoot()), fs_(root_), fullRoot_(ExtendedLengthPath(WidenAnsi(root_))) {}
    ~Win32Probe() override
    {
        // Under Wine a link to a folder or to nothing cannot be removed through Windows.
        for (const std::string &link : links_)
            RemoveSymbolicLink(root_ + "\\" + Native(link));
        RemoveTree(fullRoot_);
    }

    FileSystem &fs() override { return fs_; }
    bool ReadBack(const std::string &path, std::vector<uint8_t> &bytes) override
    {
        const HANDLE file = CreateFileW(Full(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        bytes.assign(GetFileSize(file, nullptr), 0);
        DWORD got = 0;
        const bool ok = bytes.empty() || (::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got,
                                                     nullptr) && got == bytes.size());
        CloseHandle(file);
        return ok;
    }
    bool IsDirectory(const std::string &path) override
    {
        const DWORD attributes = GetFileAttributesW(Full(path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool Exists(const std::string &path) override
    {
        return GetFileAttributesW(Full(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    void PlaceFile(const std::string &path, const std::string &content) override
    {
        const HANDLE file =
            CreateFileW(Full(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
    }
    void PlaceLink(const std::string &path, const std::string &target) override
    {
        const size_t slash = path.rfind('/');
        const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
        const bool toDirectory = IsDirectory(folder + target);
        ASSERT_TRUE(MakeSymbolicLink(root_ + "\\" + Native(path), Native(target), toDirectory)) << path;
        links_.push_back(path);
    }
    int64_t ModifiedUnixSeconds(const std::string &path) override
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(Full(path).c_str(), GetFileExInfoStandard, &data))
            return -1;
        const uint64_t ticks =
            (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
        return static_cast<int64_t>(ticks / 10000000) - 11644473600;
    }

private:
    static std::string MakeRoot()
    {
        static unsigned counter = 0;
        const std::string root = "fs_probe_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(counter++);
        RemoveTree(ExtendedLengthPath(WidenAnsi(root)));
        CreateDirectoryA(root.c_str(), nullptr);
        return root;
    }
    std::wstring Full(const std::string &path) const { return fullRoot_ + L"\\" + WidenAnsi(Native(path)); }

    std::string root_;
    Win32FileSystem fs_;
    std::wstring fullRoot_;
    std::vector<std::string> links_;
};

std::unique_ptr<FileSystemProbe> MakeWin32Probe()
{
    return std::make_unique<Win32Probe>();
}

INSTANTIATE_TEST_SUITE_P(Win32, FileSystemContract, ::testing::Values(&MakeWin32Probe));

TEST(SelfImage, ItsImageEndsWithTheTablesAtTheEndOfTheFile)
{
    SelfImage self;
    std::string error;
    ASSERT_TRUE(self.Open(error)) << error;
    ASSERT_GT(self.bytes().size(), 4096u);
    // The test program is not stripped: its COFF symbols come last.
    EXPECT_EQ(PeImageEnd(self.bytes(), error), self.bytes().size()) << error;
}

} // namespace
