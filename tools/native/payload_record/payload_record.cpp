#include "payload_record/payload_record.h"

#include <cctype>
#include <cstring>

namespace {

bool IsDosNameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || std::strchr("!#$%&'()-@^_`{}~", c) != nullptr;
}

} // namespace

bool IsDosExeName(const std::string &name)
{
    const size_t dot = name.find('.');
    if (dot == std::string::npos || dot == 0 || dot > 8 || name.size() != dot + 4)
        return false;
    for (size_t i = 0; i < dot; ++i)
        if (!IsDosNameChar(name[i]))
            return false;
    std::string extension = name.substr(dot + 1);
    for (char &c : extension)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return extension == "EXE";
}

uint64_t PaddedPayloadSize(uint64_t length)
{
    return (length + 15) & ~uint64_t{15};
}

std::vector<uint8_t> BuildPayloadRecord(const std::string &name, const std::vector<uint8_t> &payload,
                                        std::string &error)
{
    if (!IsDosExeName(name)) {
        error = "payload name \"" + name + "\" is not an 8.3 name ending in .EXE";
        return {};
    }
    if (payload.size() > 0xFFFFFFF0u) {
        error = "payload of " + std::to_string(payload.size()) +
                " bytes: the record's 32-bit length holds at most 4294967280 bytes";
        return {};
    }
    // The first byte of the big-endian length ends a name that fills its 12 bytes: it must be 0.
    if (name.size() == 12 && payload.size() > 0xFFFFFFu) {
        error = "payload \"" + name + "\" of " + std::to_string(payload.size()) +
                " bytes: with a 12-character name the record holds at most 16777215 bytes (the length's "
                "first byte ends the name); give the payload a shorter name";
        return {};
    }
    std::vector<uint8_t> record(payloadRecordHeaderSize + PaddedPayloadSize(payload.size()), 0);
    record[0] = 'X';
    record[3] = static_cast<uint8_t>(name.size());
    for (size_t i = 0; i < name.size(); ++i)
        record[4 + i] = static_cast<uint8_t>(std::toupper(static_cast<unsigned char>(name[i])));
    const uint32_t length = static_cast<uint32_t>(payload.size());
    for (int i = 0; i < 4; ++i)
        record[16 + i] = static_cast<uint8_t>(length >> (24 - 8 * i));
    if (!payload.empty())
        std::memcpy(record.data() + payloadRecordHeaderSize, payload.data(), payload.size());
    return record;
}
