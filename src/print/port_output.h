// Print jobs written as raw bytes to a port or an existing file (deviceKind 0).
#pragma once

#include "host/host_context.h"
#include "print/print_block.h"

// Opens the port or file named in portName: status 0, or 17 when it cannot be opened.
void PortOpen(HostContext *context, PrintBlock *block);
// Buffers the character in data and writes the buffer when due: status 0, or 4 when a write
// delivered nothing.
void PortSend(HostContext *context, PrintBlock *block);
// Closes the port, discarding what is still buffered: status 0.
void PortClose(HostContext *context, PrintBlock *block);
