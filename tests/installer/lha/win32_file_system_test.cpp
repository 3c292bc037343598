// The Win32 file system under the shared contract, in a scratch directory below the test's
// working directory; and the image end of a real executable.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "file_system_contract.h"
#include "installer/twlsetup/pe_image_end.h"
#include "installer/twlsetup/self_image.h"
#include "installer/twlsetup/win32_file_system.h"

namespace {

void RemoveTree(const std::string &path)
{
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + "\\" + name);
            else
                DeleteFileA((path + "\\" + name).c_str());
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

std::string Native(const std::string &path)
{
    std::string native = path;
    for (char &c : native)
        if (c == '/')
            c = '\\';
    return native;
}

class Win32Probe : public FileSystemProbe {
public:
    Win32Probe() : root_(MakeRoot()), fs_(root_) {}
    ~Win32Probe() override { RemoveTree(root_); }

    FileSystem &fs() override { return fs_; }
    bool ReadBack(const std::string &path, std::vector<uint8_t> &bytes) override
    {
        const HANDLE file = CreateFileA(Full(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
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
        const DWORD attributes = GetFileAttributesA(Full(path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    bool Exists(const std::string &path) override
    {
        return GetFileAttributesA(Full(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    void PlaceFile(const std::string &path, const std::string &content) override
    {
        const HANDLE file =
            CreateFileA(Full(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
    }
    int64_t ModifiedUnixSeconds(const std::string &path) override
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(Full(path).c_str(), GetFileExInfoStandard, &data))
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
        RemoveTree(root);
        CreateDirectoryA(root.c_str(), nullptr);
        return root;
    }
    std::string Full(const std::string &path) const { return root_ + "\\" + Native(path); }

    std::string root_;
    Win32FileSystem fs_;
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
