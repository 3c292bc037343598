// Writes the seed corpus of the bitmap check's fuzz target: one well-formed file of each
// drawable format, both row orders, the core header and run-length streams, into the folder
// given as the argument.
#include <cstdio>
#include <string>

#include "graphics_bitmap_builder.h"

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    std::vector<std::vector<uint8_t>> files;
    for (uint16_t bits : {1, 4, 8, 16, 24, 32})
        for (bool masks : {false, true})
            for (int32_t height : {3, -3})
                if (!masks || bits == 16 || bits == 32)
                    files.push_back(bitmap_builder::Make(5, height, bits, masks, 0x3C));
    for (uint16_t bits : {1, 4, 8, 24})
        files.push_back(bitmap_builder::MakeCore(5, 3, bits, 0x3C));
    // Runs into the row padding, a literal run, a delta, end of line and end of bitmap.
    files.push_back(bitmap_builder::MakeRle(5, 3, 8, {5, 1, 3, 0, 0, 0, 0, 3, 1, 2, 3, 0, 0, 2, 1, 1, 2, 4, 0, 0, 0, 1}));
    files.push_back(bitmap_builder::MakeRle(7, 3, 4, {7, 0x12, 1, 0, 0, 0, 0, 5, 0x12, 0x34, 0x50, 0, 0, 2, 1, 1, 2,
                                                      0x56, 0, 1}));
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string name = std::string(argv[1]) + "/seed" + std::to_string(i) + ".bmp";
        std::FILE *f = std::fopen(name.c_str(), "wb");
        if (!f || std::fwrite(files[i].data(), 1, files[i].size(), f) != files[i].size() || std::fclose(f) != 0) {
            std::perror(name.c_str());
            return 1;
        }
    }
    return 0;
}
