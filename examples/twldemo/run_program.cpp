// The services page's program run: the execute service starts cmd.exe, which writes a line
// into TWLRUN.TXT, and waits for it; the file service reads the line back.
#include <string.h>

#include "demo.h"

namespace {

constexpr const char *kRunOutput = "TWLRUN.TXT";

} // namespace

LogLines RunProgram(HostContext *host)
{
    FileRequest erase = MakeFileRequest(host, kRunOutput);
    FileOp(erase, 'E');
    char command[] = "cmd.exe /c echo This line was written by a program that TWLDEMO ran.> TWLRUN.TXT";
    ExecBlock run{};
    run.header.requestClass = REQUEST_EXEC;
    run.commandLine = command;
    const int8_t status = Submit(host, &run.header, 'C');
    if (status != HOST_STATUS_DONE)
        return {"Run: the program did not start, status " + std::to_string(status) + "."};
    LogLines lines{"Run: cmd.exe ran and ended, status " + std::to_string(status) + "."};
    FileRequest out = MakeFileRequest(host, kRunOutput);
    if (FileOp(out, 'O') != HOST_STATUS_DONE) {
        lines.push_back("  it left no TWLRUN.TXT");
        return lines;
    }
    char text[73] = {};
    out.block.data = text;
    out.block.count = sizeof text - 1;
    out.block.position = 0;
    const int8_t read = FileOp(out, 'R');
    FileOp(out, 'C');
    if (read == HOST_STATUS_DONE || read == HOST_STATUS_SHORT_READ) {
        text[out.block.count < sizeof text - 1 ? out.block.count : sizeof text - 1] = 0;
        for (char *p = text; *p; ++p)
            if (*p == '\r' || *p == '\n')
                *p = 0;
        lines.push_back(std::string("  TWLRUN.TXT: ") + text);
    }
    return lines;
}
