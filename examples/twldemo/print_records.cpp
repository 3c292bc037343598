// The services page's print job: the records of TWLDEMO.DAT printed through the print service
// on the first parallel port (a printer named for it, else the default printer, else LPT1).
#include <string.h>

#include "demo.h"
#include "print/print_block.h"

namespace {

constexpr uint32_t kRecordSize = 64;

// Sends the characters of `text` and returns the first status that was not 0.
int8_t SendText(HostContext *host, PrintBlock *job, const char *text)
{
    int8_t first = HOST_STATUS_DONE;
    for (const char *p = text; *p; ++p) {
        job->data = static_cast<uint8_t>(*p);
        const int8_t status = Submit(host, &job->header, 'S');
        if (first == HOST_STATUS_DONE)
            first = status;
    }
    return first;
}

// The records as lines of text, read whole with the file service.
std::vector<std::string> RecordLines(HostContext *host)
{
    std::vector<std::string> lines;
    FileRequest f = MakeFileRequest(host, "TWLDEMO.DAT");
    if (FileOp(f, 'O') != HOST_STATUS_DONE)
        return lines;
    const uint32_t count = f.block.position / kRecordSize;
    char record[kRecordSize + 1];
    for (uint32_t n = 0; n < count && n < 8; ++n) {
        memset(record, 0, sizeof record);
        f.block.data = record;
        f.block.count = kRecordSize;
        f.block.position = n * kRecordSize;
        if (FileOp(f, 'R') == HOST_STATUS_DONE) {
            record[kRecordSize - 2] = 0; // the record's own line end
            lines.emplace_back(record);
        }
    }
    FileOp(f, 'C');
    return lines;
}

} // namespace

LogLines PrintRecords(HostContext *host)
{
    auto *job = static_cast<PrintBlock *>(AllocateBlock(host, sizeof(PrintBlock)));
    if (!job)
        return {"Print: no memory for the print block."};
    job->header.requestClass = REQUEST_PRINT;
    memcpy(job->portName, "LPT1", 4);
    int8_t status = Submit(host, &job->header, 'O');
    if (status != HOST_STATUS_DONE) {
        ReleaseBlock(host, job);
        return {"Print: no printer and no LPT1, status " + std::to_string(status) + "."};
    }
    const std::vector<std::string> lines = RecordLines(host);
    status = SendText(host, job, "TWLDEMO records\r\n\r\n");
    for (const std::string &line : lines) {
        const int8_t sent = SendText(host, job, (line + "\r\n").c_str());
        if (status == HOST_STATUS_DONE)
            status = sent;
    }
    SendText(host, job, "\f");
    const int8_t closed = Submit(host, &job->header, 'C');
    const char *device = job->deviceKind == PRINT_DEVICE_PORT ? "LPT1" : "the printer";
    ReleaseBlock(host, job);
    return {"Print: " + std::to_string(lines.size()) + " records sent to " + device + ", status " +
            std::to_string(status != HOST_STATUS_DONE ? status : closed) + "."};
}
