#include "host/shared_fields.h"
#include "host/startup.h"
#include "host/system_library.h"

namespace {

struct WorkerStart {
    HostWorker worker;
    HostContext *context;
};

DWORD WINAPI WorkerThread(void *parameter)
{
    const WorkerStart start = *static_cast<WorkerStart *>(parameter);
    delete static_cast<WorkerStart *>(parameter);
    start.worker(start.context);
    SubtractShared(start.context->liveThreads, 1);
    return 0;
}

} // namespace

bool StartWorker(HostContext *context, HostWorker worker)
{
    if (!worker)
        return false;
    AddShared(context->liveThreads, 1);
    auto *start = new WorkerStart{worker, context};
    const HANDLE thread = CreateThread(nullptr, 0, WorkerThread, start, 0, nullptr);
    if (!thread) {
        delete start;
        SubtractShared(context->liveThreads, 1); // otherwise the program could never end
        return false;
    }
    CloseHandle(thread);
    return true;
}

int RunMessageLoop(HostContext *context)
{
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        if (LoadShared(context->liveThreads) == 0 && IsWindow(context->monitorWindow))
            DestroyWindow(context->monitorWindow);
    }
    return static_cast<int>(message.wParam);
}

extern "C" int HostMain(HINSTANCE instance, char *commandLine, int showCommand, HostWorker worker)
{
    HardenProcess();
    HostContext *context = CreateHostContext(instance, commandLine);
    if (!context)
        return exitStartupFailed;
    RegisterMonitorClass(context);
    if (!CreateMonitorWindow(context))
        return exitStartupFailed;
    ShowWindow(context->monitorWindow, showCommand);
    UpdateWindow(context->monitorWindow);
    RegisterDisplayClass(context);
    StartWorker(context, worker);
    Sleep(100);
    return RunMessageLoop(context);
}
