// Submission and routing of requests.
#pragma once

#include "host/host_context.h"

// Carries the request out on the calling thread (open and close of a screen on the GUI
// thread), then returns with `status` set and `op` holding the client's letter again.
void SubmitRequest(HostContext *context, RequestBlock *request);

// Routes the request by class and operation on the calling thread; ends with op = 0.
void DispatchRequest(HostContext *context, RequestBlock *request);

// Whether the request must run on the GUI thread (it creates or destroys a window).
bool NeedsGuiThread(const RequestBlock *request);
