// Opening and closing a screen ('V' 'Q', 'V' 'X'); both run on the GUI thread.
#pragma once

#include "host/host_context.h"

void VduOpen(HostContext *context, RequestBlock *request);
void VduClose(HostContext *context, RequestBlock *request);
