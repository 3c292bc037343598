#include "display_window_fixture.h"

#include "host/host_api.h"
#include "host/startup.h"
#include "vdu/display_rules.h"
#include "vdu/screen_state.h"
#include "vdu/vdu_open_close.h"

Pixels CapturePixels(HDC source, int32_t x, int32_t y, int32_t width, int32_t height)
{
    Pixels p;
    p.width = width;
    p.height = height;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, dib);
    BitBlt(dc, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    p.at.resize(static_cast<size_t>(width) * height);
    const auto *raw = static_cast<const uint32_t *>(bits);
    for (size_t i = 0; i < p.at.size(); ++i)
        p.at[i] = RGB((raw[i] >> 16) & 0xFF, (raw[i] >> 8) & 0xFF, raw[i] & 0xFF);
    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);
    return p;
}

int Mismatches(const Pixels &a, const Pixels &b)
{
    if (a.width != b.width || a.height != b.height)
        return -1;
    int n = 0;
    for (size_t i = 0; i < a.at.size(); ++i)
        n += a.at[i] != b.at[i];
    return n;
}

void DisplayWindowTest::SetUp()
{
    static char line[] = "/P";
    context = CreateHostContext(GetModuleHandleA(nullptr), line);
    ASSERT_NE(context, nullptr);
    RegisterMonitorClass(context);
    RegisterDisplayClass(context);
    ASSERT_TRUE(CreateMonitorWindow(context));
    ShowWindow(context->monitorWindow, SW_SHOWNORMAL);
    UpdateWindow(context->monitorWindow);
    Keys({});
}

void DisplayWindowTest::TearDown()
{
    Keys({});
    if (block) {
        VduClose(context, &block->header);
        EXPECT_EQ(block->window, nullptr);
        HostRelease(block);
    }
    if (context->monitorWindow)
        DestroyWindow(context->monitorWindow);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

VduBlock *DisplayWindowTest::Open(uint8_t screenNumber, int32_t columns)
{
    block = static_cast<VduBlock *>(HostAllocate(sizeof(VduBlock)));
    block->header.requestClass = 'V';
    block->columns = columns;
    block->rows = 24;
    block->cellWidth = 8;
    block->cellHeight = 16;
    block->marginLeft = 12;
    block->marginTop = 104;
    block->marginRight = 4;
    block->marginBottom = 8;
    block->extra = screenNumber;
    VduOpen(context, &block->header);
    EXPECT_NE(block->window, nullptr);
    return block;
}

RECT DisplayWindowTest::Outer() const
{
    RECT r{};
    GetWindowRect(Window(), &r);
    return r;
}

POINT DisplayWindowTest::ToScreen(int wx, int wy) const
{
    const RECT r = Outer();
    return {r.left + wx, r.top + wy};
}

LPARAM DisplayWindowTest::ClientParam(int wx, int wy) const
{
    POINT p = ToScreen(wx, wy);
    ScreenToClient(Window(), &p);
    return MAKELPARAM(p.x, p.y);
}

LRESULT DisplayWindowTest::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SendMessageA(Window(), message, wParam, lParam);
}

void DisplayWindowTest::Button(UINT message, int wx, int wy) const
{
    Send(message, 0, ClientParam(wx, wy));
}

void DisplayWindowTest::Wheel(int wx, int wy, int16_t delta) const
{
    const POINT p = ToScreen(wx, wy);
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<uint16_t>(delta)), MAKELPARAM(p.x, p.y));
}

void DisplayWindowTest::Keys(std::initializer_list<int> held, std::initializer_list<int> toggled)
{
    BYTE state[256]{};
    for (int k : held)
        state[k] = 0x80;
    for (int k : toggled)
        state[k] |= 1;
    SetKeyboardState(state);
}

Event DisplayWindowTest::Take()
{
    block->header.op = 'K';
    context->serviceEntry(context, &block->header);
    EXPECT_EQ(block->header.status, 0);
    return {block->data, block->extra};
}

std::vector<Event> DisplayWindowTest::TakeAll()
{
    std::vector<Event> events;
    for (Event e = Take(); e.code != 0 && events.size() < 40; e = Take())
        events.push_back(e);
    return events;
}

void DisplayWindowTest::Write(const char *text)
{
    for (const char *p = text; *p; ++p) {
        block->data = static_cast<uint8_t>(*p);
        block->header.op = 'T';
        context->serviceEntry(context, &block->header);
    }
}

Pixels DisplayWindowTest::WindowPixels() const
{
    const RECT r = Outer();
    const HDC dc = GetWindowDC(Window());
    Pixels p = CapturePixels(dc, 0, 0, r.right - r.left, r.bottom - r.top);
    ReleaseDC(Window(), dc);
    return p;
}

// The front image stretched to the window's size as a stretch in memory makes it, with the
// cursor bar over it.
Pixels DisplayWindowTest::ExpectedWindow(bool withBar) const
{
    const RECT r = Outer();
    const int32_t w = r.right - r.left, h = r.bottom - r.top;
    const HDC screenDC = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screenDC);
    const HBITMAP bitmap = CreateCompatibleBitmap(screenDC, w, h);
    ReleaseDC(nullptr, screenDC);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    {
        ScreenLock screen{block};
        EXPECT_TRUE(screen);
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, w, h, screen.get()->frontDC, 0, 0, 656, 496, SRCCOPY);
    }
    if (withBar) {
        const BarRect bar = CursorBar({block->marginLeft, block->marginTop, block->cellWidth, block->cellHeight,
                                       block->cursorColumn, block->cursorRow, 80, 24, {656, 496}, {w, h}});
        EXPECT_GT(bar.width, 0);
        const RECT rect{bar.x, bar.y, bar.x + bar.width, bar.y + bar.height};
        FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    Pixels p = CapturePixels(dc, 0, 0, w, h);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return p;
}

Pixels DisplayWindowTest::Canvas(int32_t x, int32_t y, int32_t width, int32_t height) const
{
    return CapturePixels(context->splashCanvas, x, y, width, height);
}
