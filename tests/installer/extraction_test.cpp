#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../common/message_box_watcher.h"
#include "../common/symbolic_link.h"
#include "host/host_api.h"
#include "installer/extraction.h"
#include "installer/target_folder.h"
#include "payload_record/payload_record.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> ReadAll(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each test installs into a folder of its own below the test's working folder, and comes back.
class Extraction : public ::testing::Test {
protected:
    void SetUp() override
    {
        home = fs::current_path();
        context = static_cast<HostContext *>(HostAllocate(sizeof(HostContext)));
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        target = "T" + std::to_string(name.size()) + name.substr(0, 6);
        std::strncpy(context->targetPath, target.c_str(), sizeof context->targetPath - 1);
        for (const char *suffix : {"", ".link"})
            RemoveSymbolicLink(target + suffix);
        fs::remove_all(home / target);
        program = ReadAll(home / "TWLFAKE.EXE");
        ASSERT_GT(program.size(), 1000u) << "the fake payload is copied here by the build";
    }

    void TearDown() override
    {
        fs::current_path(home);
        HostRelease(context);
    }

    int Extract(uint8_t type)
    {
        std::string error;
        record = BuildPayloadRecord("twlfake.exe", program, error);
        EXPECT_FALSE(record.empty()) << error;
        record[0] = type;
        return ExtractRecord();
    }

    int ExtractRecord()
    {
        return ExtractPayload(context, {record.data(), static_cast<uint32_t>(PaddedPayloadSize(program.size()))});
    }

    // Runs an extraction that reports with a message box; the box's text goes to `text`.
    template <typename Run>
    int Reported(Run run, std::string &text)
    {
        MessageBoxWatcher watcher;
        const int result = run();
        WaitForSingleObject(watcher.thread, INFINITE);
        text = watcher.text;
        return result;
    }

    fs::path home;
    std::string target;
    HostContext *context = nullptr;
    std::vector<uint8_t> program;
    std::vector<uint8_t> record;
};

TEST_F(Extraction, ProgramPayloadIsWrittenRunDeletedAndItsBatchFileRun)
{
    ASSERT_EQ(Extract('X'), extractionDone);
    const fs::path dir = home / target;
    EXPECT_EQ(fs::current_path(), dir);
    EXPECT_FALSE(fs::exists(dir / "TWLFAKE.EXE")) << "the payload is deleted after it ran";
    std::ifstream marker(dir / "PAYLOAD.RAN");
    unsigned long sizeSeenByPayload = 0;
    marker >> sizeSeenByPayload;
    EXPECT_EQ(sizeSeenByPayload, PaddedPayloadSize(program.size()));
    EXPECT_TRUE(fs::exists(dir / "BATCH.RAN")) << "the batch file the payload left was run";
}

TEST_F(Extraction, ATwelveCharacterNameEndsAtTheLengthFieldWhateverItHolds)
{
    std::string error;
    record = BuildPayloadRecord("twlfake1.exe", program, error);
    ASSERT_FALSE(record.empty()) << error;
    // A length of 16 MiB or more: its first byte does not end the name. 'A' and 0 keep a name
    // that runs into it a valid file name, so that a failure shows as a wrong file rather than
    // a message box. Another type than 'X' leaves the file in place to be looked at.
    record[0] = 'D';
    record[16] = 'A';
    record[17] = 0;
    ASSERT_EQ(ExtractPayload(context, {record.data(), static_cast<uint32_t>(PaddedPayloadSize(program.size()))}),
              extractionDone);
    std::vector<std::string> written;
    for (const fs::directory_entry &entry : fs::directory_iterator(home / target))
        written.push_back(entry.path().filename().string());
    EXPECT_EQ(written, std::vector<std::string>{"TWLFAKE1.EXE"});
}

TEST_F(Extraction, OtherTypeIsWrittenPaddedAndNothingRuns)
{
    ASSERT_EQ(Extract('D'), extractionDone);
    const fs::path dir = home / target;
    const std::vector<uint8_t> written = ReadAll(dir / "TWLFAKE.EXE");
    ASSERT_EQ(written.size(), PaddedPayloadSize(program.size()));
    EXPECT_TRUE(std::equal(program.begin(), program.end(), written.begin()));
    for (size_t i = program.size(); i < written.size(); ++i)
        EXPECT_EQ(written[i], 0) << i;
    EXPECT_FALSE(fs::exists(dir / "PAYLOAD.RAN"));
    EXPECT_FALSE(fs::exists(dir / "TWLGENWI.BAT"));
}

TEST_F(Extraction, ExistingTargetDirectoryIsReportedAndNothingElseHappens)
{
    fs::create_directory(home / target);
    std::string text;
    const int result = Reported([&] { return Extract('X'); }, text);
    EXPECT_EQ(result, extractionNoDirectory);
    EXPECT_EQ(text, "cannot build directory");
    EXPECT_EQ(fs::current_path(), home);
    EXPECT_TRUE(fs::is_empty(home / target));
}

TEST_F(Extraction, UncreatableFileIsReported)
{
    std::string error;
    record = BuildPayloadRecord("twlfake.exe", program, error);
    std::memcpy(record.data() + 4, "BAD?NAME.EXE", 12); // no such file name can be created
    std::string text;
    const int result = Reported([&] { return ExtractRecord(); }, text);
    EXPECT_EQ(result, extractionNotCreated);
    EXPECT_EQ(text, "INV ALLOC file HANDLE");
    EXPECT_TRUE(fs::is_empty(home / target)) << "the directory stays, empty";
}

// A link made beforehand where the target directory goes leads somewhere the user did not
// choose. Under Wine a symbolic link of the unix file system looks like the folder it leads
// to (no reparse point, no link attribute): only the name the system resolves it to tells.
TEST_F(Extraction, TargetThatIsALinkIsRefusedBeforeAnythingIsWritten)
{
    const fs::path elsewhere = home / (target + ".elsewhere");
    fs::remove_all(elsewhere);
    fs::create_directory(elsewhere);
    ASSERT_TRUE(MakeSymbolicLink(target, target + ".elsewhere", true));
    std::string text;
    const int result = Reported([&] { return Extract('X'); }, text);
    EXPECT_EQ(result, extractionNoDirectory);
    EXPECT_EQ(text, "target directory is a link");
    EXPECT_EQ(fs::current_path(), home);
    EXPECT_TRUE(fs::is_empty(elsewhere));
}

// The checks themselves: links at the target or above it, and a link entered in the place of
// the directory.
TEST_F(Extraction, LinksAtOrAboveTheTargetAreFound)
{
    const std::string real = target + ".real", link = target + ".link";
    fs::create_directory(home / real);
    fs::create_directory(home / real / "inside");
    ASSERT_TRUE(MakeSymbolicLink(link, real, true));
    const struct {
        std::string path;
        bool link;
    } cases[] = {{real, false},         {real + "\\inside", false}, {real + "\\not-yet", false},
                 {link, true},          {link + "\\inside", true},  {link + "\\not-yet", true},
                 {(home / link).string(), true}, {(home / real).string(), false}};
    for (const auto &c : cases)
        EXPECT_EQ(TargetPassesThroughLink(c.path.c_str()), c.link) << c.path;

    const std::wstring realName = ExpectedTargetName(real.c_str()), linkName = ExpectedTargetName(link.c_str());
    fs::current_path(home / real);
    EXPECT_FALSE(EnteredThroughLink(realName));
    fs::current_path(home);
    ASSERT_TRUE(SetCurrentDirectoryA(link.c_str()));
    EXPECT_TRUE(EnteredThroughLink(linkName));
}

} // namespace
