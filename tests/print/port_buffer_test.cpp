#include "print/port_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

TEST(PortBuffer, StoresTheLowByteWhileThereIsRoomAndTheWordIsACharacter)
{
    EXPECT_EQ(PlanStore(0, 'A').fill, 1);
    EXPECT_TRUE(PlanStore(0, 'A').stored);
    EXPECT_TRUE(PlanStore(5, 0x0001'0041).stored); // a highlighted cell word still prints
    EXPECT_FALSE(PlanStore(5, 0x0002'0041).stored); // a mouse event word does not
    EXPECT_EQ(PlanStore(5, 0x0002'0041).fill, 5);
    EXPECT_FALSE(PlanStore(128, 'A').stored);
    EXPECT_EQ(PlanStore(128, 'A').fill, 128);
    EXPECT_TRUE(PlanStore(127, 'A').stored);
}

TEST(PortBuffer, FlushesAbove96BytesOrAtControlCharactersUpToCarriageReturn)
{
    EXPECT_FALSE(PlanStore(95, 'x').flush); // the 96th byte waits
    EXPECT_TRUE(PlanStore(96, 'x').flush);  // the 97th goes out
    for (uint32_t c = 0; c <= 13; ++c)
        EXPECT_TRUE(PlanStore(3, c).flush) << c;
    for (uint32_t c = 14; c < 32; ++c)
        EXPECT_FALSE(PlanStore(3, c).flush) << c;
    EXPECT_FALSE(PlanStore(3, 0xFF).flush);
    const PortStore mouseReturn = PlanStore(3, 0x0002'000D); // stores nothing, still flushes
    EXPECT_FALSE(mouseReturn.stored);
    EXPECT_TRUE(mouseReturn.flush);
    EXPECT_EQ(mouseReturn.fill, 3);
    EXPECT_TRUE(PlanStore(128, 'A').flush); // a full buffer keeps trying to go out
}

TEST(PortBuffer, FillCountsOutsideTheBufferAreClamped)
{
    EXPECT_EQ(ClampFill(-7), 0);
    EXPECT_EQ(ClampFill(129), 128);
    EXPECT_EQ(ClampFill(0x7FFF'FFFF), 128);
    const PortStore negative = PlanStore(-1000, 'A');
    EXPECT_TRUE(negative.stored);
    EXPECT_EQ(negative.fill, 1);
    const PortStore huge = PlanStore(5000, 'A');
    EXPECT_FALSE(huge.stored);
    EXPECT_EQ(huge.fill, 128);
}

TEST(PortBuffer, AFailedFlushTakesBackOnlyThisRequestsCharacter)
{
    EXPECT_EQ(FillAfterFailedFlush(4, true), 3);
    EXPECT_EQ(FillAfterFailedFlush(4, false), 4); // an earlier request's byte stays
    EXPECT_EQ(FillAfterFailedFlush(0, false), 0);
    EXPECT_EQ(FillAfterFailedFlush(300, true), 127);
}

// A port that accepts at most `chunk` bytes per write and fails after `writesBeforeFailure`.
struct FakePort {
    int32_t chunk = 1000;
    int writesBeforeFailure = 1000;
    bool failWithError = false;
    std::string received;
    std::vector<int32_t> asked;

    PortWriter Writer()
    {
        return [this](const uint8_t *bytes, int32_t count) -> int32_t {
            asked.push_back(count);
            if (writesBeforeFailure-- <= 0)
                return failWithError ? -1 : 0;
            const int32_t n = count < chunk ? count : chunk;
            received.append(reinterpret_cast<const char *>(bytes), n);
            return n;
        };
    }
};

TEST(PortBufferWrite, PartialWritesContinueWithTheRestUntilAllIsDelivered)
{
    const std::string text = "0123456789";
    FakePort port;
    port.chunk = 4;
    EXPECT_EQ(WriteAll(reinterpret_cast<const uint8_t *>(text.data()), 10, port.Writer()), 10);
    EXPECT_EQ(port.received, text);
    EXPECT_EQ(port.asked, (std::vector<int32_t>{10, 6, 2}));
}

TEST(PortBufferWrite, StopsAtAWriteThatDeliversNothingOrFails)
{
    const std::string text = "0123456789";
    for (const bool error : {false, true}) {
        FakePort port;
        port.chunk = 3;
        port.writesBeforeFailure = 2;
        port.failWithError = error;
        EXPECT_EQ(WriteAll(reinterpret_cast<const uint8_t *>(text.data()), 10, port.Writer()), 6);
        EXPECT_EQ(port.received, "012345");
        EXPECT_EQ(port.asked, (std::vector<int32_t>{10, 7, 4}));
    }
}

TEST(PortBufferWrite, AnEmptyBufferNeedsNoWrite)
{
    FakePort port;
    port.writesBeforeFailure = 0;
    EXPECT_EQ(WriteAll(nullptr, 0, port.Writer()), 0);
    EXPECT_TRUE(port.asked.empty());
}

TEST(PortBufferWrite, AFlushThatFailsAfterAPartialWriteKeepsOnlyTheUndeliveredRest)
{
    struct Case {
        const char *name;
        bool stored;           // the request's own byte is the buffer's last
        std::string expected;  // what the port has received after the failure and a second flush
    };
    const Case cases[] = {
        {"the request stored its line feed", true, "0123456789\n"},
        {"the request stored nothing", false, "0123456789"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        uint8_t buffer[kPortBufferSize];
        const std::string text = c.stored ? "0123456789\n" : "0123456789";
        std::memcpy(buffer, text.data(), text.size());
        FakePort port;
        port.chunk = 4;
        port.writesBeforeFailure = 1;
        const PortFlush failed = FlushPortBuffer(buffer, static_cast<int32_t>(text.size()), c.stored, port.Writer());
        EXPECT_FALSE(failed.delivered);
        EXPECT_EQ(port.received, "0123");
        EXPECT_EQ(std::string(reinterpret_cast<const char *>(buffer), failed.fill), "456789");
        // the client sends its character again, as status 4 invites; the port works again
        int32_t fill = failed.fill;
        if (c.stored)
            buffer[fill++] = '\n';
        port.writesBeforeFailure = 1000;
        const PortFlush resent = FlushPortBuffer(buffer, fill, c.stored, port.Writer());
        EXPECT_TRUE(resent.delivered);
        EXPECT_EQ(resent.fill, 0);
        EXPECT_EQ(port.received, c.expected);
    }
}
