#include "exec/execute_service.h"

#include <windows.h>

#include <memory>
#include <new>

#include "exec/exec_startup.h"
#include "files/file_client_text.h"

namespace {

// Starts the command line and waits for the program to end. False when it cannot start.
bool RunAndWait(char *commandLine)
{
    STARTUPINFOA startup = StartedProgramStartupInfo();
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, execCreationFlags, nullptr, nullptr,
                        &startup, &process))
        return false;
    WaitForInputIdle(process.hProcess, execIdleWaitMs);
    // A wait on the handle rather than a poll of the exit code: a program may end with the
    // code that also means "still running".
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace

void ExecuteRequest(HostContext *, RequestBlock *request)
{
    if (request->op != 'C') {
        SwitchToThread(); // unknown operation: status stays pending
        return;
    }
    const auto *block = reinterpret_cast<const ExecBlock *>(request);
    // The command line is copied out of the client's block: creation may write into it.
    const std::unique_ptr<char[]> commandLine(new (std::nothrow) char[execCommandLineCapacity]);
    const bool started = commandLine &&
                         CopyClientText(block->commandLine, commandLine.get(), execCommandLineCapacity) &&
                         RunAndWait(commandLine.get());
    request->status = started ? HOST_STATUS_DONE : HOST_STATUS_START_FAILED;
}
