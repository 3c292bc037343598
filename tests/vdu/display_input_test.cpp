// The display window under the running host: input from window messages posted to it, and from
// the real keyboard and mouse (driven by display_input_test.sh with xdotool), reaches the
// client through 'K'; the hardcopy request prints the screen on LPT1, which the script maps to
// the file LPT1.OUT of the working folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "test_clipboard.h"
#include "vdu_client.h"

namespace {

const char kLpt1File[] = "LPT1.OUT";

std::string ReadAll(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Taken {
    uint32_t code, position;
};

// 'K' until `count` events have arrived or `seconds` have passed; empty takes are skipped.
std::vector<Taken> TakeEvents(VduClient &screen, size_t count, int seconds)
{
    std::vector<Taken> events;
    const DWORD start = GetTickCount();
    while (events.size() < count && GetTickCount() - start < static_cast<DWORD>(seconds) * 1000) {
        EXPECT_EQ(screen.Submit('K'), 0);
        if (screen.block->data != 0)
            events.push_back({screen.block->data, screen.block->extra});
        else
            Sleep(10);
    }
    return events;
}

TEST(DisplayInput, TheHardcopyItemPrintsTheScreenThroughK)
{
    RunClient([](HostContext *context) {
        VduClient screen(context);
        ASSERT_EQ(screen.Open({40, 3}), 0);
        screen.Write(0, 1, "MENU HARDCOPY");
        std::ofstream(kLpt1File, std::ios::trunc).close();
        PostMessageA(screen.block->window, WM_SYSCOMMAND, 1, 0);
        PostMessageA(screen.block->window, WM_CHAR, 'k', 0x00250001);
        const std::vector<Taken> events = TakeEvents(screen, 1, 10);
        ASSERT_EQ(events.size(), 1u);
        EXPECT_EQ(events[0].code, uint32_t{'k'}) << "the hardcopy is carried out, not delivered";
        EXPECT_NE(ReadAll(kLpt1File).find("MENU HARDCOPY"), std::string::npos);
    });
}

// The window paints, stripes and thumbnails from the GUI thread while the client writes: with
// the screen's lock around each, no stroke of the client is lost.
TEST(DisplayInput, NoStrokeIsLostWhileTheWindowPaintsTheScreen)
{
    RunClient([](HostContext *context) {
        context->selectedScreen = 1;
        VduClient busy(context), quiet(context);
        ASSERT_EQ(busy.Open({}, 1), 0);
        const HWND window = busy.block->window;
        const auto write = [](VduClient &screen, HWND painted) {
            for (int pass = 0; pass < 6; ++pass) {
                screen.MoveTo(0, 0);
                for (int i = 0; i < 80 * 24 - 1; ++i) {
                    if (painted) {
                        InvalidateRect(painted, nullptr, FALSE);
                        if (i % 16 == 0)
                            PostMessageA(painted, (i / 16) % 2 ? WM_KILLFOCUS : WM_SETFOCUS, 0, 0);
                    }
                    screen.Put(static_cast<uint8_t>('!' + (i * 7 + pass * 13) % 90));
                }
            }
        };
        write(busy, window);
        PostMessageA(window, WM_KILLFOCUS, 0, 0);
        Sleep(200);
        ASSERT_EQ(quiet.Open(), 0);
        write(quiet, nullptr);
        const Image a = busy.Capture(), b = quiet.Capture();
        ASSERT_EQ(a.width, b.width);
        int wrong = 0;
        for (int32_t y = 0; y < a.height; ++y)
            for (int32_t x = busy.block->marginLeft; x < a.width; ++x) // the left margin holds the stripe
                wrong += a.At(x, y) != b.At(x, y);
        EXPECT_EQ(wrong, 0) << "pixels lost while the window painted";
    });
}

// Writes `text` to a file of the working folder in one step, so that the script never reads half.
void Announce(const char *name, const std::string &text)
{
    const std::string temporary = std::string(name) + ".TMP";
    if (FILE *f = std::fopen(temporary.c_str(), "w")) {
        std::fputs(text.c_str(), f);
        std::fclose(f);
        MoveFileA(temporary.c_str(), name);
    }
}

// Keys and mouse actions come from the script once the file READY names the window's corner.
TEST(DisplayInput, RealKeysAndMouseFromTheScript)
{
    RunClient([](HostContext *context) {
        VduClient screen(context);
        ASSERT_EQ(screen.Open(), 0);
        screen.Write(0, 0, "XDOTOOL HARDCOPY");
        std::ofstream(kLpt1File, std::ios::trunc).close();
        RECT r{};
        GetWindowRect(screen.block->window, &r);
        Announce("READY", std::to_string(r.left) + " " + std::to_string(r.top) + "\n");
        // space, ctrl+g, alt+space, alt+F4, Print, alt+Print, F1, click, wheel down, Return
        const std::vector<Taken> events = TakeEvents(screen, 9, 60);
        DeleteFileA("READY");
        const uint32_t alt = VDU_EVENT_ALT, locks = 0x0F000000;
        const std::vector<uint32_t> expected{32,       32 | alt, 0x10073 | alt, 0x1002C, 0x10070,
                                             0x20201, 0x20202,  0x4FF88,       0x1000D};
        std::vector<uint32_t> codes;
        for (const Taken &t : events)
            codes.push_back(t.code & ~locks);
        EXPECT_EQ(codes, expected);
        ASSERT_EQ(events.size(), expected.size());
        EXPECT_EQ(events[0].position & 0xFFFF, 1u) << "a key's position is its message parameter";
        EXPECT_EQ(events[5].position, 200u << 16 | 60u);
        EXPECT_EQ(events[7].position, 200u << 16 | 60u);
        EXPECT_EQ(screen.block->bellMark, 7);
        EXPECT_EQ(screen.block->pendingEscapes, 0) << "Alt+F4 does not close the window";
        EXPECT_NE(ReadAll(kLpt1File).find("XDOTOOL HARDCOPY"), std::string::npos) << "Alt+Print Screen";
    });
}

// The script drags the real mouse between the two points that DRAG names and then reads the X
// clipboard with xclip into XCLIP.OUT: another program sees the selected text.
TEST(DisplayInput, ARealDragCopiesTheSelectedTextForOtherPrograms)
{
    RunClient([](HostContext *context) {
        VduClient screen(context);
        ASSERT_EQ(screen.Open(), 0);
        screen.Write(0, 1, "Copy me: caf\xE9 \x12\x12 done");
        screen.Write(0, 2, "second line here");
        // From the middle of cell (5, 1) to the middle of cell (16, 2).
        RECT r{};
        GetWindowRect(screen.block->window, &r);
        const auto x = [&](int c) { return r.left + 12 + 8 * c + 4; };
        const auto y = [&](int row) { return r.top + 104 + 16 * row + 8; };
        Announce("DRAG", std::to_string(x(5)) + " " + std::to_string(y(1)) + " " + std::to_string(x(16)) + " " +
                             std::to_string(y(2)) + "\n");
        const std::vector<Taken> events = TakeEvents(screen, 2, 60);
        DeleteFileA("DRAG");
        ASSERT_EQ(events.size(), 2u);
        const uint32_t locks = 0x0F000000;
        EXPECT_EQ(events[0].code & ~locks, 0x20201u);
        const auto position = [&](int px, int py) { return static_cast<uint32_t>(py - r.top) << 16 | (px - r.left); };
        EXPECT_EQ(events[0].position, position(x(5), y(1)));
        EXPECT_EQ(events[1].code & ~locks, 0x20202u);
        EXPECT_EQ(events[1].position, position(x(16), y(2)));

        EXPECT_EQ(ClipboardAnsi(), "me: caf\xE9 --\r\nd line here");
        EXPECT_EQ(ClipboardUnicode(), L"me: caf\u00E9 \u2500\u2500\r\nd line here");
        std::string seen;
        for (int i = 0; i < 300 && seen.empty(); ++i) {
            Sleep(100);
            seen = ReadAll("XCLIP.OUT");
        }
        EXPECT_TRUE(TakeEvents(screen, 1, 1).empty()) << "a drag queues its button-down and button-up, nothing else";
        seen.erase(std::remove(seen.begin(), seen.end(), '\r'), seen.end());
        EXPECT_EQ(seen, "me: caf\xC3\xA9 \xE2\x94\x80\xE2\x94\x80\nd line here") << "the X clipboard, in UTF-8";
    });
}

} // namespace
