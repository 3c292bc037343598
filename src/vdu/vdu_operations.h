// The everyday operations of an open screen, each with the steps the dispatcher adds to it.
// Every one ends with status 0. On a block with no open screen 'T' and 'U' change nothing else,
// 'V' answers the end mark, 'K' no event, and 'M' and 'A' answer from the block's own fields.
#pragma once

#include "host/host_context.h"

void VduPutCharacter(HostContext *context, RequestBlock *request);  // 'T'
void VduControl(HostContext *context, RequestBlock *request);       // 'U'
void VduReadCharacter(HostContext *context, RequestBlock *request); // 'V'
void VduTakeEvent(HostContext *context, RequestBlock *request);     // 'K'
void VduMouseToCell(HostContext *context, RequestBlock *request);   // 'M'
void VduGeometry(HostContext *context, RequestBlock *request);      // 'A'
