#include "installer/lha/lha_extended_header.h"

#include "installer/lha/lha_bytes.h"

namespace {

constexpr uint8_t commonType = 0x00;
constexpr uint8_t nameType = 0x01;
constexpr uint8_t directoryType = 0x02;
constexpr uint8_t windowsTimesType = 0x41;
constexpr uint8_t unixTimeType = 0x54;

void Interpret(uint8_t type, const uint8_t *data, size_t size, size_t dataOffset, ExtendedFields &fields)
{
    switch (type) {
    case commonType:
        if (size >= 2) {
            fields.headerCrc = LoadLe16(data);
            fields.crcOffset = dataOffset;
        }
        break;
    case nameType:
        fields.name = std::string(reinterpret_cast<const char *>(data), size);
        break;
    case directoryType:
        fields.directory = std::string(reinterpret_cast<const char *>(data), size);
        break;
    case windowsTimesType: // creation, last write, last access
        if (size >= 24)
            fields.unixTime = FileTimeToUnixSeconds(LoadLe64(data + 8));
        break;
    case unixTimeType:
        if (size >= 4)
            fields.unixTime = LoadLe32(data);
        break;
    default: // attributes, owners, permissions: nothing the extraction uses
        break;
    }
}

} // namespace

std::string ParseExtendedHeaders(std::span<const uint8_t> chain, size_t firstSize, ExtendedFields &fields,
                                 size_t &used)
{
    size_t at = 0;
    size_t size = firstSize;
    while (size != 0) {
        if (size < 3)
            return "extended header of " + std::to_string(size) + " bytes";
        if (size > chain.size() - at)
            return "extended header runs past the header";
        const uint8_t *header = chain.data() + at;
        Interpret(header[0], header + 1, size - 3, at + 1, fields);
        at += size;
        size = LoadLe16(header + size - 2);
    }
    used = at;
    return {};
}
