#include "files/handle_position_lock.h"

#include <cstdint>

namespace {

constexpr uintptr_t lockCount = 64; // a power of two
SRWLOCK g_locks[lockCount];         // zero-filled: SRWLOCK_INIT

// Handle values are multiples of four.
SRWLOCK *LockOf(HANDLE file)
{
    return &g_locks[(reinterpret_cast<uintptr_t>(file) >> 2) & (lockCount - 1)];
}

} // namespace

HandlePositionLock::HandlePositionLock(HANDLE file) : lock(LockOf(file))
{
    AcquireSRWLockExclusive(lock);
}

HandlePositionLock::~HandlePositionLock()
{
    ReleaseSRWLockExclusive(lock);
}
