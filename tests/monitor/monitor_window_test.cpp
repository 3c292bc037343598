#include "window_fixture.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

#include "host/gui_handover.h"
#include "host/host_api.h"
#include "host/startup.h"
#include "monitor/monitor_window.h"
#include "vdu/vdu_block.h"

namespace {

uint32_t AddressOf(const void *p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }

// Window point of the middle of legend button row i, where a click lands (window coordinates).
POINT ClickPoint(const RECT &outer, int border, int row)
{
    const int H = outer.bottom - outer.top;
    return {border + 50, H - border - 284 + 32 * row + 13};
}

void Type(HWND window, const char *text)
{
    for (const char *p = text; *p; ++p)
        SendMessageA(window, WM_CHAR, static_cast<uint8_t>(*p), 0);
}

TEST_F(MonitorWindowTest, TypedCharactersSetKeyCodeDriveAndView)
{
    Type(window, "d");
    EXPECT_EQ(context->keyCode, 100);
    EXPECT_EQ(context->targetPath[0], 'D');
    Type(window, "aB");
    EXPECT_EQ(context->keyCode, 'B');
    EXPECT_EQ(context->targetPath[0], 'D');
    EXPECT_STREQ(context->targetPath, "D:\\TARNWELL");

    context->viewAddress = 0x1234;
    Type(window, "N");
    EXPECT_EQ(context->targetPath[0], 'N');
    EXPECT_EQ(context->viewAddress, AddressOf(context));
    Type(window, "-=");
    EXPECT_EQ(context->viewAddress, AddressOf(context) - 528);
    Type(window, "z");
    EXPECT_EQ(context->viewAddress, AddressOf(context));
    Type(window, "C");
    EXPECT_EQ(context->viewAddress, AddressOf(context->commandLine));

    context->linkTable[3].address[0] = 0x00;
    context->linkTable[3].address[1] = 0x12;
    context->linkTable[3].address[2] = 0x34;
    context->linkTable[3].address[3] = 0x50;
    Type(window, "3");
    EXPECT_EQ(context->viewAddress, 0x00123450u);
    EXPECT_EQ(context->keyCode, '3');
}

TEST_F(MonitorWindowTest, KeyStrokesTranslatedByTheMessageLoop)
{
    const UINT scan = MapVirtualKeyA('E', MAPVK_VK_TO_VSC);
    PostMessageA(window, WM_KEYDOWN, 'E', 1 | (scan << 16));
    PostMessageA(window, WM_KEYUP, 'E', 1 | (scan << 16) | 0xC0000000);
    MSG message;
    while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    EXPECT_EQ(context->keyCode, 'e');
    EXPECT_EQ(context->targetPath[0], 'E');
}

TEST_F(MonitorWindowTest, TrailWalkIntoUnreadableMemoryDoesNotFault)
{
    // a link to page 0, then a walk from there
    const uint8_t nearZero[4] = {0, 0, 0, 8};
    std::memcpy(context->trailLink, nearZero, 4);
    Type(window, "T");
    EXPECT_EQ(context->trailAddress, 8u);
    EXPECT_EQ(context->viewAddress, 8u);
    Type(window, "T");
    EXPECT_EQ(context->trailAddress, 0u);
    EXPECT_EQ(context->viewAddress, AddressOf(context));
    Type(window, "T");
    EXPECT_EQ(context->trailAddress, 0u);
}

TEST_F(MonitorWindowTest, LegendClicksAtTheMinimumSize)
{
    Place(20, 20, context->monitorWidth, context->monitorHeight);
    const RECT outer = Outer();
    ASSERT_EQ(outer.bottom - outer.top, context->monitorHeight);
    const int b = Border();
    auto click = [&](int row) {
        const POINT w = ClickPoint(outer, b, row);
        const POINT c = ToClient(w.x, w.y);
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
    };

    context->targetPath[0] = 'D';
    click(2);
    EXPECT_EQ(context->targetPath[0], 'C');
    EXPECT_EQ(context->keyCode, 'C');
    context->keyCode = 0;
    click(2);
    EXPECT_EQ(context->targetPath[0], 'C');
    EXPECT_EQ(context->keyCode, 0);
    click(3);
    EXPECT_EQ(context->targetPath[0], 'D');
    EXPECT_EQ(context->keyCode, 'D');
    click(1);
    EXPECT_EQ(context->keyCode, 27);
    click(5);
    EXPECT_EQ(context->keyCode, 13);

    // the path row and the arrows line do nothing
    context->keyCode = 0;
    click(4);
    const POINT arrows = ToClient(b + 50, context->monitorHeight - 440 + 240 + 6);
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(arrows.x, arrows.y));
    EXPECT_EQ(context->keyCode, 0);
    EXPECT_EQ(context->targetPath[0], 'D');

