// Opens a screen's document page with the program the system associates with it.
#pragma once

#include "host/host_context.h"
#include "vdu/vdu_block.h"

void LaunchDocument(HostContext *context, VduBlock *block);
