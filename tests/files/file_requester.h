// Drives one FileBlock through the service entry, as a client would.
#pragma once

#include <windows.h>

#include "host/host_api.h"

struct FileRequester {
    HostContext *context;
    FileBlock block{};

    explicit FileRequester(HostContext *c) : context(c) { block.header.requestClass = REQUEST_FILE; }

    // Submits `op`; returns the status. `op` must be back in the block afterwards.
    int8_t Submit(uint8_t op)
    {
        block.header.op = op;
        context->serviceEntry(context, &block.header);
        return block.header.op == op ? block.header.status : int8_t{99};
    }
    int8_t Named(uint8_t op, const char *name)
    {
        block.data = const_cast<char *>(name);
        return Submit(op);
    }
    int8_t Create(const char *name) { return Named('A', name); }
    int8_t Open(const char *name) { return Named('O', name); }
    int8_t Erase(const char *name) { return Named('E', name); }
    int8_t Transfer(uint8_t op, void *buffer, uint32_t count, uint32_t position)
    {
        block.data = buffer;
        block.count = count;
        block.position = position;
        return Submit(op);
    }
    int8_t Read(void *buffer, uint32_t count, uint32_t position) { return Transfer('R', buffer, count, position); }
    int8_t Write(const void *buffer, uint32_t count, uint32_t position)
    {
        return Transfer('W', const_cast<void *>(buffer), count, position);
    }
    int8_t Lock(uint32_t number)
    {
        block.position = number;
        return Submit('L');
    }
    int8_t Unlock(uint32_t number)
    {
        block.position = number;
        return Submit('U');
    }
    int8_t Close() { return Submit('C'); }
};