    // the same through the non-client message, with a screen point
    const POINT w = ClickPoint(outer, b, 1);
    const POINT s = ToScreen(w.x, w.y);
    SendMessageA(window, WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(s.x, s.y));
    EXPECT_EQ(context->keyCode, 27);
}

TEST_F(MonitorWindowTest, HoverPaintsTheFrameOfTheRowUnderTheMouse)
{
    Place(20, 20, context->monitorWidth, context->monitorHeight);
    const RECT outer = Outer();
    const int b = Border(), H = outer.bottom - outer.top;
    // hover areas are given in client coordinates
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(b + 4 + 20, H - b - 306 + 32 * 2 + 5));
    auto framePixel = [&](int row) {
        return GetPixel(context->splashCanvas, b + 1 + 10, context->monitorHeight - 284 + 32 * row + 4);
    };
    EXPECT_EQ(framePixel(2), RGB(192, 192, 192));
    EXPECT_EQ(framePixel(1), RGB(255, 255, 255));
    EXPECT_EQ(framePixel(3), RGB(255, 255, 255));
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(b + 4 + 20, H - b - 306 + 32 * 5 + 5));
    EXPECT_EQ(framePixel(2), RGB(255, 255, 255));
    EXPECT_EQ(framePixel(5), RGB(192, 192, 192));
}

TEST_F(MonitorWindowTest, EscapeDuringARubberBandEndsItAndStillReachesTheInstaller)
{
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40));
    EXPECT_EQ(context->rubberBandOwner, window);
    EXPECT_EQ(context->rubberBand[0], 30);
    EXPECT_EQ(context->rubberBand[1], 40);
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 90));
    EXPECT_EQ(context->rubberBand[2], 60);
    EXPECT_EQ(context->rubberBand[3], 90);
    Type(window, "\x1b");
    EXPECT_EQ(context->rubberBandOwner, nullptr);
    EXPECT_EQ(context->keyCode, 27);
    EXPECT_EQ(GetCapture(), nullptr);
}

// On a display left of or above the primary one screen points are negative, and so are client
// points of a drag that leaves the window to the left or top.
TEST_F(MonitorWindowTest, LegendClicksAndTheRubberBandTakeSignedCoordinates)
{
    for (const POINT at : {POINT{-700, 30}, POINT{30, -700}, POINT{-1500, -900}}) {
        Place(at.x, at.y, context->monitorWidth, context->monitorHeight);
        const RECT outer = Outer();
        ASSERT_EQ(outer.left, at.x);
        ASSERT_EQ(outer.top, at.y);
        const POINT w = ClickPoint(outer, Border(), 1);
        const POINT s = ToScreen(w.x, w.y), c = ToClient(w.x, w.y);
        context->keyCode = 0;
        SendMessageA(window, WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(s.x, s.y));
        EXPECT_EQ(context->keyCode, 27) << "non-client click, window at " << at.x << ", " << at.y;
        context->keyCode = 0;
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
        EXPECT_EQ(context->keyCode, 27) << "client click, window at " << at.x << ", " << at.y;
    }
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-25, -8));
    EXPECT_EQ(context->rubberBand[2], -25);
    EXPECT_EQ(context->rubberBand[3], -8);
    SendMessageA(window, WM_CAPTURECHANGED, 0, 0);
}

TEST_F(MonitorWindowTest, MoveRecordsTheOuterCorner)
{
    context->movedFlag = 0;
    SendMessageA(window, WM_MOVE, 0, MAKELPARAM(100, 50));
    EXPECT_EQ(context->monitorLeft, 100 - GetSystemMetrics(SM_CXDLGFRAME));
    EXPECT_EQ(context->monitorTop, 50 - GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYDLGFRAME));
    EXPECT_EQ(context->movedFlag, 1u);
    SendMessageA(window, WM_MOVE, 0, MAKELPARAM(-20, -10)); // signed words
    EXPECT_EQ(context->monitorLeft, -20 - GetSystemMetrics(SM_CXDLGFRAME));
}

