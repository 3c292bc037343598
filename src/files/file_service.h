// Request class 'F': files shared between programs, with byte-range record locks.
#pragma once

#include "host/host_context.h"

void FileRequest(HostContext *context, RequestBlock *request);
