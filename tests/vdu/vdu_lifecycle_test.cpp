// Screens over their life: open and close without leaks, several screens at once, and a client
// writing while the GUI thread keeps using the front image.
#include "vdu_client.h"

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

#include "vdu/painters.h"
#include "vdu/screen_state.h"

namespace {

// Private bytes; where the platform leaves PrivateUsage at 0, the commit charge it reports in
// PagefileUsage (the same value on Windows).
SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS *>(&counters),
                              sizeof counters))
        return 0;
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

DWORD GdiObjects()
{
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

TEST(VduLifecycle, AThousandOpensAndClosesLeaveNothingBehind)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        VduBlock *b = vdu.block;
        auto cycle = [&](bool checkHandles) {
            ASSERT_EQ(vdu.Open(Geometry{80, 24}), 0);
            ASSERT_NE(b->cells, nullptr);
            HWND window = b->window;
            HDC front = b->frontDC, back = b->backDC;
            HBITMAP frontBitmap = nullptr, backBitmap = nullptr;
            {
                ScreenLock screen{b};
                ASSERT_TRUE(screen);
                frontBitmap = screen.get()->frontBitmap;
                backBitmap = screen.get()->backBitmap;
            }
            b->data = 'x';
            vdu.Submit('T');
            ASSERT_EQ(vdu.Close(), 0);
            if (checkHandles) {
                EXPECT_FALSE(IsWindow(window));
                EXPECT_EQ(GetObjectType(front), 0u) << "front context deleted";
                EXPECT_EQ(GetObjectType(back), 0u) << "back context deleted";
                EXPECT_EQ(GetObjectType(frontBitmap), 0u) << "front bitmap deleted";
                EXPECT_EQ(GetObjectType(backBitmap), 0u) << "back bitmap deleted";
            }
        };
        for (int i = 0; i < 20; ++i)
            cycle(i == 0);
        const DWORD gdiBefore = GdiObjects();
        const SIZE_T memoryBefore = PrivateBytes();
        for (int i = 0; i < 1000; ++i) {
            cycle(i % 100 == 0);
            if (HasFatalFailure())
                return;
        }
        const DWORD gdiAfter = GdiObjects();
        const SIZE_T memoryAfter = PrivateBytes();
        std::printf("GDI objects before %lu after %lu%s; private bytes before %lu after %lu (%+ld)\n",
                    static_cast<unsigned long>(gdiBefore), static_cast<unsigned long>(gdiAfter),
                    gdiBefore == 0 ? " (not reported by this platform)" : "",
                    static_cast<unsigned long>(memoryBefore), static_cast<unsigned long>(memoryAfter),
                    static_cast<long>(memoryAfter) - static_cast<long>(memoryBefore));
        // Where the platform counts no GDI objects (it reports 0), the object checks of every
        // hundredth cycle above are what catches a leaked context or bitmap.
        EXPECT_LE(gdiAfter, gdiBefore + 8);
        ASSERT_GT(memoryBefore, 0u);
        // One screen holds about 1 MB of images and 15 KB of buffers; a leak of 40 bytes per
        // screen, a thousand times over, is beyond this slack.
        EXPECT_LE(memoryAfter, memoryBefore + 32 * 1024);
    });
}

TEST(VduLifecycle, TwoScreensKeepTheirOwnState)
{
    RunClient([](HostContext *context) {
        VduClient a(context), b(context);
        ASSERT_EQ(a.Open(Geometry{80, 24}, 1), 0);
        ASSERT_EQ(b.Open(Geometry{40, 10, 8, 16, 20, 30, 20, 30}, 9), 0);
        EXPECT_NE(a.block->window, b.block->window);
        EXPECT_NE(a.block->frontDC, b.block->frontDC);
        EXPECT_EQ(a.block->title[9], '1');
        EXPECT_EQ(b.block->title[9], '1') << "9 AND 7";
        const Image backB = b.Capture(false);

        a.Control(5);
        a.Control(137);
        a.Write(10, 3, "alpha");
        a.Control(16, (12u << 16) | 5);
        b.Write(1, 1, "b");
        EXPECT_EQ(a.block->highlight, 1);
        EXPECT_EQ(b.block->highlight, 0);
        EXPECT_EQ(b.Cell(1, 1), uint32_t{'b'});
        EXPECT_EQ(a.Cell(10, 3), 0x10000u | 'a');
        EXPECT_EQ(a.Cell(1, 1), 0u);
        EXPECT_NE(a.Frame(15, 3), 0u);
        EXPECT_EQ(b.Frame(5, 3), 0u);
        EXPECT_EQ(b.block->cursorColumn, 2);
        EXPECT_EQ(b.block->cursorRow, 1);

        // The same line-drawing code in the style of each screen.
        a.Write(0, 8, "\x11");
        b.Write(0, 8, "\x11");
        const POINT oa = a.Origin(0, 8), ob = b.Origin(0, 8);
        EXPECT_EQ(a.Front(oa.x + 3, oa.y + 5), 0x808080u) << "etched";
        EXPECT_EQ(b.Front(ob.x + 3, ob.y + 5), 0xC0C0C0u) << "bitmap";

        // Clearing one leaves the other.
        a.Control(12);
        EXPECT_EQ(b.Cell(1, 1), uint32_t{'b'});
        EXPECT_EQ(a.Close(), 0);
        b.Control(12);
        EXPECT_TRUE(b.Capture() == backB);
        b.Write(0, 0, "still");
        EXPECT_EQ(b.Cell(4, 0), uint32_t{'l'});
    });
}

