#include "installer/lha/lha_member_output.h"

#include <cstdio>

#include "installer/lha/lha_crc.h"
#include "installer/lha/lha_decoder.h"
#include "installer/lha/lha_path.h"

namespace {

// Names are unique per process and attempt, so only names someone else made on purpose
// can be taken; those are stepped around this many times per member.
constexpr unsigned temporaryNameAttempts = 1000;

// Writes to the file while keeping count and CRC of what went through.
class FileSink : public ByteSink {
public:
    FileSink(FileSystem &fs, FileHandle file, const std::function<void(size_t)> &onBytes)
        : fs_(fs), file_(file), onBytes_(onBytes)
    {
    }

    bool Put(const uint8_t *data, size_t size) override
    {
        crc_ = LhaCrc16(crc_, data, size);
        written_ += size;
        if (onBytes_)
            onBytes_(size);
        return fs_.Write(file_, data, size);
    }

    uint16_t crc() const { return crc_; }
    uint64_t written() const { return written_; }

private:
    FileSystem &fs_;
    FileHandle file_;
    const std::function<void(size_t)> &onBytes_;
    uint16_t crc_ = 0;
    uint64_t written_ = 0;
};

std::string LinkRefusal(const std::string &path)
{
    return "refused: the path passes through a link at " + PrintableName(path);
}

std::string Failed(const char *what, FsProblem problem)
{
    return std::string(what) + ": " + ProblemText(problem);
}

// What stands at a name an exclusive create found taken. Where the system hides a link that
// leads nowhere (Wine, for a unix symbolic link), the name is taken yet nothing is seen
// there: that is taken for the link it is.
EntryKind TakenEntry(FileSystem &fs, const std::string &path)
{
    const EntryKind kind = fs.Inspect(path);
    return kind == EntryKind::none ? EntryKind::link : kind;
}

} // namespace

const char *ProblemText(FsProblem problem)
{
    switch (problem) {
    case FsProblem::none:
        return "failed";
    case FsProblem::exists:
        return "something of that name exists";
    case FsProblem::notFound:
        return "path not found";
    case FsProblem::nameTooLong:
        return "name too long";
    case FsProblem::diskFull:
        return "disk full";
    case FsProblem::accessDenied:
        return "access denied";
    case FsProblem::other:
        break;
    }
    return "system error";
}

MemberWriter::MemberWriter(FileSystem &fs, uint32_t processId, std::function<void(size_t)> onBytes)
    : fs_(fs), processId_(processId), onBytes_(std::move(onBytes))
{
}

std::string MemberWriter::MakeFolder(const std::string &folder, bool isMember)
{
    if (fs_.MakeDirectory(folder))
        return {};
    const FsProblem problem = fs_.LastProblem();
    const EntryKind kind = problem == FsProblem::exists ? TakenEntry(fs_, folder) : fs_.Inspect(folder);
    if (kind == EntryKind::directory)
        return {};
    if (kind == EntryKind::link)
        return LinkRefusal(folder);
    const std::string what = kind == EntryKind::file    ? "a file of that name exists"
                             : kind == EntryKind::other ? "something that is no folder has that name"
                                                        : ProblemText(problem);
    return isMember ? what : "could not make the folder " + PrintableName(folder) + ": " + what;
}

std::string MemberWriter::MakeFolders(const std::string &path, size_t length)
{
    // Every folder above one already made or checked was made or checked before it.
    size_t start = 0;
    for (size_t end = length; end > 0 && end != std::string::npos; end = path.rfind('/', end - 1)) {
        if (folders_.count(path.substr(0, end)) != 0) {
            start = end + 1;
            break;
        }
    }
    while (start < length) {
        size_t end = path.find('/', start);
        if (end == std::string::npos || end > length)
            end = length;
        const std::string folder = path.substr(0, end);
        std::string error = MakeFolder(folder, end == path.size());
        if (!error.empty())
            return error;
        folders_.insert(folder);
        start = end + 1;
    }
    return {};
}

FileHandle MemberWriter::CreateTemporaryBeside(const std::string &path, std::string &temporary)
{
    const size_t slash = path.rfind('/');
    const std::string parent = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    for (unsigned attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
        char name[40];
        std::snprintf(name, sizeof name, "~TWL%08X-%u.TMP", static_cast<unsigned>(processId_), counter_++);
        temporary = parent + name;
        const FileHandle file = fs_.CreateTemporary(temporary);
        if (file != noFile || fs_.LastProblem() != FsProblem::exists)
            return file;
    }
    return noFile;
}

// Decodes into the open file and closes it. Empty when its content is right.
std::string MemberWriter::Fill(FileHandle file, const LhaHeader &header, std::span<const uint8_t> packed)
{
    FileSink sink(fs_, file, onBytes_);
    const DecodeStatus status = DecodeMember(header.method, packed, header.originalSize, sink);
    const bool closed = fs_.Close(file);
    if (status == DecodeStatus::sinkFailed)
        return Failed("could not write the file", fs_.LastProblem());
    if (status != DecodeStatus::ok)
        return DecodeStatusText(status);
    if (!closed)
        return Failed("could not write the file", fs_.LastProblem());
    if (sink.written() != header.originalSize)
        return "decoded size differs from the header";
    if (sink.crc() != header.crc)
        return "CRC mismatch, the member is damaged";
    return {};
}

// A time the system refuses costs the time, never the file.
void MemberWriter::ApplyTime(const std::string &path, const MemberTime &time, std::string &notice)
{
    if (IsUsableTime(time) && !fs_.SetTime(path, time))
        notice = std::string("time stamp not set (") + ProblemText(fs_.LastProblem()) +
                 "), the file keeps the time of extraction";
}

std::string MemberWriter::WriteDirectory(const std::string &path)
{
    return MakeFolders(path, path.size());
}

std::string MemberWriter::WriteFile(const LhaHeader &header, std::span<const uint8_t> packed,
                                    const std::string &path, std::string &notice)
{
    if (!IsDecodableMethod(header.method))
        return "compression method " + PrintableName(header.method) + " not supported";
    const size_t slash = path.rfind('/');
    if (slash != std::string::npos) {
        std::string error = MakeFolders(path, slash);
        if (!error.empty())
            return error;
    }

    FileHandle file = fs_.CreateNew(path);
    if (file != noFile) {
        std::string error = Fill(file, header, packed);
        if (!error.empty()) {
            fs_.Remove(path);
            return error;
        }
        ApplyTime(path, header.time, notice);
        return {};
    }
    if (fs_.LastProblem() != FsProblem::exists)
        return Failed("could not create the file", fs_.LastProblem());
    switch (TakenEntry(fs_, path)) {
    case EntryKind::link:
    case EntryKind::none:
        return LinkRefusal(path);
    case EntryKind::directory:
        return "a folder of that name exists";
    case EntryKind::other:
        return "something that is no file has that name";
    case EntryKind::file:
        break;
    }

    std::string temporary;
    file = CreateTemporaryBeside(path, temporary);
    if (file == noFile)
        return Failed("could not create a temporary file", fs_.LastProblem());
    std::string error = Fill(file, header, packed);
    if (error.empty())
        ApplyTime(temporary, header.time, notice);
    if (error.empty() && !fs_.RenameOver(temporary, path))
        error = Failed("could not replace the file", fs_.LastProblem());
    if (!error.empty())
        fs_.Remove(temporary);
    return error;
}
