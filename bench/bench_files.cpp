// The file service against plain file calls on the same handle: 'R' and 'W' of 4 KiB
// records, and lock plus unlock pairs. Run in a scratch folder; it leaves no file behind.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "bench_timing.h"
#include "host/host_api.h"
#include "host/startup.h"

namespace {

constexpr uint32_t recordSize = 4096;
constexpr uint32_t records = 2048; // 8 MiB
constexpr int rounds = 31;
const char fileName[] = "BENCHREC.DAT";

HostContext *g_context;

int8_t Submit(FileBlock &block, uint8_t op)
{
    block.header.op = op;
    g_context->serviceEntry(g_context, &block.header);
    return block.header.status;
}

// Median over the rounds of the time per call of `pass`, which makes `calls` calls.
double MedianMicroseconds(uint32_t calls, const std::function<void()> &pass)
{
    std::vector<double> times;
    for (int r = 0; r < rounds; ++r) {
        const LONGLONG start = Now();
        pass();
        times.push_back(1e6 * Seconds(Now() - start) / calls);
    }
    return Median(times);
}

// Record order: a fixed scatter over the file, the same for every contender.
std::vector<uint32_t> Order(uint32_t count)
{
    std::vector<uint32_t> order(count);
    for (uint32_t i = 0; i < count; ++i)
        order[i] = (i * 1237u) % count;
    return order;
}

double Time(uint32_t calls, const std::function<void()> &pass)
{
    const LONGLONG start = Now();
    pass();
    return 1e6 * Seconds(Now() - start) / calls;
}

// The two contenders take turns within each round, so that drifts of the shared machine hit
// both alike; the fastest round shows the cost of the calls themselves, the median the typical.
void Compare(const char *what, uint32_t calls, const std::function<void()> &request,
             const std::function<void()> &seekThenCall, const std::function<void()> &atOffset)
{
    request(); // warm-up
    seekThenCall();
    std::vector<double> viaRequest, viaSeek;
    for (int r = 0; r < rounds; ++r) {
        viaRequest.push_back(Time(calls, request));
        viaSeek.push_back(Time(calls, seekThenCall));
    }
    const double q = Median(viaRequest), s = Median(viaSeek);
    const double qMin = *std::min_element(viaRequest.begin(), viaRequest.end());
    const double sMin = *std::min_element(viaSeek.begin(), viaSeek.end());
    std::printf("%-4s median: request %6.3f us, SetFilePointer+%s %6.3f us (%+5.1f %%); "
                "fastest: %6.3f us vs %6.3f us (%+5.1f %%)\n",
                what, q, what[1] == 'R' ? "ReadFile" : "WriteFile", s, 100.0 * (q / s - 1.0), qMin, sMin,
                100.0 * (qMin / sMin - 1.0));
    std::printf("     %s alone at an OVERLAPPED offset: %.3f us\n", what[1] == 'R' ? "ReadFile" : "WriteFile",
                Time(calls, atOffset));
}

void RecordBenchmarks(FileBlock &block)
{
    const HANDLE file = block.file;
    std::vector<uint8_t> buffer(recordSize, 0x5A);
    const std::vector<uint32_t> order = Order(records);

    Compare(
        "'R'", records,
        [&] {
            for (uint32_t k : order) {
                block.data = buffer.data();
                block.count = recordSize;
                block.position = k * recordSize;
                Submit(block, 'R');
            }
        },
        [&] {
            for (uint32_t k : order) {
                DWORD got;
                SetFilePointer(file, static_cast<LONG>(k * recordSize), nullptr, FILE_BEGIN);
                ReadFile(file, buffer.data(), recordSize, &got, nullptr);
            }
        },
        [&] {
            for (uint32_t k : order) {
                DWORD got;
                OVERLAPPED at{};
                at.Offset = k * recordSize;
                ReadFile(file, buffer.data(), recordSize, &got, &at);
            }
        });

    const uint32_t writes = records / 4; // the file is written through: fewer records
    const std::vector<uint32_t> writeOrder = Order(writes);
    Compare(
        "'W'", writes,
        [&] {
            for (uint32_t k : writeOrder) {
                block.data = buffer.data();
                block.count = recordSize;
                block.position = k * recordSize;
                Submit(block, 'W');
            }
        },
        [&] {
            for (uint32_t k : writeOrder) {
                DWORD put;
                SetFilePointer(file, static_cast<LONG>(k * recordSize), nullptr, FILE_BEGIN);
                WriteFile(file, buffer.data(), recordSize, &put, nullptr);
            }
        },
        [&] {
            for (uint32_t k : writeOrder) {
                DWORD put;
                OVERLAPPED at{};
                at.Offset = k * recordSize;
                WriteFile(file, buffer.data(), recordSize, &put, &at);
            }
        });
}

void LockBenchmarks(FileBlock &block)
{
    constexpr uint32_t pairs = 20000;
    const double viaRequest = MedianMicroseconds(pairs, [&] {
        for (uint32_t i = 0; i < pairs; ++i) {
            block.position = i & 255;
            Submit(block, 'L');
            Submit(block, 'U');
        }
    });
    const double plain = MedianMicroseconds(pairs, [&] {
        for (uint32_t i = 0; i < pairs; ++i) {
            LockFile(block.file, 0x80000000u | (i & 255), 0, 1, 0);
            UnlockFile(block.file, 0x80000000u | (i & 255), 0, 1, 0);
        }
    });
    std::printf("'L'+'U' pairs: request %.0f/s (%.3f us) | LockFile+UnlockFile %.0f/s (%.3f us)\n",
                1e6 / viaRequest, viaRequest, 1e6 / plain, plain);
}

} // namespace

int main()
{
    char line[] = "";
    g_context = CreateHostContext(GetModuleHandleA(nullptr), line);
    if (!g_context)
        return 1;
    FileBlock block{};
    block.header.requestClass = REQUEST_FILE;
    DeleteFileA(fileName);
    block.data = const_cast<char *>(fileName);
    if (Submit(block, 'A') != 0)
        return 2;
    std::vector<uint8_t> record(recordSize, 0xA5);
    for (uint32_t k = 0; k < records; ++k) {
        block.data = record.data();
        block.count = recordSize;
        block.position = k * recordSize;
        if (Submit(block, 'W') != 0)
            return 3;
    }
    Submit(block, 'C');
    block.data = const_cast<char *>(fileName);
    if (Submit(block, 'O') != 0)
        return 4;
    std::printf("%u records of %u bytes, scattered order, median of %d rounds, per call:\n", records, recordSize,
                rounds);
    RecordBenchmarks(block);
    LockBenchmarks(block);
    Submit(block, 'C');
    block.data = const_cast<char *>(fileName);
    Submit(block, 'E');
    return 0;
}
