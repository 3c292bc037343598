#include "vdu/vdu_graphics.h"

void VduGraphics(HostContext *, RequestBlock *) {}
