#include "lha_pack/lha_header.h"


#include "installer/lha/lha_crc.h"

namespace lha {

namespace {

void Put16(std::vector<uint8_t> &out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t> &out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void Set16(std::vector<uint8_t> &out, size_t at, uint32_t v)
{
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

// Appends one extended header whose own next-size field ends it; the previous next-size field
// (at `link`) gets its size.
void PutExtended(std::vector<uint8_t> &out, size_t &link, uint8_t type, const std::string &data)
{
    const size_t size = 1 + data.size() + 2;
    Set16(out, link, static_cast<uint32_t>(size));
    out.push_back(type);
    out.insert(out.end(), data.begin(), data.end());
    link = out.size();
    Put16(out, 0);
}

} // namespace

std::vector<uint8_t> BuildLevel2Header(const MemberHeader &member, std::string &error)
{
    const size_t slash = member.path.rfind('/');
    const std::string fileName = slash == std::string::npos ? member.path : member.path.substr(slash + 1);
    std::string directory = slash == std::string::npos ? std::string() : member.path.substr(0, slash + 1);
    if (fileName.empty()) {
        error = "the member \"" + member.path + "\" has no file name";
        return {};
    }
    if (member.path.find('\xFF') != std::string::npos) {
        error = "the member \"" + member.path + "\" holds a 0xFF byte, the directory separator of the archive";
        return {};
    }
    if (!directory.empty() && (directory[0] == '/' || directory.find("//") != std::string::npos)) {
        error = "the member \"" + member.path + "\" has an empty directory name";
        return {};
    }
    for (char &c : directory)
        if (c == '/')
            c = static_cast<char>(directorySeparator);

    std::vector<uint8_t> out;
    Put16(out, 0);  // the total size, known at the end
    out.insert(out.end(), member.method, member.method + 5);
    Put32(out, member.packedSize);
    Put32(out, member.originalSize);
    Put32(out, member.unixTime);
    out.push_back(0x20);  // the reserved byte: an ordinary file
    out.push_back(2);     // the header level
    Put16(out, member.dataCrc);
    out.push_back(osIdUnix);
    size_t link = out.size();
    Put16(out, 0);

    PutExtended(out, link, extCommon, std::string(2, '\0'));
    const size_t crcAt = out.size() - 4;
    PutExtended(out, link, extFileName, fileName);
    if (!directory.empty())
        PutExtended(out, link, extDirectory, directory);
    // A total size with a zero low byte would read as the end of the archive: pad it.
    if ((out.size() & 0xFF) == 0)
        out.push_back(0);
    if (out.size() > 0xFFFF) {
        error = "the header of \"" + member.path + "\" would exceed 65535 bytes";
        return {};
    }
    Set16(out, 0, static_cast<uint32_t>(out.size()));
    Set16(out, crcAt, LhaCrc16(0, out.data(), out.size()));
    return out;
}

} // namespace lha
