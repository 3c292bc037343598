// Pasted text as the input events a screen's client takes with 'K', and the queue in which the
// events that do not fit the 16-entry ring wait for room. Pure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "vdu/vdu_block.h"

// At most this many events wait behind a screen's ring; a longer paste is cut there.
constexpr size_t pasteLimit = 65536;

constexpr uint32_t pastedReturn = VDU_EVENT_VIRTUAL_KEY + 13;
constexpr uint32_t pastedTab = VDU_EVENT_VIRTUAL_KEY + 9;

// Replaces each character beyond 16 bits (a surrogate pair) and each lone surrogate by one '?',
// as no code page of a character screen can show them.
void ReplaceSurrogates(std::wstring &text);

// Where the translation of one paste stands between two pieces of its text: after a CR, an LF
// belongs to the same line break.
struct PasteTranslation {
    bool afterCr = false;
};

// Appends the event codes of ANSI text to `codes` while it holds fewer than `limit`: a character
// of 32 and above as itself, CR LF, a lone CR and a lone LF as the Return key, TAB as the Tab
// key; other control characters are dropped. False when `text` did not fit.
bool TranslatePaste(std::string_view text, PasteTranslation &state, std::vector<uint32_t> &codes, size_t limit);

// Events waiting for room in a screen's ring, oldest first.
using PendingEvents = std::deque<VduEvent>;

// Appends pasted codes (position 0) behind what waits, up to `pasteLimit` waiting in all;
// returns how many were taken.
size_t AppendPaste(PendingEvents &pending, const std::vector<uint32_t> &codes);

// Queues an event of the window itself: behind the events still waiting, so that nothing
// overtakes a paste, or else straight into the ring. False when it is dropped because the ring
// (or the queue) is full.
bool QueueBehindPending(PendingEvents &pending, VduBlock *block, uint32_t code, uint32_t position);

// Moves waiting events into the ring while it has room.
void FeedRing(PendingEvents &pending, VduBlock *block);
