// One member of the archive: its data stored or compressed, with the header that describes it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lha {

enum class PackMethod {
    Auto,  // lh5, or lh0 when compression does not make the data smaller
    Lh5,
    Lh0,
};

struct PackedMember {
    std::vector<uint8_t> header;
    std::vector<uint8_t> body;
};

// The member `path` ("dir/name") holding `data`, or nothing with `error` set when it cannot be
// carried (4 GiB or more of data or of compressed data, or a path the header cannot hold).
std::optional<PackedMember> PackMember(const std::string &path, std::span<const uint8_t> data, uint32_t unixTime,
                                       PackMethod method, std::string &error);

} // namespace lha
