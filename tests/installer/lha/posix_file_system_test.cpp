// The POSIX file system under the shared contract, in a scratch directory of its own.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_system_contract.h"
#include "installer/lha/posix/posix_file_system.h"

namespace {

int RemoveEntry(const char *path, const struct stat *, int, struct FTW *)
{
    return remove(path);
}

class PosixProbe : public FileSystemProbe {
public:
    PosixProbe() : root_(MakeRoot()), fs_(root_) {}
    ~PosixProbe() override { nftw(root_.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS); }

    FileSystem &fs() override { return fs_; }
    bool ReadBack(const std::string &path, std::vector<uint8_t> &bytes) override
    {
        std::ifstream in(Full(path), std::ios::binary);
        if (!in || IsDirectory(path))
            return false;
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return true;
    }
    bool IsDirectory(const std::string &path) override
    {
        struct stat info;
        return stat(Full(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }
    bool Exists(const std::string &path) override
    {
        struct stat info;
        return lstat(Full(path).c_str(), &info) == 0;
    }
    void PlaceFile(const std::string &path, const std::string &content) override
    {
        std::ofstream(Full(path), std::ios::binary) << content;
    }
    void PlaceLink(const std::string &path, const std::string &target) override
    {
        ASSERT_EQ(symlink(target.c_str(), Full(path).c_str()), 0) << path;
    }
    int64_t ModifiedUnixSeconds(const std::string &path) override
    {
        struct stat info;
        return stat(Full(path).c_str(), &info) == 0 ? static_cast<int64_t>(info.st_mtime) : -1;
    }

private:
    static std::string MakeRoot()
    {
        char pattern[] = "/tmp/lha_fs_test.XXXXXX";
        const char *made = mkdtemp(pattern);
        if (made == nullptr)
            std::abort();
        return made;
    }
    std::string Full(const std::string &path) const { return root_ + "/" + path; }

    std::string root_;
    PosixFileSystem fs_;
};

std::unique_ptr<FileSystemProbe> MakePosixProbe()
{
    return std::make_unique<PosixProbe>();
}

INSTANTIATE_TEST_SUITE_P(Posix, FileSystemContract, ::testing::Values(&MakePosixProbe));

} // namespace
