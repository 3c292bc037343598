// A console program for the execute service tests.
//   exec_child sleep MS MARKER   sleeps MS milliseconds, then writes MARKER with the start-up
//                                flags, show mode and whether it has a console of its own
//   exec_child exit CODE         ends at once with exit code CODE
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char **argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "exit") == 0)
        return std::atoi(argv[2]);
    if (argc >= 4 && std::strcmp(argv[1], "sleep") == 0) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        GetStartupInfoA(&startup);
        const HANDLE screen = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
        const bool console = screen != INVALID_HANDLE_VALUE;
        Sleep(static_cast<DWORD>(std::atoi(argv[2])));
        FILE *marker = std::fopen(argv[3], "w");
        if (!marker)
            return 1;
        std::fprintf(marker, "%lu %u %d\n", static_cast<unsigned long>(startup.dwFlags),
                     static_cast<unsigned>(startup.wShowWindow), console ? 1 : 0);
        std::fclose(marker);
        return 0;
    }
    return 2;
}
