#include "vdu/paint_pacing.h"

#include <atomic>

#include "vdu/display_window.h"

namespace {

int64_t Microseconds()
{
    static const int64_t frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<int64_t>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<int64_t>(now.QuadPart) / frequency * 1000000 +
           static_cast<int64_t>(now.QuadPart) % frequency * 1000000 / frequency;
}

// Takes a waiting repaint request out of the countdown, as the tick does when it repaints.
bool TakeCountdown(VduBlock *block)
{
    std::atomic_ref<uint8_t> countdown(block->repaintCountdown);
    uint8_t now = countdown.load();
    while (now >= VDU_REPAINT_REQUEST)
        if (countdown.compare_exchange_weak(now, 0))
            return true;
    return false;
}

void CALLBACK PacingTimer(HWND window, UINT, UINT_PTR id, DWORD);

enum class Show { nothing, invalidate, paint };

// Screen locked: whether the window may paint now; if not, arms the timer for its turn.
bool TurnHasCome(HWND window, PaintPacing &p)
{
    const int64_t waited = Microseconds() - p.lastPaint;
    if (p.lastPaint == 0 || waited >= paintSpacingMicroseconds)
        return true;
    if (!p.timerArmed) {
        const int64_t rest = (paintSpacingMicroseconds - waited + 999) / 1000;
        p.timerArmed = SetTimer(window, displayPacingTimerId, static_cast<UINT>(rest), PacingTimer) != 0;
        // with no timer to wait for, a paint held back would wait for the next change
        return !p.timerArmed;
    }
    return false;
}

// What is due now: the owed paint of a tick, or the output 'K' asked for.
Show Due(HWND window, VduBlock *block, bool fromTick)
{
    ScreenLock screen{block};
    if (!screen)
        return Show::nothing;
    PaintPacing &p = screen.get()->pacing;
    if (fromTick)
        p.owed = true;
    if (!p.owed && !p.asked)
        return Show::nothing;
    if (!TurnHasCome(window, p))
        return Show::nothing;
    const bool owed = p.owed, asked = p.asked;
    p.owed = p.asked = false;
    if (owed)
        return fromTick ? Show::invalidate : Show::paint;
    return asked && TakeCountdown(block) ? Show::paint : Show::nothing;
}

void Carry(HWND window, Show show)
{
    if (show == Show::nothing)
        return;
    InvalidateRect(window, nullptr, FALSE);
    if (show == Show::paint)
        UpdateWindow(window);
}

void CALLBACK PacingTimer(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    auto *block = reinterpret_cast<VduBlock *>(GetWindowLongPtrA(window, displaySlotBlock));
    if (!block)
        return;
    {
        ScreenLock screen{block};
        if (!screen)
            return;
        screen.get()->pacing.timerArmed = false;
    }
    Carry(window, Due(window, block, false));
}

} // namespace

void AskToShowOutput(ScreenState &s)
{
    if (s.pacing.asked || !s.window)
        return;
    s.pacing.asked = PostMessageA(s.window, displayShowOutputMessage, 0, 0) != 0;
}

void ShowAskedOutput(HWND window, VduBlock *block)
{
    Carry(window, Due(window, block, false));
}

void ShowWhenDue(HWND window, VduBlock *block)
{
    Carry(window, Due(window, block, true));
}

void NotePaint(ScreenState &s)
{
    s.pacing.lastPaint = Microseconds();
}
