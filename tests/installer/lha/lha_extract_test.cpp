#include <gtest/gtest.h>

#include <algorithm>

#include "archive_builder.h"
#include "installer/lha/lha_extract.h"
#include "installer/lha/lha_progress.h"
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
    if (node == fs.nodes.end() || node->second.kind != EntryKind::file)
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

uint32_t DosTime(unsigned year, unsigned month, unsigned day)
{
    return ((year - 1980) << 25) | (month << 21) | (day << 16) | (12u << 11);
}

// A day past the end of its month is no time, like month 0: the file is kept without it.
TEST(Extract, ImpossibleDatesCostTheTimeNotTheFile)
{
    const struct {
        unsigned year, month, day;
        bool usable;
    } dates[] = {{2021, 2, 28, true}, {2021, 2, 29, false}, {2020, 2, 29, true}, {2000, 2, 29, true},
                 {2100, 2, 29, false}, {2021, 2, 30, false}, {2021, 4, 31, false}, {2021, 4, 30, true},
                 {2021, 12, 31, true}, {2021, 6, 31, false}};
    std::vector<MemberSpec> members;
    for (const auto &date : dates) {
        members.push_back(Stored(std::to_string(date.year) + "-" + std::to_string(date.month) + "-" +
                                     std::to_string(date.day),
                                 "kept", 0));
        members.back().time = DosTime(date.year, date.month, date.day);
    }
    MemoryFileSystem fs;
    const ExtractReport report = ExtractArchive(BuildArchive(members), fs);
    EXPECT_TRUE(report.failures.empty());
    for (size_t i = 0; i < members.size(); ++i) {
        EXPECT_EQ(Content(fs, members[i].name), "kept");
        EXPECT_EQ(fs.nodes[members[i].name].time.has_value(), dates[i].usable) << members[i].name;
    }
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
    for (const bool replacing : {false, true}) {
        MemoryFileSystem full;
        full.fileSizeLimit = 1000;
        if (replacing)
            full.nodes["big.bin"].data = Bytes("old");
        EXPECT_EQ(ExtractArchive(archive, full).failures,
                  std::vector<std::string>{"big.bin: could not write the file: disk full"});
        ExpectExactly(full, replacing ? std::vector<std::string>{"big.bin"} : std::vector<std::string>{});
        EXPECT_EQ(Content(full, "big.bin"), replacing ? "old" : "<no file big.bin>");
    }

    MemoryFileSystem noRename;
    noRename.failRename = true;
    noRename.nodes["big.bin"].data = Bytes("old");
    EXPECT_EQ(ExtractArchive(archive, noRename).failures,
              std::vector<std::string>{"big.bin: could not replace the file: access denied"});
    ExpectExactly(noRename, {"big.bin"});
    EXPECT_EQ(Content(noRename, "big.bin"), "old");
}

// A time the system refuses to set leaves the file in place, with a word about it.
TEST(Extract, ARefusedTimeKeepsTheFile)
{
    for (const bool replacing : {false, true}) {
        MemoryFileSystem fs;
        fs.failSetTime = true;
        if (replacing)
            fs.nodes["t.txt"].data = Bytes("old");
        const ExtractReport report = ExtractArchive(BuildArchive({Stored("t.txt", "new")}), fs);
        EXPECT_TRUE(report.failures.empty());
        EXPECT_EQ(report.extracted, 1u);
        EXPECT_EQ(report.notices, std::vector<std::string>{
                                      "t.txt: time stamp not set (access denied), the file keeps the time of extraction"});
        EXPECT_EQ(Content(fs, "t.txt"), "new");
        ExpectExactly(fs, {"t.txt"});
    }
}

TEST(Extract, FilesAndDirectoriesOfTheSameNameConflict)
{
    MemoryFileSystem fs;
    const ExtractReport report = ExtractArchive(
        BuildArchive({Stored("x", "file"), Stored("x/inside.txt", "y", 0), Directory("d\xFF"), Stored("d", "z")}), fs);
    ASSERT_EQ(report.failures.size(), 2u);
    EXPECT_EQ(report.failures[0], "x/inside.txt: could not make the folder x: a file of that name exists");
    EXPECT_EQ(report.failures[1], "d: a folder of that name exists");
    ExpectExactly(fs, {"x", "d"});

    MemoryFileSystem limited;
    limited.nameLimit = 20;
    const std::string longName(30, 'n');
    const ExtractReport tooLong =
        ExtractArchive(BuildArchive({Stored(longName, "x"), Stored(longName + "/f", "x", 0), Directory(longName)}),
                       limited);
    EXPECT_EQ(tooLong.failures, (std::vector<std::string>{longName + ": could not create the file: name too long",
                                                         longName + "/f: could not make the folder " + longName +
                                                             ": name too long",
                                                         longName + ": name too long"}));
    ExpectExactly(limited, {});
}

// Links in the target folder, made before the extraction, stop every member whose path
// passes through them and are left as they are.
TEST(Extract, LinksOnAMembersPathRefuseIt)
{
    MemoryFileSystem fs;
    fs.nodes["plink"].kind = EntryKind::link;
    fs.nodes["flink"].kind = EntryKind::link;
    fs.nodes["d"].kind = EntryKind::directory;
    fs.nodes["d/inner"].kind = EntryKind::link;
    const ExtractReport report = ExtractArchive(
        BuildArchive({Stored("plink\\evil", "x", 0), Stored("flink", "x"), Stored("d/inner/x", "x", 1),
                      Directory("plink"), Stored("d/ok.txt", "ok")}),
        fs);
    EXPECT_EQ(report.failures, (std::vector<std::string>{
                                   "plink/evil: refused: the path passes through a link at plink",
                                   "flink: refused: the path passes through a link at flink",
                                   "d/inner/x: refused: the path passes through a link at d/inner",
                                   "plink: refused: the path passes through a link at plink",
                               }));
    EXPECT_EQ(Content(fs, "d/ok.txt"), "ok");
    for (const char *link : {"plink", "flink", "d/inner"})
        EXPECT_EQ(fs.nodes[link].kind, EntryKind::link) << link;
    ExpectExactly(fs, {"plink", "flink", "d", "d/inner", "d/ok.txt"});
}

