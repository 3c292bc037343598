#include "lha_pack/archive_member.h"

#include "installer/lha/lha_crc.h"
#include "lha_pack/lh5_encoder.h"
#include "lha_pack/lha_header.h"

namespace lha {

std::optional<PackedMember> PackMember(const std::string &path, std::span<const uint8_t> data, uint32_t unixTime,
                                       PackMethod method, std::string &error)
{
    if (data.size() > UINT32_MAX) {
        error = "\"" + path + "\" is 4 GiB or larger, beyond the 32-bit sizes of the archive";
        return std::nullopt;
    }
    PackedMember member;
    bool compressed = false;
    if (method == PackMethod::Lh5 || (method == PackMethod::Auto && !data.empty())) {
        const uint64_t limit = method == PackMethod::Lh5 ? UINT32_MAX : data.size() - 1;
        std::optional<std::vector<uint8_t>> packed = CompressLh5(data, limit);
        if (packed) {
            member.body = std::move(*packed);
            compressed = true;
        } else if (method == PackMethod::Lh5) {
            error = "\"" + path + "\" compresses to 4 GiB or more, beyond the 32-bit sizes of the archive";
            return std::nullopt;
        }
    }
    if (!compressed)
        member.body.assign(data.begin(), data.end());

    MemberHeader header;
    header.method = compressed ? "-lh5-" : "-lh0-";
    header.packedSize = static_cast<uint32_t>(member.body.size());
    header.originalSize = static_cast<uint32_t>(data.size());
    header.unixTime = unixTime;
    header.dataCrc = LhaCrc16(0, data.data(), data.size());
    header.path = path;
    member.header = BuildLevel2Header(header, error);
    if (member.header.empty())
        return std::nullopt;
    return member;
}

} // namespace lha
