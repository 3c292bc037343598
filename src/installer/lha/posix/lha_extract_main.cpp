// lha_extract ARCHIVE [DIR]: extracts every member of ARCHIVE into DIR (default: the current
// directory) with the installer's decoder. Exit code 0 when every member was extracted.
#include <cstdio>
#include <ctime>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "installer/lha/lha_extract.h"
#include "installer/lha/lha_progress.h"
#include "installer/lha/posix/posix_file_system.h"

namespace {

bool ReadWholeFile(const char *name, std::vector<uint8_t> &bytes)
{
    const int fd = open(name, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (ok) {
        bytes.resize(static_cast<size_t>(info.st_size));
        size_t done = 0;
        while (ok && done < bytes.size()) {
            const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
            ok = got > 0;
            done += ok ? static_cast<size_t>(got) : 0;
        }
    }
    close(fd);
    return ok;
}

uint32_t Milliseconds()
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: lha_extract ARCHIVE [DIR]\n");
        return 2;
    }
    std::vector<uint8_t> archive;
    if (!ReadWholeFile(argv[1], archive)) {
        std::fprintf(stderr, "lha_extract: cannot read %s\n", argv[1]);
        return 2;
    }
    PosixFileSystem fs(argc == 3 ? argv[2] : ".");
    ConsoleProgress progress(Milliseconds, isatty(STDOUT_FILENO) ? stdout : nullptr);
    ExtractOptions options;
    options.processId = static_cast<uint32_t>(getpid());
    options.observer = &progress;
    const ExtractReport report = ExtractArchive(archive, fs, options);
    progress.EndLine();
    for (const std::string &notice : report.notices)
        std::fprintf(stderr, "lha_extract: warning: %s\n", notice.c_str());
    for (const std::string &failure : report.failures)
        std::fprintf(stderr, "lha_extract: %s\n", failure.c_str());
    std::printf("lha_extract: %s\n", progress.Summary(report).c_str());
    return report.failures.empty() ? 0 : 1;
}
