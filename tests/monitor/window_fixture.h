// A monitor window on the test's own thread, over a context built by start-up.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include "host/host_context.h"

class MonitorWindowTest : public ::testing::Test {
protected:
    // The switches the window is made with: "/P" gives it a sizing frame.
    virtual const char *Switches() const { return "/P"; }
    void SetUp() override;
    void TearDown() override;

    // Moves the window to its minimum size at (x, y) of the screen.
    void Place(int x, int y, int width, int height);
    // Window geometry: outer size, frame width b and caption bottom (client top in window rows).
    RECT Outer() const;
    int Border() const;
    int ClientTop() const;
    // Window-relative point to client point and to screen point.
    POINT ToClient(int wx, int wy) const;
    POINT ToScreen(int wx, int wy) const;

    HostContext *context = nullptr;
    HWND window = nullptr;
};

// The window as users see it: no sizing frame.
class FixedMonitorWindowTest : public MonitorWindowTest {
protected:
    const char *Switches() const override { return ""; }
};
