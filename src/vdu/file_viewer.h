// The live view of a text page that another program keeps in a file.
#pragma once

#include "host/host_context.h"
#include "vdu/vdu_block.h"

// One pass, from the display window's timer tick (GUI thread): reads the page from the
// client's file (HostContext::mirrorFile) and redraws the cells whose character changed. A
// failure is reported in a message box once, until a pass succeeds again; a tick that comes
// while a pass is still under way (during its message box) does nothing. The box's loop
// carries out hand-overs: when the pass returns, the screen may be closed and the block freed.
void RunFileViewer(HostContext *context, VduBlock *block);
