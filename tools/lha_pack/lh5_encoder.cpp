#include "lha_pack/lh5_encoder.h"

#include "lha_pack/bit_writer.h"
#include "lha_pack/block_split.h"
#include "lha_pack/lh5_block.h"

namespace lha {

std::optional<std::vector<uint8_t>> CompressLh5(std::span<const uint8_t> data, uint64_t sizeLimit,
                                                const Lh5Options &options)
{
    BitWriter out;
    LazyParser parser(data, options.parse);
    std::vector<Token> tokens;
    while (!parser.Done()) {
        tokens.clear();
        parser.Parse(tokens, options.segmentTokens);
        const std::span<const Token> all(tokens);
        size_t at = 0;
        for (size_t length : SplitIntoBlocks(all, options.blockUnit)) {
            WriteBlock(out, all.subspan(at, length));
            at += length;
        }
        if (out.BitCount() / 8 > sizeLimit)
            return std::nullopt;
    }
    std::vector<uint8_t> bytes = out.Finish();
    if (bytes.size() > sizeLimit)
        return std::nullopt;
    return bytes;
}

} // namespace lha
