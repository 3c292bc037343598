#include "events.h"

#include "vdu/vdu_block.h"

Event DecodeEvent(uint32_t code, uint32_t position)
{
    if (code == 0)
        return {};
    const uint32_t value = code & VDU_EVENT_VALUE_MASK;
    switch (code & VDU_EVENT_KIND_MASK) {
    case 0:
        return {EventKind::Character, value};
    case VDU_EVENT_VIRTUAL_KEY:
        if (value == 27 && position == 0)
            return {EventKind::CloseRequest, value};
        return {EventKind::Key, value};
    case VDU_EVENT_MOUSE:
        return {value == 0x201 ? EventKind::LeftClick : EventKind::OtherMouse, value};
    case VDU_EVENT_WHEEL:
        return {EventKind::Wheel, value};
    default:
        return {};
    }
}
