// The print spooler's functions, taken from WINSPOOL.DRV in the system folder on first use
// instead of being imported when the program loads: the spooler is not one of the DLLs that
// Windows always takes from the system folder, so an import would load a copy planted beside
// the program.
#pragma once

#include <windows.h>

struct SpoolerFunctions {
    decltype(&EnumPrintersA) enumPrinters;
    decltype(&GetDefaultPrinterA) getDefaultPrinter;
};

// Loaded once, on any thread; a function is null when the spooler or the function is missing.
const SpoolerFunctions &Spooler();
