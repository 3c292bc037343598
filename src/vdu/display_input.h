// The user's keys, characters, mouse buttons and wheel turns in a display window: input events
// in the screen's ring, the click band of the top margin, the rubber band and zoom.
#pragma once

#include <windows.h>

#include "host/host_context.h"
#include "vdu/vdu_block.h"

// The modifier and lock bits of this moment, from the GUI thread's key state.
uint32_t CurrentModifierBits();

void OnKeyDown(VduBlock *block, WPARAM key, LPARAM lParam);
void OnKeyUp(VduBlock *block, WPARAM key, LPARAM lParam);
void OnCharacter(VduBlock *block, WPARAM ch, LPARAM lParam);
// Mouse move at screen point `screen`.
void OnMouseMove(HWND window, HostContext *context, VduBlock *block, POINT screen);
// Button message `message` (client or non-client number) at screen point `screen`; false when
// the message belongs to the default handling.
bool OnMouseButton(HWND window, HostContext *context, VduBlock *block, UINT message, POINT screen);
void OnWheel(HWND window, HostContext *context, VduBlock *block, WPARAM wParam, LPARAM lParam);
