// A display window on the test's own thread (which is then its GUI thread), over a context and
// monitor window built by start-up; messages reach the window procedure as they would from the
// message loop.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>
#include <vector>

#include "host/host_context.h"
#include "vdu/vdu_block.h"

struct Pixels {
    int32_t width = 0, height = 0;
    std::vector<COLORREF> at; // row-major
    COLORREF At(int32_t x, int32_t y) const { return at[x + y * width]; }
};

// A copy of `width` x `height` pixels of `dc` from (x, y).
Pixels CapturePixels(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height);
// Pixels that differ; -1 when the sizes differ.
int Mismatches(const Pixels &a, const Pixels &b);

struct Event {
    uint32_t code, position;
    bool operator==(const Event &) const = default;
};

class DisplayWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens a screen of 8 x 16 cells with the given number; 80 x 24 is a 656 x 496 image.
    VduBlock *Open(uint8_t screenNumber, int32_t columns = 80);
    HWND Window() const { return block->window; }
    RECT Outer() const;
    // Screen point and client-coordinate lParam of a window-relative point.
    POINT ToScreen(int wx, int wy) const;
    LPARAM ClientParam(int wx, int wy) const;
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // A client button message at a window-relative point.
    void Button(UINT message, int wx, int wy) const;
    void Wheel(int wx, int wy, int16_t delta) const;
    // Sets the thread's key state: these keys held, and these lock keys toggled.
    static void Keys(std::initializer_list<int> held, std::initializer_list<int> toggled = {});
    // 'K' once, as the client would; {0, 0} when nothing is queued.
    Event Take();
    std::vector<Event> TakeAll();
    void Write(const char *text);
    // The window as the user sees it, and what it should show.
    Pixels WindowPixels() const;
    Pixels ExpectedWindow(bool withBar) const;
    Pixels Canvas(int32_t x, int32_t y, int32_t width, int32_t height) const;

    HostContext *context = nullptr;
    VduBlock *block = nullptr;
};
