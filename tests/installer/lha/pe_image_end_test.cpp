#include <gtest/gtest.h>

#include <vector>

#include "installer/twlsetup/pe_image_end.h"

namespace {

struct Section {
    uint32_t rawSize;
    uint32_t rawPointer;
};

void Put32(std::vector<uint8_t> &b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

constexpr size_t peAt = 0x80;
constexpr size_t optionalSize = 0xE0;
constexpr size_t sectionTableAt = peAt + 24 + optionalSize;

// An executable's headers with the given sections, `size` bytes long.
std::vector<uint8_t> Image(const std::vector<Section> &sections, size_t size, uint32_t symbolTable = 0,
                           uint32_t symbols = 0)
{
    std::vector<uint8_t> b(size, 0xCC);
    b[0] = 'M';
    b[1] = 'Z';
    Put32(b, 0x3C, peAt);
    Put32(b, peAt, 0x00004550);
    b[peAt + 4] = 0x4C; // i386
    b[peAt + 5] = 0x01;
    b[peAt + 6] = static_cast<uint8_t>(sections.size());
    b[peAt + 7] = 0;
    Put32(b, peAt + 12, symbolTable);
    Put32(b, peAt + 16, symbols);
    b[peAt + 20] = optionalSize;
    b[peAt + 21] = 0;
    for (size_t i = 0; i < sections.size(); ++i) {
        Put32(b, sectionTableAt + 40 * i + 16, sections[i].rawSize);
        Put32(b, sectionTableAt + 40 * i + 20, sections[i].rawPointer);
    }
    return b;
}

TEST(PeImageEnd, IsTheFurthestEndOfAnySection)
{
    std::string error;
    EXPECT_EQ(PeImageEnd(Image({{0x200, 0x400}, {0x600, 0x800}, {0x200, 0x600}}, 0x2000), error), 0xE00u);
    EXPECT_EQ(PeImageEnd(Image({{0x200, 0x400}, {0, 0x1F00}}, 0x1000), error), 0x600u); // empty .bss
    EXPECT_EQ(PeImageEnd(Image({{0x200, 0x400}}, 0x600), error), 0x600u);
    EXPECT_EQ(error, "");
}

TEST(PeImageEnd, CoversTheSymbolAndStringTables)
{
    std::vector<uint8_t> image = Image({{0x200, 0x400}}, 0x1000, 0x600, 10);
    Put32(image, 0x600 + 180, 0x30); // the string table's size field counts itself
    std::string error;
    EXPECT_EQ(PeImageEnd(image, error), 0x600u + 180 + 0x30) << error;
}

TEST(PeImageEnd, HeadersPointingOutsideTheFileAreRefused)
{
    std::string error;
    EXPECT_EQ(PeImageEnd(Image({{0x200, 0x400}}, 0x5FF), error), 0u);
    EXPECT_EQ(error, "a section lies past the end of the file");
    EXPECT_EQ(PeImageEnd(Image({{0xFFFFFF00u, 0x400}}, 0x1000), error), 0u);
    EXPECT_EQ(PeImageEnd(Image({{0x200, 0xFFFFFF00u}}, 0x1000), error), 0u);
    EXPECT_EQ(PeImageEnd(Image({{0x200, 0x400}}, 0x1000, 0xFFFFFFF0u, 1), error), 0u);
    EXPECT_EQ(error, "the symbol table lies past the end of the file");
    EXPECT_EQ(PeImageEnd(Image({}, 0x1000), error), 0u);
    EXPECT_EQ(error, "section table missing or cut off");

    std::vector<uint8_t> image = Image({{0x200, 0x400}}, 0x1000);
    image[peAt + 6] = 0xFF; // 255 sections: the table runs past the end
    image.resize(0x1000);
    EXPECT_EQ(PeImageEnd(std::span<const uint8_t>(image).first(sectionTableAt + 100), error), 0u);

    Put32(image, 0x3C, 0xFFFFFFF0u);
    EXPECT_EQ(PeImageEnd(image, error), 0u);
    EXPECT_EQ(error, "no PE header");
    image[1] = 'X';
    EXPECT_EQ(PeImageEnd(image, error), 0u);
    EXPECT_EQ(error, "no MZ header");
    EXPECT_EQ(PeImageEnd({}, error), 0u);
}

} // namespace
