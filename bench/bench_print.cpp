// Times a print job of one 80 x 24 screen's worth of text (24 lines and a form feed) on the
// printer named after the port (default COM3, that is tarnwellS3; another port name may be
// given as the first argument), from the open to the end of the close. Reports the median of
// several jobs; when the job goes to a PDF printer, each run leaves one PDF behind.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "host/host_api.h"
#include "print/print_block.h"

namespace {

constexpr int kColumns = 80, kRows = 24, kRuns = 5;

bool Run(HostContext *context, PrintBlock *block, uint8_t op, uint32_t data = 0)
{
    block->header.op = op;
    block->data = data;
    HostService(context, &block->header);
    return block->header.status == HOST_STATUS_DONE;
}

// One job; false when a request failed.
bool PrintScreen(HostContext *context, const char *port)
{
    PrintBlock block{};
    block.header.requestClass = 'L';
    std::strncpy(block.portName, port, sizeof block.portName - 1);
    block.columns = kColumns;
    if (!Run(context, &block, 'O'))
        return false;
    bool ok = true;
    for (int row = 0; row < kRows && ok; ++row) {
        for (int column = 0; column < kColumns && ok; ++column)
            ok = Run(context, &block, 'S', static_cast<uint32_t>('A' + (row + column) % 26));
        ok = ok && Run(context, &block, 'S', '\r') && Run(context, &block, 'S', '\n');
    }
    ok = ok && Run(context, &block, 'S', '\f');
    return Run(context, &block, 'C') && ok;
}

} // namespace

int main(int argc, char **argv)
{
    const char *port = argc > 1 ? argv[1] : "COM3";
    auto context = std::make_unique<HostContext>();
    context->columns = kColumns;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> ms;
    for (int i = 0; i < kRuns; ++i) {
        QueryPerformanceCounter(&start);
        if (!PrintScreen(context.get(), port)) {
            std::printf("print job on %s failed\n", port);
            return 1;
        }
        QueryPerformanceCounter(&end);
        ms.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                     static_cast<double>(frequency.QuadPart));
    }
    std::sort(ms.begin(), ms.end());
    std::printf("print job of an %d x %d screen (%d lines + FF) on %s, open to end of close: "
                "median %.1f ms, min %.1f ms, max %.1f ms over %d jobs\n",
                kColumns, kRows, kRows, port, ms[ms.size() / 2], ms.front(), ms.back(), kRuns);
    return 0;
}
