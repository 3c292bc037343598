#include "host/gui_handover.h"

#include "host/dispatch.h"
#include "host/shared_fields.h"

bool OnGuiThread(const HostContext *context)
{
    const HWND monitor = context->monitorWindow;
    return monitor && GetWindowThreadProcessId(monitor, nullptr) == GetCurrentThreadId();
}

namespace {

// Posts the one wake-up of a claim; a full queue only delays it. False when the monitor window
// is gone, so that nobody will ever take the request.
bool WakeGuiThread(HWND monitor, PostFunction post)
{
    while (!post(monitor, WM_HOST_REQUEST_PENDING, 0, 0)) {
        if (!IsWindow(monitor))
            return false;
        Sleep(1);
    }
    return true;
}

} // namespace

void HandRequestToGuiThread(HostContext *context, RequestBlock *request, PostFunction post)
{
    const HWND monitor = context->monitorWindow;
    if (!monitor || !IsWindow(monitor)) {
        // No GUI thread is there to pick the request up; waiting would never end.
        DispatchRequest(context, request);
        return;
    }
    // Once claimed, the slot is never claimed again by this call: the GUI thread frees it
    // only after the request has finished, and a second claim would run it twice.
    bool claimed = false;
    while (LoadShared(request->op) != 0) {
        if (claimed) {
            SwitchToThread();
        } else if (ClaimShared(context->pendingRequest, static_cast<RequestBlock *>(nullptr), request)) {
            claimed = true;
            // The window went away between the look above and the post: no message of it is
            // dispatched any more, so the slot is freed here and the request runs as when
            // there is no monitor window.
            if (!WakeGuiThread(monitor, post) &&
                ClaimShared(context->pendingRequest, request, static_cast<RequestBlock *>(nullptr))) {
                DispatchRequest(context, request);
                return;
            }
        }
    }
}

void ServicePendingRequest(HostContext *context)
{
    // Opening or closing a screen may send messages that bring us back here; the slot still
    // holds the request being carried out, which must not run a second time.
    static bool servicing = false;
    if (servicing)
        return;
    RequestBlock *request = LoadShared(context->pendingRequest);
    if (!request)
        return;
    servicing = true;
    DispatchRequest(context, request);
    StoreShared(context->pendingRequest, static_cast<RequestBlock *>(nullptr));
    servicing = false;
}
