#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "host/gui_handover.h"
#include "host/host_api.h"
#include "vdu/vdu_block.h"

namespace {

struct Outcome {
    int8_t status;
    uint8_t op;
};

Outcome Submit(HostContext *context, RequestBlock *request)
{
    context->serviceEntry(context, request);
    return {request->status, request->op};
}

Outcome SubmitHeader(HostContext *context, uint8_t requestClass, uint8_t op)
{
    RequestBlock r{requestClass, 0, 55, op};
    return Submit(context, &r);
}

struct DispatchResults {
    Outcome fileY, memoryY, execZ, lowerClass, fileZ, print;
    Outcome allocZero, allocNegative, releaseNull, peekZero, peekC8, allocOk, releaseOk;
    void *allocZeroAddress, *allocNegativeAddress, *allocOkAddress, *releaseOkAddress, *releaseNullAddress;
    int32_t peekZeroValue, peekC8Value;
    bool zeroFilled;
    Outcome resubmitted;
} g_dispatch;

void DispatchEdgeCases(HostContext *c)
{
    DispatchResults &d = g_dispatch;
    d.fileY = SubmitHeader(c, 'F', 'Y');
    d.fileZ = SubmitHeader(c, 'F', 'Z');
    d.print = SubmitHeader(c, 'L', 'Q');
    d.memoryY = SubmitHeader(c, 'M', 'Y');
    d.execZ = SubmitHeader(c, 'X', 'Z');
    d.lowerClass = SubmitHeader(c, 'f', 'A');

    MemoryBlock m{{'M', 0, 0, 'Q'}, 0, reinterpret_cast<void *>(1)};
    d.allocZero = Submit(c, &m.header);
    d.allocZeroAddress = m.address;
    m.size = -8;
    m.address = reinterpret_cast<void *>(1);
    d.allocNegative = Submit(c, &m.header);
    d.allocNegativeAddress = m.address;

    m.size = 64;
    d.allocOk = Submit(c, &m.header);
    d.allocOkAddress = m.address;
    d.zeroFilled = true;
    for (int i = 0; i < 64 && m.address; ++i)
        d.zeroFilled &= static_cast<uint8_t *>(m.address)[i] == 0;
    // the same block again, unchanged: op was restored
    d.resubmitted = Submit(c, &m.header);
    HostRelease(m.address);
    m.header.op = 'X';
    d.releaseOk = Submit(c, &m.header);
    d.releaseOkAddress = m.address;
    m.address = nullptr;
    d.releaseNull = Submit(c, &m.header);
    d.releaseNullAddress = m.address;

    MemoryBlock peek{{'M', 0, 0, 'B'}, 0, nullptr};
    c->peekBase = 0x1000; // the peek resets it before reading
    d.peekZero = Submit(c, &peek.header);
    d.peekZeroValue = peek.size;
    static const uint8_t c8 = 0xC8;
    peek.address = const_cast<uint8_t *>(&c8);
    d.peekC8 = Submit(c, &peek.header);
    d.peekC8Value = peek.size;
}

TEST(Dispatch, StatusAndOpOfEveryRouteUnderTheRunningHost)
{
    char line[] = "";
    ASSERT_EQ(HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, DispatchEdgeCases), 0);
    const DispatchResults &d = g_dispatch;
    EXPECT_EQ(d.fileY.status, 7);
    EXPECT_EQ(d.fileZ.status, 0);
    EXPECT_EQ(d.fileY.op, 'Y');
    EXPECT_EQ(d.print.status, 7);
    EXPECT_EQ(d.memoryY.status, -1);
    EXPECT_EQ(d.memoryY.op, 'Y');
    EXPECT_EQ(d.execZ.status, -1);
    EXPECT_EQ(d.execZ.op, 'Z');
    EXPECT_EQ(d.lowerClass.status, -1);
    EXPECT_EQ(d.lowerClass.op, 'A');

    EXPECT_EQ(d.allocZero.status, -1);
    EXPECT_EQ(d.allocZeroAddress, nullptr);
    EXPECT_EQ(d.allocNegative.status, -1);
    EXPECT_EQ(d.allocNegativeAddress, nullptr);
    EXPECT_EQ(d.allocOk.status, 0);
    EXPECT_EQ(d.allocOk.op, 'Q');
    EXPECT_NE(d.allocOkAddress, nullptr);
    EXPECT_TRUE(d.zeroFilled);
    EXPECT_EQ(d.resubmitted.status, 0);
    EXPECT_EQ(d.releaseOk.status, 0);
    EXPECT_EQ(d.releaseOkAddress, nullptr);
    EXPECT_EQ(d.releaseNull.status, 0);
    EXPECT_EQ(d.releaseNull.op, 'X');
    EXPECT_EQ(d.releaseNullAddress, nullptr);

