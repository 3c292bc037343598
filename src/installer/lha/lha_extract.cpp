#include "installer/lha/lha_extract.h"

#include "installer/lha/lha_header.h"
#include "installer/lha/lha_member_output.h"
#include "installer/lha/lha_path.h"

namespace {

std::string ExtractMember(FileSystem &fs, const LhaHeader &header, std::span<const uint8_t> packed)
{
    std::string path;
    std::string error;
    if (!CheckMemberPath(header.path, path, error))
        return "refused: " + error;
    if (header.method == "-lhd-")
        return MakeDirectories(fs, path);
    return WriteFileMember(fs, header, packed, path);
}

} // namespace

ExtractReport ExtractArchive(std::span<const uint8_t> archive, FileSystem &fs)
{
    ExtractReport report;
    size_t offset = 0;
    unsigned members = 0;
    for (;;) {
        const HeaderResult next = ParseHeader(archive.subspan(offset));
        if (next.status == HeaderStatus::end)
            break;
        if (next.status == HeaderStatus::error) {
            report.failures.push_back("archive: damaged header at offset " + std::to_string(offset) + ": " +
                                      next.error);
            return report;
        }
        ++members;
        const LhaHeader &header = next.header;
        const std::string name = PrintableName(header.path);
        const size_t dataOffset = offset + header.headerSize;
        if (header.packedSize > archive.size() - dataOffset) {
            report.failures.push_back(name + ": member cut off by the end of the archive");
            return report;
        }
        const std::span<const uint8_t> packed = archive.subspan(dataOffset, static_cast<size_t>(header.packedSize));
        const std::string error = ExtractMember(fs, header, packed);
        if (error.empty())
            ++report.extracted;
        else
            report.failures.push_back(name + ": " + error);
        offset = dataOffset + static_cast<size_t>(header.packedSize);
    }
    if (members == 0)
        report.failures.push_back("archive: no members");
    return report;
}
