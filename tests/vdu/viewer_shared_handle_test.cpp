// The viewer's file is the client's too: records that client threads write and read back through
// 'F' on the same handle, while viewer passes run, land where they were written; the viewer
// leaves the handle's own file pointer alone.
#include "viewer_box_counter.h"
#include "viewer_fixture.h"

#include <atomic>
#include <cstdio>
#include <cstring>
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

// The file as another handle sees it.
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
    for (const int threads : {1, 2}) {
        SCOPED_TRACE(threads);
        const int exitCode = RunClient([threads](HostContext *context) {
            VduClient vdu(context);
            ASSERT_EQ(vdu.Open(), 0);
            PageFile page("records.bin");
            TextPage text;
            text.Fill('v');
            page.Write(text);
            FileRequester owner(context);
            ASSERT_EQ(owner.Open("records.bin"), 0);
            context->mirrorFile = owner.block.file;
            vdu.block->viewerSwitch = 'V';

            Tally tally;
            std::vector<uint32_t> lastRounds(threads);
            int passes = 0, boxes = 0;
            {
                BoxCounter counter; // a pass that reads from the wrong place may find the file too short
                ViewerPasses viewer(context, vdu.block);
                const DWORD until = GetTickCount() + runMs;
                std::vector<std::thread> clients;
                for (int t = 0; t < threads; ++t)
                    clients.emplace_back(WriteAndReadBack, context, owner.block.file, t * recordsPerThread, until,
                                         std::ref(tally), std::ref(lastRounds[t]));
                for (std::thread &c : clients)
                    c.join();
                passes = viewer.passes;
                boxes = counter.Count();
            }
            vdu.block->viewerSwitch = ' ';
            context->mirrorFile = nullptr;
            std::printf("%d client thread(s): %d transfers, %d viewer passes\n", threads, tally.transfers.load(),
                        passes);
            EXPECT_GT(passes, 24);
            EXPECT_EQ(boxes, 0);
            EXPECT_EQ(vdu.Cell(79, 23), uint32_t{'v'});
            EXPECT_EQ(tally.failures, 0);
            EXPECT_EQ(tally.misread, 0) << "a record read back from somewhere else";

            const std::vector<uint8_t> bytes = Contents("records.bin");
            ASSERT_EQ(bytes.size(), recordArea + threads * recordsPerThread * recordSize)
                << "a record went past the end of the area";
            for (uint32_t i = 8192; i < recordArea; ++i)
                ASSERT_EQ(bytes[i], 0) << "a record landed at " << i;
            uint8_t expected[recordSize];
            int misplaced = 0;
            for (int t = 0; t < threads; ++t)
                for (uint32_t k = 0; k < recordsPerThread; ++k) {
                    const uint32_t index = t * recordsPerThread + k;
                    FillRecord(expected, index, lastRounds[t]);
                    misplaced += std::memcmp(bytes.data() + recordArea + index * recordSize, expected, recordSize) != 0;
                }
            EXPECT_EQ(misplaced, 0);
            EXPECT_EQ(owner.Close(), 0);
        });
        EXPECT_EQ(exitCode, 0) << "the host did not start";
    }
}

TEST(ViewerSharedHandle, PassesLeaveTheFilePointerOfTheClientsHandleAlone)
{
    const int exitCode = RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(), 0);
        PageFile page("pointer.bin");
        TextPage text;
        text.Fill('p');
        page.Write(text);
        FileRequester owner(context);
        ASSERT_EQ(owner.Open("pointer.bin"), 0);
        const HANDLE file = owner.block.file;
        context->mirrorFile = file;
        ASSERT_EQ(SetFilePointer(file, 1234, nullptr, FILE_BEGIN), 1234u);
        for (int pass = 0; pass < 3; ++pass)
            RunFileViewer(context, vdu.block);
        EXPECT_EQ(vdu.Cell(0, 0), uint32_t{'p'});
        EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 1234u);
        context->mirrorFile = nullptr;
        EXPECT_EQ(owner.Close(), 0);
    });
    EXPECT_EQ(exitCode, 0) << "the host did not start";
}

} // namespace
