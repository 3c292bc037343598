#include "monitor/view_keys.h"

uint32_t ReadBigEndian32(const uint8_t b[4])
{
    return (uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) | (uint32_t{b[2]} << 8) | b[3];
}

void ApplyMonitorKey(MonitorKeyState &s, uint32_t ch, const ViewTargets &targets, LinkReader readLink)
{
    s.keyCode = static_cast<uint8_t>(ch);
    if ((ch >= 'C' && ch <= 'Z') || (ch >= 'c' && ch <= 'z'))
        s.driveLetter = static_cast<uint8_t>(ch & ~0x20u);

    const uint32_t upper = (ch >= 'a' && ch <= 'z') ? ch - 32 : ch;
    switch (upper) {
    case 'N': s.view = targets.context; break;
    case 'S': s.view = targets.showAddress; break;
    case 'T':
        s.trail = readLink(s.trail + 32);
        s.view = s.trail;
        break;
    case 'C': s.view = targets.commandLine; break;
    case 'U': s.view = targets.context + 1024; break;
    case 'W': s.view = targets.links[0]; break;
    case 'Z': s.view = 0; break;
    case '+': s.view += 16; break;
    case '-': s.view -= 16; break;
    case '#': s.view += 512; break;
    case '=': s.view -= 512; break;
    default:
        if (upper >= '0' && upper <= '9')
            s.view = targets.links[upper - '0'];
        break;
    }
    if (s.view == 0)
        s.view = targets.context;
}
