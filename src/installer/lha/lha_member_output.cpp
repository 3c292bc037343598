#include "installer/lha/lha_member_output.h"

#include <cstdio>

#include "installer/lha/lha_crc.h"
#include "installer/lha/lha_decoder.h"
#include "installer/lha/lha_path.h"

namespace {

constexpr unsigned temporaryNameAttempts = 100;

std::string ParentOf(const std::string &path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Writes to the file while keeping count and CRC of what went through.
class FileSink : public ByteSink {
public:
    FileSink(FileSystem &fs, FileHandle file) : fs_(fs), file_(file) {}

    bool Put(const uint8_t *data, size_t size) override
    {
        crc_ = LhaCrc16(crc_, data, size);
        written_ += size;
        return fs_.Write(file_, data, size);
    }

    uint16_t crc() const { return crc_; }
    uint64_t written() const { return written_; }

private:
    FileSystem &fs_;
    FileHandle file_;
    uint16_t crc_ = 0;
    uint64_t written_ = 0;
};

FileHandle OpenTemporaryBeside(FileSystem &fs, const std::string &path, std::string &temporary)
{
    const std::string parent = ParentOf(path);
    for (unsigned n = 0; n < temporaryNameAttempts; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "~TWL%04u.TMP", n);
        temporary = parent + name;
        const FileHandle file = fs.OpenTemporary(temporary);
        if (file != noFile)
            return file;
    }
    return noFile;
}

// Decodes into the open temporary file and closes it. Empty when its content is right.
std::string FillTemporary(FileSystem &fs, FileHandle file, const LhaHeader &header, std::span<const uint8_t> packed)
{
    FileSink sink(fs, file);
    const DecodeStatus status = DecodeMember(header.method, packed, header.originalSize, sink);
    const bool closed = fs.Close(file);
    if (status != DecodeStatus::ok)
        return DecodeStatusText(status);
    if (!closed)
        return "could not write the file";
    if (sink.written() != header.originalSize)
        return "decoded size differs from the header";
    if (sink.crc() != header.crc)
        return "CRC mismatch, the member is damaged";
    return {};
}

} // namespace

std::string MakeDirectories(FileSystem &fs, const std::string &path)
{
    for (size_t slash = path.find('/'); ; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (!fs.MakeDirectory(prefix))
            return "could not create directory " + prefix;
        if (slash == std::string::npos)
            return {};
    }
}

std::string WriteFileMember(FileSystem &fs, const LhaHeader &header, std::span<const uint8_t> packed,
                            const std::string &path)
{
    if (!IsDecodableMethod(header.method))
        return "compression method " + PrintableName(header.method) + " not supported";
    const std::string parent = ParentOf(path);
    if (!parent.empty()) {
        std::string error = MakeDirectories(fs, parent.substr(0, parent.size() - 1));
        if (!error.empty())
            return error;
    }
    std::string temporary;
    const FileHandle file = OpenTemporaryBeside(fs, path, temporary);
    if (file == noFile)
        return "could not create a temporary file";
    std::string error = FillTemporary(fs, file, header, packed);
    if (error.empty() && IsUsableTime(header.time) && !fs.SetTime(temporary, header.time))
        error = "could not set the file's time";
    if (error.empty() && !fs.RenameOver(temporary, path))
        error = "could not replace the file";
    if (!error.empty())
        fs.Remove(temporary);
    return error;
}
