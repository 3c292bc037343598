#include "host/memory_service.h"

#include <cstdlib>

#include "host/guarded_read.h"
#include "host/host_api.h"

extern "C" void *HostAllocate(int32_t size)
{
    if (size < 1)
        return nullptr;
    return std::calloc(1, static_cast<size_t>(size));
}

extern "C" void *HostRelease(void *block)
{
    std::free(block);
    return nullptr;
}

void MemoryAllocate(HostContext *, RequestBlock *request)
{
    auto *block = reinterpret_cast<MemoryBlock *>(request);
    block->address = HostAllocate(block->size);
    if (block->address)
        request->status = HOST_STATUS_DONE;
}

void MemoryRelease(HostContext *, RequestBlock *request)
{
    auto *block = reinterpret_cast<MemoryBlock *>(request);
    block->address = HostRelease(block->address);
    request->status = HOST_STATUS_DONE;
}

void MemoryPeek(HostContext *context, RequestBlock *request)
{
    auto *block = reinterpret_cast<MemoryBlock *>(request);
    context->peekBase = 0;
    block->size = GuardedReadByte(context->peekBase + reinterpret_cast<uintptr_t>(block->address));
    request->status = HOST_STATUS_DONE;
}
