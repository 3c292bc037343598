/* A WINSPOOL.DRV planted beside a program: when it is loaded it leaves PLANTED.TXT in the
   current folder. Its functions find no printer. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH)
        CloseHandle(CreateFileA("PLANTED.TXT", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    return TRUE;
}

__declspec(dllexport) BOOL WINAPI EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size,
                                                LPDWORD needed, LPDWORD returned)
{
    (void)flags, (void)name, (void)level, (void)buffer, (void)size;
    *needed = 0;
    *returned = 0;
    return FALSE;
}

__declspec(dllexport) BOOL WINAPI GetDefaultPrinterA(LPSTR buffer, LPDWORD size)
{
    (void)buffer, (void)size;
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
}
