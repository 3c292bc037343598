#include "vdu/document_launcher.h"

#include "vdu/launcher_command.h"

void LaunchDocument(HostContext *context, VduBlock *block)
{
    if (!context || !block)
        return;
    char command[documentCommandSize];
    if (!BuildDocumentCommand(*context, block->screenNumber, command))
        return;

    // Minimised, not activated; the standard handles stay those the host received.
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    startup.lpReserved = nullptr;
    startup.lpDesktop = nullptr;
    startup.lpTitle = nullptr;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_SHOWMINNOACTIVE;
    startup.cbReserved2 = 0;
    startup.lpReserved2 = nullptr;

    // Fire and forget: a failed start is silent, and nothing waits for the page to open.
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS,
                       nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}
