// Files standing in for ports: what reaches the file after each send, and the failure paths.
#include "print/port_output.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string ReadFile(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileText(const char *path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

struct PortJob {
    PrintBlock block{};

    explicit PortJob(const char *name)
    {
        block.header.requestClass = REQUEST_PRINT;
        std::strncpy(block.portName, name, sizeof block.portName - 1);
    }
    int8_t Open()
    {
        block.header.op = 'O';
        block.header.status = HOST_STATUS_PENDING;
        PortOpen(nullptr, &block);
        return block.header.status;
    }
    int8_t Send(uint32_t data)
    {
        block.header.op = 'S';
        block.header.status = HOST_STATUS_PENDING;
        block.data = data;
        PortSend(nullptr, &block);
        return block.header.status;
    }
    void Send(const char *text)
    {
        for (; *text; ++text)
            ASSERT_EQ(Send(static_cast<uint8_t>(*text)), HOST_STATUS_DONE);
    }
    int8_t Close()
    {
        block.header.op = 'C';
        block.header.status = HOST_STATUS_PENDING;
        PortClose(nullptr, &block);
        return block.header.status;
    }
};

} // namespace

TEST(PortFile, BytesWaitUntilAControlCharacterSendsThemInOneWrite)
{
    WriteFileText("O1.TXT", "");
    PortJob job("O1.TXT");
    ASSERT_EQ(job.Open(), HOST_STATUS_DONE);
    job.Send("ABC");
    EXPECT_EQ(job.block.cursorColumn, 3);
    EXPECT_EQ(ReadFile("O1.TXT"), "");
    ASSERT_EQ(job.Send(10), HOST_STATUS_DONE);
    EXPECT_EQ(job.block.cursorColumn, 0);
    EXPECT_EQ(ReadFile("O1.TXT"), "ABC\n");
    job.Send("\x0e\x1f"); // 14..31 are kept like text
    EXPECT_EQ(ReadFile("O1.TXT"), "ABC\n");
    ASSERT_EQ(job.Send(12), HOST_STATUS_DONE);
    EXPECT_EQ(ReadFile("O1.TXT"), "ABC\n\x0e\x1f\f");
    EXPECT_EQ(job.Close(), HOST_STATUS_DONE);
}

TEST(PortFile, The97thCharacterSendsTheBuffer)
{
    WriteFileText("O2.TXT", "");
    PortJob job("O2.TXT");
    ASSERT_EQ(job.Open(), HOST_STATUS_DONE);
    const std::string line96(96, 'x');
    job.Send(line96.c_str());
    EXPECT_EQ(ReadFile("O2.TXT"), "");
    ASSERT_EQ(job.Send('y'), HOST_STATUS_DONE);
    EXPECT_EQ(ReadFile("O2.TXT"), line96 + "y");
    EXPECT_EQ(job.block.cursorColumn, 0);
    job.Close();
}