// The later of two members of one name wins, and the user hears of it; where case does not
// count, names differing in case only are one.
TEST(Extract, ALaterMemberOfTheSameNameReplacesTheEarlierAndSaysSo)
{
    MemoryFileSystem fs;
    fs.caseInsensitive = true;
    const ExtractReport report = ExtractArchive(
        BuildArchive({Stored("dup.txt", "first"), Stored("Case.txt", "a"), Stored("dup.txt", "second"),
                      Stored("CASE.TXT", "b", 0), Stored("other.txt", "o")}),
        fs);
    EXPECT_TRUE(report.failures.empty());
    EXPECT_EQ(report.extracted, 5u);
    EXPECT_EQ(report.notices, (std::vector<std::string>{"dup.txt: replaces the earlier member dup.txt",
                                                       "CASE.TXT: replaces the earlier member Case.txt"}));
    EXPECT_EQ(Content(fs, "dup.txt"), "second");
    EXPECT_EQ(fs.openFiles(), 0u);
    EXPECT_EQ(fs.temporariesLeft(), 0u);
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

// Hundreds of temporary names found taken do not stop a member from replacing a file, and no
// name is tried twice.
TEST(Extract, TemporaryNamesDoNotRunOut)
{
    MemoryFileSystem fs;
    fs.nodes["a.txt"].data = Bytes("old a");
    fs.nodes["b.txt"].data = Bytes("old b");
    fs.temporariesTaken = 500;
    ExtractOptions options;
    options.processId = 0x1234;
    const ExtractReport report = ExtractArchive(BuildArchive({Stored("a.txt", "new a"), Stored("b.txt", "new b")}),
                                                fs, options);
    EXPECT_TRUE(report.failures.empty()) << report.failures[0];
    EXPECT_EQ(Content(fs, "a.txt"), "new a");
    EXPECT_EQ(Content(fs, "b.txt"), "new b");
    ExpectExactly(fs, {"a.txt", "b.txt"});
    std::vector<std::string> names = fs.temporaryNamesTried;
    EXPECT_EQ(names.size(), 502u);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end()) << "a name was tried twice";
    for (const std::string &name : names)
        EXPECT_NE(name.find("1234"), std::string::npos) << name << " does not carry the process id";
}

class ProgressRecorder : public ProgressObserver {
public:
    void Progress(const ExtractProgress &progress) override { seen.push_back(progress); }
    std::vector<ExtractProgress> seen;
};

// Progress counts every member and every byte, failed members too, against totals known
// from the start.
TEST(Extract, ProgressCountsMembersAndBytesOfTheWhole)
{
    MemberSpec damaged = Stored("bad.txt", "12345");
    damaged.crc = 0;
    const MemberSpec big = Compressed("big.bin", RandomTokens(5, 20000, 13));
    ProgressRecorder recorder;
    ExtractOptions options;
    options.observer = &recorder;
    MemoryFileSystem fs;
    const ExtractReport report =
        ExtractArchive(BuildArchive({Stored("a.txt", "abc"), damaged, big, Directory("d")}), fs, options);
    EXPECT_EQ(report.failures.size(), 1u);
    EXPECT_EQ(report.bytes, 3 + big.original.size());
    const uint64_t total = 3 + 5 + big.original.size();
    ASSERT_GT(recorder.seen.size(), 6u) << "the big member is reported while it is decoded";
    uint64_t before = 0;
    unsigned membersBefore = 0;
    for (const ExtractProgress &p : recorder.seen) {
        EXPECT_EQ(p.membersTotal, 4u);
        EXPECT_EQ(p.bytesTotal, total);
        EXPECT_GE(p.bytesDone, before);
        EXPECT_GE(p.membersDone, membersBefore);
        before = p.bytesDone;
        membersBefore = p.membersDone;
    }
    EXPECT_EQ(recorder.seen.back().membersDone, 4u);
    EXPECT_EQ(recorder.seen.back().bytesDone, total);
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

// Quiet for the first second, then a line at most every quarter second; the clock may wrap.
TEST(ProgressLine, ShowsUpAfterASecondAndAFewTimesASecond)
{
    for (const uint32_t start : {0u, 0xFFFFFE00u}) {
        ProgressLine line(start);
        const ExtractProgress progress{3, 10, 300, 1000};
        const struct {
            uint32_t at;
            bool due;
        } steps[] = {{0, false}, {999, false}, {1000, true}, {1100, false}, {1249, false}, {1250, true},
                     {1300, false}, {5000, true}, {5001, false}};
        EXPECT_FALSE(line.shown());
        for (const auto &step : steps)
            EXPECT_EQ(!line.Update(start + step.at, progress).empty(), step.due) << start << " + " << step.at;
        EXPECT_TRUE(line.shown());
        EXPECT_EQ(line.Update(start + 6000, progress), "3/10 members, 300/1000 bytes");
    }
    ExtractReport report;
    report.extracted = 9;
    report.bytes = 12345;
    report.failures.push_back("x: refused");
    EXPECT_EQ(ProgressLine(100).Summary(2450, report), "9 members written, 1 refused or failed, 12345 bytes, 2.3 s");
}

} // namespace
