// The seek and the transfer that a host request makes on a client's file handle, kept
// together: two requests on one handle (client threads sharing it, or the file viewer reading
// through it) never move its file pointer between each other's seek and transfer.
#pragma once

#include <windows.h>

// Held from before the seek until after the transfer. Handles share a small set of locks, so
// requests on two handles may wait for each other briefly, but never for long: nothing but a
// seek and one transfer happens under a lock.
struct HandlePositionLock {
    explicit HandlePositionLock(HANDLE file);
    ~HandlePositionLock();
    HandlePositionLock(const HandlePositionLock &) = delete;
    HandlePositionLock &operator=(const HandlePositionLock &) = delete;

    SRWLOCK *lock;
};
