// Stands in for a payload program in the extraction tests: records its own size, as the
// extraction wrote it, and leaves a batch file behind as an unpacking payload would.
#include <windows.h>

#include <cstdio>

int main()
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    WIN32_FILE_ATTRIBUTE_DATA info{};
    GetFileAttributesExA(self, GetFileExInfoStandard, &info);
    FILE *marker = std::fopen("PAYLOAD.RAN", "w");
    if (!marker)
        return 1;
    std::fprintf(marker, "%lu\n", static_cast<unsigned long>(info.nFileSizeLow));
    std::fclose(marker);
    FILE *batch = std::fopen("TWLGENWI.BAT", "wb");
    if (!batch)
        return 1;
    std::fputs("@echo off\r\necho batch> BATCH.RAN\r\n", batch);
    std::fclose(batch);
    return 0;
}