TEST_F(MonitorWindowTest, CloseRequestsOnlySetTheQuitFlag)
{
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(context->quitFlag, 16u);
    context->quitFlag = 0;
    EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), 0);
    EXPECT_EQ(context->quitFlag, 16u);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(MonitorWindowTest, SecondTimerClosesOnlyWhenNoWorkerIsLeft)
{
    context->liveThreads = 1;
    SendMessageA(window, WM_TIMER, secondTimerEvent, 0);
    EXPECT_EQ(context->quitFlag, 0u);
    context->liveThreads = 0;
    SendMessageA(window, WM_TIMER, secondTimerEvent, 0);
    EXPECT_EQ(context->quitFlag, 16u);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(MonitorWindowTest, RealTimersRunTheClockAndTheCloseCheck)
{
    EXPECT_EQ(context->tickTimerId, tickTimerEvent);
    EXPECT_EQ(context->secondTimerId, secondTimerEvent);
    context->clockDate = 0;
    context->clockTime = 0x20000000; // the next ticks bring a fresh stamp
    const DWORD until = GetTickCount() + 1500;
    MSG message;
    while (GetTickCount() < until && context->quitFlag == 0) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(10);
    }
    EXPECT_NE(context->clockDate, 0u);
    SYSTEMTIME now;
    GetLocalTime(&now);
    EXPECT_EQ(context->clockDate & 0xFF, ((now.wYear / 1000) << 4) | (now.wYear / 100 % 10));
    EXPECT_EQ(context->quitFlag, 16u) << "no worker is running here, so the second timer closes";
}

TEST_F(MonitorWindowTest, SmallerSizesAreRaisedToTheMinimum)
{
    Place(10, 10, 100, 200);
    const RECT r = Outer();
    EXPECT_EQ(r.right - r.left, context->monitorWidth);
    EXPECT_EQ(r.bottom - r.top, context->monitorHeight);
    EXPECT_EQ(r.left, 10);
}

// Pixels of the window's device context, as painted.
std::vector<COLORREF> Capture(HWND window, int x, int y, int width, int height)
{
    const HDC source = GetWindowDC(window);
    const HDC memory = CreateCompatibleDC(source);
    const HBITMAP bitmap = CreateCompatibleBitmap(source, width, height);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    std::vector<COLORREF> pixels;
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i)
            pixels.push_back(GetPixel(memory, i, j));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, source);
    return pixels;
}

constexpr int dumpCaptureLeft = 260, dumpCaptureWidth = 720 - 260;

std::vector<COLORREF> PaintAndCaptureDump(HostContext *context, HWND window, uint32_t view)
{
    context->viewAddress = view;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    // the hex and character columns of the first four rows; the address column differs
    return Capture(window, dumpCaptureLeft, 24, dumpCaptureWidth, 44);
}

TEST_F(MonitorWindowTest, MemoryMonitorShowsFFForUnreadableMemory)
{
    Place(0, 0, context->monitorWidth + 600, context->monitorHeight);
    auto *ones = static_cast<uint8_t *>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    auto *zeros = static_cast<uint8_t *>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    void *hidden = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS);
    ASSERT_TRUE(ones && zeros && hidden);
    std::memset(ones, 0xFF, 4096);

    const std::vector<COLORREF> readableFF = PaintAndCaptureDump(context, window, AddressOf(ones));
    const std::vector<COLORREF> unreadable = PaintAndCaptureDump(context, window, AddressOf(hidden));
    const std::vector<COLORREF> readable00 = PaintAndCaptureDump(context, window, AddressOf(zeros));
    EXPECT_EQ(unreadable, readableFF);
    EXPECT_NE(readable00, readableFF) << "the capture must show what was painted";

    // the text is blue on white
    int blue = 0;
    for (COLORREF c : readableFF)
        blue += GetRValue(c) < 128 && GetBValue(c) > 128;
    EXPECT_GT(blue, 100);

    VirtualFree(ones, 0, MEM_RELEASE);
    VirtualFree(zeros, 0, MEM_RELEASE);
    VirtualFree(hidden, 0, MEM_RELEASE);
}

