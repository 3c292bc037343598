// The start-up information and creation flags of a started program.
#include "exec/exec_startup.h"

#include <gtest/gtest.h>

namespace {

TEST(ExecStartup, OwnStartupInfoWithTheShowModeAndHandlesOfTheService)
{
    STARTUPINFOA own{};
    own.cb = 99;
    own.lpReserved = const_cast<char *>("reserved");
    own.lpDesktop = const_cast<char *>("winsta0\\default");
    own.lpTitle = const_cast<char *>("title");
    own.dwX = 10;
    own.dwY = 20;
    own.dwXSize = 300;
    own.dwYSize = 200;
    own.dwXCountChars = 80;
    own.dwYCountChars = 25;
    own.dwFillAttribute = 0x1F;
    own.dwFlags = STARTF_USEPOSITION | STARTF_USESIZE;
    own.wShowWindow = SW_SHOWMAXIMIZED;
    own.cbReserved2 = 12;
    own.lpReserved2 = reinterpret_cast<BYTE *>(&own);
    own.hStdInput = reinterpret_cast<HANDLE>(0x11);
    own.hStdOutput = reinterpret_cast<HANDLE>(0x22);
    own.hStdError = reinterpret_cast<HANDLE>(0x33);

    const STARTUPINFOA info = ExecStartupInfo(own, true);
    EXPECT_EQ(info.cb, 68u);
    EXPECT_EQ(info.lpReserved, nullptr);
    EXPECT_EQ(info.lpDesktop, nullptr);
    EXPECT_EQ(info.lpTitle, nullptr);
    EXPECT_EQ(info.dwFlags, 0x101u);
    EXPECT_EQ(info.wShowWindow, 7);
    EXPECT_EQ(info.cbReserved2, 0);
    EXPECT_EQ(info.lpReserved2, nullptr);
    // kept from this program's own
    EXPECT_EQ(info.dwX, 10u);
    EXPECT_EQ(info.dwYSize, 200u);
    EXPECT_EQ(info.dwXCountChars, 80u);
    EXPECT_EQ(info.dwFillAttribute, 0x1Fu);
    EXPECT_EQ(info.hStdInput, own.hStdInput);
    EXPECT_EQ(info.hStdOutput, own.hStdOutput);
    EXPECT_EQ(info.hStdError, own.hStdError);

    EXPECT_EQ(execCreationFlags, 0x30u);
}

} // namespace
