#include "window_fixture.h"

#include "host/startup.h"

void MonitorWindowTest::SetUp()
{
    static char line[16];
    lstrcpynA(line, Switches(), sizeof line);
    context = CreateHostContext(GetModuleHandleA(nullptr), line);
    ASSERT_NE(context, nullptr);
    RegisterMonitorClass(context);
    RegisterDisplayClass(context);
    ASSERT_TRUE(CreateMonitorWindow(context));
    window = context->monitorWindow;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
}

void MonitorWindowTest::TearDown()
{
    if (window)
        DestroyWindow(window);
    // Drop the quit message that the destroy posted, so the next test starts clean.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

void MonitorWindowTest::Place(int x, int y, int width, int height)
{
    SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT MonitorWindowTest::Outer() const
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

int MonitorWindowTest::Border() const
{
    RECT outer = Outer(), client{};
    GetClientRect(window, &client);
    return ((outer.right - outer.left) - client.right) / 2;
}

int MonitorWindowTest::ClientTop() const
{
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return origin.y - Outer().top;
}

POINT MonitorWindowTest::ToClient(int wx, int wy) const
{
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const RECT outer = Outer();
    return {wx - (origin.x - outer.left), wy - (origin.y - outer.top)};
}

POINT MonitorWindowTest::ToScreen(int wx, int wy) const
{
    const RECT outer = Outer();
    return {outer.left + wx, outer.top + wy};
}
