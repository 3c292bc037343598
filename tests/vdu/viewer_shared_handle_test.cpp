// The viewer's file is the client's too: records that client threads write and read back through
// 'F' on the same handle, while viewer passes run, land where they were written; the viewer
// leaves the handle's own file pointer alone.
#include "viewer_box_counter.h"
#include "viewer_fixture.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "../files/file_requester.h"
#include "vdu/file_viewer.h"

namespace {

constexpr uint32_t recordSize = 64;
constexpr uint32_t recordArea = 16384; // records start here, well past the page
constexpr uint32_t recordsPerThread = 256;
constexpr DWORD runMs = 3000;

void FillRecord(uint8_t *record, uint32_t index, uint32_t round)
{
    for (uint32_t i = 0; i < recordSize; ++i)
        record[i] = static_cast<uint8_t>(index * 7 + round * 13 + i + 1);
}

struct Tally {
    std::atomic<int> transfers{0}, failures{0}, misread{0};
};

// One client thread: writes record after record of its own range through 'W' and reads each
// back through 'R', until the time is up. The last round written stays in the file.
void WriteAndReadBack(HostContext *context, HANDLE file, uint32_t firstRecord, DWORD until, Tally &tally,
                      uint32_t &lastRound)
{
    FileRequester f(context);
    f.block.file = file;
    uint8_t written[recordSize], read[recordSize];
    uint32_t round = 0;
    for (; GetTickCount() < until; ++round)
        for (uint32_t k = 0; k < recordsPerThread; ++k) {
            const uint32_t index = firstRecord + k, position = recordArea + index * recordSize;
            FillRecord(written, index, round);
            std::memset(read, 0, sizeof read);
            if (f.Write(written, recordSize, position) != 0 || f.Read(read, recordSize, position) != 0)
                ++tally.failures;
            else if (std::memcmp(written, read, recordSize) != 0)
                ++tally.misread;
            tally.transfers += 2;
        }
    lastRound = round - 1;
}

// A new file holding `page` at 4096, open for reading and writing with `share`, as a client
// opens the file it keeps the page in: with 'O' (shared for reading and writing) or itself.
HANDLE PageFileOpen(const char *name, const TextPage &page, DWORD share)
{
    const HANDLE file = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, share, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    std::vector<uint8_t> bytes(8192, 0);
    std::memcpy(bytes.data() + 4096, page.bytes, sizeof page.bytes);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    return file;
}

// The file as another handle sees it, once the client has closed it.
std::vector<uint8_t> Contents(const char *name)
{
    const HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    0, nullptr);
    std::vector<uint8_t> bytes(GetFileSize(file, nullptr));
    DWORD got = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

// How the client holds the page file: shared like a file of 'O' (the viewer opens a file object
// of its own on it), or without sharing (the viewer reads through the client's handle).
struct Holding {
    const char *name;
    DWORD share;
};
constexpr Holding holdings[] = {{"shared", FILE_SHARE_READ | FILE_SHARE_WRITE}, {"not shared", 0}};

// Viewer passes as fast as they come, besides the display window's own ticks, so that many of
// them meet the clients' requests.
struct ViewerPasses {
    ViewerPasses(HostContext *context, VduBlock *block)
        : thread([=, this] {
              while (!stop) {
                  RunFileViewer(context, block);
                  ++passes;
              }
          })
    {
    }
    ~ViewerPasses()
    {
        stop = true;
        thread.join();
    }
    std::atomic<bool> stop{false};
    std::atomic<int> passes{0};
    std::thread thread;
};

TEST(ViewerSharedHandle, RecordsOfClientThreadsLandWhereTheyWereWrittenWhileTheViewerRuns)
{
    struct Case {
        int threads;
        Holding holding;
    };
    for (const Case c : {Case{1, holdings[0]}, Case{2, holdings[0]}, Case{2, holdings[1]}}) {
        SCOPED_TRACE(std::to_string(c.threads) + " thread(s), " + c.holding.name);
        const int exitCode = RunClient([c](HostContext *context) {
            VduClient vdu(context);
            ASSERT_EQ(vdu.Open(), 0);
            TextPage text;
            text.Fill('v');
            const HANDLE file = PageFileOpen("records.bin", text, c.holding.share);
            context->mirrorFile = file;
            vdu.block->viewerSwitch = 'V';

            Tally tally;
            std::vector<uint32_t> lastRounds(c.threads);
            int passes = 0, boxes = 0;
            {
                BoxCounter counter; // a pass that reads from the wrong place may find the file too short
                ViewerPasses viewer(context, vdu.block);
                const DWORD until = GetTickCount() + runMs;
                std::vector<std::thread> clients;
                for (int t = 0; t < c.threads; ++t)
                    clients.emplace_back(WriteAndReadBack, context, file, t * recordsPerThread, until, std::ref(tally),
                                         std::ref(lastRounds[t]));
                for (std::thread &client : clients)
                    client.join();
                passes = viewer.passes;
                boxes = counter.Count();
            }
            vdu.block->viewerSwitch = ' ';
            context->mirrorFile = nullptr;
            CloseHandle(file);
            std::printf("%d thread(s), %s: %d transfers, %d viewer passes\n", c.threads, c.holding.name,
                        tally.transfers.load(), passes);
            EXPECT_GT(passes, 24);
            EXPECT_EQ(boxes, 0);
            EXPECT_EQ(vdu.Cell(79, 23), uint32_t{'v'});
            EXPECT_EQ(tally.failures, 0);
            EXPECT_EQ(tally.misread, 0) << "a record read back from somewhere else";

            const std::vector<uint8_t> bytes = Contents("records.bin");
            ASSERT_EQ(bytes.size(), recordArea + c.threads * recordsPerThread * recordSize)
                << "a record went past the end of the area";
            for (uint32_t i = 4096; i < 8192; ++i)
                ASSERT_EQ(bytes[i], text.bytes[i - 4096]) << "the page changed at " << i;
            for (uint32_t i = 8192; i < recordArea; ++i)
                ASSERT_EQ(bytes[i], 0) << "a record landed at " << i;
            uint8_t expected[recordSize];
            int misplaced = 0;
            for (int t = 0; t < c.threads; ++t)
                for (uint32_t k = 0; k < recordsPerThread; ++k) {
                    const uint32_t index = t * recordsPerThread + k;
                    FillRecord(expected, index, lastRounds[t]);
                    misplaced += std::memcmp(bytes.data() + recordArea + index * recordSize, expected, recordSize) != 0;
                }
            EXPECT_EQ(misplaced, 0);
        });
        EXPECT_EQ(exitCode, 0) << "the host did not start";
    }
}

TEST(ViewerSharedHandle, PassesLeaveTheFilePointerOfTheClientsHandleAlone)
{
    for (const Holding &holding : holdings) {
        SCOPED_TRACE(holding.name);
        const int exitCode = RunClient([holding](HostContext *context) {
            VduClient vdu(context);
            ASSERT_EQ(vdu.Open(), 0);
            TextPage text;
            text.Fill('p');
            const HANDLE file = PageFileOpen("pointer.bin", text, holding.share);
            context->mirrorFile = file;
            ASSERT_EQ(SetFilePointer(file, 1234, nullptr, FILE_BEGIN), 1234u);
            for (int pass = 0; pass < 3; ++pass)
                RunFileViewer(context, vdu.block);
            EXPECT_EQ(vdu.Cell(0, 0), uint32_t{'p'});
            EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 1234u);
            context->mirrorFile = nullptr;
            CloseHandle(file);
        });
        EXPECT_EQ(exitCode, 0) << "the host did not start";
    }
}

} // namespace
