#include <cstring>

#include "host/command_line.h"
#include "host/disk_fields.h"
#include "host/palette_entries.h"
#include "host/screen_layout.h"
#include "host/startup.h"

namespace {

constexpr uint32_t defaultColours[8] = {0xEEEEEE, 0xFFFFFF, 0x000000, 0xCCCCCC,
                                        0x000000, 0xFF0000, 0xFF0000, 0x000000};

constexpr COLORREF brushColours[16] = {
    0x800080, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFF0000, 0x800080, 0x800080, 0x800080,
    0x800080, 0xFFFFFF, 0x02E0E0E0, 0x000000, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x000000,
};

bool ReadPlatform(HostContext *context)
{
    context->platformTag = '?';
    context->platformId = 0;
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version; // 148 bytes
    GetVersionExA(&version);
    context->platformTag = 'W';
    context->platformId = static_cast<uint8_t>(version.dwPlatformId);
    return context->platformId != 0;
}

void ReadVersionAndDisk(HostContext *context)
{
    const DWORD versionWord = GetVersion();
    context->windowsMajor = static_cast<uint8_t>(versionWord);
    context->windowsMinor = static_cast<uint8_t>(versionWord >> 8);
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    GetDiskFreeSpaceA(nullptr, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters);
    StoreFolded16(context->diskClusters, totalClusters);
    StoreFolded16(context->diskSectorsPerCluster, sectorsPerCluster);
    StoreFolded16(context->diskBytesPerSector, bytesPerSector);
}

void ApplyLayout(HostContext *context, const ScreenLayout &s)
{
    context->monitorLeft = s.monitorLeft;
    context->monitorTop = s.monitorTop;
    context->monitorWidth = s.monitorWidth;
    context->monitorHeight = s.monitorHeight;
    context->columns = s.columns;
    context->rows = s.rows;
    context->cellWidth = s.cellWidth;
    context->cellHeight = s.cellHeight;
    context->marginLeft = s.marginLeft;
    context->marginTop = s.marginTop;
    context->marginRight = s.marginRight;
    context->marginBottom = s.marginBottom;
}

void CreatePaletteFromDefaults(HostContext *context)
{
    auto *description = static_cast<LOGPALETTE *>(HostAllocate(paletteBytes));
    if (!description)
        return;
    description->palVersion = 0x300;
    description->palNumEntries = paletteEntryCount;
    static_assert(sizeof(PaletteEntry) == sizeof(PALETTEENTRY));
    BuildPaletteEntries(context->colours, reinterpret_cast<PaletteEntry *>(description->palPalEntry));
    context->palette = CreatePalette(description);
    context->paletteEntries = description;
}

} // namespace

HostContext *CreateHostContext(HINSTANCE instance, char *commandLine)
{
    auto *context = static_cast<HostContext *>(HostAllocate(sizeof(HostContext)));
    if (!context)
        return nullptr;
    std::memcpy(context->signature, "N\0%$", 4);
    context->serviceEntry = HostService;
    if (!ReadPlatform(context))
        return nullptr; // the context is never released, as on every path
    ReadVersionAndDisk(context);

    context->commandLine = commandLine;
    const CommandLineSwitches switches = ScanCommandLine(commandLine);
    context->bangLetter = switches.bangLetter;
    std::memcpy(context->optionFlags, switches.optionFlags, sizeof context->optionFlags);

    context->peekBase = 0;
    context->pendingRequest = nullptr;
    context->tickTimerId = context->secondTimerId = 0;
    context->quitFlag = context->liveThreads = 0;
    context->instance = instance;
    if (GetSystemMetrics(SM_MOUSEPRESENT))
        context->mouseButtons = GetSystemMetrics(SM_CMOUSEBUTTONS);
    context->networkPresent = (GetSystemMetrics(SM_NETWORK) & 1) ? 1 : 0;
    const DWORD length = GetCurrentDirectoryA(sizeof context->startDirectory, context->startDirectory);
    if (length >= sizeof context->startDirectory)
        context->startDirectory[0] = '\0'; // did not fit: the buffer holds nothing usable
    std::memcpy(context->targetPath, "C:\\TARNWELL", 12);
    context->messageId = RegisterWindowMessageA("TARNWELL");

    ApplyLayout(context, ComputeScreenLayout(GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)));

    context->font = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
    context->paletteEntries = nullptr;
    context->palette = nullptr;
    std::memcpy(context->colours, defaultColours, sizeof context->colours);
    CreatePaletteFromDefaults(context);
    for (int k = 0; k < 16; ++k)
        context->brushes[k] = CreateSolidBrush(brushColours[k]);
    return context;
}
