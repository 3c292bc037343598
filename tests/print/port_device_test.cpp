// Print output on devices of the Wine prefix that the driving script sets up: the first parallel
// port mapped to the file LPT1.OUT of the working folder, COM7 on one end of a pseudo-terminal,
// and no printer at all.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "../common/message_box_watcher.h"
#include "../vdu/vdu_client.h"
#include "print/print_block.h"

namespace {

const char kLpt1File[] = "LPT1.OUT";

std::string ReadAll(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Truncate(const char *path)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
}

// What the hardcopy of `screen` must put on a raw port: CR, each row's characters (a '.' for
// those outside 32..127) followed by CR LF, and FF.
std::string ExpectedHardcopy(const VduClient &screen, int32_t columns, int32_t rows)
{
    std::string text = "\r";
    for (int32_t r = 0; r < rows; ++r) {
        for (int32_t c = 0; c < columns; ++c) {
            const uint8_t ch = static_cast<uint8_t>(screen.Cell(c, r) & 0xFF);
            text += ch < 32 || ch > 127 ? '.' : static_cast<char>(ch);
        }
        text += "\r\n";
    }
    return text + "\f";
}

int8_t Job(HostContext *context, PrintBlock *job, uint8_t op)
{
    job->header.op = op;
    HostService(context, &job->header);
    return job->header.status;
}

} // namespace

TEST(HardcopyOnPort, VHPrintsEveryRowOfTheScreenOnTheFirstParallelPort)
{
    Truncate(kLpt1File);
    RunClient([](HostContext *context) {
        VduClient screen(context);
        ASSERT_EQ(screen.Open(), 0);
        screen.Write(0, 0, "HARDCOPY TEST");
        screen.Write(78, 1, "xy");
        screen.MoveTo(5, 2);
        screen.Put(200);
        screen.Write(0, 23, "last");
        ASSERT_EQ(screen.Submit('H'), 0);

        const std::string printed = ReadAll(kLpt1File);
        ASSERT_EQ(printed.size(), 1u + 24u * 82u + 1u);
        EXPECT_EQ(printed.substr(0, 14), "\rHARDCOPY TEST");
        EXPECT_EQ(printed.substr(1 + 82 + 78, 4), "xy\r\n");
        EXPECT_EQ(printed[1 + 2 * 82 + 5], '.');
        EXPECT_EQ(printed.substr(1 + 23 * 82, 4), "last");
        EXPECT_EQ(printed, ExpectedHardcopy(screen, 80, 24));
    });
}

TEST(HardcopyOnPort, TheHardcopyEventTakenByKPrintsAndHandsOutAnEmptyEvent)
{
    RunClient([](HostContext *context) {
        VduClient screen(context);
        ASSERT_EQ(screen.Open({40, 3}), 0);
        screen.Write(0, 1, "HARDCOPY TEST");
        VduBlock *b = screen.block;
        // As the display window queues it, with Shift and a lock bit set.
        const auto queue = [b](uint32_t code, uint32_t position) {
            const int32_t index = (b->eventWriteIndex + 1) & 15;
            b->events[index].code = code;
            b->events[index].position = position;
            b->eventWriteIndex = index;
            std::atomic_ref<int32_t>(b->eventCount).fetch_add(1);
        };

        Truncate(kLpt1File);
        queue(0x0001'002C, 77); // not the hardcopy code: bit 29 is part of it
        ASSERT_EQ(screen.Submit('K'), 0);
        EXPECT_EQ(b->data, 0x0001'002Cu);
        EXPECT_EQ(b->extra, 77u);
        EXPECT_EQ(ReadAll(kLpt1File), "");

        queue(0x2201'002C | 0x4000'0000, 55);
        b->header.status = 99;
        ASSERT_EQ(screen.Submit('K'), 0);
        EXPECT_EQ(b->data, 0u);
        EXPECT_EQ(b->extra, 0u);
        EXPECT_EQ(b->eventCount, 0);
        const std::string printed = ReadAll(kLpt1File);
        EXPECT_EQ(printed.substr(0, 1 + 42 + 13), "\r" + std::string(40, '.') + "\r\nHARDCOPY TEST");
        EXPECT_EQ(printed, ExpectedHardcopy(screen, 40, 3));
    });
}

TEST(HardcopyWithoutPrinter, TheJobCannotBeOpenedAndTheUserIsTold)
{
    RunClient([](HostContext *context) {
        VduClient screen(context);
        ASSERT_EQ(screen.Open(), 0);
        screen.Write(0, 0, "HARDCOPY TEST");
        MessageBoxWatcher watcher;
        EXPECT_EQ(screen.Submit('H'), HOST_STATUS_START_FAILED);
        EXPECT_EQ(screen.block->header.status, HOST_STATUS_START_FAILED);
        WaitForSingleObject(watcher.thread, INFINITE);
        EXPECT_TRUE(watcher.seen);
        EXPECT_EQ(watcher.text, "INV PRT file HANDLE");
    });
}

// COM7 is one end of a pseudo-terminal; the script reads the other end and compares it with
// SERIAL.TXT, written here.
TEST(SerialPort, ThePrintServiceSetsUpTheLineAndWritesTheBytes)
{
    RunClient([](HostContext *context) {
        auto *job = static_cast<PrintBlock *>(HostAllocate(sizeof(PrintBlock)));
        job->header.requestClass = REQUEST_PRINT;
        std::strcpy(job->portName, "COM7");
        ASSERT_EQ(Job(context, job, 'O'), HOST_STATUS_DONE);
        EXPECT_EQ(job->deviceKind, PRINT_DEVICE_PORT);

        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        ASSERT_TRUE(GetCommState(job->port, &dcb));
        EXPECT_EQ(dcb.BaudRate, 9600u);
        EXPECT_EQ(dcb.ByteSize, 8);
        EXPECT_EQ(dcb.Parity, NOPARITY);
        EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
        COMMTIMEOUTS timeouts{};
        ASSERT_TRUE(GetCommTimeouts(job->port, &timeouts));
        EXPECT_EQ(timeouts.WriteTotalTimeoutMultiplier, 4u);
        EXPECT_EQ(timeouts.WriteTotalTimeoutConstant, 1u);

        std::string sent;
        for (int line = 0; line < 3; ++line) {
            const std::string text = "serial line " + std::to_string(line) + " \x1b" "E\r\n";
            for (const char ch : text) {
                job->data = static_cast<uint8_t>(ch);
                ASSERT_EQ(Job(context, job, 'S'), HOST_STATUS_DONE);
            }
            sent += text;
        }
        job->data = 'Z'; // never followed by a control character: not sent
        Job(context, job, 'S');
        EXPECT_EQ(Job(context, job, 'C'), HOST_STATUS_DONE);
        HostRelease(job);
        std::ofstream("SERIAL.TXT", std::ios::binary) << sent;
    });
}
