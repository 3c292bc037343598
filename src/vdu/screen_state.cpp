#include "vdu/screen_state.h"

#include <vector>

#include "vdu/front_record.h"

namespace {

// Lock order: the register, then a screen. A screen is only ever locked through the register,
// so close (which takes the screen out of the register first) cannot free a lock that
// another thread is about to enter. Nobody takes the register while holding a screen.
SRWLOCK g_register = SRWLOCK_INIT;
std::vector<ScreenState *> g_screens;

ScreenState *Find(const VduBlock *block)
{
    for (ScreenState *s : g_screens)
        if (s->block == block)
            return s;
    return nullptr;
}

} // namespace

void RegisterScreen(ScreenState *state)
{
    InitializeCriticalSection(&state->lock);
    AcquireSRWLockExclusive(&g_register);
    g_screens.push_back(state);
    ReleaseSRWLockExclusive(&g_register);
}

ScreenState *UnregisterScreen(VduBlock *block)
{
    ScreenState *state = nullptr;
    AcquireSRWLockExclusive(&g_register);
    for (auto it = g_screens.begin(); it != g_screens.end(); ++it) {
        if ((*it)->block == block) {
            state = *it;
            g_screens.erase(it);
            EnterCriticalSection(&state->lock); // waits for an operation still drawing
            break;
        }
    }
    ReleaseSRWLockExclusive(&g_register);
    return state;
}

void DestroyScreenState(ScreenState *state)
{
    ReleaseRecord(*state);
    LeaveCriticalSection(&state->lock);
    DeleteCriticalSection(&state->lock);
    delete state;
}

bool ScreenOpenIn(const VduBlock *block, HWND window)
{
    AcquireSRWLockShared(&g_register);
    const ScreenState *state = Find(block);
    const bool open = state && state->window == window;
    ReleaseSRWLockShared(&g_register);
    return open;
}

ScreenState *LockScreen(const VduBlock *block)
{
    // Shared: threads waiting for different screens do not hold each other up; only
    // registering and unregistering need the register to themselves.
    AcquireSRWLockShared(&g_register);
    ScreenState *state = Find(block);
    if (state)
        EnterCriticalSection(&state->lock);
    ReleaseSRWLockShared(&g_register);
    return state;
}

void UnlockScreen(ScreenState *state)
{
    LeaveCriticalSection(&state->lock);
}
