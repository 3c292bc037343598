// Input events as 'K' delivers them, sorted into what the demo reacts to.
#pragma once

#include <stdint.h>

enum class EventKind { None, Character, Key, LeftClick, OtherMouse, Wheel, CloseRequest };

struct Event {
    EventKind kind = EventKind::None;
    uint32_t value = 0; // the character, the virtual-key code, the mouse message or the wheel delta
};

// A close request (window closed, close zone, monitor closed) arrives as sixteen Escapes with
// position 0; a pressed Escape key carries its key message parameter, which is never 0.
Event DecodeEvent(uint32_t code, uint32_t position);