TEST_F(MonitorWindowTest, PaintsFrameRulesAndSplash)
{
    Place(0, 0, context->monitorWidth, context->monitorHeight);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const int y0 = context->monitorHeight - 440;
    EXPECT_EQ(Capture(window, 60, y0 + 160, 1, 1)[0], RGB(0, 0, 0)) << "upper rule";
    EXPECT_EQ(Capture(window, 60, y0 + 368, 1, 1)[0], RGB(0, 0, 0)) << "lower rule";
    const RECT outer = Outer();
    const int W = outer.right - outer.left, H = outer.bottom - outer.top;
    EXPECT_EQ(Capture(window, W - Border() - 5, H / 2, 1, 1)[0], RGB(224, 224, 224)) << "right strip";
    EXPECT_EQ(Capture(window, 10, H - 1, 1, 1)[0], RGB(0, 0, 0)) << "bottom line";
    EXPECT_EQ(Capture(window, 1, H / 2, 1, 1)[0], RGB(255, 255, 255)) << "left frame";
}

} // namespace

namespace {

TEST_F(MonitorWindowTest, ScreenRequestOnTheGuiThreadRunsAtOnce)
{
    // Waiting for the GUI thread here would wait for ourselves: no message is pumped.
    VduBlock block{};
    block.header.requestClass = 'V';
    block.header.op = 'Q';
    HostService(context, &block.header);
    EXPECT_EQ(block.header.op, 'Q');
    EXPECT_EQ(block.header.status, 0);
    EXPECT_EQ(GetWindowThreadProcessId(block.window, nullptr), GetCurrentThreadId());
    EXPECT_EQ(context->pendingRequest, nullptr);
    block.header.op = 'X';
    HostService(context, &block.header);
    EXPECT_EQ(block.window, nullptr);
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, window, WM_HOST_REQUEST_PENDING, WM_HOST_REQUEST_PENDING, PM_NOREMOVE));
}

// A 2 x 2 24-bit bitmap file with distinct pixels (bottom-up rows).
std::vector<uint8_t> SplashFile()
{
    std::vector<uint8_t> b(14 + 40 + 2 * 8, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<uint32_t>(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, 2);
    put32(22, 2);
    b[26] = 1;
    b[28] = 24;
    const uint8_t rows[16] = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0,  // bottom: red, green
                              0xFF, 0x00, 0x00, 0x10, 0x20, 0x30, 0, 0}; // top: blue, (0x30,0x20,0x10)
    std::memcpy(b.data() + 54, rows, sizeof rows);
    return b;
}

