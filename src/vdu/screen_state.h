// What the host keeps of an open screen outside its block: the drawing objects and buffers it
// made (the block's copies of them belong to the client's memory and are not trusted), the
// geometry the buffers were made for, and the lock that lets one thread at a time draw into
// the screen's images.
#pragma once

#include <windows.h>

#include <cstdint>

#include "vdu/paste_rules.h"
#include "vdu/vdu_block.h"

struct FrontRecord; // front_record.h

// When the display window last painted and whether a paint is on its way (paint_pacing.h).
struct PaintPacing {
    int64_t lastPaint;  // performance counter at the start of the last paint
    bool asked;         // 'K' asked for the waiting output to be shown
    bool owed;          // the tick took the countdown; the paint waits for its turn
    bool timerArmed;
};

struct ScreenState {
    CRITICAL_SECTION lock;
    VduBlock *block;
    HostContext *host;
    int32_t columns, rows;      // of the buffers
    uint32_t *cells, *frames;
    HDC frontDC, backDC;
    HBITMAP frontBitmap, backBitmap;
    HGDIOBJ frontOldBitmap, backOldBitmap;
    HWND window;
    HFONT font;
    uint8_t *bitmapFile;        // a bitmap loaded by the graphics operation, released at close
    size_t bitmapFileSize;      // its length as read: the size field inside it is within the client's reach
    HBITMAP bitmapHandle;
    // Drawing state of frontDC, to select brushes and colours only when they change. Code
    // other than the renderer that selects into frontDC calls ForgetFrontDrawingState.
    HBRUSH frontBrush;
    COLORREF frontTextColour;
    // File viewer: a pass is under way (the loop of its message box dispatches more ticks),
    // and a failure was reported and no pass has succeeded since.
    bool viewerBusy;
    bool viewerFailureReported;
    FrontRecord *front;  // what the front image holds, for moving and copying its pixels
    PaintPacing pacing;
    // Events that did not fit the ring (a paste, and the window's events behind it); dropped
    // with the screen at close.
    PendingEvents pendingEvents;
};

inline void ForgetFrontDrawingState(ScreenState &s)
{
    s.frontBrush = nullptr;
    s.frontTextColour = CLR_INVALID;
}

// Registers a screen made by open; from then on LockScreen finds it by its block.
void RegisterScreen(ScreenState *state);

// Removes the screen of `block` from the register and returns it locked (the caller tears it
// down and frees it with DestroyScreenState), or null when the block has no open screen.
ScreenState *UnregisterScreen(VduBlock *block);

void DestroyScreenState(ScreenState *state);

// Whether `block` still has an open screen shown in `window`. For a handler that ran a nested
// message loop (a message box), in which a hand-over may have closed the screen and the client
// freed the block: only the pointers are compared, nothing is read through them.
bool ScreenOpenIn(const VduBlock *block, HWND window);

// The open screen of `block`, locked for the calling thread, or null. Never call it while
// holding another screen's lock.
ScreenState *LockScreen(const VduBlock *block);
void UnlockScreen(ScreenState *state);

// Holds a screen's lock for a scope.
class ScreenLock {
public:
    explicit ScreenLock(const VduBlock *block) : state_(LockScreen(block)) {}
    ~ScreenLock()
    {
        if (state_)
            UnlockScreen(state_);
    }
    ScreenLock(const ScreenLock &) = delete;
    ScreenLock &operator=(const ScreenLock &) = delete;
    ScreenState *get() const { return state_; }
    explicit operator bool() const { return state_ != nullptr; }

private:
    ScreenState *state_;
};

// The cell word and frame word slots of (column, row), or null outside the buffers.
inline uint32_t *CellSlot(const ScreenState &s, int32_t column, int32_t row)
{
    if (column < 0 || row < 0 || column >= s.columns || row >= s.rows)
        return nullptr;
    return s.cells + (column + row * s.columns);
}

inline uint32_t *FrameSlot(const ScreenState &s, int32_t column, int32_t row)
{
    if (column < 0 || row < 0 || column >= s.columns || row >= s.rows)
        return nullptr;
    return s.frames + (column + row * s.columns);
}
