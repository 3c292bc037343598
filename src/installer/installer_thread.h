// The installer's worker thread.
#pragma once

#include "host/host_context.h"

// The worker body: waits for the user's decision and installs on Enter, then returns (the
// host then lowers liveThreads and the program ends).
void InstallerThread(HostContext *context);