// The GUI thread copies the watched screen's front image on every message it takes, under the
// screen's lock, as a display window's painting would.
std::atomic<VduBlock *> g_watched{nullptr};
std::atomic<long> g_copies{0}, g_inFlight{0};
HDC g_sink;
HHOOK g_hook;
constexpr UINT busyMessage = WM_USER + 77;

LRESULT CALLBACK CopyFrontImage(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        if (VduBlock *b = g_watched.load()) {
            ScreenLock screen{b};
            if (screen) {
                for (int i = 0; i < 3; ++i)
                    BitBlt(g_sink, 0, 0, b->frontWidth, b->frontHeight, screen.get()->frontDC, 0, 0, SRCCOPY);
                ++g_copies;
            }
        }
        const auto *message = reinterpret_cast<const MSG *>(lParam);
        if (message->message == busyMessage && wParam == PM_REMOVE)
            --g_inFlight;
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

// Keeps a few messages waiting for the GUI thread, each one a copy of the front image there.
void KeepGuiThreadBusy(HWND window)
{
    if (g_inFlight.load() < 3 && PostMessageA(window, busyMessage, 0, 0))
        ++g_inFlight;
}

// A fixed mix of text, highlight, line drawing, buttons, frames and scrolling, then one more
// pass over every cell, so that a stroke lost in that pass is not hidden by a later one.
void WriteMixedScreen(VduClient &vdu, HWND busyWindow)
{
    uint32_t seed = 12345;
    auto next = [&] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    for (int i = 0; i < 4000; ++i) {
        if (busyWindow)
            KeepGuiThreadBusy(busyWindow);
        const uint32_t r = next() % 100;
        if (r < 70) {
            vdu.Put(static_cast<uint8_t>('!' + next() % 90));
        } else if (r < 80) {
            vdu.Put(static_cast<uint8_t>(17 + next() % 15));
        } else if (r < 84) {
            vdu.Put(':');
        } else if (r < 88) {
            vdu.Control(next() % 2 ? 5 : 2);
        } else if (r < 90) {
            vdu.Put(' ');
        } else if (r < 92) {
            vdu.Control(next() % 2 ? 130 : 137);
            vdu.Control(16, ((next() % 80) << 16) | (next() % 24));
        } else if (r < 93) {
            vdu.Control(next() % 2 ? 20 : 21);
        } else if (r < 94) {
            vdu.Control(23);
        } else {
            vdu.Control(16, ((next() % 80) << 16) | (next() % 24));
        }
    }
    vdu.Control(2);
    vdu.Control(1);
    for (int i = 0; i < 80 * 24 - 1; ++i) {
        if (busyWindow)
            KeepGuiThreadBusy(busyWindow);
        if (i % 7 == 0)
            vdu.Control(i % 2 ? 5 : 2);
        vdu.Put(static_cast<uint8_t>(i % 5 == 0 ? 17 + next() % 15 : '!' + next() % 90));
    }
}

TEST(VduConcurrency, EveryCellIsRightWhileTheGuiThreadKeepsCopyingTheFrontImage)
{
    const HDC screenDC = GetDC(nullptr);
    g_sink = CreateCompatibleDC(screenDC);
    const HBITMAP sinkBitmap = CreateCompatibleBitmap(screenDC, 1024, 1024);
    const HGDIOBJ oldSink = SelectObject(g_sink, sinkBitmap);
    ReleaseDC(nullptr, screenDC);
    g_hook = SetWindowsHookExA(WH_GETMESSAGE, CopyFrontImage, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_hook, nullptr);

    RunClient([](HostContext *context) {
        VduClient busy(context), quiet(context);
        context->selectedScreen = 3; // kept shown: no side stripe change from hiding between captures
        ASSERT_EQ(busy.Open(Geometry{80, 24}, 3), 0);
        g_watched = busy.block;
        WriteMixedScreen(busy, context->monitorWindow);
        g_watched = nullptr;
        const long copies = g_copies.load();
        std::printf("front image copied %ld times on the GUI thread while writing\n", copies);
        EXPECT_GT(copies, 0) << "the GUI thread was never busy with the screen";

        const Image written = busy.Capture();
        {
            ScreenLock screen{busy.block};
            RepaintAll(*screen.get());
        }
        const Image repainted = busy.Capture();
        int wrong = 0;
        for (size_t i = 0; i < written.pixels.size(); ++i)
            wrong += written.pixels[i] != repainted.pixels[i];
        EXPECT_EQ(wrong, 0) << "pixels that differ from a repaint of the same cells";

        // The same requests on a screen nobody else looks at give the same screen.
        ASSERT_EQ(quiet.Open(Geometry{80, 24}, 3), 0);
        WriteMixedScreen(quiet, nullptr);
        EXPECT_TRUE(std::equal(busy.block->cells, busy.block->cells + 80 * 24, quiet.block->cells));
        EXPECT_TRUE(std::equal(busy.block->frames, busy.block->frames + 80 * 24, quiet.block->frames));
        EXPECT_TRUE(quiet.Capture() == written);
    });

    UnhookWindowsHookEx(g_hook);
    SelectObject(g_sink, oldSink);
    DeleteObject(sinkBitmap);
    DeleteDC(g_sink);
}

} // namespace
