// Times one file viewer pass under the running host, on an 80 x 24 screen: over a page that
// has not changed (one read, 1920 comparisons, nothing drawn) and over a page of which every
// cell changed since the last pass (text in two colours and box characters).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench_timing.h"
#include "host/host_api.h"
#include "vdu/file_viewer.h"
#include "vdu/vdu_block.h"

namespace {

constexpr int runs = 201;

// 4096 bytes of zeros, then the page: `base` shifted per cell, every eighth cell a box
// character, the intensity bit on every other row.
std::vector<uint8_t> PageFile(uint8_t base)
{
    std::vector<uint8_t> bytes(8192, 0);
    const uint8_t boxes[] = {185, 186, 187, 188, 200, 201, 202, 203, 204, 205, 206};
    for (int r = 0; r < 24; ++r)
        for (int c = 0; c < 80; ++c) {
            uint8_t *pair = &bytes[4096 + 2 * (r * 80 + c)];
            pair[0] = c % 8 == 7 ? boxes[(c / 8 + r + base) % 11] : static_cast<uint8_t>(base + (c + r) % 26);
            pair[1] = r % 2 ? 0x0F : 0x07;
        }
    return bytes;
}

void Rewrite(HANDLE writer, const std::vector<uint8_t> &bytes)
{
    DWORD written = 0;
    SetFilePointer(writer, 0, nullptr, FILE_BEGIN);
    WriteFile(writer, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void Report(const char *what, std::vector<double> &times)
{
    std::printf("%-44s median %10.3f ms      (%zu runs; min %.3f ms)\n", what, Median(times), times.size(),
                *std::min_element(times.begin(), times.end()));
}

void Measure(HostContext *context)
{
    auto *block = static_cast<VduBlock *>(HostAllocate(sizeof(VduBlock)));
    block->header.requestClass = 'V';
    block->header.op = 'Q';
    block->columns = 80;
    block->rows = 24;
    block->cellWidth = 8;
    block->cellHeight = 16;
    context->serviceEntry(context, &block->header);

    const HANDLE writer = CreateFileA("viewer_bench.bin", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const HANDLE reader = CreateFileA("viewer_bench.bin", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const std::vector<uint8_t> pages[] = {PageFile('A'), PageFile('a')};
    Rewrite(writer, pages[0]);
    context->mirrorFile = reader;
    RunFileViewer(context, block);

    std::vector<double> unchanged, changed;
    for (int run = 0; run < runs; ++run) {
        const LONGLONG start = Now();
        RunFileViewer(context, block);
        unchanged.push_back(1e3 * Seconds(Now() - start));
    }
    for (int run = 0; run < runs; ++run) {
        Rewrite(writer, pages[(run + 1) % 2]);
        const LONGLONG start = Now();
        RunFileViewer(context, block);
        changed.push_back(1e3 * Seconds(Now() - start));
    }
    Report("viewer pass, unchanged 80 x 24 page", unchanged);
    Report("viewer pass, every cell of the page changed", changed);

    context->mirrorFile = nullptr;
    CloseHandle(reader);
    CloseHandle(writer);
    DeleteFileA("viewer_bench.bin");
    block->header.op = 'X';
    context->serviceEntry(context, &block->header);
    HostRelease(block);
}

} // namespace

int main()
{
    char line[] = "";
    return HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, Measure);
}
