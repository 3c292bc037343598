// Typed characters in the monitor window: the key code, the drive letter and the memory view.
#pragma once

#include <cstdint>

struct MonitorKeyState {
    uint8_t keyCode;
    uint8_t driveLetter;
    uint32_t view;   // first address of the memory monitor
    uint32_t trail;  // position of the link walk
};

// Addresses that the view keys jump to, read from the host context beforehand.
struct ViewTargets {
    uint32_t context;       // the context itself ('N', and whenever the view would be 0)
    uint32_t showAddress;   // 'S'
    uint32_t commandLine;   // 'C'
    uint32_t links[10];     // digits; 'W' is link 0; 'U' shows context + 1024
};

// Reads the big-endian link word at `address`; unreadable memory must give 0, not a fault.
using LinkReader = uint32_t (*)(uint32_t address);

void ApplyMonitorKey(MonitorKeyState &state, uint32_t ch, const ViewTargets &targets, LinkReader readLink);

uint32_t ReadBigEndian32(const uint8_t bytes[4]);