    EXPECT_EQ(d.peekZero.status, 0);
    EXPECT_EQ(d.peekZeroValue, -1);
    EXPECT_EQ(d.peekC8.status, 0);
    EXPECT_EQ(d.peekC8.op, 'B');
    EXPECT_EQ(d.peekC8Value, 200);
}

// The hand-over, watched from the GUI thread by a message hook: every claim wakes the GUI
// thread once, and between two messages the slot never holds a request that has finished.
std::atomic<int> g_wakeups;
std::atomic<int> g_finishedInSlot;
HostContext *g_handoverContext;
DWORD g_guiThread;

LRESULT CALLBACK WatchWakeups(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG *message = reinterpret_cast<const MSG *>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        if (message->message == WM_HOST_REQUEST_PENDING)
            ++g_wakeups;
        const RequestBlock *slot = g_handoverContext ? g_handoverContext->pendingRequest : nullptr;
        if (slot && slot->op == 0)
            ++g_finishedInSlot;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

constexpr int clientCount = 4;
constexpr int rounds = 40; // even: every screen opened is closed again

struct ClientResult {
    int wrongOp = 0;
    int wrongStatus = 0;
    int notOnGuiThread = 0;
    int done = 0;
};
ClientResult g_clients[clientCount];
std::atomic<int> g_clientsLeft;

DWORD WINAPI Client(void *parameter)
{
    const int index = static_cast<int>(reinterpret_cast<intptr_t>(parameter));
    HostContext *context = g_handoverContext;
    ClientResult &result = g_clients[index];
    VduBlock *block = static_cast<VduBlock *>(HostAllocate(sizeof(VduBlock)));
    block->header.requestClass = 'V';
    for (int i = 0; i < rounds; ++i) {
        const uint8_t op = (i & 1) ? 'X' : 'Q';
        block->header.op = op;
        context->serviceEntry(context, &block->header);
        result.wrongOp += block->header.op != op;
        result.wrongStatus += block->header.status != 0;
        if (op == 'Q') // the screen's window belongs to the thread that runs the message loop
            result.notOnGuiThread += GetWindowThreadProcessId(block->window, nullptr) != g_guiThread;
        else
            result.notOnGuiThread += block->window != nullptr;
        ++result.done;
    }
    HostRelease(block);
    --g_clientsLeft;
    InterlockedDecrement(reinterpret_cast<volatile LONG *>(&context->liveThreads));
    return 0;
}

void StartClients(HostContext *context)
{
    g_handoverContext = context;
    g_clientsLeft = clientCount;
    for (int i = 0; i < clientCount; ++i) {
        InterlockedIncrement(reinterpret_cast<volatile LONG *>(&context->liveThreads));
        CloseHandle(CreateThread(nullptr, 0, Client, reinterpret_cast<void *>(static_cast<intptr_t>(i)), 0, nullptr));
    }
    // Stay until the clients are through: each of their requests was carried out by the
    // wake-up message of its claim, so none is left on the queue then.
    while (g_clientsLeft.load() != 0)
        Sleep(5);
}

TEST(Handover, ConcurrentOpensAndClosesEachRunOnceOnTheGuiThread)
{
    g_guiThread = GetCurrentThreadId();
    const HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, WatchWakeups, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    char line[] = "";
    ASSERT_EQ(HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, StartClients), 0);
    UnhookWindowsHookEx(hook);

    EXPECT_EQ(g_clientsLeft.load(), 0);
    for (const ClientResult &r : g_clients) {
        EXPECT_EQ(r.done, rounds);
        EXPECT_EQ(r.wrongOp, 0);
        EXPECT_EQ(r.wrongStatus, 0);
        EXPECT_EQ(r.notOnGuiThread, 0);
    }
    EXPECT_EQ(g_wakeups.load(), clientCount * rounds);
    EXPECT_EQ(g_finishedInSlot.load(), 0);
    EXPECT_EQ(g_handoverContext->pendingRequest, nullptr);
}

} // namespace
