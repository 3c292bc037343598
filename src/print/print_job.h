// Print jobs of class 'L': open, send and close, on a Windows printer (the one named after the
// port, or the default printer for LPT1) or, when there is none, on the port itself.
#pragma once

#include "host/host_context.h"
#include "print/print_block.h"

// 'O': chooses the device and starts the document on a printer. Status 0, or 17.
void PrintOpen(HostContext *context, RequestBlock *request);
// 'S': hands the low byte of data to the job. Status 0, 17 (printer) or 4 (port).
void PrintSend(HostContext *context, RequestBlock *request);
// 'C': ends the page and the document and releases the device. Status 0, or 17.
void PrintClose(HostContext *context, RequestBlock *request);
