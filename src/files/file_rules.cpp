#include "files/file_rules.h"

#include "host/host_context.h"

FileOpenMode CreateMode()
{
    return {GENERIC_WRITE, 0, CREATE_NEW, FILE_FLAG_SEQUENTIAL_SCAN};
}

FileOpenMode OpenMode()
{
    return {GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
            FILE_FLAG_WRITE_THROUGH | FILE_FLAG_RANDOM_ACCESS | FILE_FLAG_SEQUENTIAL_SCAN};
}

int8_t OpenSizeStatus(uint64_t size)
{
    return (size >> 32) != 0 ? HOST_STATUS_FILE_TOO_LARGE : HOST_STATUS_DONE;
}

ReadOutcome ReadResult(bool succeeded, uint32_t asked, uint32_t got)
{
    if (!succeeded || got == 0)
        return {HOST_STATUS_NOTHING_READ, asked};
    if (got < asked)
        return {HOST_STATUS_SHORT_READ, got};
    return {HOST_STATUS_DONE, asked};
}

int8_t WriteResult(bool succeeded, uint32_t asked, uint32_t written)
{
    return succeeded && written >= asked ? HOST_STATUS_DONE : HOST_STATUS_WRITE_FAILED;
}

FileRoute RouteFileOp(uint8_t op)
{
    switch (op) {
    case 'A': return {FileOperation::Create, false};
    case 'O': return {FileOperation::Open, false};
    case 'R': return {FileOperation::Read, false};
    case 'W': return {FileOperation::Write, false};
    case 'L': return {FileOperation::Lock, false};
    case 'U': return {FileOperation::Unlock, false};
    case 'Q': return {FileOperation::Lock, true};
    case 'X': return {FileOperation::Unlock, true};
    case 'C': return {FileOperation::Close, false};
    case 'E': return {FileOperation::Erase, false};
    case 'Z': return {FileOperation::Nothing, false};
    default: return {FileOperation::Unknown, false};
    }
}
