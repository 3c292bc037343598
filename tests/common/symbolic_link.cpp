#include "symbolic_link.h"

#include <windows.h>

#include <fstream>

namespace {

bool UnderWine()
{
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

std::string Quoted(std::string path)
{
    for (char &c : path)
        if (c == '\\')
            c = '/';
    return "'" + path + "'";
}

// Runs a shell command in the current directory under Wine, which starts a unix program
// given by its unix path but gives no handle to wait on: the command's status is awaited in
// a file. True when the command succeeded.
bool RunUnix(const std::string &command)
{
    const std::string stem = "unix_command_" + std::to_string(GetCurrentProcessId());
    const std::string script = stem + ".sh", status = stem + ".status";
    DeleteFileA(status.c_str());
    std::ofstream(script, std::ios::binary) << command << "\necho $? >" << status << ".part && mv " << status << ".part " << status
                          << "\n";
    std::string line = "/bin/sh " + script;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    bool done = false;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        for (int i = 0; i < 1000 && !done; ++i) {
            done = GetFileAttributesA(status.c_str()) != INVALID_FILE_ATTRIBUTES;
            if (!done)
                Sleep(10);
        }
        if (process.hProcess != nullptr)
            CloseHandle(process.hProcess);
        if (process.hThread != nullptr)
            CloseHandle(process.hThread);
    }
    std::string code;
    std::ifstream(status) >> code;
    DeleteFileA(script.c_str());
    DeleteFileA(status.c_str());
    return done && code == "0";
}

} // namespace

bool MakeSymbolicLink(const std::string &path, const std::string &target, bool toDirectory)
{
    if (!UnderWine()) {
        constexpr DWORD unprivileged = 0x2; // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
        return CreateSymbolicLinkA(path.c_str(), target.c_str(),
                                   (toDirectory ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) | unprivileged) != 0;
    }
    return RunUnix("ln -s " + Quoted(target) + " " + Quoted(path));
}

void RemoveSymbolicLink(const std::string &path)
{
    if (UnderWine()) {
        RunUnix("[ ! -L " + Quoted(path) + " ] || rm " + Quoted(path));
        return;
    }
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        (attributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveDirectoryA(path.c_str()) : DeleteFileA(path.c_str());
}
