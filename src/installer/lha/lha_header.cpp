#include "installer/lha/lha_header.h"

#include <algorithm>

#include "installer/lha/lha_bytes.h"
#include "installer/lha/lha_crc.h"
#include "installer/lha/lha_extended_header.h"

namespace {

// Offsets shared by all levels.
constexpr size_t methodAt = 2;
constexpr size_t packedAt = 7;
constexpr size_t originalAt = 11;
constexpr size_t timeAt = 15;
constexpr size_t levelAt = 20;
constexpr size_t nameLengthAt = 21; // levels 0 and 1
constexpr size_t level2CrcAt = 21;
constexpr size_t level2NextSizeAt = 24;
constexpr size_t level2BaseSize = 26;

bool LooksLikeMethod(const uint8_t *p)
{
    return p[0] == '-' && p[1] == 'l' && p[4] == '-';
}

// The directory of an extended header ends with a separator or not, depending on the
// program that wrote it: either way it is a folder above the name.
std::string JoinDirectory(const std::string &directory, const std::string &name)
{
    if (directory.empty() || name.empty())
        return directory + name;
    const char last = directory.back();
    const bool separated = last == '/' || last == '\\' || static_cast<unsigned char>(last) == 0xFF;
    return separated ? directory + name : directory + '\xFF' + name;
}

HeaderResult Fail(std::string why)
{
    HeaderResult result;
    result.error = std::move(why);
    return result;
}

// Levels 0 and 1 start with the size of the header after its first two bytes and a byte sum.
bool ChecksumMatches(std::span<const uint8_t> base)
{
    unsigned sum = 0;
    for (size_t i = 2; i < base.size(); ++i)
        sum += base[i];
    return (sum & 0xFF) == base[1];
}

void ReadCommonFields(const uint8_t *p, LhaHeader &header)
{
    header.method.assign(reinterpret_cast<const char *>(p + methodAt), 5);
    header.packedSize = LoadLe32(p + packedAt);
    header.originalSize = LoadLe32(p + originalAt);
    header.level = p[levelAt];
}

HeaderResult ParseLevel0Or1(std::span<const uint8_t> bytes)
{
    const size_t baseSize = size_t{bytes[0]} + 2;
    if (baseSize < nameLengthAt + 3)
        return Fail("header of " + std::to_string(baseSize) + " bytes");
    if (baseSize > bytes.size())
        return Fail("header cut off by the end of the archive");
    const std::span<const uint8_t> base = bytes.first(baseSize);
    if (!ChecksumMatches(base))
        return Fail("header checksum mismatch");
    HeaderResult result;
    LhaHeader &header = result.header;
    ReadCommonFields(base.data(), header);
    const size_t nameLength = base[nameLengthAt];
    const size_t fixedAfterName = header.level == 0 ? 2 : 5; // CRC; level 1 adds OS and next size
    if (nameLengthAt + 1 + nameLength + fixedAfterName > baseSize)
        return Fail("name longer than its header");
    header.path.assign(reinterpret_cast<const char *>(base.data() + nameLengthAt + 1), nameLength);
    header.crc = LoadLe16(base.data() + nameLengthAt + 1 + nameLength);
    header.time.kind = MemberTime::Kind::dosLocal;
    header.time.dos = LoadLe32(base.data() + timeAt);
    header.headerSize = baseSize;
    if (header.level == 1) {
        // The packed size counts the extended headers after the base header as well.
        const std::span<const uint8_t> rest = bytes.subspan(baseSize);
        const std::span<const uint8_t> chain = rest.first(std::min<uint64_t>(rest.size(), header.packedSize));
        ExtendedFields fields;
        size_t used = 0;
        std::string error = ParseExtendedHeaders(chain, LoadLe16(base.data() + baseSize - 2), fields, used);
        if (!error.empty())
            return Fail(std::move(error));
        if (fields.name)
            header.path = *fields.name;
        if (fields.directory)
            header.path = JoinDirectory(*fields.directory, header.path);
        if (fields.unixTime) {
            header.time.kind = MemberTime::Kind::unixUtc;
            header.time.unixSeconds = *fields.unixTime;
        }
        header.headerSize += used;
        header.packedSize -= used;
    }
    result.status = HeaderStatus::member;
    return result;
}

uint16_t Level2HeaderCrc(std::span<const uint8_t> header, size_t crcAt)
{
    static constexpr uint8_t zeros[2] = {0, 0};
    uint16_t crc = LhaCrc16(0, header.data(), crcAt);
    crc = LhaCrc16(crc, zeros, 2);
    return LhaCrc16(crc, header.data() + crcAt + 2, header.size() - crcAt - 2);
}

HeaderResult ParseLevel2(std::span<const uint8_t> bytes)
{
    const size_t total = LoadLe16(bytes.data());
    if (total < level2BaseSize)
        return Fail("level 2 header of " + std::to_string(total) + " bytes");
    if (total > bytes.size())
        return Fail("header cut off by the end of the archive");
    const std::span<const uint8_t> whole = bytes.first(total);
    HeaderResult result;
    LhaHeader &header = result.header;
    ReadCommonFields(whole.data(), header);
    header.crc = LoadLe16(whole.data() + level2CrcAt);
    header.time.kind = MemberTime::Kind::unixUtc;
    header.time.unixSeconds = LoadLe32(whole.data() + timeAt);
    header.headerSize = total;

    ExtendedFields fields;
    size_t used = 0;
    std::string error = ParseExtendedHeaders(whole.subspan(level2BaseSize), LoadLe16(whole.data() + level2NextSizeAt),
                                             fields, used);
    if (!error.empty())
        return Fail(std::move(error));
    if (fields.crcOffset && Level2HeaderCrc(whole, level2BaseSize + *fields.crcOffset) != fields.headerCrc)
        return Fail("header CRC mismatch");
    header.path = JoinDirectory(fields.directory.value_or(""), fields.name.value_or(""));
    if (fields.unixTime)
        header.time.unixSeconds = *fields.unixTime;
    result.status = HeaderStatus::member;
    return result;
}

// A level 2 header whose size is a multiple of 256 starts with a zero byte, like the end mark.
bool IsLevel2WithZeroLowByte(std::span<const uint8_t> bytes)
{
    return bytes.size() >= level2BaseSize && bytes[1] != 0 && bytes[levelAt] == 2 &&
           LooksLikeMethod(bytes.data() + methodAt);
}

} // namespace

HeaderResult ParseHeader(std::span<const uint8_t> bytes)
{
    if (bytes.empty() || (bytes[0] == 0 && !IsLevel2WithZeroLowByte(bytes))) {
        HeaderResult end;
        end.status = HeaderStatus::end;
        return end;
    }
    if (bytes.size() <= levelAt + 1)
        return Fail("header cut off by the end of the archive");
    if (!LooksLikeMethod(bytes.data() + methodAt))
        return Fail("no method name where a header should be");
    switch (bytes[levelAt]) {
    case 0:
    case 1:
        return ParseLevel0Or1(bytes);
    case 2:
        return ParseLevel2(bytes);
    default:
        return Fail("header level " + std::to_string(bytes[levelAt]) + " is not supported");
    }
}
