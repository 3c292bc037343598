#include "bmp_file.h"

#include <math.h>
#include <stdio.h>

namespace {

constexpr double kPi = 3.14159265358979323846;

void Put16(std::vector<uint8_t> &out, size_t at, uint32_t v)
{
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void Put32(std::vector<uint8_t> &out, size_t at, uint32_t v)
{
    Put16(out, at, v & 0xFFFF);
    Put16(out, at + 2, v >> 16);
}

} // namespace

std::vector<uint8_t> BuildBmp(int32_t width, int32_t height, const std::vector<uint32_t> &pixels)
{
    if (width < 1 || height < 1 || pixels.size() != static_cast<size_t>(width) * height)
        return {};
    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t bitsOffset = 14 + 40;
    const uint32_t size = bitsOffset + stride * static_cast<uint32_t>(height);
    std::vector<uint8_t> out(size, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, size);
    Put32(out, 10, bitsOffset);
    Put32(out, 14, 40);
    Put32(out, 18, static_cast<uint32_t>(width));
    Put32(out, 22, static_cast<uint32_t>(height)); // positive: bottom row first
    Put16(out, 26, 1);
    Put16(out, 28, 24);
    Put32(out, 34, stride * static_cast<uint32_t>(height));
    for (int32_t y = 0; y < height; ++y) {
        uint8_t *row = &out[bitsOffset + stride * static_cast<uint32_t>(height - 1 - y)];
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t rgb = pixels[static_cast<size_t>(y) * width + x];
            row[3 * x] = static_cast<uint8_t>(rgb);           // blue
            row[3 * x + 1] = static_cast<uint8_t>(rgb >> 8);  // green
            row[3 * x + 2] = static_cast<uint8_t>(rgb >> 16); // red
        }
    }
    return out;
}

std::vector<uint32_t> DemoPicture(int32_t size)
{
    std::vector<uint32_t> pixels(static_cast<size_t>(size) * size);
    const double centre = (size - 1) / 2.0, radius = size * 0.45;
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) {
            const double dx = x - centre, dy = y - centre;
            uint32_t colour = ((x / 8 + y / 8) % 2) ? 0xD0D0D0 : 0x707070;
            if (dx * dx + dy * dy <= radius * radius) {
                // hue from the angle, three linear ramps
                const double hue = (atan2(dy, dx) + kPi) / (2 * kPi) * 3;
                const double f = hue - floor(hue);
                const auto up = static_cast<uint32_t>(255 * f), down = 255 - up;
                switch (static_cast<int>(hue) % 3) {
                case 0: colour = (down << 16) | (up << 8); break;
                case 1: colour = (down << 8) | up; break;
                default: colour = (up << 16) | down; break;
                }
            }
            pixels[static_cast<size_t>(y) * size + x] = colour;
        }
    }
    return pixels;
}

bool WriteWholeFile(const char *name, const std::vector<uint8_t> &bytes)
{
    FILE *file = fopen(name, "wb");
    if (!file)
        return false;
    const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
}
