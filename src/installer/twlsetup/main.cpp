// TWLSETUP: this program with an LHA archive appended. Run in a directory, it extracts
// every member of the archive there. The archive's first header follows the last byte of
// the program image directly. Exit code 0 when every member was extracted, 1 when some
// failed (one line each on stderr), 2 when there is no archive to extract. A payload that
// takes longer than a second shows its progress on the console.
#include <windows.h>

#include <cstdio>

#include "host/system_library.h"
#include "installer/lha/lha_extract.h"
#include "installer/lha/lha_progress.h"
#include "installer/twlsetup/pe_image_end.h"
#include "installer/twlsetup/self_image.h"
#include "installer/twlsetup/win32_file_system.h"

namespace {

uint32_t Milliseconds()
{
    return GetTickCount();
}

bool StandardOutputIsAConsole()
{
    DWORD mode;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

} // namespace

int main()
{
    HardenProcess();
    SelfImage self;
    std::string error;
    if (!self.Open(error)) {
        std::fprintf(stderr, "TWLSETUP: %s\n", error.c_str());
        return 2;
    }
    const size_t imageEnd = PeImageEnd(self.bytes(), error);
    if (imageEnd == 0) {
        std::fprintf(stderr, "TWLSETUP: %s: %s\n", self.path().c_str(), error.c_str());
        return 2;
    }
    if (imageEnd == self.bytes().size()) {
        std::fprintf(stderr, "TWLSETUP: no archive appended to %s\n", self.path().c_str());
        return 2;
    }
    Win32FileSystem fs;
    ConsoleProgress progress(Milliseconds, StandardOutputIsAConsole() ? stdout : nullptr);
    ExtractOptions options;
    options.processId = GetCurrentProcessId();
    options.observer = &progress;
    const ExtractReport report = ExtractArchive(self.bytes().subspan(imageEnd), fs, options);
    progress.EndLine();
    for (const std::string &notice : report.notices)
        std::fprintf(stderr, "TWLSETUP: warning: %s\n", notice.c_str());
    for (const std::string &failure : report.failures)
        std::fprintf(stderr, "TWLSETUP: %s\n", failure.c_str());
    std::printf("TWLSETUP: %s\n", progress.Summary(report).c_str());
    return report.failures.empty() ? 0 : 1;
}
