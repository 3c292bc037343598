#include "installer/install_decision.h"

#include <windows.h>

#include "host/shared_fields.h"

InstallDecision WaitForDecision(HostContext *context)
{
    for (;;) {
        if (LoadShared(context->quitFlag) != 0 || LoadShared(context->keyCode) == 27)
            return InstallDecision::Stop;
        if (LoadShared(context->keyCode) == 13)
            return InstallDecision::Install;
        Sleep(100);
    }
}
