// Request class 'X': starting other programs.
#pragma once

#include "host/host_context.h"

void ExecuteRequest(HostContext *context, RequestBlock *request);
