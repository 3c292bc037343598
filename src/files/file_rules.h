// The arithmetic and decisions of the file service, apart from the Win32 calls.
#pragma once

#include <windows.h>

#include <cstdint>

// Lock bytes live in an area beyond any data; lock numbers n and n + 0x80000000 name one byte.
constexpr uint32_t lockAreaStart = 0x80000000u;
// The lock number that 'Q' and 'X' use.
constexpr uint32_t sharedLockNumber = 2;

// File offset of the one byte that lock number `lockNumber` stands for.
constexpr uint32_t LockByteOffset(uint32_t lockNumber)
{
    return lockNumber | lockAreaStart;
}

// Reads and writes take the position as a signed 32-bit distance from the start of the file:
// from 0x80000000 up it is negative and cannot be set.
constexpr bool PositionSettable(uint32_t position)
{
    return position < lockAreaStart;
}

// Arguments of CreateFileA for one way of opening a file.
struct FileOpenMode {
    DWORD access;
    DWORD share;
    DWORD disposition;
    DWORD flags;
};

// 'A': a new file for writing only, not shared, refused when the name exists.
FileOpenMode CreateMode();
// 'O': an existing file for reading and writing, shared for both, written through.
FileOpenMode OpenMode();

// Outcome of 'O' once the file is open, from its size: `file too large` (13) when it is
// 4 GiB or more, else done.
int8_t OpenSizeStatus(uint64_t size);

// Outcome of 'R': the status, and the count to leave in the block.
struct ReadOutcome {
    int8_t status;
    uint32_t count;
};
ReadOutcome ReadResult(bool succeeded, uint32_t asked, uint32_t got);

// Outcome of 'W'.
int8_t WriteResult(bool succeeded, uint32_t asked, uint32_t written);

// The operation that a letter runs, after 'Q' and 'X' have become 'L' and 'U' on lock 2.
enum class FileOperation { Create, Open, Read, Write, Lock, Unlock, Close, Erase, Nothing, Unknown };
struct FileRoute {
    FileOperation operation;
    bool usesSharedLock; // the position is set to lock 2 first
};
FileRoute RouteFileOp(uint8_t op);
