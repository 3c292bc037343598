// A second program sharing a file with the file service tests.
//   file_lock_probe try  NAME LOCK                 exit code: the status byte of 'L' on LOCK
//   file_lock_probe hold NAME LOCK READY RELEASE   holds LOCK until the event RELEASE is set,
//                                                  after setting READY; exit code as for try
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "file_requester.h"
#include "host/startup.h"

int main(int argc, char **argv)
{
    if (argc < 4)
        return 200;
    char line[] = "";
    HostContext *context = CreateHostContext(GetModuleHandleA(nullptr), line);
    if (!context)
        return 201;
    FileRequester file(context);
    if (file.Open(argv[2]) != 0)
        return 202;
    const auto lock = static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 0));
    const int8_t status = file.Lock(lock);
    if (std::strcmp(argv[1], "hold") == 0 && argc >= 6) {
        const HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[4]);
        const HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[5]);
        if (!ready || !release)
            return 203;
        SetEvent(ready);
        WaitForSingleObject(release, 30000);
        file.Unlock(lock);
    }
    file.Close();
    return static_cast<uint8_t>(status);
}
