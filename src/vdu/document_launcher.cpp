#include "vdu/document_launcher.h"

#include "exec/exec_startup.h"
#include "vdu/launcher_command.h"

void LaunchDocument(HostContext *context, VduBlock *block)
{
    if (!context || !block)
        return;
    char command[documentCommandSize];
    if (!BuildDocumentCommand(*context, block->screenNumber, command))
        return;

    // Started as the execute service starts programs: minimised, not activated, on the
    // standard handles the host received when it has any.
    STARTUPINFOA startup = StartedProgramStartupInfo();

    // Fire and forget: a failed start is silent, and nothing waits for the page to open.
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, execCreationFlags, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}
