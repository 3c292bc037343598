// Where the blocks of a run of tokens end: each block carries its own code tables, so a new block
// pays when the statistics change enough to outweigh the tables it sends.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "lha_pack/lh5_format.h"

namespace lha {

// Token counts of the blocks, each 1..maxBlockSymbols, together covering `tokens`, chosen
// among cuts every `unit` tokens by an estimate of the coded size.
std::vector<size_t> SplitIntoBlocks(std::span<const Token> tokens, size_t unit = 1024);

} // namespace lha