TEST(PortFile, AMouseWordWithCarriageReturnStoresNothingButSends)
{
    WriteFileText("O3.TXT", "");
    PortJob job("O3.TXT");
    ASSERT_EQ(job.Open(), HOST_STATUS_DONE);
    job.Send("AB");
    ASSERT_EQ(job.Send(0x0002'000D), HOST_STATUS_DONE);
    EXPECT_EQ(ReadFile("O3.TXT"), "AB");
    job.Close();
}

TEST(PortFile, AnExistingFileIsOverwrittenFromItsStartWithoutShortening)
{
    WriteFileText("O4.TXT", "0123456789");
    PortJob job("O4.TXT");
    ASSERT_EQ(job.Open(), HOST_STATUS_DONE);
    job.Send("ab\r");
    job.Close();
    EXPECT_EQ(ReadFile("O4.TXT"), "ab\r3456789");
}

TEST(PortFile, AMissingFileIsNotCreated)
{
    DeleteFileA("NO.TXT");
    PortJob job("NO.TXT");
    job.block.cursorColumn = 55;
    EXPECT_EQ(job.Open(), HOST_STATUS_START_FAILED);
    EXPECT_EQ(job.block.cursorColumn, 55);
    EXPECT_EQ(GetFileAttributesA("NO.TXT"), INVALID_FILE_ATTRIBUTES);
}

TEST(PortFile, AFileOpenedExclusivelyElsewhereCannotBeOpened)
{
    WriteFileText("O5.TXT", "");
    const HANDLE other = CreateFileA("O5.TXT", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    PortJob job("O5.TXT");
    EXPECT_EQ(job.Open(), HOST_STATUS_START_FAILED);
    CloseHandle(other);
}

TEST(PortFile, CloseLosesWhatIsStillBuffered)
{
    WriteFileText("O6.TXT", "");
    PortJob job("O6.TXT");
    ASSERT_EQ(job.Open(), HOST_STATUS_DONE);
    job.Send("line\n");
    job.Send("tail");
    EXPECT_EQ(job.Close(), HOST_STATUS_DONE);
    EXPECT_EQ(job.block.cursorColumn, 0);
    EXPECT_EQ(ReadFile("O6.TXT"), "line\n");
}

TEST(PortFile, AFillCountLeftOutOfRangeByTheClientStaysInsideTheBuffer)
{
    WriteFileText("O7.TXT", "");
    PortJob job("O7.TXT");
    ASSERT_EQ(job.Open(), HOST_STATUS_DONE);
    std::memset(job.block.lineBuffer, 'q', sizeof job.block.lineBuffer);
    job.block.cursorColumn = 100000; // counted as a full buffer: nothing stored past 128 bytes
    ASSERT_EQ(job.Send('Z'), HOST_STATUS_DONE);
    EXPECT_EQ(ReadFile("O7.TXT"), std::string(128, 'q'));
    for (size_t i = 128; i < sizeof job.block.lineBuffer; ++i)
        ASSERT_EQ(job.block.lineBuffer[i], 'q') << i;
    job.block.cursorColumn = -5; // counted as empty
    job.Send("k\n");
    EXPECT_EQ(ReadFile("O7.TXT"), std::string(128, 'q') + "k\n");
    job.Close();
}

// A port whose writes fail: the device that is always full, /dev/full, opened by its name
// relative to the current folder.
class PortWriteFailure : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteFileText("O8.TXT", "");
        ASSERT_NE(GetFullPathNameA("O8.TXT", sizeof output_, output_, nullptr), 0u);
        ASSERT_NE(GetCurrentDirectoryA(sizeof home_, home_), 0u);
        ASSERT_TRUE(SetCurrentDirectoryA("Z:\\dev"));
    }
    void TearDown() override { SetCurrentDirectoryA(home_); }

    // Swaps the failing port for the file O8.TXT, as a port would recover.
    void Recover(PortJob &job)
    {
        CloseHandle(job.block.port);
        job.block.port = CreateFileA(output_, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(job.block.port, INVALID_HANDLE_VALUE);
    }
    std::string Output() const { return ReadFile(output_); }

    char home_[MAX_PATH] = {};
    char output_[MAX_PATH] = {};
};

TEST_F(PortWriteFailure, TheCharacterIsTakenBackAndTheWholeBufferIsOfferedAgain)
{
    PortJob job("full");
    ASSERT_EQ(job.Open(), HOST_STATUS_DONE);
    job.Send("ABC");
    EXPECT_EQ(job.Send(10), HOST_STATUS_WRITE_FAILED);
    EXPECT_EQ(job.block.cursorColumn, 3);
    EXPECT_EQ(job.Send('\r'), HOST_STATUS_WRITE_FAILED); // the job stays open and keeps failing
    EXPECT_EQ(job.block.cursorColumn, 3);
    Recover(job);
    EXPECT_EQ(job.Send(10), HOST_STATUS_DONE);
    EXPECT_EQ(job.block.cursorColumn, 0);
    EXPECT_EQ(Output(), "ABC\n");
    job.Close();
}

TEST_F(PortWriteFailure, ARequestThatStoredNothingTakesNoEarlierByteBack)
{
    PortJob job("full");
    ASSERT_EQ(job.Open(), HOST_STATUS_DONE);
    job.Send("AB");
    EXPECT_EQ(job.Send(0x0002'000A), HOST_STATUS_WRITE_FAILED);
    EXPECT_EQ(job.block.cursorColumn, 2);
    Recover(job);
    EXPECT_EQ(job.Send(10), HOST_STATUS_DONE);
    EXPECT_EQ(Output(), "AB\n");
    job.Close();
}
