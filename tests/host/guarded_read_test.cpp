#include <gtest/gtest.h>

#include <windows.h>

#include "host/guarded_read.h"

namespace {

uintptr_t Address(const void *p) { return reinterpret_cast<uintptr_t>(p); }

DWORD WINAPI ProbeLowMemory(void *out)
{
    *static_cast<int *>(out) = ProbeByte(8);
    return 0;
}

TEST(GuardedRead, ReadableBytesReadBack)
{
    static const uint8_t bytes[] = {0xC8, 0x00, 0xFF, 0x41};
    EXPECT_EQ(GuardedReadByte(Address(bytes)), 200);
    EXPECT_EQ(GuardedReadByte(Address(bytes + 1)), 0);
    EXPECT_EQ(GuardedReadByte(Address(bytes + 2)), 255);
    EXPECT_EQ(ProbeByte(Address(bytes + 3)), 0x41);
}

TEST(GuardedRead, UnreadableMemoryGivesMinusOne)
{
    EXPECT_EQ(GuardedReadByte(0), -1);
    EXPECT_EQ(GuardedReadByte(0xFFFFFFFFu), -1);

    auto *freed = static_cast<uint8_t *>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(freed, nullptr);
    freed[0] = 7;
    EXPECT_EQ(GuardedReadByte(Address(freed)), 7);
    VirtualFree(freed, 0, MEM_RELEASE);
    EXPECT_EQ(GuardedReadByte(Address(freed)), -1);

    auto *reserved = VirtualAlloc(nullptr, 65536, MEM_RESERVE, PAGE_NOACCESS);
    EXPECT_EQ(GuardedReadByte(Address(reserved) + 100), -1);
    VirtualFree(reserved, 0, MEM_RELEASE);

    auto *hidden = static_cast<uint8_t *>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS));
    EXPECT_EQ(GuardedReadByte(Address(hidden)), -1);
    VirtualFree(hidden, 0, MEM_RELEASE);
}

TEST(GuardedRead, GuardPagesAreNotTouched)
{
    auto *page = static_cast<uint8_t *>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(page, nullptr);
    page[5] = 99;
    DWORD old;
    ASSERT_TRUE(VirtualProtect(page, 4096, PAGE_READWRITE | PAGE_GUARD, &old));
    EXPECT_EQ(GuardedReadByte(Address(page + 5)), -1);
    MEMORY_BASIC_INFORMATION info;
    ASSERT_TRUE(VirtualQuery(page, &info, sizeof info));
    EXPECT_TRUE(info.Protect & PAGE_GUARD) << "the guard must still be armed";
    VirtualFree(page, 0, MEM_RELEASE);
}

// The fault path itself, without the readability query in front of it: what a read races
// into when another thread frees the memory between query and load.
TEST(GuardedRead, FaultingProbeIsCaughtOnAnyThread)
{
    EXPECT_EQ(ProbeByte(0), -1);
    EXPECT_EQ(ProbeByte(16), -1);
    auto *freed = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    VirtualFree(freed, 0, MEM_RELEASE);
    EXPECT_EQ(ProbeByte(Address(freed)), -1);

    int fromThread = 0;
    const HANDLE thread = CreateThread(nullptr, 0, ProbeLowMemory, &fromThread, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_EQ(fromThread, -1);
}

TEST(GuardedRead, CopyAcrossTheEdgeOfReadableMemory)
{
    // Two pages, the second one inaccessible: a copy over the edge fills only that part.
    auto *base = static_cast<uint8_t *>(VirtualAlloc(nullptr, 8192, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(base, nullptr);
    for (int i = 0; i < 4096; ++i)
        base[i] = static_cast<uint8_t>(i);
    DWORD old;
    ASSERT_TRUE(VirtualProtect(base + 4096, 4096, PAGE_NOACCESS, &old));
    uint8_t out[32];
    EXPECT_EQ(GuardedCopy(out, Address(base + 4096 - 16), 32, 0xFF), 16u);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(out[i], static_cast<uint8_t>(4096 - 16 + i));
    for (int i = 16; i < 32; ++i)
        EXPECT_EQ(out[i], 0xFF);
    VirtualFree(base, 0, MEM_RELEASE);

    // Wrapping past the top of the address space into page 0.
    EXPECT_EQ(GuardedCopy(out, 0xFFFFFFF0u, 32, 0xFF), 32u);
}

} // namespace
