#include <gtest/gtest.h>

#include <map>

#include "monitor/view_keys.h"

namespace {

constexpr uint32_t contextAddress = 0x00401000;

ViewTargets Targets()
{
    ViewTargets t{};
    t.context = contextAddress;
    t.showAddress = 0x11112222;
    t.commandLine = 0x00500000;
    for (int n = 0; n < 10; ++n)
        t.links[n] = 0x10000000u + 0x100u * n;
    return t;
}

std::map<uint32_t, uint32_t> g_links; // address -> link word; anything else is unreadable

uint32_t ReadLink(uint32_t address)
{
    auto it = g_links.find(address);
    return it == g_links.end() ? 0 : it->second;
}

MonitorKeyState Press(MonitorKeyState s, uint32_t ch, const ViewTargets &t = Targets())
{
    ApplyMonitorKey(s, ch, t, ReadLink);
    return s;
}

const MonitorKeyState start{0, 'C', contextAddress, contextAddress};

TEST(ViewKeys, EveryCharacterBecomesTheKeyCodeAndLettersFromCMoveTheDrive)
{
    MonitorKeyState s = Press(start, 'd');
    EXPECT_EQ(s.keyCode, 100);
    EXPECT_EQ(s.driveLetter, 'D');
    s = Press(s, 'a');
    EXPECT_EQ(s.keyCode, 'a');
    EXPECT_EQ(s.driveLetter, 'D');
    s = Press(s, 'B');
    EXPECT_EQ(s.driveLetter, 'D');
    s = Press(s, 13);
    EXPECT_EQ(s.keyCode, 13);
    s = Press(s, 0x1E9); // only the low byte is kept
    EXPECT_EQ(s.keyCode, 0xE9);
    EXPECT_EQ(s.driveLetter, 'D');
}

TEST(ViewKeys, LettersThatAlsoMoveTheView)
{
    MonitorKeyState s = Press({0, 'C', 0x1234, contextAddress}, 'N');
    EXPECT_EQ(s.driveLetter, 'N');
    EXPECT_EQ(s.view, contextAddress);
    EXPECT_EQ(Press(start, 's').view, 0x11112222u);
    EXPECT_EQ(Press(start, 'c').view, 0x00500000u);
    EXPECT_EQ(Press(start, 'U').view, contextAddress + 1024);
    EXPECT_EQ(Press(start, 'w').view, 0x10000000u);
    EXPECT_EQ(Press(start, '7').view, 0x10000700u);
    EXPECT_EQ(Press(start, 'Z').view, contextAddress); // 0 becomes the context
    EXPECT_EQ(Press(start, 'Z').driveLetter, 'Z');
}

TEST(ViewKeys, ZeroAddressesLandOnTheContext)
{
    ViewTargets t = Targets();
    t.showAddress = 0;
    for (uint32_t &link : t.links)
        link = 0;
    const MonitorKeyState away{0, 'C', 0x5000, contextAddress};
    EXPECT_EQ(Press(away, 'S', t).view, contextAddress);
    EXPECT_EQ(Press(away, 'W', t).view, contextAddress);
    for (char digit = '0'; digit <= '9'; ++digit)
        EXPECT_EQ(Press(away, digit, t).view, contextAddress);
}

TEST(ViewKeys, StepsWrapInThirtyTwoBits)
{
    EXPECT_EQ(Press(start, '-').view, contextAddress - 16);
    EXPECT_EQ(Press(start, '=').view, contextAddress - 512);
    EXPECT_EQ(Press(start, '+').view, contextAddress + 16);
    EXPECT_EQ(Press(start, '#').view, contextAddress + 512);
    EXPECT_EQ(Press({0, 'C', 0xFFFFFFF0u, 0}, '+').view, contextAddress);
    EXPECT_EQ(Press({0, 'C', 0x100, 0}, '=').view, 0xFFFFFF00u);
}

TEST(ViewKeys, TrailFollowsLinksUntilOneCannotBeRead)
{
    g_links = {{contextAddress + 32, 0x00600000}, {0x00600000 + 32, 0x00700000}};
    MonitorKeyState s = Press(start, 'T');
    EXPECT_EQ(s.trail, 0x00600000u);
    EXPECT_EQ(s.view, 0x00600000u);
    EXPECT_EQ(s.driveLetter, 'T');
    s = Press(s, 't');
    EXPECT_EQ(s.trail, 0x00700000u);
    s = Press(s, 'T'); // nothing readable there: the walk ends at 0, the view shows the context
    EXPECT_EQ(s.trail, 0u);
    EXPECT_EQ(s.view, contextAddress);
    s = Press(s, 'T');
    EXPECT_EQ(s.trail, 0u);
}

TEST(ViewKeys, BigEndianAddresses)
{
    const uint8_t bytes[4] = {0x12, 0x34, 0x56, 0x78};
    EXPECT_EQ(ReadBigEndian32(bytes), 0x12345678u);
}

} // namespace
