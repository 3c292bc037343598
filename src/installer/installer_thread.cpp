#include "installer/installer_thread.h"

#include "installer/extraction.h"
#include "installer/install_decision.h"

void InstallerThread(HostContext *context)
{
    if (WaitForDecision(context) == InstallDecision::Install)
        ExtractPayload(context, EmbeddedPayload());
}
