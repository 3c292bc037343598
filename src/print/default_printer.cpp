#include "print/default_printer.h"

#include <windows.h>

#include <cstring>

#include "print/spooler.h"

namespace {

std::vector<char> Terminated(const char *name)
{
    if (!name || !*name)
        return {};
    return std::vector<char>(name, name + std::strlen(name) + 1);
}

// The user's default printer, empty when none is set.
std::vector<char> UserDefaultPrinter()
{
    const auto getDefaultPrinter = Spooler().getDefaultPrinter;
    if (!getDefaultPrinter)
        return {};
    DWORD size = 0;
    getDefaultPrinter(nullptr, &size);
    if (size == 0)
        return {};
    std::vector<char> name(size + 1, '\0');
    if (!getDefaultPrinter(name.data(), &size))
        return {};
    return Terminated(name.data());
}

// The first printer the spooler lists: the local printers at level 4 on the NT family, the
// default printer at level 5 on the 95 family.
std::vector<char> FirstListedPrinter(bool ntFamily)
{
    const DWORD flags = ntFamily ? PRINTER_ENUM_LOCAL : PRINTER_ENUM_DEFAULT;
    const DWORD level = ntFamily ? 4 : 5;
    const auto enumPrinters = Spooler().enumPrinters;
    if (!enumPrinters)
        return {};
    DWORD needed = 0, returned = 0;
    enumPrinters(flags, nullptr, level, nullptr, 0, &needed, &returned);
    if (needed == 0)
        return {};
    std::vector<BYTE> buffer(needed);
    if (!enumPrinters(flags, nullptr, level, buffer.data(), needed, &needed, &returned) || returned == 0)
        return {};
    return Terminated(ntFamily ? reinterpret_cast<PRINTER_INFO_4A *>(buffer.data())->pPrinterName
                               : reinterpret_cast<PRINTER_INFO_5A *>(buffer.data())->pPrinterName);
}

} // namespace

std::vector<char> DefaultPrinterName()
{
    const bool ntFamily = (GetVersion() & 0x80000000u) == 0;
    if (ntFamily) {
        std::vector<char> name = UserDefaultPrinter();
        if (!name.empty())
            return name;
    }
    return FirstListedPrinter(ntFamily);
}
