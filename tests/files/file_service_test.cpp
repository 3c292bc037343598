// The file service through the service entry, in the test's scratch folder: creating,
// opening, reading and writing at and past the end, positions in the lock area, locks
// between two handles and between two processes, closing and erasing.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "file_requester.h"
#include "host/startup.h"

namespace {

HostContext *Context()
{
    static char line[] = "";
    static HostContext *context = CreateHostContext(GetModuleHandleA(nullptr), line);
    return context;
}

// A file of `size` bytes, byte i holding i mod 251, made without the service.
void MakeFile(const char *name, uint32_t size)
{
    DeleteFileA(name);
    const HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    std::vector<uint8_t> bytes(size);
    for (uint32_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(i % 251);
    DWORD written = 0;
    WriteFile(file, bytes.data(), size, &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, size);
}

// A sparse file of `size` bytes.
void MakeLargeFile(const char *name, uint64_t size)
{
    DeleteFileA(name);
    const HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD returned;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    ASSERT_TRUE(SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
}

std::string Contents(const char *name)
{
    const HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buffer[4096];
    DWORD got = 0;
    ReadFile(file, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(file);
    return std::string(buffer, got);
}

bool Exists(const char *name)
{
    return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES;
}

const HANDLE sentinelHandle = reinterpret_cast<HANDLE>(0x5A5A5A5A);
constexpr uint32_t sentinelPosition = 0xA5A5A5A5;

TEST(FileService, CreateMakesANewFileAndRefusesAnExistingName)
{
    DeleteFileA("NEW.DAT");
    FileRequester f(Context());
    f.block.position = 77;
    ASSERT_EQ(f.Create("NEW.DAT"), 0);
    EXPECT_EQ(f.block.position, 0u);
    EXPECT_EQ(f.Write("hello", 5, 0), 0);
    char buffer[8];
    EXPECT_EQ(f.Read(buffer, 5, 0), 3); // created for writing only
    EXPECT_EQ(f.Close(), 0);

    FileRequester again(Context());
    again.block.file = sentinelHandle;
    again.block.position = sentinelPosition;
    EXPECT_EQ(again.Create("NEW.DAT"), 12);
    EXPECT_EQ(again.block.file, sentinelHandle);
    EXPECT_EQ(again.block.position, sentinelPosition);
    EXPECT_EQ(Contents("NEW.DAT"), "hello");
}

TEST(FileService, OpenGivesTheSizeOrFailsLeavingTheBlock)
{
    MakeFile("SIZED.DAT", 1234);
    FileRequester f(Context());
    ASSERT_EQ(f.Open("SIZED.DAT"), 0);
    EXPECT_EQ(f.block.position, 1234u);
    EXPECT_EQ(f.Close(), 0);

    DeleteFileA("MISSING.DAT");
    FileRequester missing(Context());
    missing.block.file = sentinelHandle;
    missing.block.position = sentinelPosition;
    EXPECT_EQ(missing.Open("MISSING.DAT"), 12);
    EXPECT_EQ(missing.block.file, sentinelHandle);
    EXPECT_EQ(missing.block.position, sentinelPosition);
}

TEST(FileService, FilesOfFourGibibytesAndMoreAreRefusedAndClosedAgain)
{
    FileRequester f(Context());
    MakeLargeFile("LAST.DAT", 0xFFFFFFFFull);
    ASSERT_EQ(f.Open("LAST.DAT"), 0);
    EXPECT_EQ(f.block.position, 0xFFFFFFFFu);
    f.Close();
    EXPECT_TRUE(DeleteFileA("LAST.DAT"));

    for (const uint64_t size : {0x100000000ull, 5ull << 30}) {
        MakeLargeFile("HUGE.DAT", size);
        f.block.file = sentinelHandle;
        f.block.position = sentinelPosition;
        EXPECT_EQ(f.Open("HUGE.DAT"), 13) << size;
        EXPECT_EQ(f.block.file, sentinelHandle);
        EXPECT_EQ(f.block.position, sentinelPosition);
        // an open handle without delete sharing would refuse this
        EXPECT_TRUE(DeleteFileA("HUGE.DAT")) << size;
    }
}

TEST(FileService, ReadsAtAndPastTheEnd)
{
    MakeFile("READ.DAT", 100);
    FileRequester f(Context());
    ASSERT_EQ(f.Open("READ.DAT"), 0);
    uint8_t buffer[128];
    std::memset(buffer, 0xEE, sizeof buffer);

    EXPECT_EQ(f.Read(buffer, 100, 60), 1); // 40 bytes left
    EXPECT_EQ(f.block.count, 40u);
    EXPECT_EQ(f.block.position, 60u);
    for (int i = 0; i < 40; ++i)
        ASSERT_EQ(buffer[i], (60 + i) % 251) << i;
    EXPECT_EQ(buffer[40], 0xEE);

    EXPECT_EQ(f.Read(buffer, 10, 5), 0);
    EXPECT_EQ(f.block.count, 10u);
    EXPECT_EQ(buffer[0], 5);
    EXPECT_EQ(buffer[9], 14);

    EXPECT_EQ(f.Read(buffer, 100, 100), 3); // at the end
    EXPECT_EQ(f.block.count, 100u);
    EXPECT_EQ(f.Read(buffer, 100, 5000), 3); // beyond it
    EXPECT_EQ(f.block.count, 100u);
    EXPECT_EQ(f.Read(buffer, 0, 0), 3);
    EXPECT_EQ(f.block.count, 0u);
    EXPECT_EQ(f.Read(nullptr, 10, 0), 3); // no buffer: the read fails, nothing breaks
    EXPECT_EQ(f.Close(), 0);
}

TEST(FileService, PositionsInTheLockAreaCannotBeSet)
{
    MakeFile("SEEK.DAT", 100);
    FileRequester f(Context());
    ASSERT_EQ(f.Open("SEEK.DAT"), 0);
    uint8_t buffer[16] = {};
    EXPECT_EQ(f.Read(buffer, 16, 0x80000000u), 5);
    EXPECT_EQ(f.block.count, 16u);
    EXPECT_EQ(f.Read(buffer, 16, 0xFFFFFFFFu), 5);
    EXPECT_EQ(f.Write(buffer, 16, 0x80000000u), 5);
    EXPECT_EQ(f.Read(buffer, 16, 0x7FFFFFFFu), 3); // settable, nothing there
    EXPECT_EQ(f.Close(), 0);
    EXPECT_EQ(Contents("SEEK.DAT").size(), 100u);
}

TEST(FileService, WritesLandAtTheirPositionAndLeaveItUnchanged)
{
    MakeFile("WRITE.DAT", 10);
    FileRequester f(Context());
    ASSERT_EQ(f.Open("WRITE.DAT"), 0);
    EXPECT_EQ(f.Write("abc", 3, 2), 0);
    EXPECT_EQ(f.block.position, 2u);
    EXPECT_EQ(f.Write("xyz", 0, 0), 0); // nothing to write
    EXPECT_EQ(f.Write("END", 3, 12), 0); // past the end: the gap reads as zeros
    EXPECT_EQ(f.Write(nullptr, 10, 0), 4);
    EXPECT_EQ(f.Close(), 0);
    const std::string expected("\0\1abc\5\6\7\10\11\0\0END", 15);
    EXPECT_EQ(Contents("WRITE.DAT"), expected);
}

TEST(FileService, LocksBetweenTwoHandlesOfThisProcess)
{
    MakeFile("LOCKS.DAT", 10);
    FileRequester first(Context()), second(Context());
    ASSERT_EQ(first.Open("LOCKS.DAT"), 0);
    ASSERT_EQ(second.Open("LOCKS.DAT"), 0);

    EXPECT_EQ(first.Lock(7), 0);
    EXPECT_EQ(second.Lock(7), -128);
    EXPECT_EQ(static_cast<uint8_t>(second.block.header.status), 128);
    EXPECT_EQ(second.Lock(7 + 0x80000000u), -128); // the same byte
    EXPECT_EQ(second.Lock(8), 0);                   // its neighbour is free
    EXPECT_EQ(first.Unlock(7), 0);
    EXPECT_EQ(second.Lock(0x80000007u), 0);
    EXPECT_EQ(first.Lock(7), -128);
    EXPECT_EQ(first.Unlock(7), 0); // not held by this handle: still 0
    EXPECT_EQ(second.Lock(7), -128);

    // the data below the lock area is not locked
    char buffer[4];
    EXPECT_EQ(first.Read(buffer, 4, 6), 0);

    // 'Q' and 'X' are lock and unlock of lock 2, and leave position 2
    first.block.position = 99;
    EXPECT_EQ(first.Submit('Q'), 0);
    EXPECT_EQ(first.block.position, 2u);
    EXPECT_EQ(second.Lock(2), -128);
    first.block.position = 99;
    EXPECT_EQ(first.Submit('X'), 0);
    EXPECT_EQ(first.block.position, 2u);
    EXPECT_EQ(second.Lock(2), 0);
    EXPECT_EQ(first.Submit('Q'), -128);
    EXPECT_EQ(second.Submit('X'), 0);
    EXPECT_EQ(first.Submit('Q'), 0);

    first.Close();
    second.Close();
}

// Runs the lock probe with `arguments`; returns its exit code, or -1 if it did not end.
int RunProbe(const std::string &arguments, PROCESS_INFORMATION *keep = nullptr)
{
    std::string line = "file_lock_probe.exe " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -2;
    if (keep) {
        *keep = process;
        return 0;
    }
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

TEST(FileService, LocksBetweenTwoProcesses)
{
    MakeFile("SHARED.DAT", 10);
    FileRequester f(Context());
    ASSERT_EQ(f.Open("SHARED.DAT"), 0);

    // this process holds lock 2; the other program is refused, by either number of the byte
    ASSERT_EQ(f.Submit('Q'), 0);
    EXPECT_EQ(RunProbe("try SHARED.DAT 2"), 128);
    EXPECT_EQ(RunProbe("try SHARED.DAT 0x80000002"), 128);
    EXPECT_EQ(RunProbe("try SHARED.DAT 3"), 0);
    EXPECT_EQ(f.Submit('X'), 0);
    EXPECT_EQ(RunProbe("try SHARED.DAT 2"), 0);

    // the other program holds lock 9 until told to let go
    const HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, "TarnwellProbeReady");
    const HANDLE release = CreateEventA(nullptr, TRUE, FALSE, "TarnwellProbeRelease");
    PROCESS_INFORMATION holder{};
    ASSERT_EQ(RunProbe("hold SHARED.DAT 9 TarnwellProbeReady TarnwellProbeRelease", &holder), 0);
    HANDLE waits[2] = {ready, holder.hProcess};
    ASSERT_EQ(WaitForMultipleObjects(2, waits, FALSE, 60000), WAIT_OBJECT_0);
    EXPECT_EQ(f.Lock(9), -128);
    EXPECT_EQ(f.Lock(0x80000009u), -128);
    EXPECT_EQ(f.Lock(10), 0);
    SetEvent(release);
    ASSERT_EQ(WaitForSingleObject(holder.hProcess, 60000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(holder.hProcess, &code);
    EXPECT_EQ(code, 0u); // its lock had been granted
    EXPECT_EQ(f.Lock(9), 0);
    CloseHandle(holder.hThread);
    CloseHandle(holder.hProcess);
    CloseHandle(ready);
    CloseHandle(release);
    f.Close();
}

TEST(FileService, EraseDeletesByName)
{
    MakeFile("GONE.DAT", 3);
    FileRequester f(Context());
    EXPECT_EQ(f.Erase("GONE.DAT"), 0);
    EXPECT_FALSE(Exists("GONE.DAT"));
    EXPECT_EQ(f.Erase("GONE.DAT"), 12);
    EXPECT_EQ(f.Erase(nullptr), 12);
}

TEST(FileService, ASecondCloseDoesNotCloseAHandleOpenedSince)
{
    MakeFile("ONE.DAT", 10);
    MakeFile("TWO.DAT", 10);
    FileRequester one(Context()), two(Context());
    ASSERT_EQ(one.Open("ONE.DAT"), 0);
    EXPECT_EQ(one.Close(), 0);
    ASSERT_EQ(two.Open("TWO.DAT"), 0); // may well get the handle value just freed
    EXPECT_EQ(one.Close(), 0);
    char buffer[4];
    EXPECT_EQ(two.Read(buffer, 4, 0), 0);
    EXPECT_EQ(two.Close(), 0);
}

TEST(FileService, NamesAreReadWithABoundedLength)
{
    FileRequester f(Context());
    std::string longName(5000, 'N'); // far longer than any path
    EXPECT_EQ(f.Create(longName.c_str()), 12);
    EXPECT_EQ(f.Open(longName.c_str()), 12);
    EXPECT_EQ(f.Erase(longName.c_str()), 12);
    EXPECT_EQ(f.Create(nullptr), 12);
    EXPECT_EQ(f.Open(reinterpret_cast<const char *>(16)), 12);

    // a name whose NUL would lie beyond a readable page
    char *page = static_cast<char *>(VirtualAlloc(nullptr, 8192, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(page, nullptr);
    DWORD old;
    VirtualProtect(page + 4096, 4096, PAGE_NOACCESS, &old);
    std::memcpy(page + 4096 - 5, "EDGE.", 5);
    EXPECT_EQ(f.Create(page + 4096 - 5), 12);
    EXPECT_FALSE(Exists("EDGE."));
    VirtualFree(page, 0, MEM_RELEASE);
}

TEST(FileService, NoOperationAndUnknownLetters)
{
    FileRequester f(Context());
    f.block.file = sentinelHandle;
    f.block.position = sentinelPosition;
    f.block.count = 3;
    EXPECT_EQ(f.Submit('Z'), 0);
    EXPECT_EQ(f.Submit('Y'), 7);
    EXPECT_EQ(f.Submit('r'), 7);
    EXPECT_EQ(f.block.file, sentinelHandle);
    EXPECT_EQ(f.block.position, sentinelPosition);
    EXPECT_EQ(f.block.count, 3u);
}

} // namespace
