// libFuzzer target: arbitrary bytes as an archive, extracted with the real header parser,
// path checks and decoder into the in-memory file system. Besides the sanitizers it checks
// that no temporary file or open handle is left behind, that every created path is a plain
// relative one and that links found in the folder are neither replaced nor gone through.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "installer/lha/lha_extract.h"
#include "memory_file_system.h"

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

bool IsPlainRelative(const std::string &path)
{
    if (path.empty() || path[0] == '/' || path.find('\\') != std::string::npos || path.find(':') != std::string::npos)
        return false;
    size_t start = 0;
    for (;;) {
        const size_t slash = path.find('/', start);
        const std::string component = path.substr(start, slash - start);
        if (component.empty() || component == "." || component == "..")
            return false;
        if (slash == std::string::npos)
            return true;
        start = slash + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::span<const uint8_t> bytes(data, size);
    MemoryFileSystem fs;
    fs.fileSizeLimit = 8u << 20; // decompression bombs end as a full disk
    fs.nodes["link"].kind = EntryKind::link; // was in the folder before: never replaced or gone through
    fs.nodes["dir"].kind = EntryKind::directory;
    fs.nodes["dir/link"].kind = EntryKind::link;
    const ExtractReport report = ExtractArchive(bytes, fs);
    Require(fs.openFiles() == 0);
    Require(fs.temporariesLeft() == 0);
    Require(report.extracted + report.failures.size() >= 1);
    for (const char *link : {"link", "dir/link"})
        Require(fs.nodes.count(link) == 1 && fs.nodes[link].kind == EntryKind::link);
    for (const auto &node : fs.nodes)
        Require(IsPlainRelative(node.first) && node.first.rfind("link/", 0) != 0 &&
                node.first.rfind("dir/link/", 0) != 0);
    return 0;
}
