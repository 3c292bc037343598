#include "print/screen_hardcopy.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "print/print_block.h"
#include "print/print_job.h"
#include "vdu/screen_state.h"
#include "vdu/vdu_block.h"

namespace {

struct ScreenCopy {
    int32_t columns = 0, rows = 0;
    std::vector<uint32_t> cells;
};

// The screen's cells as they are now, taken from the host's own buffers under the lock, so that
// the lock is not held while printing or while a message box waits.
bool CopyScreen(const VduBlock *block, ScreenCopy &copy)
{
    ScreenLock screen{block};
    if (!screen)
        return false;
    const ScreenState &s = *screen.get();
    copy.columns = s.columns > 0 ? s.columns : 0;
    copy.rows = s.rows > 0 ? s.rows : 0;
    copy.cells.assign(s.cells, s.cells + static_cast<size_t>(copy.columns) * static_cast<size_t>(copy.rows));
    return true;
}

int8_t Send(HostContext *context, PrintBlock *job, uint32_t data)
{
    job->data = data;
    job->header.op = 'S';
    PrintSend(context, &job->header);
    return job->header.status;
}

void Close(HostContext *context, PrintBlock *job)
{
    job->header.op = 'C';
    PrintClose(context, &job->header);
}

void Complain(const char *text)
{
    MessageBoxA(nullptr, text, "setupbox", MB_OK);
}

} // namespace

void ScreenHardcopy(HostContext *context, RequestBlock *request)
{
    VduBlock *vdu = reinterpret_cast<VduBlock *>(request);
    ScreenCopy screen;
    if (!CopyScreen(vdu, screen)) {
        request->status = HOST_STATUS_START_FAILED; // no open screen to print
        return;
    }

    auto job = std::make_unique<PrintBlock>(); // zero-filled
    job->header.requestClass = REQUEST_PRINT;
    job->header.op = 'O';
    const char name[] = "LPT1";
    for (size_t i = 0; i < sizeof name; ++i)
        job->portName[i] = name[i];

    PrintOpen(context, &job->header);
    if (job->header.status != HOST_STATUS_DONE) {
        const int8_t status = job->header.status;
        Complain("INV PRT file HANDLE");
        request->status = status;
        return;
    }
    if (const int8_t status = Send(context, job.get(), 13); status != HOST_STATUS_DONE) {
        Complain("INV PRT file OUTPUT");
        Close(context, job.get());
        request->status = status;
        return;
    }
    for (int32_t r = 0; r < screen.rows; ++r) {
        for (int32_t c = 0; c < screen.columns; ++c) {
            const uint32_t word = screen.cells[static_cast<size_t>(r) * screen.columns + c];
            const uint8_t ch = static_cast<uint8_t>(word & 0xFF);
            Send(context, job.get(), ch < 32 || ch > 127 ? uint32_t{'.'} : word);
        }
        Send(context, job.get(), 13);
        Send(context, job.get(), 10);
    }
    Send(context, job.get(), 12);
    Close(context, job.get());
    request->status = HOST_STATUS_DONE;
}
