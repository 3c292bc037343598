#include <gtest/gtest.h>

#include "archive_builder.h"
#include "installer/lha/lha_crc.h"
#include "installer/lha/lha_header.h"
#include "installer/lha/lha_path.h"

namespace {

MemberSpec Spec(unsigned level, const std::string &name, const std::string &content)
{
    MemberSpec spec;
    spec.level = level;
    spec.name = name;
    spec.original = Bytes(content);
    spec.time = level == 2 ? 1700000000u : 0x5A8B6C21u;
    return spec;
}

TEST(LhaHeader, EachLevelYieldsTheSameFields)
{
    for (unsigned level : {0u, 1u, 2u}) {
        const MemberSpec spec = Spec(level, "readme.txt", "hello, world");
        const std::vector<uint8_t> member = BuildMember(spec);
        const HeaderResult result = ParseHeader(member);
        ASSERT_EQ(result.status, HeaderStatus::member) << level << ": " << result.error;
        const LhaHeader &h = result.header;
        EXPECT_EQ(h.level, level);
        EXPECT_EQ(h.method, "-lh0-");
        EXPECT_EQ(h.path, "readme.txt");
        EXPECT_EQ(h.packedSize, 12u);
        EXPECT_EQ(h.originalSize, 12u);
        EXPECT_EQ(h.crc, LhaCrc16(0, spec.original.data(), spec.original.size()));
        EXPECT_EQ(h.headerSize + h.packedSize, member.size());
        if (level == 2) {
            EXPECT_EQ(h.time.kind, MemberTime::Kind::unixUtc);
            EXPECT_EQ(h.time.unixSeconds, 1700000000);
        } else {
            EXPECT_EQ(h.time.kind, MemberTime::Kind::dosLocal);
            EXPECT_EQ(h.time.dos, 0x5A8B6C21u);
        }
    }
}

TEST(LhaHeader, ExtendedHeadersGiveDirectoryNameAndTime)
{
    MemberSpec level1 = Spec(1, "a.txt", "x");
    level1.directory = "dir\xFFsub\xFF";
    level1.unixTimeExtension = 1234567890;
    HeaderResult result = ParseHeader(BuildMember(level1));
    ASSERT_EQ(result.status, HeaderStatus::member) << result.error;
    EXPECT_EQ(result.header.path, "dir\xFFsub\xFF" "a.txt");
    EXPECT_EQ(result.header.time.kind, MemberTime::Kind::unixUtc);
    EXPECT_EQ(result.header.time.unixSeconds, 1234567890);
    EXPECT_EQ(result.header.packedSize, 1u); // the extended headers are not member data

    MemberSpec level2 = Spec(2, "b.txt", "yz");
    level2.directory = "d\xFF";
    level2.windowsTimeExtension = 116444736000000000ull + 10000000ull * 86400; // 2 Jan 1970
    result = ParseHeader(BuildMember(level2));
    ASSERT_EQ(result.status, HeaderStatus::member) << result.error;
    EXPECT_EQ(result.header.path, "d\xFF" "b.txt");
    EXPECT_EQ(result.header.time.unixSeconds, 86400);
}

// Whether the directory ends with a separator depends on the program that wrote it.
TEST(LhaHeader, ADirectoryWithoutItsSeparatorIsStillAFolder)
{
    for (unsigned level : {1u, 2u}) {
        for (const char *directory : {"sub", "sub\xFF", "sub/", "sub\\"}) {
            MemberSpec spec = Spec(level, "file", "x");
            spec.directory = directory;
            const HeaderResult result = ParseHeader(BuildMember(spec));
            ASSERT_EQ(result.status, HeaderStatus::member) << result.error;
            EXPECT_EQ(PrintableName(result.header.path), "sub/file") << level << " " << directory;
        }
    }
}

TEST(LhaHeader, ZeroByteOrNothingEndsTheArchive)
{
    EXPECT_EQ(ParseHeader({}).status, HeaderStatus::end);
    const std::vector<uint8_t> zero = {0, 0x41, 0x42};
    EXPECT_EQ(ParseHeader(zero).status, HeaderStatus::end);
}

TEST(LhaHeader, Level2HeaderOf256BytesIsNotTheEnd)
{
    // 26 base bytes, CRC extension 5, name extension 3 + length, end of chain: 256 in all.
    MemberSpec spec = Spec(2, std::string(256 - 26 - 5 - 3, 'n'), "data");
    const std::vector<uint8_t> member = BuildMember(spec);
    ASSERT_EQ(member[0], 0);
    ASSERT_EQ(member[1], 1);
    const HeaderResult result = ParseHeader(member);
    ASSERT_EQ(result.status, HeaderStatus::member) << result.error;
    EXPECT_EQ(result.header.path.size(), 222u);
}

TEST(LhaHeader, DamagedHeadersAreErrors)
{
    std::vector<uint8_t> level0 = BuildMember(Spec(0, "a", "b"));
    level0[1] ^= 1;
    EXPECT_EQ(ParseHeader(level0).error, "header checksum mismatch");

    std::vector<uint8_t> level2 = BuildMember(Spec(2, "a", "b"));
    level2[level2.size() - 4] ^= 0x20; // in the name
    EXPECT_EQ(ParseHeader(level2).error, "header CRC mismatch");

    std::vector<uint8_t> level3 = BuildMember(Spec(2, "a", "b"));
    level3[20] = 3;
    EXPECT_EQ(ParseHeader(level3).error, "header level 3 is not supported");

    std::vector<uint8_t> noMethod = BuildMember(Spec(0, "a", "b"));
    noMethod[2] = 'x';
    EXPECT_EQ(ParseHeader(noMethod).error, "no method name where a header should be");

    std::vector<uint8_t> longName = BuildMember(Spec(0, "abc", "b"));
    longName[21] = 200;
    longName[1] = static_cast<uint8_t>(longName[1] + 197);
    EXPECT_EQ(ParseHeader(longName).status, HeaderStatus::error);

    MemberSpec tinyExtension = Spec(2, "a", "b");
    tinyExtension.headerCrcExtension = false;
    std::vector<uint8_t> tiny = BuildMember(tinyExtension);
    tiny[24] = 2; // the first extended header claims 2 bytes
    EXPECT_EQ(ParseHeader(tiny).error, "extended header of 2 bytes");

    std::vector<uint8_t> longChain = BuildMember(tinyExtension);
    longChain[24] = 0xF0;
    EXPECT_EQ(ParseHeader(longChain).error, "extended header runs past the header");
}

TEST(LhaHeader, EveryCutThroughAHeaderIsAnError)
{
    for (unsigned level : {0u, 1u, 2u}) {
        MemberSpec spec = Spec(level, "some/name.txt", "");
        if (level > 0)
            spec.directory = "dir\xFF";
        const std::vector<uint8_t> member = BuildMember(spec);
        for (size_t cut = 1; cut < member.size(); ++cut) {
            const std::vector<uint8_t> part(member.begin(), member.begin() + static_cast<std::ptrdiff_t>(cut));
            EXPECT_EQ(ParseHeader(part).status, HeaderStatus::error) << "level " << level << " cut " << cut;
        }
        EXPECT_EQ(ParseHeader(member).status, HeaderStatus::member);
    }
}

TEST(LhaHeader, Level1ExtensionsCannotClaimMoreThanThePackedSize)
{
    MemberSpec spec = Spec(1, "a", "0123456789");
    spec.directory = "dir\xFF";
    std::vector<uint8_t> member = BuildMember(spec);
    member[7] = 3; // packed size 3: less than the 7-byte directory extension
    member[1] = static_cast<uint8_t>(member[1] - 10 - 7 + 3);
    EXPECT_EQ(ParseHeader(member).error, "extended header runs past the header");
}

} // namespace
