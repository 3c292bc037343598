// TWLSETUP: this program with an LHA archive appended. Run in a directory, it extracts
// every member of the archive there. The archive's first header follows the last byte of
// the program image directly. Exit code 0 when every member was extracted, 1 when some
// failed (one line each on stderr), 2 when there is no archive to extract.
#include <cstdio>

#include "host/system_library.h"
#include "installer/lha/lha_extract.h"
#include "installer/twlsetup/pe_image_end.h"
#include "installer/twlsetup/self_image.h"
#include "installer/twlsetup/win32_file_system.h"

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
    const ExtractReport report = ExtractArchive(self.bytes().subspan(imageEnd), fs);
    for (const std::string &failure : report.failures)
        std::fprintf(stderr, "TWLSETUP: %s\n", failure.c_str());
    std::printf("TWLSETUP: %u extracted, %u failed\n", report.extracted, static_cast<unsigned>(report.failures.size()));
    return report.failures.empty() ? 0 : 1;
}
