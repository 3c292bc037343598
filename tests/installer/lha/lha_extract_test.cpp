#include <gtest/gtest.h>

#include <algorithm>

#include "archive_builder.h"
#include "installer/lha/lha_extract.h"
#include "lzh_test_encoder.h"
#include "memory_file_system.h"

namespace {

MemberSpec Stored(const std::string &name, const std::string &content, unsigned level = 2)
{
    MemberSpec spec;
    spec.level = level;
    spec.name = name;
    spec.original = Bytes(content);
    spec.time = level == 2 ? 1600000000u : 0x5A8B6C21u;
    return spec;
}

MemberSpec Compressed(const std::string &name, const std::vector<LzhToken> &tokens, unsigned windowBits = 13)
{
    LzhEncodeOptions options;
    options.windowBits = windowBits;
    MemberSpec spec;
    spec.method = windowBits == 13 ? "-lh5-" : windowBits == 15 ? "-lh6-" : "-lh7-";
    spec.name = name;
    spec.original = ExpandTokens(tokens, windowBits);
    spec.packed = EncodeLzh(tokens, options);
    spec.time = 1600000000u;
    return spec;
}

MemberSpec Directory(const std::string &name, unsigned level = 2)
{
    MemberSpec spec = Stored(level == 0 ? name : "", "", level);
    spec.method = "-lhd-";
    if (level > 0)
        spec.directory = name;
    return spec;
}

std::string Content(const MemoryFileSystem &fs, const std::string &path)
{
    const auto node = fs.nodes.find(path);
    if (node == fs.nodes.end() || node->second.directory)
        return "<no file " + path + ">";
    return std::string(node->second.data.begin(), node->second.data.end());
}

// Only the given paths exist: no temporary file is left behind, nothing else appeared.
void ExpectExactly(const MemoryFileSystem &fs, std::vector<std::string> paths)
{
    std::vector<std::string> present;
    for (const auto &node : fs.nodes)
        present.push_back(node.first);
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(present, paths);
    EXPECT_EQ(fs.openFiles(), 0u);
    EXPECT_EQ(fs.temporariesLeft(), 0u);
}

TEST(Extract, MembersOfEveryLevelAndMethodLandInTheirDirectories)
{
    const std::vector<LzhToken> tokens = RandomTokens(1, 5000, 13);
    const std::vector<uint8_t> archive = BuildArchive({
        Stored("top.txt", "top", 0),
        Stored("a\\b\\deep.txt", "deep", 0),
        Directory("empty\xFF", 1),
        Directory("made\xFF" "later\xFF"),
        Compressed("five.bin", tokens, 13),
        Compressed("six.bin", tokens, 15),
        Compressed("seven.bin", tokens, 16),
        Stored("", ""),
    });
    MemoryFileSystem fs;
    const ExtractReport report = ExtractArchive(archive, fs);
    EXPECT_EQ(report.extracted, 7u);
    EXPECT_EQ(report.failures, std::vector<std::string>{": refused: empty name"});
    EXPECT_EQ(Content(fs, "top.txt"), "top");
    EXPECT_EQ(Content(fs, "a/b/deep.txt"), "deep");
    for (const char *name : {"five.bin", "six.bin", "seven.bin"})
        EXPECT_EQ(fs.nodes[name].data, ExpandTokens(tokens, 13)) << name;
    ExpectExactly(fs, {"top.txt", "a", "a/b", "a/b/deep.txt", "empty", "made", "made/later", "five.bin", "six.bin",
                       "seven.bin"});
}

TEST(Extract, TimeStampsComeFromTheHeaders)
{
    MemberSpec dos = Stored("dos.txt", "1", 0);
    MemberSpec utc = Stored("utc.txt", "2", 2);
    MemberSpec extended = Stored("ext.txt", "3", 1);
    extended.unixTimeExtension = 1234567890;
    MemberSpec invalid = Stored("bad-time.txt", "4", 0);
    invalid.time = 0; // month 0: left as it is
    MemberSpec farFuture = Stored("far.txt", "5", 2);
    farFuture.windowsTimeExtension = ~uint64_t{0}; // after the year 9999: left as it is
    MemoryFileSystem fs;
    ASSERT_TRUE(ExtractArchive(BuildArchive({dos, utc, extended, invalid, farFuture}), fs).failures.empty());
    EXPECT_EQ(fs.nodes["dos.txt"].time->kind, MemberTime::Kind::dosLocal);
    EXPECT_EQ(fs.nodes["dos.txt"].time->dos, 0x5A8B6C21u);
    EXPECT_EQ(fs.nodes["utc.txt"].time->kind, MemberTime::Kind::unixUtc);
    EXPECT_EQ(fs.nodes["utc.txt"].time->unixSeconds, 1600000000);
    EXPECT_EQ(fs.nodes["ext.txt"].time->unixSeconds, 1234567890);
    EXPECT_FALSE(fs.nodes["bad-time.txt"].time.has_value());
    EXPECT_FALSE(fs.nodes["far.txt"].time.has_value());
    EXPECT_EQ(Content(fs, "far.txt"), "5");
}

TEST(Extract, DamagedMembersLeaveNothingUnderTheirNames)
{
    MemberSpec badCrc = Stored("crc.txt", "content");
    badCrc.crc = 0x1234;
    MemberSpec truncatedStream = Compressed("cut.bin", RandomTokens(2, 3000, 13));
    truncatedStream.packed->resize(truncatedStream.packed->size() / 2);
    MemberSpec badTable = Compressed("table.bin", RandomTokens(3, 100, 13));
    (*badTable.packed)[2] = 0xFF; // pre-tree count 31
    MemberSpec wrongSize = Stored("size.txt", "abc");
    wrongSize.originalSize = 4;
    MemberSpec unknown = Stored("old.bin", "x");
    unknown.method = "-lh1-";
    MemoryFileSystem fs;
    const ExtractReport report =
        ExtractArchive(BuildArchive({badCrc, truncatedStream, badTable, wrongSize, unknown, Stored("ok.txt", "ok")}),
                       fs);
    ASSERT_EQ(report.failures.size(), 5u);
    EXPECT_EQ(report.failures[0], "crc.txt: CRC mismatch, the member is damaged");
    EXPECT_EQ(report.failures[1], "cut.bin: compressed data ends early");
    EXPECT_EQ(report.failures[2], "table.bin: corrupt Huffman table");
    EXPECT_EQ(report.failures[3], "size.txt: stored member whose packed and original sizes differ");
    EXPECT_EQ(report.failures[4], "old.bin: compression method -lh1- not supported");
    EXPECT_EQ(report.extracted, 1u);
    ExpectExactly(fs, {"ok.txt"});
}

TEST(Extract, ADamagedFileDoesNotReplaceAnExistingOne)
{
    MemoryFileSystem fs;
    fs.nodes["keep.txt"].data = Bytes("old");
    MemberSpec bad = Stored("keep.txt", "new");
    bad.crc = 0;
    EXPECT_EQ(ExtractArchive(BuildArchive({bad}), fs).failures.size(), 1u);
    EXPECT_EQ(Content(fs, "keep.txt"), "old");
    ASSERT_TRUE(ExtractArchive(BuildArchive({Stored("keep.txt", "new")}), fs).failures.empty());
    EXPECT_EQ(Content(fs, "keep.txt"), "new");
    ExpectExactly(fs, {"keep.txt"});
}

TEST(Extract, HostileNamesAreRefusedAndTheRestExtracted)
{
    const std::vector<uint8_t> archive = BuildArchive({
        Stored("..\\..\\evil.txt", "x", 0),
        Stored("/etc/evil", "x", 1),
        Stored("C:\\evil.bat", "x", 0),
        Stored("NUL.txt", "x"),
        Directory("..\xFF"),
        Stored("fine.txt", "fine"),
    });
    MemoryFileSystem fs;
    const ExtractReport report = ExtractArchive(archive, fs);
    ASSERT_EQ(report.failures.size(), 5u);
    EXPECT_EQ(report.failures[0], "../../evil.txt: refused: climbs out of the target directory with \"..\"");
    EXPECT_EQ(report.failures[1], "/etc/evil: refused: absolute path");
    EXPECT_EQ(report.failures[2], "C:/evil.bat: refused: carries a drive letter");
    EXPECT_EQ(report.failures[3], "NUL.txt: refused: names a DOS device");
    ExpectExactly(fs, {"fine.txt"});
}

TEST(Extract, FileSystemFailuresRemoveTheTemporaryFile)
{
    const std::vector<uint8_t> archive = BuildArchive({Compressed("big.bin", RandomTokens(4, 5000, 13))});
    MemoryFileSystem full;
    full.fileSizeLimit = 1000;
    EXPECT_EQ(ExtractArchive(archive, full).failures, std::vector<std::string>{"big.bin: could not write the file"});
    ExpectExactly(full, {});

    MemoryFileSystem noRename;
    noRename.failRename = true;
    EXPECT_EQ(ExtractArchive(archive, noRename).failures,
              std::vector<std::string>{"big.bin: could not replace the file"});
    ExpectExactly(noRename, {});

    MemoryFileSystem noTime;
    noTime.failSetTime = true;
    EXPECT_EQ(ExtractArchive(archive, noTime).failures,
              std::vector<std::string>{"big.bin: could not set the file's time"});
    ExpectExactly(noTime, {});
}

TEST(Extract, FilesAndDirectoriesOfTheSameNameConflict)
{
    MemoryFileSystem fs;
    const ExtractReport report = ExtractArchive(
        BuildArchive({Stored("x", "file"), Stored("x/inside.txt", "y", 0), Directory("d\xFF"), Stored("d", "z")}), fs);
    ASSERT_EQ(report.failures.size(), 2u);
    EXPECT_EQ(report.failures[0], "x/inside.txt: could not create directory x");
    EXPECT_EQ(report.failures[1], "d: could not replace the file");
    ExpectExactly(fs, {"x", "d"});
}

TEST(Extract, TemporaryNamesStepAroundExistingFiles)
{
    MemoryFileSystem fs;
    fs.nodes["~TWL0000.TMP"].data = Bytes("someone else's");
    fs.nodes["~TWL0001.TMP"].data = Bytes("someone else's");
    ASSERT_TRUE(ExtractArchive(BuildArchive({Stored("~TWL0002.TMP", "mine")}), fs).failures.empty());
    EXPECT_EQ(Content(fs, "~TWL0000.TMP"), "someone else's");
    EXPECT_EQ(Content(fs, "~TWL0002.TMP"), "mine");
    ExpectExactly(fs, {"~TWL0000.TMP", "~TWL0001.TMP", "~TWL0002.TMP"});
}

TEST(Extract, BrokenArchivesStopWithAMessage)
{
    MemoryFileSystem fs;
    std::vector<uint8_t> cut = BuildArchive({Stored("one.txt", "1"), Stored("two.txt", "22222")});
    cut.erase(cut.end() - 3, cut.end());
    ExtractReport report = ExtractArchive(cut, fs);
    EXPECT_EQ(report.failures, std::vector<std::string>{"two.txt: member cut off by the end of the archive"});
    ExpectExactly(fs, {"one.txt"});

    std::vector<uint8_t> damaged = BuildArchive({Stored("one.txt", "1"), Stored("two.txt", "2")});
    const size_t second = BuildMember(Stored("one.txt", "1")).size();
    damaged[second + 3] = 'x';
    report = ExtractArchive(damaged, fs);
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.failures[0], "archive: damaged header at offset " + std::to_string(second) +
                                      ": no method name where a header should be");

    EXPECT_EQ(ExtractArchive(std::vector<uint8_t>{0}, fs).failures, std::vector<std::string>{"archive: no members"});
}

} // namespace
