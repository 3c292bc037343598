// Prints the text of a character screen on the first parallel port ('V' 'H', and the hardcopy
// event taken by 'K').
#pragma once

#include "host/host_context.h"

// `request` is the screen's VduBlock; its status becomes 0, or the print job's status when the
// job could not be opened or its first character not sent (after a message box).
void ScreenHardcopy(HostContext *context, RequestBlock *request);
