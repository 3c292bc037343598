// The everyday operations of an open screen, each with the steps the dispatcher adds to it.
// Every one ends with status 0; on a block that is not open they change nothing else.
#pragma once

#include "host/host_context.h"

void VduPutCharacter(HostContext *context, RequestBlock *request);  // 'T'
void VduControl(HostContext *context, RequestBlock *request);       // 'U'
void VduReadCharacter(HostContext *context, RequestBlock *request); // 'V'
void VduTakeEvent(HostContext *context, RequestBlock *request);     // 'K'
void VduMouseToCell(HostContext *context, RequestBlock *request);   // 'M'
void VduGeometry(HostContext *context, RequestBlock *request);      // 'A'
