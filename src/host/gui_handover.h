// The GUI thread's half of the hand-over of window-making requests.
#pragma once

#include <windows.h>

#include "host/host_context.h"

// Posted to the monitor window when a submitter has claimed pendingRequest.
constexpr UINT WM_HOST_REQUEST_PENDING = WM_APP + 0x54;

// Whether the calling thread is the one that owns the monitor window.
bool OnGuiThread(const HostContext *context);

// How the GUI thread is woken: PostMessageA, or a stand-in in tests.
using PostFunction = BOOL(WINAPI *)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Submitter side: claims pendingRequest for `request`, wakes the GUI thread and waits until
// the request is done.
void HandRequestToGuiThread(HostContext *context, RequestBlock *request, PostFunction post = PostMessageA);

// GUI side: carries out the request waiting in pendingRequest, if any, and frees the slot.
void ServicePendingRequest(HostContext *context);
