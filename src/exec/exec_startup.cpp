#include "exec/exec_startup.h"

STARTUPINFOA ExecStartupInfo(const STARTUPINFOA &own)
{
    STARTUPINFOA info = own;
    info.cb = sizeof(STARTUPINFOA);
    info.lpReserved = nullptr;
    info.lpDesktop = nullptr;
    info.lpTitle = nullptr;
    info.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    info.wShowWindow = SW_SHOWMINNOACTIVE;
    info.cbReserved2 = 0;
    info.lpReserved2 = nullptr;
    return info;
}
