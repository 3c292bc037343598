#include "files/file_operations.h"

#include <windows.h>

#include "files/file_client_text.h"
#include "files/file_rules.h"
#include "files/handle_position_lock.h"

namespace {

using FileName = char[MAX_PATH];

// Copies the file name of 'A', 'O' and 'E' out of the client's memory.
bool TakeName(const FileBlock *block, FileName &name)
{
    return CopyClientText(static_cast<const char *>(block->data), name, sizeof name);
}

// The named file opened in `mode`, or the invalid handle value.
HANDLE OpenNamed(const FileBlock *block, const FileOpenMode &mode)
{
    FileName name;
    if (!TakeName(block, name))
        return INVALID_HANDLE_VALUE;
    return CreateFileA(name, mode.access, mode.share, nullptr, mode.disposition, mode.flags, nullptr);
}

// Moves the file pointer to `position` from the start, as a signed 32-bit distance. Called under
// the handle's HandlePositionLock, which is held on until the transfer is done.
bool SetPosition(HANDLE file, uint32_t position)
{
    if (!PositionSettable(position))
        return false;
    return SetFilePointer(file, static_cast<LONG>(position), nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
}

} // namespace

void FileCreate(FileBlock *block)
{
    const HANDLE file = OpenNamed(block, CreateMode());
    if (file == INVALID_HANDLE_VALUE) {
        block->header.status = HOST_STATUS_FILE_FAILED;
        return;
    }
    block->file = file;
    block->position = 0;
    block->header.status = HOST_STATUS_DONE;
}

void FileOpen(FileBlock *block)
{
    const HANDLE file = OpenNamed(block, OpenMode());
    if (file == INVALID_HANDLE_VALUE) {
        block->header.status = HOST_STATUS_FILE_FAILED;
        return;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size)) {
        CloseHandle(file);
        block->header.status = HOST_STATUS_FILE_FAILED;
        return;
    }
    const int8_t status = OpenSizeStatus(static_cast<uint64_t>(size.QuadPart));
    if (status != HOST_STATUS_DONE) {
        CloseHandle(file);
        block->header.status = status;
        return;
    }
    block->file = file;
    block->position = size.LowPart;
    block->header.status = HOST_STATUS_DONE;
}

void FileRead(FileBlock *block)
{
    const HandlePositionLock held{block->file};
    if (!SetPosition(block->file, block->position)) {
        block->header.status = HOST_STATUS_SEEK_FAILED;
        return;
    }
    DWORD got = 0;
    const BOOL ok = ReadFile(block->file, block->data, block->count, &got, nullptr);
    const ReadOutcome outcome = ReadResult(ok != FALSE, block->count, got);
    block->count = outcome.count;
    block->header.status = outcome.status;
}

void FileWrite(FileBlock *block)
{
    const HandlePositionLock held{block->file};
    if (!SetPosition(block->file, block->position)) {
        block->header.status = HOST_STATUS_SEEK_FAILED;
        return;
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(block->file, block->data, block->count, &written, nullptr);
    block->header.status = WriteResult(ok != FALSE, block->count, written);
}

void FileLock(FileBlock *block)
{
    const BOOL granted = LockFile(block->file, LockByteOffset(block->position), 0, 1, 0);
    block->header.status = granted ? HOST_STATUS_DONE : HOST_STATUS_LOCKED;
}

void FileUnlock(FileBlock *block)
{
    UnlockFile(block->file, LockByteOffset(block->position), 0, 1, 0);
    block->header.status = HOST_STATUS_DONE;
}

// The handle is cleared once closed, so that a second close from the same block cannot
// close whatever object has since been given the same handle value.
void FileClose(FileBlock *block)
{
    CloseHandle(block->file);
    block->file = nullptr;
    block->header.status = HOST_STATUS_DONE;
}

void FileErase(FileBlock *block)
{
    FileName name;
    const bool erased = TakeName(block, name) && DeleteFileA(name);
    block->header.status = erased ? HOST_STATUS_DONE : HOST_STATUS_FILE_FAILED;
}
