// Writes the seed corpus of the bitmap check's fuzz target: one well-formed file of each
// drawable format, both row orders, into the folder given as the argument.
#include <cstdio>
#include <string>

#include "graphics_bitmap_builder.h"

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    int count = 0;
    for (uint16_t bits : {1, 4, 8, 16, 24, 32})
        for (bool masks : {false, true})
            for (int32_t height : {3, -3}) {
                if (masks && bits != 16 && bits != 32)
                    continue;
                const std::vector<uint8_t> file = bitmap_builder::Make(5, height, bits, masks, 0x3C);
                const std::string name = std::string(argv[1]) + "/seed" + std::to_string(count++) + ".bmp";
                std::FILE *f = std::fopen(name.c_str(), "wb");
                if (!f || std::fwrite(file.data(), 1, file.size(), f) != file.size() || std::fclose(f) != 0) {
                    std::perror(name.c_str());
                    return 1;
                }
            }
    return 0;
}
