#include "print/port_output.h"

#include "print/port_buffer.h"

namespace {

bool IsSerial(const PrintBlock *block)
{
    return block->portName[0] == 'C';
}

void SetLine(HANDLE port)
{
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port, &dcb))
        return;
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    SetCommState(port, &dcb);
}

void SetWriteTimeouts(HANDLE port, DWORD perByte)
{
    COMMTIMEOUTS timeouts{};
    GetCommTimeouts(port, &timeouts); // a port that has none keeps zero read time-outs
    timeouts.WriteTotalTimeoutMultiplier = perByte;
    timeouts.WriteTotalTimeoutConstant = 1;
    SetCommTimeouts(port, &timeouts);
}

} // namespace

void PortOpen(HostContext *, PrintBlock *block)
{
    char name[sizeof block->portName + 1] = {};
    for (size_t i = 0; i < sizeof block->portName; ++i)
        name[i] = block->portName[i]; // a name the client left unterminated ends here
    // Nothing is read from the port, but some systems refuse the line settings and the error
    // state of a serial port opened for writing alone: a serial port is asked for reading as
    // well, and opened for writing alone when that is refused.
    const auto open = [&name](DWORD access) {
        return CreateFileA(name, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    };
    HANDLE port = INVALID_HANDLE_VALUE;
    if (IsSerial(block))
        port = open(GENERIC_READ | GENERIC_WRITE);
    if (port == INVALID_HANDLE_VALUE)
        port = open(GENERIC_WRITE);
    if (port == INVALID_HANDLE_VALUE) {
        block->header.status = HOST_STATUS_START_FAILED;
        return;
    }
    block->port = port;
    block->cursorColumn = 0;
    if (IsSerial(block))
        SetLine(port);
    SetWriteTimeouts(port, IsSerial(block) ? 4 : 1);
    block->header.status = HOST_STATUS_DONE;
}

void PortSend(HostContext *, PrintBlock *block)
{
    block->header.status = HOST_STATUS_DONE;
    const PortStore store = PlanStore(block->cursorColumn, block->data);
    uint8_t *buffer = reinterpret_cast<uint8_t *>(block->lineBuffer);
    if (store.stored)
        buffer[store.fill - 1] = static_cast<uint8_t>(block->data & 0xFF);
    block->cursorColumn = store.fill;
    if (!store.flush)
        return;
    const HANDLE port = block->port;
    const auto write = [port](const uint8_t *bytes, int32_t count) -> int32_t {
        DWORD errors = 0;
        COMSTAT comStat{};
        ClearCommError(port, &errors, &comStat);
        DWORD written = 0;
        if (!WriteFile(port, bytes, static_cast<DWORD>(count), &written, nullptr))
            return -1;
        return static_cast<int32_t>(written);
    };
    const PortFlush flush = FlushPortBuffer(buffer, store.fill, store.stored, write);
    block->cursorColumn = flush.fill;
    if (!flush.delivered)
        block->header.status = HOST_STATUS_WRITE_FAILED;
}

void PortClose(HostContext *, PrintBlock *block)
{
    CloseHandle(block->port);
    block->port = nullptr; // a second close finds no handle to close
    block->cursorColumn = 0;
    block->header.status = HOST_STATUS_DONE;
}
