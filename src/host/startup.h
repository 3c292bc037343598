// Start-up of the host, step by step, and its message loop.
#pragma once

#include <windows.h>

#include "host/host_api.h"

constexpr int exitStartupFailed = 255;

// Allocates and fills the host context: version and disk values, switches, screen layout,
// font, palette and brushes. Null when it cannot be allocated or the platform is unsupported.
HostContext *CreateHostContext(HINSTANCE instance, char *commandLine);

// Registers the monitor and display window classes.
void RegisterMonitorClass(HostContext *context);
void RegisterDisplayClass(HostContext *context);

// Creates the monitor window and its splash canvas with the splash picture and texts.
// False when either cannot be created.
bool CreateMonitorWindow(HostContext *context);

// Raises liveThreads and starts `worker` on a thread of its own; the thread lowers the count
// again when the worker returns. False (with the count lowered again) when it cannot start.
bool StartWorker(HostContext *context, HostWorker worker);

// Runs the message loop until the quit message, destroying the monitor window once no
// worker is left; returns the quit message's value.
int RunMessageLoop(HostContext *context);
