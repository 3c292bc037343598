#include "exec/exec_startup.h"

#include <initializer_list>

STARTUPINFOA ExecStartupInfo(const STARTUPINFOA &own, bool passHandles)
{
    STARTUPINFOA info = own;
    info.cb = sizeof(STARTUPINFOA);
    info.lpReserved = nullptr;
    info.lpDesktop = nullptr;
    info.lpTitle = nullptr;
    info.dwFlags = STARTF_USESHOWWINDOW | (passHandles ? STARTF_USESTDHANDLES : 0);
    info.wShowWindow = SW_SHOWMINNOACTIVE;
    info.cbReserved2 = 0;
    info.lpReserved2 = nullptr;
    if (!passHandles) {
        info.hStdInput = nullptr;
        info.hStdOutput = nullptr;
        info.hStdError = nullptr;
    }
    return info;
}

bool UsableStandardHandles(const STARTUPINFOA &own)
{
    for (const HANDLE handle : {own.hStdInput, own.hStdOutput, own.hStdError}) {
        if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
            return false;
        SetLastError(NO_ERROR);
        if (GetFileType(handle) == FILE_TYPE_UNKNOWN && GetLastError() != NO_ERROR)
            return false;
    }
    return true;
}

STARTUPINFOA StartedProgramStartupInfo()
{
    STARTUPINFOA own{};
    own.cb = sizeof own;
    GetStartupInfoA(&own);
    return ExecStartupInfo(own, UsableStandardHandles(own));
}
