// The display window driven by real window messages on its own GUI thread, read back through
// 'K', the block, the window's pixels and the monitor's splash canvas.
#include "display_window_fixture.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "host/host_api.h"
#include "host/shared_fields.h"
#include "test_clipboard.h"
#include "vdu/display_window.h"
#include "vdu/screen_state.h"
#include "vdu/vdu_open_close.h"

namespace {

constexpr uint32_t alt = VDU_EVENT_ALT, shift = VDU_EVENT_SHIFT, ctrl = VDU_EVENT_CTRL;

uint32_t Position(int x, int y)
{
    return static_cast<uint32_t>(y) << 16 | static_cast<uint32_t>(x);
}

TEST_F(DisplayWindowTest, CreationBindsTheScreenStartsTheTimerAndAddsTheMenuItems)
{
    Open(1);
    EXPECT_EQ(GetWindowLongPtrA(Window(), displaySlotContext), reinterpret_cast<LONG_PTR>(context));
    EXPECT_EQ(GetWindowLongPtrA(Window(), displaySlotBlock), reinterpret_cast<LONG_PTR>(block));
    // A separator, then hardcopy, copy and paste.
    const HMENU menu = GetSystemMenu(Window(), FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 4);
    const std::pair<UINT, const wchar_t *> items[] = {
        {1u, L"Bildschirm-&Protokoll"}, {0x10u, L"Bildschirm &kopieren"}, {0x20u, L"&Einf\u00FCgen"}};
    for (int i = 0; i < 3; ++i) {
        const int at = count - 3 + i;
        EXPECT_EQ(GetMenuItemID(menu, at), items[i].first);
        wchar_t text[64]{};
        GetMenuStringW(menu, at, text, 64, MF_BYPOSITION);
        EXPECT_STREQ(text, items[i].second);
    }
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE;
    ASSERT_TRUE(GetMenuItemInfoA(menu, count - 4, TRUE, &item));
    EXPECT_TRUE(item.fType & MFT_SEPARATOR);

    // The 110 ms timer shows a repaint request of 85 on its eighth tick.
    block->repaintCountdown = VDU_REPAINT_REQUEST;
    const auto start = std::chrono::steady_clock::now();
    MSG message;
    while (block->repaintCountdown != 0 && std::chrono::steady_clock::now() - start < std::chrono::seconds(5))
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        else
            Sleep(5);
    EXPECT_EQ(block->repaintCountdown, 0);
    EXPECT_TRUE(KillTimer(Window(), displayTimerId)) << "timer 16 runs";
}

TEST_F(DisplayWindowTest, CharactersAndKeysCarryTheirCodesPositionsAndModifiers)
{
    Open(0);
    Send(WM_CHAR, ' ', 0x00390001);
    Keys({VK_SHIFT}, {VK_CAPITAL});
    Send(WM_CHAR, 'A', 0x001E0001);
    Send(WM_KEYDOWN, 'A', 0x001E0001); // not a listed key: swallowed
    Keys({VK_CONTROL});
    Send(WM_KEYDOWN, VK_HOME, 0x01470001);
    Send(WM_CHAR, 7, 0x00220001); // Ctrl+G: the bell, no event
    Send(WM_CHAR, 3, 0x002E0001); // other control characters: nothing
    Keys({VK_MENU});
    Send(WM_SYSCHAR, ' ', 0x20390001);
    Send(WM_SYSKEYDOWN, VK_F4, 0x203E0001);
    Keys({}, {VK_NUMLOCK, VK_SCROLL});
    Send(WM_KEYDOWN, VK_F16, 0x00640001);
    Send(WM_KEYUP, VK_F16, 0xC0640001); // key-ups other than Print Screen: nothing
    Keys({});

    EXPECT_EQ(block->bellMark, 7);
    const std::vector<Event> expected{
        {32, 0x00390001},
        {'A' | shift | VDU_EVENT_CAPS_LOCK, 0x001E0001},
        {(0x10000 + VK_HOME) | ctrl, 0x01470001},
        {32 | alt, 0x20390001},
        {(0x10000 + VK_F4) | alt, 0x203E0001},
        {(0x10000 + VK_F16) | VDU_EVENT_NUM_LOCK | VDU_EVENT_SCROLL_LOCK, 0x00640001},
    };
    EXPECT_EQ(TakeAll(), expected);
    EXPECT_TRUE(IsWindow(Window())) << "Alt+F4 does not close the window";
    EXPECT_EQ(block->pendingEscapes, 0);
}

TEST_F(DisplayWindowTest, PrintScreenReleasedWithAltIsTheHardcopyCodeAndPlainItIsAKey)
{
    Open(0);
    Send(WM_KEYDOWN, VK_SNAPSHOT, 0x01370001); // key-down of Print Screen: nothing
    Send(WM_KEYUP, VK_SNAPSHOT, 0xC1370001);
    EXPECT_EQ(Take(), (Event{0x1002C, 0xC1370001u})) << "plain Print Screen is delivered as a key";

    Keys({VK_MENU});
    Send(WM_SYSKEYUP, VK_SNAPSHOT, 0xE1370001);
    ASSERT_EQ(block->eventCount, 1);
    EXPECT_EQ(block->events[block->eventWriteIndex].code, VDU_EVENT_HARDCOPY);

    // The menu item queues exactly the hardcopy code, whatever keys are held.
    Keys({VK_SHIFT, VK_CONTROL}, {VK_CAPITAL});
    EXPECT_EQ(Send(WM_SYSCOMMAND, displayHardcopyCommand, 0), 0);
    ASSERT_EQ(block->eventCount, 2);
    EXPECT_EQ(block->events[block->eventWriteIndex].code, VDU_EVENT_HARDCOPY);
    EXPECT_EQ(block->events[block->eventWriteIndex].position, 0u);
}

TEST_F(DisplayWindowTest, SixteenEventsFillTheRingAndOneTakeMakesRoom)
{
    Open(0);
    for (int i = 0; i < 17; ++i)
        Send(WM_CHAR, 'a' + i, i);
    EXPECT_EQ(block->eventCount, 16);
    Send(WM_SYSCOMMAND, displayHardcopyCommand, 0); // a full ring: the item is ignored
    EXPECT_EQ(block->eventCount, 16);
    EXPECT_EQ(Take(), (Event{'a', 0}));
    Send(WM_CHAR, 'z', 99);
    std::vector<Event> events = TakeAll();
    ASSERT_EQ(events.size(), 16u);
    EXPECT_EQ(events[14], (Event{'a' + 15, 15}));
    EXPECT_EQ(events[15], (Event{'z', 99})) << "the 17th key was lost, the next one is queued";
}

TEST_F(DisplayWindowTest, ButtonsOutsideTheClickBandAreQueuedWithWindowRelativePositions)
{
    Open(0);
    Keys({VK_SHIFT});
    Button(WM_LBUTTONDOWN, 60, 80);
    Keys({});
    Button(WM_LBUTTONUP, 60, 80);
    Button(WM_LBUTTONDOWN, 60, 43);
    Button(WM_LBUTTONUP, 60, 43);
    Button(WM_RBUTTONDOWN, 300, 400);
    Button(WM_MBUTTONDBLCLK, 4, 491);
    Button(WM_RBUTTONDOWN, 30, 60); // in the band: only a left-button-down acts, nothing is queued
    Button(WM_LBUTTONDOWN, 3, 200); // the left border belongs to the platform
    Button(WM_LBUTTONUP, 3, 200);
    const std::vector<Event> expected{
        {0x20201 | shift, Position(60, 80)}, {0x20202, Position(60, 80)}, {0x20201, Position(60, 43)},
        {0x20202, Position(60, 43)},         {0x20204, Position(300, 400)}, {0x20209, Position(4, 491)},
    };
    EXPECT_EQ(TakeAll(), expected);
    EXPECT_EQ(block->mouseX, 4);
    EXPECT_EQ(block->mouseY, 491);
}

TEST_F(DisplayWindowTest, ClickZoneEdgesAndTheNextScreenCycle)
{
    Open(0);
    context->selectedScreen = 0;
    const auto click = [&](int x, int y) {
        Button(WM_LBUTTONDOWN, x, y);
        EXPECT_EQ(context->rubberBandOwner, Window()) << "a left-button-down begins the band";
        Button(WM_LBUTTONUP, x, y);
        EXPECT_EQ(context->rubberBandOwner, nullptr);
    };
    click(16, 50);
    click(57, 60);
    EXPECT_EQ(context->selectedScreen, 0);
    click(17, 50);
    EXPECT_EQ(context->selectedScreen, 0x81);
    click(56, 79);
    EXPECT_EQ(context->selectedScreen, 0x82);
    click(30, 44);
    click(40, 60);
    EXPECT_EQ(context->selectedScreen, 0x84);
    click(20, 70);
    EXPECT_EQ(context->selectedScreen, 0x81);
    for (int n = 0; n < 4; ++n)
        EXPECT_EQ(context->screenFlags[n], 3) << n;
    EXPECT_EQ(block->eventCount, 0) << "clicks in the band queue nothing";

    click(241, 44);
    EXPECT_EQ(block->pendingEscapes, 16) << "the close zone";
    EXPECT_TRUE(IsWindow(Window()));
    click(185, 79);
    EXPECT_TRUE(IsIconic(Window())) << "the minimise zone";
    EXPECT_EQ(block->eventCount, 0);
}

TEST_F(DisplayWindowTest, CloseRequestsBecomeSixteenEscapesAndLeaveTheWindowOpen)
{
    Open(0);
    EXPECT_EQ(Send(WM_CLOSE), 0);
    EXPECT_TRUE(IsWindow(Window()));
    Send(WM_CHAR, 'x', 5);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(Take(), (Event{VDU_EVENT_SYNTHETIC_ESCAPE, 0})) << i;
    EXPECT_EQ(Take(), (Event{'x', 5}));

    EXPECT_EQ(Send(WM_QUERYENDSESSION), 0) << "the session end is refused";
    EXPECT_EQ(block->pendingEscapes, 16);
    block->pendingEscapes = 0;

    // The quit flag: each tick takes one from it and asks the client to stop.
    context->quitFlag = 2;
    Send(WM_TIMER, displayTimerId);
    EXPECT_EQ(context->quitFlag, 1u);
    EXPECT_EQ(block->pendingEscapes, 16);
    Send(WM_TIMER, displayTimerId);
    Send(WM_TIMER, displayTimerId);
    EXPECT_EQ(context->quitFlag, 0u);
    EXPECT_TRUE(IsWindow(Window()));
}

TEST_F(DisplayWindowTest, WheelQueuesBelowRowSixAndZoomsAbove)
{
    Open(0);
    Keys({VK_CONTROL});
    Wheel(100, 6, -120);
    Keys({});
    Wheel(655, 495, 240);
    const std::vector<Event> expected{{0x4FF88 | ctrl, Position(100, 6)}, {0x400F0, Position(655, 495)}};
    EXPECT_EQ(TakeAll(), expected);

    const RECT before = Outer();
    Wheel(100, 5, 120); // away from the user: smaller
    EXPECT_EQ(block->eventCount, 0);
    EXPECT_EQ(block->zoomEighths, 7);
    for (int i = 0; i < 10; ++i)
        Wheel(100, 0, 120);
    EXPECT_EQ(block->zoomEighths, 1);
    RECT r = Outer();
    EXPECT_EQ(r.right - r.left, 82);
    EXPECT_EQ(r.bottom - r.top, 62);
    EXPECT_EQ(block->windowWidth, 82);
    EXPECT_EQ(block->windowHeight, 62);
    EXPECT_EQ(r.left, before.left);
    EXPECT_EQ(r.top, before.top);
    for (int i = 0; i < 20; ++i)
        Wheel(10, 2, -120);
    EXPECT_EQ(block->zoomEighths, 16);
    r = Outer();
    EXPECT_EQ(r.right - r.left, 1312);
    EXPECT_EQ(r.bottom - r.top, 992);
    EXPECT_EQ(block->eventCount, 0);
}

TEST_F(DisplayWindowTest, AScreenWiderThanTheDisplayHasAWindowOfItsFullWidth)
{
    Open(0, 200);
    const RECT r = Outer();
    EXPECT_EQ(r.right - r.left, 12 + 200 * 8 + 4);
    EXPECT_EQ(block->windowWidth, 12 + 200 * 8 + 4);
}

TEST_F(DisplayWindowTest, WithoutTheZoomOptionTheWheelOnlyRestoresTheZoomedSize)
{
    Open(0);
    context->optionFlags['P' - 'A'] = 0;
    SetWindowPos(Window(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(block->windowWidth, 300) << "the size follows every change";
    Wheel(10, 1, -120);
    EXPECT_EQ(block->zoomEighths, 8);
    const RECT r = Outer();
    EXPECT_EQ(r.right - r.left, 656);
    EXPECT_EQ(r.bottom - r.top, 496);
}

TEST_F(DisplayWindowTest, HitTestAndNonClientPaint)
{
    Open(0);
    const auto hit = [&](int x, int y) {
        const POINT p = ToScreen(x, y);
        return Send(WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    };
    EXPECT_EQ(hit(10, 3), HTCAPTION);
    EXPECT_EQ(hit(10, 4), HTCLIENT);
    EXPECT_EQ(hit(651, 491), HTCLIENT);
    EXPECT_NE(hit(0, 100), HTCLIENT);
    // The 4-pixel borders answer as the platform does; the platform's caption below y = 4 is
    // client area here.
    const auto platform = [&](int x, int y) {
        const POINT p = ToScreen(x, y);
        return DefWindowProcA(Window(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    };
    EXPECT_EQ(platform(300, 4), HTCAPTION);
    EXPECT_EQ(hit(300, 4), HTCLIENT);
    for (const POINT p : {POINT{3, 100}, POINT{652, 100}, POINT{100, 492}, POINT{655, 2}, POINT{1, 1}})
        EXPECT_EQ(hit(p.x, p.y), platform(p.x, p.y)) << p.x << "," << p.y;

    block->repaintCountdown = 0;
    EXPECT_EQ(Send(WM_NCPAINT, 1), 0);
    EXPECT_EQ(block->repaintCountdown, VDU_REPAINT_SOON);
}

TEST_F(DisplayWindowTest, NumberedScreensShowOnlyTheSelectedOneAndScreenZeroStays)
{
    Open(2);
    context->selectedScreen = 0x83;
    Send(WM_TIMER, displayTimerId);
    EXPECT_FALSE(IsWindowVisible(Window()));
    EXPECT_EQ(block->shown, 0);
    context->selectedScreen = 0x82;
    Send(WM_TIMER, displayTimerId);
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_EQ(block->shown, 1);
    EXPECT_EQ(context->selectedScreen, 2) << "the selected screen takes the show request";
    EXPECT_EQ(GetFocus(), Window());
    VduClose(context, &block->header);
    HostRelease(block);

    Open(0);
    context->selectedScreen = 0x83;
    Send(WM_TIMER, displayTimerId);
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_EQ(block->shown, 1);
    EXPECT_EQ(context->selectedScreen, 0x83);
}

TEST_F(DisplayWindowTest, TicksNeverUndoAScreenChoiceMadeOnAClientThread)
{
    Open(1);
    context->selectedScreen = 3;
    Send(WM_TIMER, displayTimerId);
    ASSERT_EQ(block->shown, 0);
    std::atomic<bool> done{false};
    int undone = 0;
    std::thread client([&] {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
        for (int i = 0; undone == 0 && std::chrono::steady_clock::now() < end; ++i) {
            const uint8_t mine = i % 2 ? 3 : 4;
            StoreShared(context->selectedScreen, mine);
            for (int k = 0; k < 200; ++k)
                if (LoadShared(context->selectedScreen) != mine) {
                    ++undone;
                    break;
                }
        }
        done = true;
    });
    while (!done)
        Send(WM_TIMER, displayTimerId);
    client.join();
    EXPECT_EQ(undone, 0) << "a tick wrote back the choice it had read before the client's";
    EXPECT_EQ(block->shown, 0);
}

TEST_F(DisplayWindowTest, TheShownWindowDocksAfterTheMonitorWindowMoves)
{
    Open(1);
    context->selectedScreen = 1;
    SetWindowPos(context->monitorWindow, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(context->movedFlag, 1u);
    Send(WM_TIMER, displayTimerId);
    EXPECT_EQ(context->movedFlag, 0u);
    const RECT r = Outer();
    EXPECT_EQ(r.left, context->monitorLeft + context->monitorWidth);
    EXPECT_EQ(r.top, context->monitorTop);
    EXPECT_EQ(r.right - r.left, 656);

    // A hidden window leaves the flag to the visible ones.
    context->selectedScreen = 3;
    Send(WM_TIMER, displayTimerId);
    ASSERT_EQ(block->shown, 0);
    SetWindowPos(context->monitorWindow, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Send(WM_TIMER, displayTimerId);
    EXPECT_EQ(context->movedFlag, 1u);
}

TEST_F(DisplayWindowTest, ThePaintedWindowIsTheStretchedFrontImageWithTheCursorBar)
{
    Open(1);
    context->selectedScreen = 1;
    Write("HELLO, WORLD");
    SetWindowPos(Window(), HWND_TOP, 100, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE); // all of it on a 1024 x 768 screen, zoomed too
    InvalidateRect(Window(), nullptr, FALSE);
    UpdateWindow(Window());
    Pixels shown = WindowPixels();
    ASSERT_EQ(shown.width, 656);
    EXPECT_EQ(Mismatches(shown, ExpectedWindow(true)), 0);
    // The bar: pixel rows 12 and 13 of the cursor cell (12, 0), black.
    const int x = 12 + 12 * 8, y = 104;
    EXPECT_EQ(shown.At(x, y + 12), RGB(0, 0, 0));
    EXPECT_EQ(shown.At(x + 7, y + 13), RGB(0, 0, 0));
    EXPECT_NE(shown.At(x, y + 11), RGB(0, 0, 0));
    EXPECT_NE(shown.At(x, y + 14), RGB(0, 0, 0));

    for (int i = 0; i < 3; ++i)
        Wheel(100, 2, -120);
    ASSERT_EQ(block->zoomEighths, 11);
    UpdateWindow(Window());
    shown = WindowPixels();
    EXPECT_EQ(shown.width, 656 * 11 / 8);
    EXPECT_EQ(Mismatches(shown, ExpectedWindow(true)), 0);
}

TEST_F(DisplayWindowTest, ScreenZeroHasNoCursorBarAndNoThumbnail)
{
    const Pixels canvasBefore = Canvas(0, 0, context->monitorWidth, context->monitorHeight);
    Open(0);
    Write("ZERO");
    SetWindowPos(Window(), HWND_TOP, 300, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    InvalidateRect(Window(), nullptr, FALSE);
    UpdateWindow(Window());
    EXPECT_EQ(Mismatches(WindowPixels(), ExpectedWindow(false)), 0);
    Send(WM_SETFOCUS);
    EXPECT_EQ(Mismatches(Canvas(0, 0, context->monitorWidth, context->monitorHeight), canvasBefore), 0);
}

TEST_F(DisplayWindowTest, FocusPaintsTheSideStripeInTheScreensColour)
{
    Open(2);
    Send(WM_SETFOCUS);
    {
        ScreenLock screen{block};
        ASSERT_TRUE(screen);
        const ScreenState &s = *screen.get();
        for (HDC dc : {s.backDC, s.frontDC}) {
            EXPECT_EQ(GetPixel(dc, 0, 2), RGB(255, 255, 0)) << "screen 2 is yellow";
            EXPECT_EQ(GetPixel(dc, 1, 494), RGB(255, 255, 0));
            EXPECT_EQ(GetPixel(dc, 0, 1), RGB(255, 255, 255)) << "the stripe starts at y = 2";
            EXPECT_EQ(GetPixel(dc, 2, 100), RGB(224, 224, 224));
        }
    }
    Send(WM_KILLFOCUS);
    ScreenLock screen{block};
    EXPECT_EQ(GetPixel(screen.get()->frontDC, 0, 200), RGB(224, 224, 224));
    EXPECT_EQ(GetPixel(screen.get()->backDC, 1, 200), RGB(224, 224, 224));
}

TEST_F(DisplayWindowTest, TheThumbnailAppearsInTheMonitorWindow)
{
    // Screen 1's thumbnail lies above the legend, which the monitor draws over its canvas.
    Open(1);
    context->selectedScreen = 1;
    Write("THUMB");
    const int y = context->monitorHeight + 88 - 422;
    Send(WM_SETFOCUS);
    UpdateWindow(Window());

    // What the canvas must hold: the top half of the image in miniature.
    const HDC dc = CreateCompatibleDC(context->splashCanvas);
    const HBITMAP bitmap = CreateCompatibleBitmap(context->splashCanvas, 92, 53);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    {
        ScreenLock screen{block};
        StretchBlt(dc, 0, 0, 92, 53, screen.get()->frontDC, 4, 4, 648, 248, SRCCOPY);
    }
    const Pixels expected = CapturePixels(dc, 0, 0, 92, 53);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    EXPECT_EQ(Mismatches(Canvas(3, y, 92, 53), expected), 0);

    // The monitor shows canvas row r at window row r - b - 4, canvas column c at b + 4 + c.
    const HWND monitor = context->monitorWindow;
    RECT outer{}, client{};
    GetWindowRect(monitor, &outer);
    GetClientRect(monitor, &client);
    const int b = ((outer.right - outer.left) - client.right) / 2;
    InvalidateRect(monitor, nullptr, FALSE);
    UpdateWindow(monitor);
    const HDC monitorDC = GetWindowDC(monitor);
    const Pixels seen = CapturePixels(monitorDC, b + 4 + 3, y - b - 4, 92, 53);
    ReleaseDC(monitor, monitorDC);
    EXPECT_EQ(Mismatches(seen, expected), 0);
}

TEST_F(DisplayWindowTest, GeometryAndHandlesScribbledInTheBlockAreNotTrusted)
{
    Open(1);
    context->selectedScreen = 1;
    Write("SAFE");
    SetWindowPos(Window(), HWND_TOP, 300, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    InvalidateRect(Window(), nullptr, FALSE);
    UpdateWindow(Window());
    const Pixels good = WindowPixels();
    block->frontDC = reinterpret_cast<HDC>(0x1234);
    block->backDC = nullptr;
    block->frontWidth = 0;
    block->frontHeight = -7;
    block->backHeight = 1 << 30;
    block->cellWidth = 0;
    block->cellHeight = 0;
    block->marginLeft = -100000;
    block->cursorColumn = 1 << 30;
    block->eventWriteIndex = -5;
    block->zoomEighths = 1000;
    block->windowWidth = -1;
    block->windowHeight = 1 << 30;
    Send(WM_SETFOCUS);
    Send(WM_KILLFOCUS);
    InvalidateRect(Window(), nullptr, FALSE);
    UpdateWindow(Window());
    const Pixels shown = WindowPixels();
    int differ = 0;
    for (size_t i = 0; i < shown.at.size(); ++i)
        differ += shown.at[i] != good.at[i];
    EXPECT_GT(differ, 0) << "the cursor bar is gone";
    EXPECT_LE(differ, 8 * 2);
    Send(WM_CHAR, 'q', 1);
    EXPECT_EQ(block->events[(-5 + 1) & 15].code, static_cast<uint32_t>('q'));
    context->movedFlag = 1;
    Send(WM_TIMER, displayTimerId);
    const RECT r = Outer();
    EXPECT_EQ(r.right - r.left, 8) << "a width from the block is kept to what a window can be";
    EXPECT_LE(r.bottom - r.top, 32767);
    Wheel(10, 2, -120);
    EXPECT_EQ(block->zoomEighths, 16);
}

// A drag over text puts exactly the cells under the band on the clipboard, with the window's
// zoom taken into account; the client sees only the button's two events, as without copying.
TEST_F(DisplayWindowTest, ADragCopiesTheCellsUnderTheBandAtAnyZoom)
{
    Open(0);
    block->cursorRow = 2;
    Write("alpha beta gamma");
    block->cursorColumn = 0;
    block->cursorRow = 3;
    Write("delta epsilon");
    for (int i = 0; i < 4; ++i)
        Wheel(100, 2, -120);
    ASSERT_EQ(block->zoomEighths, 12);
    // The middle of cell (c, r), in window pixels at 12/8.
    const auto at = [](int c, int r) { return POINT{(12 + 8 * c + 4) * 12 / 8, (104 + 16 * r + 8) * 12 / 8}; };

    ASSERT_TRUE(SetClipboardUnicode(L"kept"));
    const POINT click = at(4, 2);
    Button(WM_LBUTTONDOWN, click.x, click.y);
    Button(WM_LBUTTONUP, click.x + 2, click.y + 2);
    EXPECT_EQ(ClipboardUnicode(), L"kept") << "a click in one cell copies nothing";
    TakeAll();

    const POINT a = at(6, 2), b = at(2, 3);
    Button(WM_LBUTTONDOWN, a.x, a.y);
    Send(WM_MOUSEMOVE, 0, ClientParam(b.x, b.y));
    Button(WM_LBUTTONUP, b.x, b.y);
    EXPECT_EQ(ClipboardAnsi(), "pha b\r\nlta e");
    EXPECT_EQ(ClipboardUnicode(), L"pha b\r\nlta e");
    const std::vector<Event> expected{{0x20201, Position(a.x, a.y)}, {0x20202, Position(b.x, b.y)}};
    EXPECT_EQ(TakeAll(), expected);
}

TEST_F(DisplayWindowTest, TheCopyItemCopiesTheWholeScreenInBothFormats)
{
    Open(9);
    block->cursorRow = 1;
    Write("  caf\xE9 \x12\x12 ");
    block->cursorColumn = 0;
    block->cursorRow = 23;
    Write("last");
    EXPECT_EQ(Send(WM_SYSCOMMAND, displayCopyCommand), 0);
    std::string ansi;
    std::wstring wide;
    for (int r = 0; r < 24; ++r) {
        if (r > 0) {
            ansi += "\r\n";
            wide += L"\r\n";
        }
        if (r == 1) {
            ansi += "  caf\xE9 --";
            wide += L"  caf\u00E9 \u2500\u2500";
        } else if (r == 23) {
            ansi += "last";
            wide += L"last";
        }
    }
    EXPECT_EQ(ClipboardAnsi(), ansi);
    EXPECT_EQ(ClipboardUnicode(), wide);
}

// 'K' in a loop on a thread of its own until `count` events came or `seconds` passed.
std::vector<Event> TakeOnAnotherThread(HostContext *context, VduBlock *block, size_t count, int seconds,
                                       std::atomic<size_t> &taken)
{
    std::vector<Event> events;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (events.size() < count && std::chrono::steady_clock::now() < end) {
        block->header.op = 'K';
        context->serviceEntry(context, &block->header);
        if (block->data != 0) {
            events.push_back({block->data, block->extra});
            taken = events.size();
        }
    }
    return events;
}

// Text pasted as `text` and the events it must arrive as: its characters, Return for a line break.
struct Pasted {
    std::wstring text;
    std::vector<Event> events;
    void Add(wchar_t ch)
    {
        text += ch;
        events.push_back({static_cast<uint32_t>(ch), 0});
    }
    void Break(const wchar_t *lineBreak)
    {
        text += lineBreak;
        events.push_back({0x1000D, 0});
    }
    void AddBeyondSixteenBits() // one character, two UTF-16 units, no code page has it
    {
        text += L"\U0001F600";
        events.push_back({'?', 0});
    }
};

// Pastes longer than the ring wait for a client that does not read yet, then reach it complete
// and in order while it takes events on its own thread and the window appends more: keys typed
// meanwhile keep their place behind the pasted text.
TEST_F(DisplayWindowTest, PastesReachAClientReadingOnItsOwnThreadCompleteAndInOrder)
{
    Open(0);
    Pasted first, second, third;
    for (int line = 0; line < 25; ++line) { // 1,000 characters with CR LF and lone LF line breaks
        for (int i = 0; i < 38; ++i)
            first.Add(static_cast<wchar_t>(line % 2 ? 'a' + (i + line) % 26 : '0' + (i * line) % 10));
        first.Break(line % 5 == 4 ? L"\n" : L"\r\n");
    }
    ASSERT_EQ(first.text.size(), 1000u - 5);
    for (int i = 0; i < 20000; ++i) {
        if (i == 4095) // its two halves on either side of the 4096th unit
            second.AddBeyondSixteenBits();
        second.Add(static_cast<wchar_t>('A' + i % 26));
    }
    for (int i = 0; i < 500; ++i)
        third.Add(static_cast<wchar_t>('!' + i % 90));
    const auto paste = [&](const Pasted &p) {
        ASSERT_TRUE(SetClipboardUnicode(p.text));
        EXPECT_EQ(Send(WM_SYSCOMMAND, displayPasteCommand), 0);
    };

    paste(first);
    EXPECT_EQ(block->eventCount, 16) << "the ring is filled at once";
    Send(WM_CHAR, 'Z', 1);
    paste(second);
    Sleep(300); // nobody reads meanwhile

    std::vector<Event> expected = first.events;
    expected.push_back({'Z', 1});
    expected.insert(expected.end(), second.events.begin(), second.events.end());
    expected.push_back({'Y', 2});
    expected.insert(expected.end(), third.events.begin(), third.events.end());
    std::atomic<size_t> taken{0};
    std::vector<Event> events;
    std::thread client([&] { events = TakeOnAnotherThread(context, block, expected.size(), 60, taken); });
    for (int i = 0; taken < 2000 && i < 10000; ++i)
        Sleep(1);
    Send(WM_CHAR, 'Y', 2); // while the second paste is being delivered
    paste(third);
    client.join();
    ASSERT_EQ(events.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(events[i], expected[i]) << "event " << i;
}

TEST_F(DisplayWindowTest, ClosingTheScreenDropsThePasteStillWaiting)
{
    Open(0);
    ASSERT_TRUE(SetClipboardUnicode(std::wstring(300, L'x')));
    Send(WM_SYSCOMMAND, displayPasteCommand);
    VduClose(context, &block->header);
    VduOpen(context, &block->header);
    EXPECT_LE(TakeAll().size(), 16u) << "only what the ring held before the close";
}

} // namespace
