#include "archive_builder.h"

#include <stdexcept>

#include "installer/lha/lha_crc.h"

namespace {

void Put16(std::vector<uint8_t> &b, uint32_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t> &b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

void Set16(std::vector<uint8_t> &b, size_t at, uint32_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

// Method, packed size, original size, time, attribute/reserved byte and level: bytes 2..20.
void PutCommon(std::vector<uint8_t> &h, const MemberSpec &spec, uint32_t packedField)
{
    h.insert(h.end(), spec.method.begin(), spec.method.end());
    Put32(h, packedField);
    Put32(h, spec.originalSize.value_or(static_cast<uint32_t>(spec.original.size())));
    Put32(h, spec.time);
    h.push_back(0x20);
    h.push_back(static_cast<uint8_t>(spec.level));
}

// Extended headers, each followed by the size of the next; the chain ends with size 0.
struct Extension {
    uint8_t type;
    std::vector<uint8_t> data;
};

std::vector<Extension> ExtensionsOf(const MemberSpec &spec)
{
    std::vector<Extension> list;
    if (spec.level == 2 && spec.headerCrcExtension)
        list.push_back({0x00, {0, 0}});
    if (spec.level == 2)
        list.push_back({0x01, Bytes(spec.name)});
    if (spec.directory)
        list.push_back({0x02, Bytes(*spec.directory)});
    if (spec.unixTimeExtension) {
        Extension e{0x54, {}};
        Put32(e.data, *spec.unixTimeExtension);
        list.push_back(e);
    }
    if (spec.windowsTimeExtension) {
        Extension e{0x41, std::vector<uint8_t>(24, 0)};
        for (int i = 0; i < 8; ++i)
            e.data[8 + i] = static_cast<uint8_t>(*spec.windowsTimeExtension >> (8 * i));
        list.push_back(e);
    }
    return list;
}

// The chain after its first size field (which the base header holds).
std::vector<uint8_t> Chain(const std::vector<Extension> &list)
{
    std::vector<uint8_t> chain;
    for (size_t i = 0; i < list.size(); ++i) {
        chain.push_back(list[i].type);
        chain.insert(chain.end(), list[i].data.begin(), list[i].data.end());
        Put16(chain, i + 1 < list.size() ? list[i + 1].data.size() + 3 : 0);
    }
    return chain;
}

uint32_t FirstSize(const std::vector<Extension> &list)
{
    return list.empty() ? 0 : static_cast<uint32_t>(list[0].data.size() + 3);
}

std::vector<uint8_t> Level0Or1(const MemberSpec &spec, const std::vector<uint8_t> &packed)
{
    const std::vector<Extension> list = spec.level == 1 ? ExtensionsOf(spec) : std::vector<Extension>{};
    const std::vector<uint8_t> chain = Chain(list);
    std::vector<uint8_t> h = {0, 0};
    PutCommon(h, spec, static_cast<uint32_t>(packed.size() + chain.size()));
    h.push_back(static_cast<uint8_t>(spec.name.size()));
    h.insert(h.end(), spec.name.begin(), spec.name.end());
    Put16(h, spec.crc.value_or(LhaCrc16(0, spec.original.data(), spec.original.size())));
    if (spec.level == 1) {
        h.push_back('U');
        Put16(h, FirstSize(list));
    }
    if (h.size() - 2 > 255)
        throw std::length_error("level 0/1 header longer than 257 bytes");
    h[0] = static_cast<uint8_t>(h.size() - 2);
    unsigned sum = 0;
    for (size_t i = 2; i < h.size(); ++i)
        sum += h[i];
    h[1] = static_cast<uint8_t>(sum);
    h.insert(h.end(), chain.begin(), chain.end());
    return h;
}

std::vector<uint8_t> Level2(const MemberSpec &spec, const std::vector<uint8_t> &packed)
{
    const std::vector<Extension> list = ExtensionsOf(spec);
    std::vector<uint8_t> h = {0, 0};
    PutCommon(h, spec, static_cast<uint32_t>(packed.size()));
    Put16(h, spec.crc.value_or(LhaCrc16(0, spec.original.data(), spec.original.size())));
    h.push_back('U');
    Put16(h, FirstSize(list));
    const std::vector<uint8_t> chain = Chain(list);
    h.insert(h.end(), chain.begin(), chain.end());
    Set16(h, 0, static_cast<uint32_t>(h.size()));
    if (spec.headerCrcExtension)
        Set16(h, 27, LhaCrc16(0, h.data(), h.size())); // the CRC extension comes first
    return h;
}

} // namespace

std::vector<uint8_t> Bytes(const std::string &text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<uint8_t> BuildMember(const MemberSpec &spec)
{
    const std::vector<uint8_t> &packed = spec.packed ? *spec.packed : spec.original;
    std::vector<uint8_t> member = spec.level == 2 ? Level2(spec, packed) : Level0Or1(spec, packed);
    member.insert(member.end(), packed.begin(), packed.end());
    return member;
}

std::vector<uint8_t> BuildArchive(const std::vector<MemberSpec> &members)
{
    std::vector<uint8_t> archive;
    for (const MemberSpec &spec : members) {
        const std::vector<uint8_t> member = BuildMember(spec);
        archive.insert(archive.end(), member.begin(), member.end());
    }
    archive.push_back(0);
    return archive;
}
