#include "installer/twlsetup/pe_image_end.h"

#include <algorithm>

#include "installer/lha/lha_bytes.h"

namespace {

constexpr size_t newHeaderPointerAt = 0x3C;
constexpr size_t coffHeaderSize = 20;
constexpr size_t sectionHeaderSize = 40;
constexpr size_t symbolSize = 18;

size_t Fail(std::string &error, const char *why)
{
    error = why;
    return 0;
}

} // namespace

size_t PeImageEnd(std::span<const uint8_t> file, std::string &error)
{
    const uint64_t size = file.size();
    if (size < newHeaderPointerAt + 4 || file[0] != 'M' || file[1] != 'Z')
        return Fail(error, "no MZ header");
    const uint64_t pe = LoadLe32(file.data() + newHeaderPointerAt);
    if (pe + 4 + coffHeaderSize > size || LoadLe32(file.data() + pe) != 0x00004550)
        return Fail(error, "no PE header");
    const uint8_t *coff = file.data() + pe + 4;
    const unsigned sections = LoadLe16(coff + 2);
    const uint64_t symbolTable = LoadLe32(coff + 8);
    const uint64_t symbols = LoadLe32(coff + 12);
    const uint64_t table = pe + 4 + coffHeaderSize + LoadLe16(coff + 16);
    if (sections == 0 || table + uint64_t{sections} * sectionHeaderSize > size)
        return Fail(error, "section table missing or cut off");

    uint64_t end = table + uint64_t{sections} * sectionHeaderSize;
    for (unsigned i = 0; i < sections; ++i) {
        const uint8_t *section = file.data() + table + uint64_t{i} * sectionHeaderSize;
        const uint64_t rawSize = LoadLe32(section + 16);
        const uint64_t rawPointer = LoadLe32(section + 20);
        if (rawSize == 0)
            continue;
        if (rawPointer + rawSize > size)
            return Fail(error, "a section lies past the end of the file");
        end = std::max(end, rawPointer + rawSize);
    }
    if (symbolTable != 0) {
        const uint64_t strings = symbolTable + symbols * symbolSize;
        if (strings + 4 > size)
            return Fail(error, "the symbol table lies past the end of the file");
        const uint64_t stringsEnd = strings + std::max<uint64_t>(4, LoadLe32(file.data() + strings));
        if (stringsEnd > size)
            return Fail(error, "the string table lies past the end of the file");
        end = std::max(end, stringsEnd);
    }
    return static_cast<size_t>(end);
}
