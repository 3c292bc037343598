// 'V' '4': rectangles, lines and bitmaps under a screen's text.
#pragma once

#include "host/host_context.h"

void VduGraphics(HostContext *context, RequestBlock *request);
