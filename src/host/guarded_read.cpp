#include "host/guarded_read.h"

#include <windows.h>

// The probe is a single load at a known address, so a fault handler can recognise a fault
// of the probe by the instruction pointer alone, on any thread, and resume after the load
// with -1 in the result register.
extern "C" int tw_probe_byte(uintptr_t address);
extern "C" char tw_probe_load[];
extern "C" char tw_probe_resume[];

asm(R"(
    .text
    .globl _tw_probe_byte
    .globl _tw_probe_load
    .globl _tw_probe_resume
_tw_probe_byte:
    movl 4(%esp), %ecx
_tw_probe_load:
    movzbl (%ecx), %eax
_tw_probe_resume:
    ret
)");

namespace {

LONG CALLBACK ProbeFaultHandler(EXCEPTION_POINTERS *info)
{
    CONTEXT *cpu = info->ContextRecord;
    if (cpu->Eip != reinterpret_cast<DWORD>(tw_probe_load))
        return EXCEPTION_CONTINUE_SEARCH;
    const EXCEPTION_RECORD *record = info->ExceptionRecord;
    switch (record->ExceptionCode) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_IN_PAGE_ERROR:
    // The load is a valid instruction, so this can only be its fault: Wine running under an
    // emulator of 32-bit x86 (QEMU's user mode) reports every fault of it so.
    case EXCEPTION_ILLEGAL_INSTRUCTION:
        break;
    case EXCEPTION_GUARD_PAGE: {
        // Touching a guard page removed its guard; put it back, since it may be the
        // stack guard of some thread.
        MEMORY_BASIC_INFORMATION region;
        const void *page = reinterpret_cast<const void *>(cpu->Ecx);
        if (VirtualQuery(page, &region, sizeof region)) {
            DWORD old;
            VirtualProtect(const_cast<void *>(page), 1, region.Protect | PAGE_GUARD, &old);
        }
        break;
    }
    default:
        return EXCEPTION_CONTINUE_SEARCH;
    }
    cpu->Eax = 0xFFFFFFFFu;
    cpu->Eip = reinterpret_cast<DWORD>(tw_probe_resume);
    return EXCEPTION_CONTINUE_EXECUTION;
}

void InstallProbeHandler()
{
    static const PVOID handler = AddVectoredExceptionHandler(1, ProbeFaultHandler);
    (void)handler;
}

constexpr DWORD readableProtections = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY |
                                      PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE |
                                      PAGE_EXECUTE_WRITECOPY;

// Whether the region holding `address` can be read; `regionEnd` gets the first address
// past the region (or past the page when the query fails).
bool QueryReadable(uintptr_t address, uintptr_t &regionEnd)
{
    MEMORY_BASIC_INFORMATION region;
    if (!VirtualQuery(reinterpret_cast<const void *>(address), &region, sizeof region)) {
        regionEnd = (address | 0xFFFu) + 1;
        return false;
    }
    regionEnd = reinterpret_cast<uintptr_t>(region.BaseAddress) + region.RegionSize;
    if (region.State != MEM_COMMIT || (region.Protect & (PAGE_GUARD | PAGE_NOACCESS)))
        return false;
    return (region.Protect & readableProtections) != 0;
}

} // namespace

int ProbeByte(uintptr_t address)
{
    InstallProbeHandler();
    return tw_probe_byte(address);
}

int GuardedReadByte(uintptr_t address)
{
    uintptr_t regionEnd;
    if (!QueryReadable(address, regionEnd))
        return -1;
    return ProbeByte(address);
}

size_t GuardedCopy(uint8_t *out, uintptr_t address, size_t count, uint8_t fill)
{
    size_t unreadable = 0;
    size_t i = 0;
    while (i < count) {
        const uintptr_t at = address + i; // wraps at the top of the address space
        uintptr_t regionEnd;
        const bool readable = QueryReadable(at, regionEnd);
        size_t run = count - i;
        if (regionEnd > at && regionEnd - at < run)
            run = regionEnd - at;
        for (size_t k = 0; k < run; ++k) {
            const int value = readable ? ProbeByte(at + k) : -1;
            if (value < 0) {
                out[i + k] = fill;
                ++unreadable;
            } else {
                out[i + k] = static_cast<uint8_t>(value);
            }
        }
        i += run;
    }
    return unreadable;
}
