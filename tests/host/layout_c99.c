/* The three client headers as a C99 client sees them. */
#include <stddef.h>

#include "host/host_context.h"
#include "print/print_block.h"
#include "vdu/vdu_block.h"

size_t CHostContextSize(void) { return sizeof(HostContext); }
size_t CVduBlockSize(void) { return sizeof(VduBlock); }
size_t CPrintBlockSize(void) { return sizeof(PrintBlock); }

/* Offsets of fields whose C and C++ types could differ (enums, pointers, handles). */
size_t CHostOffsets(size_t *out)
{
    size_t n = 0;
    out[n++] = offsetof(HostContext, serviceEntry);
    out[n++] = offsetof(HostContext, commandLine);
    out[n++] = offsetof(HostContext, pendingRequest);
    out[n++] = offsetof(HostContext, instance);
    out[n++] = offsetof(HostContext, paletteEntries);
    out[n++] = offsetof(HostContext, brushes);
    out[n++] = offsetof(HostContext, mirrorFile);
    out[n++] = offsetof(VduBlock, events);
    out[n++] = offsetof(VduBlock, host);
    out[n++] = offsetof(VduBlock, bitmapRect);
    out[n++] = offsetof(PrintBlock, printerDC);
    out[n++] = offsetof(PrintBlock, lineBuffer);
    out[n++] = offsetof(FileBlock, position);
    out[n++] = offsetof(MemoryBlock, address);
    out[n++] = offsetof(ExecBlock, commandLine);
    return n;
}

int CStatusLocked(void) { return HOST_STATUS_LOCKED; }
