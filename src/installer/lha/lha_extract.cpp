#include "installer/lha/lha_extract.h"

#include <unordered_map>

#include "installer/lha/lha_header.h"
#include "installer/lha/lha_member_output.h"
#include "installer/lha/lha_path.h"

namespace {

// One step through the archive: the member at `offset`, or the end, or why not.
struct Step {
    HeaderStatus status = HeaderStatus::error;
    LhaHeader header;
    std::span<const uint8_t> packed;
    size_t next = 0;
    std::string error;
};

Step Walk(std::span<const uint8_t> archive, size_t offset)
{
    Step step;
    HeaderResult result = ParseHeader(archive.subspan(offset));
    step.status = result.status;
    if (result.status == HeaderStatus::error) {
        step.error = "archive: damaged header at offset " + std::to_string(offset) + ": " + result.error;
        return step;
    }
    if (result.status == HeaderStatus::end)
        return step;
    step.header = std::move(result.header);
    const size_t dataOffset = offset + step.header.headerSize;
    if (step.header.packedSize > archive.size() - dataOffset) {
        step.status = HeaderStatus::error;
        step.error = PrintableName(step.header.path) + ": member cut off by the end of the archive";
        return step;
    }
    step.packed = archive.subspan(dataOffset, static_cast<size_t>(step.header.packedSize));
    step.next = dataOffset + step.packed.size();
    return step;
}

ExtractProgress Totals(std::span<const uint8_t> archive)
{
    ExtractProgress totals;
    for (Step step = Walk(archive, 0); step.status == HeaderStatus::member; step = Walk(archive, step.next)) {
        ++totals.membersTotal;
        totals.bytesTotal += step.header.originalSize;
    }
    return totals;
}

class Extraction {
public:
    Extraction(FileSystem &fs, const ExtractOptions &options, ExtractProgress totals)
        : fs_(fs), observer_(options.observer), progress_(totals),
          writer_(fs, options.processId, [this](size_t bytes) { Decoded(bytes); })
    {
    }

    void Member(const LhaHeader &header, std::span<const uint8_t> packed, ExtractReport &report)
    {
        const std::string name = PrintableName(header.path);
        const uint64_t doneBefore = progress_.bytesDone;
        std::string path;
        std::string error;
        std::string notice;
        if (!CheckMemberPath(header.path, path, error))
            error = "refused: " + error;
        else if (header.method == "-lhd-")
            error = writer_.WriteDirectory(path);
        else if ((error = writer_.WriteFile(header, packed, path, notice)).empty()) {
            report.bytes += header.originalSize;
            NoteReplacement(path, name, report);
        }
        if (error.empty())
            ++report.extracted;
        else
            report.failures.push_back(name + ": " + error);
        if (!notice.empty())
            report.notices.push_back(name + ": " + notice);
        ++progress_.membersDone;
        progress_.bytesDone = doneBefore + header.originalSize;
        Tell();
    }

private:
    void Decoded(size_t bytes)
    {
        progress_.bytesDone += bytes;
        Tell();
    }

    void Tell()
    {
        if (observer_ != nullptr)
            observer_->Progress(progress_);
    }

    // The later of two members of one name wins; the user hears of it.
    void NoteReplacement(const std::string &path, const std::string &name, ExtractReport &report)
    {
        const auto [earlier, first] = written_.try_emplace(fs_.NameKey(path), name);
        if (first)
            return;
        report.notices.push_back(name + ": replaces the earlier member " + earlier->second);
        earlier->second = name;
    }

    FileSystem &fs_;
    ProgressObserver *observer_;
    ExtractProgress progress_;
    MemberWriter writer_;
    std::unordered_map<std::string, std::string> written_; // by NameKey: the name in messages
};

} // namespace

ExtractReport ExtractArchive(std::span<const uint8_t> archive, FileSystem &fs, const ExtractOptions &options)
{
    ExtractReport report;
    Extraction extraction(fs, options, Totals(archive));
    unsigned members = 0;
    for (Step step = Walk(archive, 0);; step = Walk(archive, step.next)) {
        if (step.status == HeaderStatus::end)
            break;
        if (step.status == HeaderStatus::error) {
            report.failures.push_back(step.error);
            return report;
        }
        ++members;
        extraction.Member(step.header, step.packed, report);
    }
    if (members == 0)
        report.failures.push_back("archive: no members");
    return report;
}
