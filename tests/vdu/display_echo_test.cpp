// Output waiting when the client takes an event reaches the window without waiting for the
// window's tick, and however often 'K' is called, one paint at a time is asked for.
#include "display_window_fixture.h"

#include "host/shared_fields.h"
#include "vdu/display_window.h"
#include "vdu/paint_pacing.h"

namespace {

bool ShowOutputQueued(HWND window, MSG &message)
{
    return PeekMessageA(&message, window, displayShowOutputMessage, displayShowOutputMessage, PM_REMOVE) != 0;
}

// Dispatches messages until the repaint countdown is 0 (or three seconds have passed).
void PumpUntilShown(const VduBlock *block)
{
    MSG message;
    for (DWORD start = GetTickCount(); LoadShared(block->repaintCountdown) != 0 && GetTickCount() - start < 3000;)
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
}

TEST_F(DisplayWindowTest, OutputWaitingWhenTheClientTakesAnEventIsPaintedWithoutATick)
{
    Open(1);
    context->selectedScreen = 1;
    SetWindowPos(Window(), HWND_TOP, 100, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    KillTimer(Window(), displayTimerId); // no tick paints here: only what 'K' asks for can
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message); // the non-client paint asks for a repaint, as a write does
    EXPECT_EQ(Take(), (Event{0, 0}));
    PumpUntilShown(block);
    ASSERT_EQ(LoadShared(block->repaintCountdown), 0);
    EXPECT_EQ(Take(), (Event{0, 0}));
    EXPECT_FALSE(ShowOutputQueued(Window(), message)) << "nothing was waiting to be shown";

    Write("HELLO, WORLD");
    ASSERT_GE(LoadShared(block->repaintCountdown), VDU_REPAINT_REQUEST);
    ASSERT_GT(Mismatches(WindowPixels(), ExpectedWindow(true)), 0) << "shown before it was asked for";
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Take(), (Event{0, 0}));
    ASSERT_TRUE(ShowOutputQueued(Window(), message));
    EXPECT_FALSE(ShowOutputQueued(Window(), message)) << "one request while one is on its way";

    // The window paints at once, or when 15 ms have passed since its last paint.
    DispatchMessageA(&message);
    PumpUntilShown(block);
    EXPECT_EQ(LoadShared(block->repaintCountdown), 0);
    EXPECT_EQ(Mismatches(WindowPixels(), ExpectedWindow(true)), 0);
    EXPECT_EQ(Take(), (Event{0, 0}));
    EXPECT_FALSE(ShowOutputQueued(Window(), message)) << "everything was shown";
}

} // namespace
