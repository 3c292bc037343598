#include "host/dispatch.h"

#include <windows.h>

#include "host/gui_handover.h"
#include "host/host_api.h"
#include "host/memory_service.h"
#include "host/shared_fields.h"
#include "exec/execute_service.h"
#include "files/file_service.h"
#include "print/print_job.h"
#include "print/screen_hardcopy.h"
#include "vdu/vdu_open_close.h"
#include "vdu/vdu_graphics.h"
#include "vdu/vdu_operations.h"

namespace {

void RouteMemory(HostContext *context, RequestBlock *request)
{
    switch (request->op) {
    case 'Q': MemoryAllocate(context, request); break;
    case 'X': MemoryRelease(context, request); break;
    case 'B': MemoryPeek(context, request); break;
    default: break; // unknown: status stays -1
    }
}

void RoutePrint(HostContext *context, RequestBlock *request)
{
    switch (request->op) {
    case 'O': PrintOpen(context, request); break;
    case 'S': PrintSend(context, request); break;
    case 'C': PrintClose(context, request); break;
    default: request->status = HOST_STATUS_UNKNOWN_OP; break;
    }
}

void RouteVdu(HostContext *context, RequestBlock *request)
{
    switch (request->op) {
    case '4': VduGraphics(context, request); break;
    case 'A': VduGeometry(context, request); break;
    case 'H': ScreenHardcopy(context, request); break;
    case 'K': VduTakeEvent(context, request); break;
    case 'M': VduMouseToCell(context, request); break;
    case 'Q': VduOpen(context, request); break;
    case 'T': VduPutCharacter(context, request); break;
    case 'U': VduControl(context, request); break;
    case 'V': VduReadCharacter(context, request); break;
    case 'X': VduClose(context, request); break;
    default: break; // unknown: status stays -1
    }
}

} // namespace

bool NeedsGuiThread(const RequestBlock *request)
{
    return request->requestClass == REQUEST_VDU && (request->op == 'Q' || request->op == 'X');
}

void DispatchRequest(HostContext *context, RequestBlock *request)
{
    request->status = HOST_STATUS_PENDING;
    switch (request->requestClass) {
    case REQUEST_FILE:
        FileRequest(context, request);
        break;
    case REQUEST_PRINT:
        RoutePrint(context, request);
        break;
    case REQUEST_MEMORY:
        RouteMemory(context, request);
        break;
    case REQUEST_VDU:
        RouteVdu(context, request);
        break;
    case REQUEST_EXEC:
        ExecuteRequest(context, request);
        break;
    default:
        SwitchToThread();
        break;
    }
    StoreShared(request->op, uint8_t{0});
}

void SubmitRequest(HostContext *context, RequestBlock *request)
{
    const uint8_t op = request->op;
    request->status = HOST_STATUS_PENDING;
    if (NeedsGuiThread(request) && !OnGuiThread(context))
        HandRequestToGuiThread(context, request);
    else
        DispatchRequest(context, request);
    request->op = op;
}

extern "C" void __stdcall HostService(HostContext *context, RequestBlock *request)
{
    SubmitRequest(context, request);
}
