// Stands in for the program a launch starts: appends its command line and how it was asked to
// show itself to the file named by TARNWELL_LAUNCH_LOG (or "launched.txt"), one line per start.
#include <windows.h>

#include <cstdio>

int main()
{
    char path[MAX_PATH] = "launched.txt";
    GetEnvironmentVariableA("TARNWELL_LAUNCH_LOG", path, sizeof path);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    char line[1024];
    const int length = std::snprintf(line, sizeof line, "%s|flags=%lu|show=%u\n", GetCommandLineA(),
                                     static_cast<unsigned long>(startup.dwFlags), startup.wShowWindow);
    // appended in one write, so that a reader never sees half a line
    const HANDLE log = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(log, line, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(log);
    return 0;
}
