// The installer's worker thread.
#pragma once

#include "host/host_context.h"

enum class InstallDecision { Install, Stop };

// Polls the key code and the quit flag every 100 ms until the user decides.
InstallDecision WaitForDecision(HostContext *context);

// The worker body: waits for the user's decision, then returns (the host then lowers
// liveThreads and the program ends).
void InstallerThread(HostContext *context);
