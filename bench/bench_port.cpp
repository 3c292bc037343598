// Times raw port output under the running host: the hardcopy of an 80 x 24 screen on the first
// parallel port (to the end of the 'V' 'H' request; the device is whatever "LPT1" reaches in
// this prefix, and is reported), and 'S' throughput in characters per second to a file port.
// Run it from a folder it may write to.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "bench_timing.h"
#include "host/host_api.h"
#include "print/print_block.h"
#include "vdu/vdu_block.h"

namespace {

constexpr int runs = 9;

int8_t Submit(HostContext *context, RequestBlock *request, uint8_t op)
{
    request->op = op;
    context->serviceEntry(context, request);
    return request->status;
}

const char *DeviceOfLpt1(HostContext *context)
{
    auto *job = static_cast<PrintBlock *>(HostAllocate(sizeof(PrintBlock)));
    job->header.requestClass = 'L';
    std::strcpy(job->portName, "LPT1");
    const char *device = "nothing (the open fails)";
    if (Submit(context, &job->header, 'O') == 0) {
        device = job->deviceKind == PRINT_DEVICE_PORT ? "the raw port" : "a Windows printer";
        Submit(context, &job->header, 'C');
    }
    HostRelease(job);
    return device;
}

void MeasureHardcopy(HostContext *context)
{
    auto *block = static_cast<VduBlock *>(HostAllocate(sizeof(VduBlock)));
    block->header.requestClass = 'V';
    block->columns = 80;
    block->rows = 24;
    block->cellWidth = 8;
    block->cellHeight = 16;
    Submit(context, &block->header, 'Q');
    for (int i = 0; i < 80 * 24; ++i) {
        block->data = static_cast<uint32_t>('A' + i % 26);
        Submit(context, &block->header, 'T');
    }
    std::printf("LPT1 reaches %s\n", DeviceOfLpt1(context));
    std::vector<double> times;
    int8_t status = 0;
    for (int run = 0; run < runs; ++run) {
        const LONGLONG start = Now();
        status = Submit(context, &block->header, 'H');
        times.push_back(1e3 * Seconds(Now() - start));
    }
    std::printf("%-44s median %10.3f ms      (%d runs; min %.3f ms; status %d)\n", "hardcopy of 80 x 24 on LPT1",
                Median(times), runs, *std::min_element(times.begin(), times.end()), status);
    Submit(context, &block->header, 'X');
    HostRelease(block);
}

void MeasureSendToFile(HostContext *context)
{
    const char name[] = "B.OUT";
    constexpr int characters = 1'000'000;
    std::vector<double> rates;
    for (int run = 0; run < runs; ++run) {
        CloseHandle(CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        auto *job = static_cast<PrintBlock *>(HostAllocate(sizeof(PrintBlock)));
        job->header.requestClass = 'L';
        std::strcpy(job->portName, name);
        if (Submit(context, &job->header, 'O') != 0) {
            std::printf("cannot open the file port B.OUT\n");
            HostRelease(job);
            return;
        }
        const LONGLONG start = Now();
        for (int i = 0; i < characters; ++i) {
            job->data = i % 81 == 80 ? 10u : static_cast<uint32_t>('a' + i % 26);
            Submit(context, &job->header, 'S');
        }
        const double seconds = Seconds(Now() - start);
        Submit(context, &job->header, 'C');
        HostRelease(job);
        rates.push_back(characters / seconds);
    }
    DeleteFileA(name);
    std::printf("%-44s median %10.0f chars/s (%d runs of %d, a line feed every 81; best %.0f)\n",
                "'S' to a file port", Median(rates), runs, characters, *std::max_element(rates.begin(), rates.end()));
}

void Measure(HostContext *context)
{
    MeasureHardcopy(context);
    MeasureSendToFile(context);
}

} // namespace

int main()
{
    char line[] = "";
    return HostMain(GetModuleHandleA(nullptr), line, SW_SHOWNORMAL, Measure);
}
