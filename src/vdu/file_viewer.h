// The live view of a text page that another program keeps in a file.
#pragma once

#include "host/host_context.h"
#include "vdu/vdu_block.h"

// One pass, from the display window's timer tick (GUI thread).
void RunFileViewer(HostContext *context, VduBlock *block);
