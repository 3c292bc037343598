#include <gtest/gtest.h>

#include <cstring>

#include "host/host_context.h"
#include "print/print_block.h"
#include "vdu/vdu_block.h"

extern "C" {
size_t CHostContextSize(void);
size_t CVduBlockSize(void);
size_t CPrintBlockSize(void);
size_t CHostOffsets(size_t *out);
int CStatusLocked(void);
}

namespace {

TEST(Layout, CAndCppAgree)
{
    EXPECT_EQ(CHostContextSize(), 9508u);
    EXPECT_EQ(CVduBlockSize(), 900u);
    EXPECT_EQ(CPrintBlockSize(), 900u);
    size_t c[32];
    ASSERT_EQ(CHostOffsets(c), 15u);
    const size_t cpp[] = {
        offsetof(HostContext, serviceEntry), offsetof(HostContext, commandLine),
        offsetof(HostContext, pendingRequest), offsetof(HostContext, instance),
        offsetof(HostContext, paletteEntries), offsetof(HostContext, brushes),
        offsetof(HostContext, mirrorFile), offsetof(VduBlock, events),
        offsetof(VduBlock, host), offsetof(VduBlock, bitmapRect),
        offsetof(PrintBlock, printerDC), offsetof(PrintBlock, lineBuffer),
        offsetof(FileBlock, position), offsetof(MemoryBlock, address),
        offsetof(ExecBlock, commandLine),
    };
    for (size_t i = 0; i < 15; ++i)
        EXPECT_EQ(c[i], cpp[i]) << "field " << i;
}

TEST(Layout, StatusByteReadsSignedAndLockedIs128Unsigned)
{
    RequestBlock r{};
    r.status = static_cast<int8_t>(CStatusLocked());
    uint8_t raw;
    std::memcpy(&raw, &r.status, 1);
    EXPECT_EQ(raw, 128);
    r.status = HOST_STATUS_PENDING;
    std::memcpy(&raw, &r.status, 1);
    EXPECT_EQ(raw, 0xFF);
}

TEST(Layout, EventWordsDecodeAsDocumented)
{
    EXPECT_EQ(VDU_EVENT_HARDCOPY & VDU_EVENT_HARDCOPY_MASK, VDU_EVENT_HARDCOPY);
    EXPECT_EQ(VDU_EVENT_HARDCOPY & VDU_EVENT_VALUE_MASK, 0x2Cu);
    EXPECT_TRUE(VDU_EVENT_HARDCOPY & VDU_EVENT_ALT);
    EXPECT_EQ(VDU_EVENT_SYNTHETIC_ESCAPE & VDU_EVENT_KIND_MASK, VDU_EVENT_VIRTUAL_KEY);
    EXPECT_EQ(VDU_REPAINT_REQUEST | 97u, VDU_REPAINT_SOON);
}

} // namespace
