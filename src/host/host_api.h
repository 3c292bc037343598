/* The host runtime's entry points for client code and for the program that embeds it. */
#ifndef TARNWELL_HOST_API_H
#define TARNWELL_HOST_API_H

#include <stdint.h>
#include <windows.h>

#include "host/host_context.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The service entry: carries out one request and returns with its status set and its
   operation letter restored. Its address also stands in HostContext.serviceEntry. */
void __stdcall HostService(HostContext *context, RequestBlock *request);

/* Zero-filled heap memory; null for a size below 1 or when the heap is exhausted. */
void *HostAllocate(int32_t size);

/* Releases a block from HostAllocate (nothing for null) and returns null. */
void *HostRelease(void *block);

/* A whole Windows bitmap file in one buffer, or null. Only the "BM" mark and the size field
   are checked; the caller releases the buffer with free(). */
uint8_t *LoadBitmapFile(const char *name);

/* Body of a worker thread. The host lowers liveThreads by one when it returns. */
typedef void (*HostWorker)(HostContext *context);

/* Builds the host context, shows the monitor window, starts `worker` on a thread of its own
   and runs the message loop until no worker is left. Returns 255 when start-up fails,
   otherwise the quit message's value. Before anything else it sets the process's error mode
   (no critical-error dialogs) and, where Windows supports it, has DLLs loaded by name taken
   from the system folder only: a client that loads a DLL of its own gives its full path or
   adds its folder with AddDllDirectory. */
int HostMain(HINSTANCE instance, char *commandLine, int showCommand, HostWorker worker);

#ifdef __cplusplus
}
#endif

#endif
