#include <gtest/gtest.h>

#include <windows.h>

#include "host/host_api.h"
#include "installer/install_decision.h"

namespace {

struct Later {
    HostContext *context;
    uint8_t keyCode;
};

DWORD WINAPI PressLater(void *parameter)
{
    const Later *later = static_cast<Later *>(parameter);
    later->context->keyCode = 'D'; // a drive letter is not a decision
    Sleep(250);
    later->context->keyCode = later->keyCode;
    return 0;
}

TEST(InstallerThread, DecisionFromKeyCodeOrQuitFlag)
{
    auto *context = static_cast<HostContext *>(HostAllocate(sizeof(HostContext)));
    context->keyCode = 27;
    EXPECT_EQ(WaitForDecision(context), InstallDecision::Stop);
    context->keyCode = 13;
    EXPECT_EQ(WaitForDecision(context), InstallDecision::Install);
    context->quitFlag = 16; // the quit flag wins over a pending Enter
    EXPECT_EQ(WaitForDecision(context), InstallDecision::Stop);
    HostRelease(context);
}

TEST(InstallerThread, WaitsThroughOtherKeysUntilEnter)
{
    auto *context = static_cast<HostContext *>(HostAllocate(sizeof(HostContext)));
    Later later{context, 13};
    const HANDLE thread = CreateThread(nullptr, 0, PressLater, &later, 0, nullptr);
    const DWORD start = GetTickCount();
    EXPECT_EQ(WaitForDecision(context), InstallDecision::Install);
    EXPECT_GE(GetTickCount() - start, 200u);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    HostRelease(context);
}

} // namespace
