// Class 'M': allocate, release and a guarded byte peek.
#pragma once

#include "host/host_context.h"

void MemoryAllocate(HostContext *context, RequestBlock *request);
void MemoryRelease(HostContext *context, RequestBlock *request);
void MemoryPeek(HostContext *context, RequestBlock *request);
