// The services page's work with the file service: records of 64 bytes in TWLDEMO.DAT, each
// written and read under the record lock of its number, and a test of the locks from two
// handles.
#include <stdio.h>
#include <string.h>

#include "demo.h"

namespace {

constexpr const char *kRecordFile = "TWLDEMO.DAT";
constexpr uint32_t kRecordSize = 64;
constexpr int8_t kLockHeld = HOST_STATUS_LOCKED;

std::string Line(const char *format, int a = 0, int b = 0, int c = 0)
{
    char text[80];
    snprintf(text, sizeof text, format, a, b, c);
    return text;
}

// Opens the record file for reading and writing, creating it first if it is missing.
int8_t OpenRecords(FileRequest &f)
{
    int8_t status = FileOp(f, 'O');
    if (status == HOST_STATUS_FILE_FAILED) {
        FileRequest create = MakeFileRequest(f.host, kRecordFile);
        if (FileOp(create, 'A') == HOST_STATUS_DONE)
            FileOp(create, 'C'); // 'A' opens for writing only and shares nothing
        status = FileOp(f, 'O');
    }
    return status;
}

} // namespace

LogLines SaveRecord(HostContext *host, int32_t number)
{
    FileRequest f = MakeFileRequest(host, kRecordFile);
    int8_t status = OpenRecords(f);
    if (status != HOST_STATUS_DONE)
        return {Line("Save: the record file does not open, status %d.", status)};
    status = LockRecord(f, static_cast<uint32_t>(number));
    if (status != HOST_STATUS_DONE) {
        FileOp(f, 'C');
        return {Line("Save: record %d is locked by someone else, status %d.", number, status)};
    }
    char record[kRecordSize];
    memset(record, ' ', sizeof record);
    const uint32_t t = __atomic_load_n(&host->clockTime, __ATOMIC_SEQ_CST);
    char text[kRecordSize + 1];
    snprintf(text, sizeof text, "Record %d, saved at %02x:%02x:%02x", number, t & 0xFF, (t >> 8) & 0xFF,
             (t >> 16) & 0xFF);
    memcpy(record, text, strlen(text));
    record[kRecordSize - 2] = '\r';
    record[kRecordSize - 1] = '\n';
    f.block.data = record;
    f.block.count = kRecordSize;
    f.block.position = static_cast<uint32_t>(number) * kRecordSize;
    status = FileOp(f, 'W');
    UnlockRecord(f, static_cast<uint32_t>(number));
    FileOp(f, 'C');
    if (status != HOST_STATUS_DONE)
        return {Line("Save: writing record %d failed, status %d.", number, status)};
    return {Line("Saved record %d under lock %d.", number, number)};
}

LogLines ReadRecords(HostContext *host)
{
    FileRequest f = MakeFileRequest(host, kRecordFile);
    int8_t status = FileOp(f, 'O');
    if (status != HOST_STATUS_DONE)
        return {Line("Read: no record file yet (status %d); save a record first.", status)};
    const uint32_t count = f.block.position / kRecordSize;
    LogLines lines{Line("Read: %d records in TWLDEMO.DAT.", static_cast<int>(count))};
    char record[kRecordSize + 1];
    for (uint32_t n = 0; n < count && n < 8; ++n) {
        if (LockRecord(f, n) != HOST_STATUS_DONE) {
            lines.push_back(Line("  record %d: locked by someone else", static_cast<int>(n)));
            continue;
        }
        memset(record, 0, sizeof record);
        f.block.data = record;
        f.block.count = kRecordSize;
        f.block.position = n * kRecordSize;
        status = FileOp(f, 'R');
        UnlockRecord(f, n);
        record[kRecordSize - 2] = 0;
        lines.push_back(status == HOST_STATUS_DONE ? std::string("  ") + record
                                                   : Line("  record %d: read status %d", static_cast<int>(n), status));
    }
    FileOp(f, 'C');
    return lines;
}

LogLines LockTest(HostContext *host)
{
    FileRequest first = MakeFileRequest(host, kRecordFile), second = MakeFileRequest(host, kRecordFile);
    if (OpenRecords(first) != HOST_STATUS_DONE || FileOp(second, 'O') != HOST_STATUS_DONE) {
        FileOp(first, 'C');
        return {Line("Locks: the record file does not open.")};
    }
    const int8_t a = LockRecord(first, 1), b = LockRecord(second, 1);
    UnlockRecord(first, 1);
    const int8_t c = LockRecord(second, 1);
    UnlockRecord(second, 1);
    FileOp(first, 'C');
    FileOp(second, 'C');
    LogLines lines;
    lines.push_back(Line("Locks: first handle locks record 1: status %d.", a));
    lines.push_back(Line(b == kLockHeld ? "  second handle, same record: status %d, held by someone else."
                                        : "  second handle, same record: status %d.",
                         static_cast<uint8_t>(b)));
    lines.push_back(Line("  after the first unlocks it, the second gets it: status %d.", c));
    return lines;
}