void WriteSplash(const std::vector<uint8_t> &bytes)
{
    const HANDLE f = CreateFileA("TARNWELL.ICM", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

HostContext *StartWithSplash(const std::vector<uint8_t> &bytes)
{
    WriteSplash(bytes);
    static char line[] = "";
    HostContext *context = CreateHostContext(GetModuleHandleA(nullptr), line);
    RegisterMonitorClass(context);
    EXPECT_TRUE(CreateMonitorWindow(context));
    DeleteFileA("TARNWELL.ICM");
    return context;
}

void EndSplashTest(HostContext *context)
{
    DestroyWindow(context->monitorWindow);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

TEST(Splash, PictureIsCopiedUnscaledAtTheLegendOrigin)
{
    HostContext *context = StartWithSplash(SplashFile());
    ASSERT_NE(context->splashImage, nullptr);
    const int y0 = context->monitorHeight - 440;
    const HDC canvas = context->splashCanvas;
    EXPECT_EQ(GetPixel(canvas, 0, y0), RGB(0, 0, 0xFF));
    EXPECT_EQ(GetPixel(canvas, 1, y0), RGB(0x30, 0x20, 0x10));
    EXPECT_EQ(GetPixel(canvas, 0, y0 + 1), RGB(0xFF, 0, 0));
    EXPECT_EQ(GetPixel(canvas, 1, y0 + 1), RGB(0, 0xFF, 0));
    EXPECT_EQ(GetPixel(canvas, 2, y0), RGB(255, 255, 255)) << "the rest stays white";
    EndSplashTest(context);
}

TEST(Splash, PictureWhosePixelsDoNotFitTheFileIsLeftOut)
{
    std::vector<uint8_t> bytes = SplashFile();
    bytes[22] = 200; // 200 rows claimed, 2 present
    HostContext *context = StartWithSplash(bytes);
    EXPECT_EQ(context->splashImage, nullptr);
    const int y0 = context->monitorHeight - 440;
    EXPECT_EQ(GetPixel(context->splashCanvas, 0, y0), RGB(255, 255, 255));
    // the texts are drawn all the same: black somewhere in " tarnwell   "
    int dark = 0;
    for (int x = 0; x < 96; ++x)
        for (int y = y0 + 64; y < y0 + 80; ++y)
            dark += GetPixel(context->splashCanvas, x, y) == RGB(0, 0, 0);
    EXPECT_GT(dark, 10);
    EndSplashTest(context);
}

// The icon file in the current folder wins; without it the windows take the program's own
// icon (this test program carries TARNWELL.EXE's resources), not none.
TEST(WindowIcon, FileInTheCurrentFolderElseTheProgramsOwn)
{
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const HANDLE own = LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, 0, 0, LR_VGACOLOR | LR_SHARED);
    ASSERT_NE(own, nullptr);
    static char line[] = "";
    HostContext *context = CreateHostContext(instance, line);
    for (const bool file : {false, true}) {
        if (file)
            ASSERT_TRUE(CopyFileA(TEST_ICON_FILE, "TARNWELL.ICO", FALSE));
        else
            DeleteFileA("TARNWELL.ICO");
        UnregisterClassA(monitorClassName, instance);
        RegisterMonitorClass(context);
        WNDCLASSA registered{};
        ASSERT_TRUE(GetClassInfoA(instance, monitorClassName, &registered));
        if (file) {
            EXPECT_NE(registered.hIcon, nullptr);
            EXPECT_NE(registered.hIcon, own) << "the file's icon";
        } else {
            EXPECT_EQ(registered.hIcon, own);
        }
    }
    DeleteFileA("TARNWELL.ICO");
}

} // namespace

namespace {

struct PendingOpen {
    HostContext *context;
    VduBlock block;
    std::atomic<bool> done;
};

DWORD WINAPI SubmitOpen(void *parameter)
{
    auto *open = static_cast<PendingOpen *>(parameter);
    open->block.header.requestClass = 'V';
    open->block.header.op = 'Q';
    HostService(open->context, &open->block.header);
    open->done = true;
    return 0;
}

TEST_F(MonitorWindowTest, HandOverWaitsUntilTheGuiThreadCarriesTheRequestOut)
{
    static PendingOpen open{};
    open.context = context;
    open.done = false;
    const HANDLE client = CreateThread(nullptr, 0, SubmitOpen, &open, 0, nullptr);
    ASSERT_NE(client, nullptr);
    Sleep(100); // this thread, the GUI thread, pumps no messages meanwhile
    EXPECT_FALSE(open.done);
    EXPECT_EQ(context->pendingRequest, &open.block.header);

    MSG message;
    for (int i = 0; i < 2000 && !open.done; ++i) {
        if (PeekMessageA(&message, window, WM_HOST_REQUEST_PENDING, WM_HOST_REQUEST_PENDING, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(1);
    }
    WaitForSingleObject(client, 5000);
    CloseHandle(client);
    EXPECT_TRUE(open.done);
    EXPECT_EQ(context->pendingRequest, nullptr);
    EXPECT_EQ(open.block.header.op, 'Q');
    EXPECT_EQ(open.block.header.status, 0);
    EXPECT_EQ(GetWindowThreadProcessId(open.block.window, nullptr), GetCurrentThreadId())
        << "the window belongs to the thread that carried the open out";
    open.block.header.op = 'X';
    HostService(context, &open.block.header);
    EXPECT_FALSE(PeekMessageA(&message, window, WM_HOST_REQUEST_PENDING, WM_HOST_REQUEST_PENDING, PM_NOREMOVE));
}

struct FailedWake {
    HostContext *context;
    VduBlock block;
};

// The monitor window goes away just before the wake-up is posted.
BOOL WINAPI PostToAWindowThatIsGone(HWND window, UINT, WPARAM, LPARAM)
{
    DestroyWindow(window);
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
}

DWORD WINAPI SubmitCloseWithFailedWake(void *parameter)
{
    auto *wake = static_cast<FailedWake *>(parameter);
    wake->context->monitorWindow =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    wake->block.header.requestClass = 'V';
    wake->block.header.op = 'X';
    wake->block.header.status = -1;
    HandRequestToGuiThread(wake->context, &wake->block.header, PostToAWindowThatIsGone);
    return 0;
}

// A post fails when the monitor window is destroyed between the submitter's look at it and the
// post, too short a moment to hit on purpose: the stand-in destroys it there. The submitter
// frees the slot and carries the request out itself.
TEST_F(MonitorWindowTest, AWakeUpThatCannotBePostedFreesTheSlotAndRunsTheRequest)
{
    static FailedWake wake{};
    wake.context = context;
    const HANDLE submitter = CreateThread(nullptr, 0, SubmitCloseWithFailedWake, &wake, 0, nullptr);
    ASSERT_NE(submitter, nullptr);
    const bool returned = WaitForSingleObject(submitter, 5000) == WAIT_OBJECT_0;
    if (!returned)
        TerminateThread(submitter, 1);
    CloseHandle(submitter);
    context->monitorWindow = window;
    EXPECT_TRUE(returned) << "the submitter waits for ever";
    EXPECT_EQ(context->pendingRequest, nullptr) << "every later submitter would wait for ever";
    EXPECT_EQ(wake.block.header.op, 0);
    EXPECT_EQ(wake.block.header.status, 0);
    context->pendingRequest = nullptr;
}

TEST_F(MonitorWindowTest, MemoryMonitorDrawsEachByteInItsOwnColumns)
{
    Place(0, 0, context->monitorWidth + 600, context->monitorHeight);
    auto *page = static_cast<uint8_t *>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(page, nullptr);
    const int left = dumpCaptureLeft, width = dumpCaptureWidth;
    const std::vector<COLORREF> zeros = PaintAndCaptureDump(context, window, AddressOf(page));
    for (int c : {1, 5, 15}) {
        std::memset(page, 0, 16);
        page[c] = 0x41; // "41" and a visible letter
        const std::vector<COLORREF> one = PaintAndCaptureDump(context, window, AddressOf(page));
        const int hexLeft = 260 + 16 * c + 8 * ((c >= 4) + (c >= 8) + (c >= 12));
        const int charLeft = 580 + 8 * c;
        int inHex = 0, inChar = 0, elsewhere = 0;
        for (size_t i = 0; i < one.size(); ++i) {
            if (one[i] == zeros[i])
                continue;
            const int x = left + static_cast<int>(i % width);
            if (x >= hexLeft && x < hexLeft + 16)
                ++inHex;
            else if (x >= charLeft && x < charLeft + 8)
                ++inChar;
            else
                ++elsewhere;
        }
        EXPECT_GT(inHex, 0) << "byte " << c;
        EXPECT_GT(inChar, 0) << "byte " << c;
        EXPECT_EQ(elsewhere, 0) << "byte " << c;
    }
    VirtualFree(page, 0, MEM_RELEASE);
}

// The hover frame painted for a row, found in the splash canvas, in window coordinates.
RECT PaintedFrame(HostContext *context, int border)
{
    RECT r{10000, 10000, -1, -1};
    for (int y = 0; y < context->monitorHeight; ++y)
        for (int x = 0; x < context->monitorWidth; ++x)
            if (GetPixel(context->splashCanvas, x, y) == RGB(192, 192, 192)) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x);
                r.bottom = std::max<LONG>(r.bottom, y);
            }
    // canvas (x, y) is shown at window (x + b + 4, y - b - 4)
    return {r.left + border + 4, r.top - border - 4, r.right + border + 4, r.bottom - border - 4};
}

TEST_F(FixedMonitorWindowTest, ClicksInsideThePaintedHoverFramesHitTheirRows)
{
    const RECT outer = Outer();
    ASSERT_EQ(outer.bottom - outer.top, context->monitorHeight);
    const int b = Border(), H = outer.bottom - outer.top;
    context->targetPath[0] = 'E';
    struct Expect {
        int row;
        uint8_t keyCode;
        char drive;
    };
    for (const Expect &e : {Expect{1, 27, 'E'}, Expect{2, 'D', 'D'}, Expect{3, 'E', 'E'}, Expect{5, 13, 'E'}}) {
        // hover over the middle of the row's hover area, in client coordinates
        SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(b + 53, H - b - 293 + 32 * e.row));
        const RECT frame = PaintedFrame(context, b);
        ASSERT_GE(frame.right, frame.left) << "no silver frame for row " << e.row;
        EXPECT_EQ(frame.right - frame.left, 98) << e.row;
        EXPECT_EQ(frame.bottom - frame.top, 26) << e.row;
        // click well inside that frame
        const POINT c = ToClient((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);
        context->keyCode = 0;
        SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
        EXPECT_EQ(context->keyCode, e.keyCode) << "row " << e.row;
        EXPECT_EQ(context->targetPath[0], e.drive) << "row " << e.row;
    }
}

} // namespace
