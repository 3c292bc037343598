// The document launcher starting real processes: a stand-in START.EXE in the working folder
// records the command line it was given, and Wine's own start.exe opens a page through the
// program associated with .HTM (the recorder again, registered for the test).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "vdu/document_launcher.h"

namespace {

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string RecorderPath()
{
    return ProgramFolder() + "launcher_recorder.exe";
}

// A fresh folder under the working folder, made current; the previous one is restored on exit.
class Folder {
public:
    explicit Folder(const char *name)
    {
        GetCurrentDirectoryA(sizeof previous_, previous_);
        path_ = std::string(previous_) + "\\" + name;
        CreateDirectoryA(path_.c_str(), nullptr);
        DeleteFileA((path_ + "\\launched.txt").c_str());
        SetCurrentDirectoryA(path_.c_str());
        SetEnvironmentVariableA("TARNWELL_LAUNCH_LOG", (path_ + "\\launched.txt").c_str());
    }
    ~Folder()
    {
        SetCurrentDirectoryA(previous_);
        SetEnvironmentVariableA("TARNWELL_LAUNCH_LOG", nullptr);
    }
    const std::string &path() const { return path_; }

private:
    char previous_[MAX_PATH] = {};
    std::string path_;
};

// The lines the recorder wrote, once `count` of them are there (or after about 20 s).
std::vector<std::string> WaitForLines(size_t count)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 400; ++i) {
        lines.clear();
        const HANDLE log = CreateFileA("launched.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (log != INVALID_HANDLE_VALUE) {
            char text[4096] = {};
            DWORD read = 0;
            ReadFile(log, text, sizeof text - 1, &read, nullptr);
            CloseHandle(log);
            for (const char *p = text; *p;) {
                const char *end = std::strchr(p, '\n');
                if (!end)
                    break;
                lines.emplace_back(p, end);
                p = end + 1;
            }
        }
        if (lines.size() >= count)
            break;
        Sleep(50);
    }
    return lines;
}

struct Launch {
    HostContext context{};
    VduBlock block{};
    void Run(uint8_t screen, const char *entry)
    {
        std::memset(context.documentNames, 0, sizeof context.documentNames);
        if (screen >= 1 && screen <= 4)
            std::memcpy(context.documentNames[screen - 1].name, entry, std::strlen(entry));
        else
            for (auto &slot : context.documentNames)
                std::memcpy(slot.name, entry, std::strlen(entry));
        block.screenNumber = screen;
        LaunchDocument(&context, &block);
    }
};

TEST(LauncherStart, TheStarterGetsTheExactCommandLineMinimisedWithoutActivation)
{
    Folder folder("starter");
    ASSERT_TRUE(CopyFileA(RecorderPath().c_str(), "START.EXE", FALSE)) << RecorderPath();
    Launch launch;
    launch.Run(0, "ZERO");
    launch.Run(5, "FIVE");
    launch.Run(2, " MENU");
    launch.Run(2, "MENU ");
    launch.Run(3, "AB CD");
    launch.Run(4, "\xC4MT\x80");
    WaitForLines(3);
    Sleep(500); // a start that should not have happened has had its time too
    std::vector<std::string> lines = WaitForLines(3);
    std::sort(lines.begin(), lines.end());
    const std::string tail = "|flags=257|show=7";
    EXPECT_EQ(lines, (std::vector<std::string>{"START.EXE AB.HTM" + tail, "START.EXE MENU.HTM" + tail,
                                               "START.EXE \xC4MT\x80.HTM" + tail}));
}

constexpr char htmKey[] = "Software\\Classes\\.htm";
constexpr char progKey[] = "Software\\Classes\\TarnwellTestPage";
constexpr char commandKey[] = "Software\\Classes\\TarnwellTestPage\\shell\\open\\command";

// Registers the recorder as the program that opens .HTM pages (Wine's class root does not
// take the current user's classes), and puts back what was there before.
class HtmAssociation {
public:
    HtmAssociation()
    {
        LONG size = sizeof previous_;
        hadPrevious_ = RegQueryValueA(HKEY_LOCAL_MACHINE, htmKey, previous_, &size) == ERROR_SUCCESS;
        std::string command = "\"";
        command += RecorderPath();
        command += "\" \"%1\"";
        EXPECT_EQ(RegSetValueA(HKEY_LOCAL_MACHINE, htmKey, REG_SZ, "TarnwellTestPage", 0), ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueA(HKEY_LOCAL_MACHINE, commandKey, REG_SZ, command.c_str(), 0), ERROR_SUCCESS);
    }
    ~HtmAssociation()
    {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, progKey);
        if (hadPrevious_)
            RegSetValueA(HKEY_LOCAL_MACHINE, htmKey, REG_SZ, previous_, 0);
        else
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, htmKey);
    }

private:
    char previous_[256] = {};
    bool hadPrevious_ = false;
};

TEST(LauncherStart, ThePlatformStarterOpensThePageWithItsAssociatedProgram)
{
    Folder folder("platform");
    DeleteFileA("START.EXE");
    const HANDLE page = CreateFileA("DOC.HTM", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(page, INVALID_HANDLE_VALUE);
    CloseHandle(page);
    HtmAssociation association;
    Launch launch;
    launch.Run(1, "DOC");
    const std::vector<std::string> lines = WaitForLines(1);
    ASSERT_EQ(lines.size(), 1u);
    const std::string &line = lines[0];
    EXPECT_NE(line.find("launcher_recorder.exe"), std::string::npos) << line;
    EXPECT_NE(line.find(folder.path() + "\\DOC.HTM"), std::string::npos) << line;
}

} // namespace
