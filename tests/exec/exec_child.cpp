// A console program for the execute service tests.
//   exec_child sleep MS MARKER   sleeps MS milliseconds, then writes MARKER with the start-up
//                                flags, show mode and whether it has a console of its own
//   exec_child exit CODE         ends at once with exit code CODE
//   exec_child output MARKER     writes a line to its standard output, then writes MARKER with
//                                the start-up flags, whether the write worked and whether the
//                                line shows in its console
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
    if (argc >= 3 && std::strcmp(argv[1], "output") == 0) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        GetStartupInfoA(&startup);
        const char text[] = "exec_child output";
        const DWORD length = sizeof text - 1;
        const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
        DWORD written = 0;
        const bool wrote = output && output != INVALID_HANDLE_VALUE &&
                           WriteFile(output, text, length, &written, nullptr) && written == length;
        const HANDLE screen = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, 0, nullptr);
        char shown[sizeof text] = {};
        DWORD read = 0;
        ReadConsoleOutputCharacterA(screen, shown, length, COORD{0, 0}, &read);
        FILE *marker = std::fopen(argv[2], "w");
        if (!marker)
            return 1;
        std::fprintf(marker, "%lu %d %d\n", static_cast<unsigned long>(startup.dwFlags), wrote ? 1 : 0,
                     std::strcmp(shown, text) == 0 ? 1 : 0);
        std::fclose(marker);
        return 0;
    }
    return 2;
}
