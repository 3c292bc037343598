// Windows bitmap files (24 bits per pixel) built in memory, for the graphics page and the
// click-band labels.
#pragma once

#include <stdint.h>

#include <vector>

// `pixels` holds width x height colours 0x00RRGGBB, top row first. Returns the whole file:
// the 14-byte file header, a 40-byte information header and bottom-up rows padded to 4 bytes.
std::vector<uint8_t> BuildBmp(int32_t width, int32_t height, const std::vector<uint32_t> &pixels);

// The picture of the graphics page: a 64 x 64 colour wheel on a checkered ground.
std::vector<uint32_t> DemoPicture(int32_t size);

bool WriteWholeFile(const char *name, const std::vector<uint8_t> &bytes);
