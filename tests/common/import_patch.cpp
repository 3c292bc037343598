#include "import_patch.h"

#include <windows.h>

void *PatchImport(const char *dll, const char *function, void *replacement)
{
    const HMODULE library = GetModuleHandleA(dll);
    const FARPROC target = library ? GetProcAddress(library, function) : nullptr;
    if (!target)
        return nullptr;
    auto *base = reinterpret_cast<BYTE *>(GetModuleHandleA(nullptr));
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto *d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress); d->Name; ++d) {
        if (lstrcmpiA(reinterpret_cast<const char *>(base + d->Name), dll) != 0)
            continue;
        for (auto *slot = reinterpret_cast<IMAGE_THUNK_DATA *>(base + d->FirstThunk); slot->u1.Function; ++slot) {
            if (slot->u1.Function != reinterpret_cast<DWORD_PTR>(target))
                continue;
            DWORD old;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &old);
            slot->u1.Function = reinterpret_cast<DWORD_PTR>(replacement);
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, old, &old);
            return reinterpret_cast<void *>(target);
        }
    }
    return nullptr;
}
