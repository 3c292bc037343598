// A client of the host runtime that knows nothing but its public entry points.
#include "host/host_api.h"

namespace {

int g_result = 1;

void Worker(HostContext *context)
{
    static const uint8_t byte = 0x5A;
    MemoryBlock peek{{'M', 0, 0, 'B'}, 0, const_cast<uint8_t *>(&byte)};
    context->serviceEntry(context, &peek.header);
    g_result = (peek.header.status == 0 && peek.size == 0x5A && peek.header.op == 'B') ? 0 : 2;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    const int exitCode = HostMain(instance, commandLine, showCommand, Worker);
    return exitCode != 0 ? exitCode : g_result;
}
