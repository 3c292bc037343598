#include "file_system_contract.h"

#include "memory_file_system.h"

namespace {

class MemoryProbe : public FileSystemProbe {
public:
    FileSystem &fs() override { return fs_; }
    bool ReadBack(const std::string &path, std::vector<uint8_t> &bytes) override
    {
        const auto node = fs_.nodes.find(path);
        if (node == fs_.nodes.end() || node->second.kind != EntryKind::file)
            return false;
        bytes = node->second.data;
        return true;
    }
    bool IsDirectory(const std::string &path) override
    {
        const auto node = fs_.nodes.find(path);
        return node != fs_.nodes.end() && node->second.directory();
    }
    bool Exists(const std::string &path) override { return fs_.nodes.count(path) != 0; }
    void PlaceFile(const std::string &path, const std::string &content) override
    {
        fs_.nodes[path].data.assign(content.begin(), content.end());
    }
    void PlaceLink(const std::string &path, const std::string &) override { fs_.nodes[path].kind = EntryKind::link; }
    int64_t ModifiedUnixSeconds(const std::string &path) override
    {
        const std::optional<MemberTime> &time = fs_.nodes[path].time;
        DosFields f;
        if (!time)
            return -1;
        if (time->kind == MemberTime::Kind::unixUtc)
            return time->unixSeconds;
        return SplitDosTime(time->dos, f) ? UtcSeconds(f.year, f.month, f.day, f.hour, f.minute, f.second) : -1;
    }

private:
    MemoryFileSystem fs_;
};

std::string Text(const std::vector<uint8_t> &bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

TEST_P(FileSystemContract, DirectoriesAreCreatedOnceAndNeverOverFiles)
{
    EXPECT_TRUE(fs().MakeDirectory("d"));
    EXPECT_TRUE(probe().IsDirectory("d"));
    EXPECT_EQ(fs().Inspect("d"), EntryKind::directory);
    EXPECT_FALSE(fs().MakeDirectory("d"));
    EXPECT_EQ(fs().LastProblem(), FsProblem::exists);
    EXPECT_TRUE(fs().MakeDirectory("d/e"));
    EXPECT_TRUE(probe().IsDirectory("d/e"));
    EXPECT_FALSE(fs().MakeDirectory("missing/e"));
    EXPECT_EQ(fs().LastProblem(), FsProblem::notFound);
    probe().PlaceFile("f", "file");
    EXPECT_FALSE(fs().MakeDirectory("f"));
    EXPECT_EQ(fs().LastProblem(), FsProblem::exists);
    EXPECT_FALSE(probe().IsDirectory("f"));
    EXPECT_EQ(fs().Inspect("f"), EntryKind::file);
    EXPECT_EQ(fs().Inspect("missing"), EntryKind::none);
}

TEST_P(FileSystemContract, NewFilesAreNewAndHoldWhatWasWritten)
{
    for (const bool temporary : {false, true}) {
        const auto create = [&](const std::string &path) {
            return temporary ? fs().CreateTemporary(path) : fs().CreateNew(path);
        };
        const std::string name = temporary ? "t.tmp" : "t.new";
        const FileHandle file = create(name);
        ASSERT_NE(file, noFile);
        EXPECT_EQ(create(name), noFile);
        EXPECT_EQ(fs().LastProblem(), FsProblem::exists);
        const std::string first = "first part, ", second(100000, 'x');
        EXPECT_TRUE(fs().Write(file, reinterpret_cast<const uint8_t *>(first.data()), first.size()));
        EXPECT_TRUE(fs().Write(file, reinterpret_cast<const uint8_t *>(second.data()), second.size()));
        EXPECT_TRUE(fs().Write(file, nullptr, 0));
        EXPECT_TRUE(fs().Close(file));
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(probe().ReadBack(name, bytes));
        EXPECT_TRUE(Text(bytes) == first + second);

        probe().PlaceFile("taken", "someone's");
        EXPECT_EQ(create("taken"), noFile);
        EXPECT_EQ(fs().LastProblem(), FsProblem::exists);
        ASSERT_TRUE(probe().ReadBack("taken", bytes));
        EXPECT_EQ(Text(bytes), "someone's");
        EXPECT_EQ(create("missing/" + name), noFile);
        EXPECT_EQ(fs().LastProblem(), FsProblem::notFound);

        const FileHandle empty = create("empty" + name);
        ASSERT_NE(empty, noFile);
        EXPECT_TRUE(fs().Close(empty));
        ASSERT_TRUE(probe().ReadBack("empty" + name, bytes));
        EXPECT_TRUE(bytes.empty());
    }
}

// A link in the target folder, whoever made it, is seen as one and nothing goes through it.
TEST_P(FileSystemContract, LinksAreSeenAndNeverFollowed)
{
    ASSERT_TRUE(fs().MakeDirectory("elsewhere"));
    probe().PlaceFile("elsewhere/file", "theirs");
    probe().PlaceLink("dlink", "elsewhere");
    probe().PlaceLink("flink", "elsewhere/file");
    probe().PlaceLink("nlink", "nowhere");
    EXPECT_EQ(fs().Inspect("dlink"), EntryKind::link);
    EXPECT_EQ(fs().Inspect("flink"), EntryKind::link);
    EXPECT_NE(fs().Inspect("nlink"), EntryKind::file);
    for (const char *link : {"dlink", "flink", "nlink"}) {
        EXPECT_FALSE(fs().MakeDirectory(link)) << link;
        EXPECT_EQ(fs().CreateNew(link), noFile) << link;
        EXPECT_EQ(fs().LastProblem(), FsProblem::exists) << link;
    }
    probe().PlaceFile("new", "ours");
    EXPECT_TRUE(fs().RenameOver("new", "flink"));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(probe().ReadBack("elsewhere/file", bytes));
    EXPECT_EQ(Text(bytes), "theirs");
    EXPECT_EQ(fs().Inspect("flink"), EntryKind::file);
    EXPECT_FALSE(probe().Exists("nowhere"));
    EXPECT_FALSE(probe().Exists("elsewhere/dlink"));
}

// Far beyond 260 characters, up to what one name may hold.
TEST_P(FileSystemContract, DeepPathsWorkAndOverlongNamesAreSaidToBe)
{
    std::string path;
    for (int level = 0; level < 300; ++level) {
        path += (level == 0 ? "" : "/") + std::string("level_") + std::to_string(100 + level);
        ASSERT_TRUE(fs().MakeDirectory(path)) << path.size() << " characters";
    }
    const FileHandle file = fs().CreateNew(path + "/deep.txt");
    ASSERT_NE(file, noFile) << path.size() << " characters";
    EXPECT_TRUE(fs().Write(file, reinterpret_cast<const uint8_t *>("deep"), 4));
    EXPECT_TRUE(fs().Close(file));
    EXPECT_EQ(fs().Inspect(path + "/deep.txt"), EntryKind::file);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(probe().ReadBack(path + "/deep.txt", bytes));
    EXPECT_EQ(Text(bytes), "deep");

    const std::string overlong(300, 'n');
    EXPECT_EQ(fs().CreateNew(overlong), noFile);
    EXPECT_EQ(fs().LastProblem(), FsProblem::nameTooLong);
    EXPECT_FALSE(fs().MakeDirectory(overlong));
    EXPECT_EQ(fs().LastProblem(), FsProblem::nameTooLong);
}

TEST_P(FileSystemContract, RenameReplacesFilesButNotDirectories)
{
    probe().PlaceFile("new", "new content");
    probe().PlaceFile("old", "old content");
    ASSERT_TRUE(fs().RenameOver("new", "old"));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(probe().ReadBack("old", bytes));
    EXPECT_EQ(Text(bytes), "new content");
    EXPECT_FALSE(probe().Exists("new"));

    ASSERT_TRUE(fs().MakeDirectory("dir"));
    ASSERT_TRUE(fs().MakeDirectory("dir/sub"));
    probe().PlaceFile("dir/sub/inner", "inner");
    probe().PlaceFile("moving", "m");
    EXPECT_FALSE(fs().RenameOver("moving", "dir"));
    EXPECT_TRUE(probe().IsDirectory("dir"));
    EXPECT_TRUE(fs().RenameOver("moving", "dir/sub/moved"));
    ASSERT_TRUE(probe().ReadBack("dir/sub/moved", bytes));
    EXPECT_EQ(Text(bytes), "m");
    EXPECT_FALSE(fs().RenameOver("absent", "other"));
}

TEST_P(FileSystemContract, RemoveDeletesFilesOnly)
{
    probe().PlaceFile("gone", "x");
    EXPECT_TRUE(fs().Remove("gone"));
    EXPECT_FALSE(probe().Exists("gone"));
    EXPECT_FALSE(fs().Remove("gone"));
    ASSERT_TRUE(fs().MakeDirectory("dir"));
    EXPECT_FALSE(fs().Remove("dir"));
    EXPECT_TRUE(probe().IsDirectory("dir"));
}

TEST_P(FileSystemContract, ModificationTimesAreSetFromEitherKindOfTime)
{
    probe().PlaceFile("utc", "u");
    MemberTime utc;
    utc.kind = MemberTime::Kind::unixUtc;
    utc.unixSeconds = 1500000000;
    ASSERT_TRUE(fs().SetTime("utc", utc));
    EXPECT_EQ(probe().ModifiedUnixSeconds("utc"), 1500000000);

    // 2011-03-14 15:09:26 local time: within a day's time zones of the same time in UTC.
    probe().PlaceFile("dos", "d");
    MemberTime dos;
    dos.kind = MemberTime::Kind::dosLocal;
    dos.dos = ((2011u - 1980) << 25) | (3u << 21) | (14u << 16) | (15u << 11) | (9u << 5) | 13u;
    ASSERT_TRUE(fs().SetTime("dos", dos));
    const int64_t offset = probe().ModifiedUnixSeconds("dos") - UtcSeconds(2011, 3, 14, 15, 9, 26);
    EXPECT_LE(offset < 0 ? -offset : offset, 14 * 3600);
    EXPECT_EQ(offset % 900, 0) << "time zones are whole quarter hours";

    EXPECT_FALSE(fs().SetTime("absent", utc));
}

} // namespace

int64_t UtcSeconds(int year, int month, int day, int hour, int minute, int second)
{
    // Days since 1970-01-01 of a proleptic Gregorian date.
    const int y = month <= 2 ? year - 1 : year;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const int64_t days = int64_t{era} * 146097 + dayOfEra - 719468;
    return days * 86400 + hour * 3600 + minute * 60 + second;
}

std::unique_ptr<FileSystemProbe> MakeMemoryProbe()
{
    return std::make_unique<MemoryProbe>();
}

INSTANTIATE_TEST_SUITE_P(Memory, FileSystemContract, ::testing::Values(&MakeMemoryProbe));
