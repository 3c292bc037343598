/* hello_c: a small client of the TARNWELL host runtime, in plain C99.

   It opens a character screen, writes two lines, reads the first one back from the screen,
   waits for a key pressed in the screen's window and closes the screen again. Everything goes
   through the service entry that the host publishes in its context.

   Exit code: 0 a key was pressed; 1 the screen was asked to close (its close zone or Close menu
   item, or the host was asked to stop) before a key came; 2 the line read back differs from the
   line written; 3 no memory for the screen's block; 4 the screen could not be made; 255 the
   host could not start. */
#include <stdint.h>
#include <windows.h>

#include "host/host_api.h"
#include "vdu/vdu_block.h"

static const char kGreeting[] = "Hello from a C client.";
static const char kPrompt[] = "Press a key to close this screen.";

/* Written by the worker, read by WinMain once the host has ended. */
static int g_result = 1;

/* Submits `request` with the operation letter `op`; returns its status. The host puts the letter
   back before it returns, so the same block can be submitted again as it is. */
static int Submit(HostContext *host, RequestBlock *request, uint8_t op)
{
    request->op = op;
    host->serviceEntry(host, request);
    return request->status;
}

/* 'U': one control code; `extra` is the position argument of code 16. */
static void Control(HostContext *host, VduBlock *screen, uint8_t code, uint32_t extra)
{
    screen->data = code;
    screen->extra = extra;
    Submit(host, &screen->header, 'U');
}

/* Code 16: cursor to (column, row). */
static void MoveTo(HostContext *host, VduBlock *screen, int32_t column, int32_t row)
{
    Control(host, screen, 16, ((uint32_t)column << 16) | (uint32_t)row);
}

/* 'T' for each character: written at the cursor, which then moves on. */
static void Put(HostContext *host, VduBlock *screen, const char *text)
{
    for (; *text != '\0'; ++text) {
        screen->data = (uint8_t)*text;
        Submit(host, &screen->header, 'T');
    }
}

/* 'V' from the start of `row`: whether the screen holds `text` there. */
static int RowHolds(HostContext *host, VduBlock *screen, int32_t row, const char *text)
{
    MoveTo(host, screen, 0, row);
    for (; *text != '\0'; ++text) {
        Submit(host, &screen->header, 'V');
        if (screen->data != (uint8_t)*text)
            return 0;
    }
    return 1;
}

static int HostAskedToStop(HostContext *host)
{
    return InterlockedCompareExchange((LONG volatile *)&host->quitFlag, 0, 0) != 0;
}

/* Polls 'K' until a key or a typed character arrives (1), or the screen is asked to close (0).
   Mouse clicks and wheel turns are passed over. */
static int WaitForKey(HostContext *host, VduBlock *screen)
{
    for (;;) {
        uint32_t code, kind;
        Submit(host, &screen->header, 'K');
        code = screen->data;
        if (code == 0) {
            if (HostAskedToStop(host))
                return 0;
            Sleep(20); /* the host has no blocking wait: poll gently */
            continue;
        }
        /* A close request arrives as sixteen escapes with position 0; a real Escape key comes
           with the key message's parameter as its position, never 0. */
        if (code == VDU_EVENT_SYNTHETIC_ESCAPE && screen->extra == 0)
            return 0;
        kind = code & VDU_EVENT_KIND_MASK;
        if (kind == 0 || kind == VDU_EVENT_VIRTUAL_KEY)
            return 1;
    }
}

static void Worker(HostContext *host)
{
    MemoryBlock memory = {{REQUEST_MEMORY, 0, 0, 0}, (int32_t)sizeof(VduBlock), NULL};
    VduBlock *screen;

    /* The screen's block: 900 bytes, zero-filled, kept for the whole life of the screen. */
    if (Submit(host, &memory.header, 'Q') != HOST_STATUS_DONE) {
        g_result = 3;
        return;
    }
    screen = (VduBlock *)memory.address;
    screen->header.requestClass = REQUEST_VDU;
    screen->columns = 40;
    screen->rows = 6;
    screen->extra = 0; /* screen number 0: always shown, whichever screen is selected */
    /* cell size and margins left at 0: the host's defaults */

    Submit(host, &screen->header, 'Q');
    if (screen->window == NULL) {
        g_result = 4;
    } else {
        Put(host, screen, kGreeting);
        MoveTo(host, screen, 0, 2);
        Put(host, screen, kPrompt);
        if (!RowHolds(host, screen, 0, kGreeting)) {
            g_result = 2;
        } else {
            MoveTo(host, screen, (int32_t)(sizeof kPrompt - 1), 2);
            g_result = WaitForKey(host, screen) ? 0 : 1;
        }
        Submit(host, &screen->header, 'X');
    }
    Submit(host, &memory.header, 'X');
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    int exitCode;
    (void)previous;
    exitCode = HostMain(instance, commandLine, showCommand, Worker);
    return exitCode != 0 ? exitCode : g_result;
}
