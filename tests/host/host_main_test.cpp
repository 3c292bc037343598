#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host/host_api.h"
#include "host/startup.h"

namespace {

struct Range {
    size_t from, to; // [from, to)
};

// Bytes that start-up may set; every other byte of a fresh context must be 0.
const Range setByStartup[] = {
    {0, 8},       {56, 64},     {71, 72},     {124, 130},   {2048, 3064}, {8200, 8205},
    {8206, 8232}, {8256, 8260}, {8261, 8273}, {9284, 9332}, {9344, 9456},
};

bool SetByStartup(size_t offset)
{
    for (const Range &r : setByStartup)
        if (offset >= r.from && offset < r.to)
            return true;
    return false;
}

TEST(Startup, FreshContextIsZeroWhereStartupWritesNothing)
{
    char line[] = "/p !7 /Q !x";
    HostContext *context = CreateHostContext(GetModuleHandleA(nullptr), line);
    ASSERT_NE(context, nullptr);
    const auto *bytes = reinterpret_cast<const uint8_t *>(context);
    for (size_t i = 0; i < sizeof(HostContext); ++i) {
        if (SetByStartup(i))
            continue;
        ASSERT_EQ(bytes[i], 0) << "offset " << i;
    }

    EXPECT_EQ(std::memcmp(context->signature, "N\0%$", 4), 0);
    EXPECT_EQ(context->serviceEntry, &HostService);
    EXPECT_EQ(context->platformTag, 'W');
    EXPECT_TRUE(context->platformId == 1 || context->platformId == 2);
    EXPECT_EQ(context->commandLine, line);
    EXPECT_EQ(context->bangLetter, 'x');
    EXPECT_EQ(bytes[8221], 1);
    EXPECT_EQ(bytes[8222], 1);
    EXPECT_STREQ(context->targetPath, "C:\\TARNWELL");
    EXPECT_EQ(context->columns, 80);
    EXPECT_EQ(context->monitorWidth, 144);
    EXPECT_EQ(context->monitorHeight, context->marginTop + context->rows * 16 + context->marginBottom);
    EXPECT_NE(context->font, nullptr);
    ASSERT_NE(context->paletteEntries, nullptr);
    EXPECT_EQ(context->paletteEntries->palVersion, 0x300);
    EXPECT_EQ(context->paletteEntries->palNumEntries, 65);
    EXPECT_NE(context->palette, nullptr);
    for (HBRUSH brush : context->brushes)
        EXPECT_NE(brush, nullptr);
    char directory[MAX_PATH];
    GetCurrentDirectoryA(sizeof directory, directory);
    EXPECT_STREQ(context->startDirectory, directory);
    EXPECT_EQ(context->windowsMajor, static_cast<uint8_t>(GetVersion()));
}

TEST(Startup, BrushesHaveTheirColours)
{
    HostContext *context = CreateHostContext(GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(context, nullptr);
    const COLORREF expected[16] = {0x800080, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFF0000, 0x800080,
                                   0x800080, 0x800080, 0x800080, 0xFFFFFF, 0x02E0E0E0, 0x000000,
                                   0xFFFFFF, 0xC0C0C0, 0x808080, 0x000000};
    for (int k = 0; k < 16; ++k) {
        LOGBRUSH info{};
        ASSERT_EQ(GetObjectA(context->brushes[k], sizeof info, &info), static_cast<int>(sizeof info));
        EXPECT_EQ(info.lbStyle, static_cast<UINT>(BS_SOLID));
        EXPECT_EQ(info.lbColor, expected[k]) << "brush " << k;
    }
}

// What a worker saw of the running host.
HostContext g_snapshot;
HostContext *g_context;
bool g_windowVisible;
char g_windowTitle[32];
LONG g_windowStyle;
UINT g_errorMode;

void SnapshotWorker(HostContext *context)
{
    g_context = context;
    std::memcpy(&g_snapshot, context, sizeof g_snapshot);
    g_windowVisible = IsWindowVisible(context->monitorWindow);
    GetWindowTextA(context->monitorWindow, g_windowTitle, sizeof g_windowTitle);
    g_windowStyle = GetWindowLongA(context->monitorWindow, GWL_STYLE);
    g_errorMode = GetErrorMode();
}

TEST(HostMain, RunsTheWorkerWithTheMonitorWindowUpAndEndsWithZero)
{
    char line[] = "";
    SetErrorMode(0); // the system's default, whatever Wine starts the test with
    EXPECT_EQ(HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, SnapshotWorker), 0);
    ASSERT_EQ(g_context != nullptr, true);
    EXPECT_EQ(g_snapshot.liveThreads, 1u);
    EXPECT_EQ(g_snapshot.quitFlag, 0u);
    EXPECT_EQ(g_snapshot.pendingRequest, nullptr);
    EXPECT_NE(g_snapshot.monitorWindow, nullptr);
    EXPECT_NE(g_snapshot.splashCanvas, nullptr);
    EXPECT_NE(g_snapshot.tickTimerId, 0u);
    EXPECT_NE(g_snapshot.secondTimerId, 0u);
    EXPECT_EQ(g_snapshot.viewAddress, reinterpret_cast<uintptr_t>(g_context));
    EXPECT_EQ(g_snapshot.trailAddress, reinterpret_cast<uintptr_t>(g_context));
    EXPECT_NE(g_snapshot.clockDate, 0u); // stamped at window creation
    EXPECT_TRUE(g_windowVisible);
    EXPECT_STREQ(g_windowTitle, "/tarnwell");
    EXPECT_EQ(g_windowStyle & 0x00CF0000, 0x00CA0000); // not sizeable without /P
    EXPECT_TRUE(g_errorMode & SEM_FAILCRITICALERRORS) << "an empty drive would raise the system's dialog";
    // After the end: the window is gone and the count is back to 0.
    EXPECT_EQ(g_context->liveThreads, 0u);
    EXPECT_FALSE(IsWindow(g_snapshot.monitorWindow));
}

TEST(HostMain, SlashPMakesTheWindowSizeable)
{
    char line[] = "/P";
    EXPECT_EQ(HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, SnapshotWorker), 0);
    EXPECT_EQ(g_windowStyle & 0x00CF0000, 0x00CF0000);
}

void WaitForEscape(HostContext *context)
{
    // Hand the installer's decision in from outside, through the window.
    PostMessageA(context->monitorWindow, WM_CHAR, 27, 0);
    while (context->keyCode != 27)
        Sleep(5);
}

TEST(HostMain, KeyTypedIntoTheWindowReachesTheWorker)
{
    char line[] = "";
    EXPECT_EQ(HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, WaitForEscape), 0);
}

void CloseAndWaitForQuit(HostContext *context)
{
    PostMessageA(context->monitorWindow, WM_CLOSE, 0, 0);
    while (context->quitFlag == 0)
        Sleep(5);
    g_windowVisible = IsWindow(context->monitorWindow);
}

TEST(HostMain, CloseRequestOnlySetsTheQuitFlagUntilTheWorkerEnds)
{
    char line[] = "";
    g_windowVisible = false;
    EXPECT_EQ(HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, CloseAndWaitForQuit), 0);
    EXPECT_TRUE(g_windowVisible);
}

TEST(HostMain, NoWorkerStillEnds)
{
    char line[] = "";
    EXPECT_EQ(HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, nullptr), 0);
}

} // namespace
