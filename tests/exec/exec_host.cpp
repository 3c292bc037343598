// A host that a test starts the way the desktop starts a GUI program, without standard handles:
//   exec_host COMMAND...   runs COMMAND through 'X' 'C' and ends with the request's status.
#include <windows.h>

#include <string>

#include "host/host_api.h"
#include "host/startup.h"

int main(int argc, char **argv)
{
    std::string command;
    for (int i = 1; i < argc; ++i)
        command += std::string(i > 1 ? " " : "") + argv[i];
    char line[] = "";
    HostContext *context = CreateHostContext(GetModuleHandleA(nullptr), line);
    if (!context)
        return 99;
    ExecBlock block{};
    block.header.requestClass = REQUEST_EXEC;
    block.header.op = 'C';
    block.commandLine = command.data();
    context->serviceEntry(context, &block.header);
    return block.header.status;
}
