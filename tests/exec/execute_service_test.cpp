// Starting programs through the service entry and waiting for them: a missing program, a
// console program that runs for two seconds, one that ends with the code 259, and the
// handles of programs that have ended.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "host/host_api.h"
#include "host/startup.h"

namespace {

HostContext *Context()
{
    static char line[] = "";
    static HostContext *context = CreateHostContext(GetModuleHandleA(nullptr), line);
    return context;
}

struct ExecRun {
    ExecBlock block{};
    bool finished = false;
    double seconds = 0;
};

DWORD WINAPI Submit(void *parameter)
{
    auto *run = static_cast<ExecRun *>(parameter);
    HostContext *context = Context();
    context->serviceEntry(context, &run->block.header);
    return 0;
}

// Submits 'X' 'C' with `commandLine` on a thread of its own and gives it `limitMs` to
// return, so that a request that never returns fails the test instead of hanging it.
ExecRun Execute(char *commandLine, DWORD limitMs = 60000)
{
    ExecRun run;
    run.block.header.requestClass = REQUEST_EXEC;
    run.block.header.op = 'C';
    run.block.commandLine = commandLine;
    LARGE_INTEGER start, end, frequency;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const HANDLE thread = CreateThread(nullptr, 0, Submit, &run, 0, nullptr);
    run.finished = WaitForSingleObject(thread, limitMs) == WAIT_OBJECT_0;
    QueryPerformanceCounter(&end);
    run.seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    if (!run.finished)
        TerminateThread(thread, 0); // the block stays in use: leave it alone
    CloseHandle(thread);
    return run;
}

TEST(ExecuteService, AProgramThatCannotStartGives17)
{
    char missing[] = "no_such_program_anywhere.exe /x";
    ExecRun run = Execute(missing);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.block.header.status, 17);
    EXPECT_EQ(run.block.header.op, 'C');

    char notProgram[] = "NOTAPROG.EXE"; // text, not a program
    std::FILE *text = std::fopen(notProgram, "w");
    ASSERT_NE(text, nullptr);
    std::fputs("not a program\n", text);
    std::fclose(text);
    run = Execute(notProgram);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.block.header.status, 17);

    run = Execute(nullptr);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.block.header.status, 17);
}

TEST(ExecuteService, ACommandLineWithoutItsEndIsRefused)
{
    // the command line runs into an inaccessible page before any NUL
    const size_t size = 64 * 1024;
    char *pages = static_cast<char *>(VirtualAlloc(nullptr, size + 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(pages, nullptr);
    DWORD old;
    VirtualProtect(pages + size, 4096, PAGE_NOACCESS, &old);
    std::memcpy(pages, "exec_child.exe exit 0 ", 22);
    std::memset(pages + 22, 'x', size - 22);
    ExecRun run = Execute(pages + size - 100);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.block.header.status, 17);
    // longer than any command line, though readable to the end
    run = Execute(pages);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.block.header.status, 17);
    VirtualFree(pages, 0, MEM_RELEASE);
}

TEST(ExecuteService, AConsoleProgramIsWaitedForToItsEnd)
{
    DeleteFileA("ENDED.TXT");
    char line[] = "exec_child.exe sleep 2000 ENDED.TXT";
    ExecRun run = Execute(line);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.block.header.status, 0);
    EXPECT_EQ(run.block.header.op, 'C');
    std::printf("two-second program: the request returned after %.2f s\n", run.seconds);
    // the program writes this just before it ends
    std::FILE *marker = std::fopen("ENDED.TXT", "r");
    ASSERT_NE(marker, nullptr) << "the request returned before the program ended";
    unsigned long flags = 0;
    unsigned show = 0;
    int console = 0;
    EXPECT_EQ(std::fscanf(marker, "%lu %u %d", &flags, &show, &console), 3);
    std::fclose(marker);
    EXPECT_EQ(flags, 0x101u);
    EXPECT_EQ(show, 7u); // minimised, not activated
    EXPECT_EQ(console, 1);
    EXPECT_STREQ(line, "exec_child.exe sleep 2000 ENDED.TXT");
}

// A host started as the desktop starts a GUI program has no standard handles: a console
// program it starts gets those of its own console, and its output shows there.
TEST(ExecuteService, AConsoleProgramOfAHostWithoutStandardHandlesWritesToItsOwnConsole)
{
    DeleteFileA("OUTPUT.TXT");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES; // all three null
    PROCESS_INFORMATION host{};
    char line[] = "exec_host.exe exec_child.exe output OUTPUT.TXT";
    ASSERT_TRUE(CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr, &startup,
                               &host));
    const bool ended = WaitForSingleObject(host.hProcess, 60000) == WAIT_OBJECT_0;
    DWORD status = 99;
    GetExitCodeProcess(host.hProcess, &status);
    if (!ended)
        TerminateProcess(host.hProcess, 1);
    CloseHandle(host.hThread);
    CloseHandle(host.hProcess);
    ASSERT_TRUE(ended);
    EXPECT_EQ(status, 0u);
    std::FILE *marker = std::fopen("OUTPUT.TXT", "r");
    ASSERT_NE(marker, nullptr) << "the console program did not run";
    unsigned long flags = 0;
    int wrote = 0, shown = 0;
    EXPECT_EQ(std::fscanf(marker, "%lu %d %d", &flags, &wrote, &shown), 3);
    std::fclose(marker);
    EXPECT_EQ(flags & STARTF_USESTDHANDLES, 0u);
    EXPECT_EQ(wrote, 1) << "the program's standard output does not work";
    EXPECT_EQ(shown, 1) << "the output did not reach its console";
}

TEST(ExecuteService, AnExitCodeOf259DoesNotHangTheRequest)
{
    char line[] = "exec_child.exe exit 259";
    const ExecRun run = Execute(line, 30000);
    ASSERT_TRUE(run.finished) << "still waiting for a program that has ended";
    EXPECT_EQ(run.block.header.status, 0);
}

// Handles of this process that name a process or a thread other than its own, found by
// trying every handle value in the lower range of the table.
int ProcessAndThreadHandles()
{
    int count = 0;
    for (uintptr_t value = 4; value < 0x10000; value += 4) {
        const HANDLE handle = reinterpret_cast<HANDLE>(value);
        const DWORD own = GetCurrentProcessId();
        const DWORD process = GetProcessId(handle);
        const bool otherThread = GetThreadId(handle) != 0 && GetProcessIdOfThread(handle) != own;
        count += (process != 0 && process != own) || otherThread;
    }
    return count;
}

TEST(ExecuteService, TheHandlesOfAnEndedProgramAreClosed)
{
    const int before = ProcessAndThreadHandles();
    for (int i = 0; i < 3; ++i) {
        char line[] = "exec_child.exe exit 0";
        ASSERT_EQ(Execute(line).block.header.status, 0);
    }
    EXPECT_EQ(ProcessAndThreadHandles(), before) << "process or thread handles of the started programs left open";
}

TEST(ExecuteService, AReadOnlyCommandLineIsUsedAsACopy)
{
    char *page = static_cast<char *>(VirtualAlloc(nullptr, 4096, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(page, nullptr);
    std::strcpy(page, "exec_child.exe exit 3");
    DWORD old;
    VirtualProtect(page, 4096, PAGE_READONLY, &old);
    const ExecRun run = Execute(page);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.block.header.status, 0);
    VirtualFree(page, 0, MEM_RELEASE);
}

} // namespace
