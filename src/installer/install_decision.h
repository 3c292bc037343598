// The user's decision, as the monitor window hands it to the installer.
#pragma once

#include "host/host_context.h"

enum class InstallDecision { Install, Stop };

// Polls the key code and the quit flag every 100 ms until the user decides: Enter installs,
// Escape or a quit request stops; other key codes (a drive letter, say) are ignored.
InstallDecision WaitForDecision(HostContext *context);
