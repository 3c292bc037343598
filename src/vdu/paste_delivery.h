// The way of pasted text and of the window's own events into a screen's event ring. Every writer
// of the ring (the window, a paste, and 'K' making room) holds the screen's lock, so the ring has
// one writer at a time while 'K' reads it on the client's thread.
#pragma once

#include <cstdint>
#include <vector>

#include "vdu/screen_state.h"
#include "vdu/vdu_block.h"

// Queues an event of the display window: behind pasted events still waiting, otherwise into the
// ring. False when it was dropped.
bool QueueWindowEvent(VduBlock *block, uint32_t code, uint32_t position);

// Hands pasted event codes to the screen's client: what the ring cannot take now waits and
// follows as the client takes events.
void DeliverPaste(VduBlock *block, const std::vector<uint32_t> &codes);

// Moves waiting events into the ring of a screen locked by the caller; 'K' calls it before it
// takes an event.
void FeedWaitingEvents(ScreenState &s);
