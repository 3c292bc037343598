#include <windows.h>

#include "host/host_api.h"
#include "installer/installer_thread.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand)
{
    return HostMain(instance, commandLine, showCommand, InstallerThread);
}
