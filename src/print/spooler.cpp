#include "print/spooler.h"

#include "host/system_library.h"

namespace {

template <typename Function>
Function Find(HMODULE module, const char *name)
{
    if (!module)
        return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void *>(GetProcAddress(module, name)));
}

SpoolerFunctions LoadSpooler()
{
    const HMODULE module = LoadSystemLibrary("winspool.drv");
    return {Find<decltype(&EnumPrintersA)>(module, "EnumPrintersA"),
            Find<decltype(&GetDefaultPrinterA)>(module, "GetDefaultPrinterA")};
}

} // namespace

const SpoolerFunctions &Spooler()
{
    static const SpoolerFunctions functions = LoadSpooler();
    return functions;
}
