// The decisions of a screen's display window, apart from the window calls that carry them out:
// event codes, the event ring, the click band, zoom, the cursor bar, the hit test and the
// timer tick.
#pragma once

#include <cstdint>

#include "vdu/vdu_block.h"

// Key state as GetKeyState reports it, one value per key.
struct KeyStates {
    int16_t shift, control, alt, capsLock, numLock, scrollLock, pause;
};

// Modifier and lock bits of an event code: held keys by the high bit, lock keys by the low bit.
uint32_t ModifierBits(const KeyStates &keys);

// Queues one event in the block's ring; false when the ring holds 16 events already. The
// entry is written before the count rises, so the reader never sees a half-written entry.
bool QueueEvent(VduBlock *block, uint32_t code, uint32_t position);
bool EventRingFull(VduBlock *block);

// Whether key-down of virtual key `key` becomes an event.
bool QueuesKeyDown(uint32_t key);

// Event position of a mouse or wheel event: window-relative y in the high word, x in the low.
uint32_t MousePosition(int32_t x, int32_t y);

// A point in window coordinates (relative to the outer top-left corner).
struct WindowPoint {
    int32_t x, y;
};

// Outer window size.
struct WindowSize {
    int32_t width, height;
};

// Everything inside the 4-pixel border of the window.
bool InInnerArea(WindowPoint p, WindowSize window);

enum class HitResult { platform, client, caption };
// Only the 4-pixel strip along the top edge is caption; left, right and bottom borders are the
// platform's.
HitResult HitTest(WindowPoint p, WindowSize window);

// What a click in the top margin does; `none` outside the click band.
enum class ClickZone { none, bandGap, nextScreen, systemMenu, document, minimise, close };
ClickZone ClassifyClick(WindowPoint p);

// `selectedScreen` after the next-screen zone: the next of 1..4 with the show request bit.
uint8_t NextSelectedScreen(uint8_t selected);

// Zoom after a wheel turn in the top rows: toward the user (negative delta) enlarges.
int32_t ZoomAfterWheel(int32_t zoomEighths, int16_t delta, bool zoomEnabled);
// Outer window size for an image at a zoom; the zoom is kept to 1..16, each side to 8..32767.
WindowSize ZoomedSize(WindowSize image, int32_t zoomEighths);
// A window side as the block may hold it, kept to what a window can be.
int32_t SaneWindowSide(int32_t side);

// Geometry of the cursor bar, read from the block and checked against the screen's own
// buffers and image.
struct CursorGeometry {
    int32_t marginLeft, marginTop, cellWidth, cellHeight;
    int32_t cursorColumn, cursorRow;
    int32_t columns, rows;       // of the screen's buffers
    WindowSize image;            // of the front image
    WindowSize window;           // stretch target
};
struct BarRect {
    int32_t x, y, width, height; // width 0: no bar
};
// The bar under the cursor cell, scaled from image to window pixels; no bar when the cursor is
// off the screen or the geometry does not describe the image.
BarRect CursorBar(const CursorGeometry &g);

// Repaint countdown after one tick; `repaint` says whether the window is to be invalidated.
uint8_t CountdownAfterTick(uint8_t countdown, bool &repaint);

// Screen selection on a tick of a numbered screen's window.
struct Selection {
    bool show, hide;
    uint8_t selectedScreen;
    uint8_t shown;
};
Selection SelectOnTick(uint8_t screenNumber, uint8_t selectedScreen, uint8_t shown);

// Where the thumbnail of screen 1..4 goes in the splash canvas and what of the image it shows.
struct Thumbnail {
    bool draw;
    int32_t x, y, width, height;                    // in the canvas
    int32_t sourceX, sourceY, sourceWidth, sourceHeight; // in the front image
};
Thumbnail ThumbnailFor(uint8_t screenNumber, int32_t monitorHeight, WindowSize image);
