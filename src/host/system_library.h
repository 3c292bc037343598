// Loading system DLLs and making the process safe against planted DLLs and error dialogs.
#pragma once

#include <windows.h>

// The DLL `name` (e.g. "winspool.drv") from the system folder by its full path, its own
// dependencies looked up from there too; null when it is not there. Never searches the
// program's or the current folder, where a file of that name could have been planted.
HMODULE LoadSystemLibrary(const char *name);

// Called first in a program's start-up: DLLs loaded later by name come from the system folder
// only (where the system supports it), and a failing disk access (an empty removable drive)
// returns an error to the program instead of raising the system's critical-error dialog.
void HardenProcess();
