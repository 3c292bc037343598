/* A client built against the installed host runtime. It runs one request of each kind it can
   check without a person: memory, a character screen and an unknown file operation. The exit
   code names the first check that failed, 0 when all passed. */
#include <stdint.h>
#include <windows.h>

#include "host/host_api.h"
#include "print/print_block.h"
#include "vdu/vdu_block.h"

static int g_failed = 99; /* until the worker has run */

static int8_t Submit(HostContext *host, RequestBlock *request, uint8_t op)
{
    request->op = op;
    host->serviceEntry(host, request);
    return request->status;
}

static int MemoryChecks(HostContext *host)
{
    MemoryBlock block = {{REQUEST_MEMORY, 0, 0, 0}, 16, NULL};
    MemoryBlock peek = {{REQUEST_MEMORY, 0, 0, 0}, 0, NULL};
    if (Submit(host, &block.header, 'Q') != HOST_STATUS_DONE || block.address == NULL)
        return 1;
    ((uint8_t *)block.address)[5] = 0xC8;
    peek.address = (uint8_t *)block.address + 5;
    if (Submit(host, &peek.header, 'B') != HOST_STATUS_DONE || peek.size != 200 || peek.header.op != 'B')
        return 2;
    if (Submit(host, &block.header, 'X') != HOST_STATUS_DONE || block.address != NULL)
        return 3;
    return 0;
}

static int ScreenChecks(HostContext *host)
{
    static const char text[] = "installed";
    VduBlock *screen = (VduBlock *)HostAllocate((int32_t)sizeof(VduBlock));
    int failed = 0;
    size_t i;
    if (screen == NULL)
        return 10;
    screen->header.requestClass = REQUEST_VDU;
    screen->columns = 20;
    screen->rows = 3;
    Submit(host, &screen->header, 'Q');
    if (screen->window == NULL) {
        HostRelease(screen);
        return 11;
    }
    Submit(host, &screen->header, 'A');
    if (screen->data != (20u | (3u << 16)))
        failed = 12;
    for (i = 0; !failed && text[i] != '\0'; ++i) {
        screen->data = (uint8_t)text[i];
        if (Submit(host, &screen->header, 'T') != HOST_STATUS_DONE)
            failed = 13;
    }
    screen->cursorColumn = 0;
    screen->cursorRow = 0;
    for (i = 0; !failed && text[i] != '\0'; ++i) {
        Submit(host, &screen->header, 'V');
        if (screen->data != (uint8_t)text[i])
            failed = 14;
    }
    Submit(host, &screen->header, 'X');
    if (!failed && (screen->window != NULL || screen->cells != NULL))
        failed = 15;
    HostRelease(screen);
    return failed;
}

static int FileChecks(HostContext *host)
{
    FileBlock file;
    ZeroMemory(&file, sizeof file);
    file.header.requestClass = REQUEST_FILE;
    if (Submit(host, &file.header, 'Y') != HOST_STATUS_UNKNOWN_OP)
        return 20;
    return 0;
}

static void Worker(HostContext *host)
{
    int failed = MemoryChecks(host);
    if (!failed)
        failed = ScreenChecks(host);
    if (!failed)
        failed = FileChecks(host);
    if (!failed && sizeof(PrintBlock) != 900)
        failed = 30;
    g_failed = failed;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    int exitCode;
    (void)previous;
    exitCode = HostMain(instance, commandLine, showCommand, Worker);
    return exitCode != 0 ? exitCode : g_failed;
}
