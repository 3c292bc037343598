// The LZSS + static Huffman decoder of -lh5-, -lh6- and -lh7-.
#pragma once

#include "installer/lha/lha_decoder.h"

// `windowBits`: 13, 15 or 16. The window starts out filled with spaces.
DecodeStatus DecodeLzh(unsigned windowBits, std::span<const uint8_t> packed, uint64_t originalSize, ByteSink &sink);
