// How the execute service starts a program: the start-up information and creation flags.
#pragma once

#include <windows.h>

#include <cstddef>

// Creation flags: a console of its own, normal priority.
constexpr DWORD execCreationFlags = CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS;
// Longest command line, NUL included, that process creation accepts.
constexpr size_t execCommandLineCapacity = 32768;
// How long to wait for a started program to become idle before waiting for its end.
constexpr DWORD execIdleWaitMs = 1000;

// Start-up information for the new process: this program's own (`own`, as queried), with
// the size, the reserved, desktop and title fields, the flags and the show mode replaced so
// the program opens minimised, without the focus. With `passHandles` it gets the standard
// handles of `own`; without, none are passed and it uses those of its new console.
STARTUPINFOA ExecStartupInfo(const STARTUPINFOA &own, bool passHandles);

// Whether all three standard handles of `own` are open: a GUI program started from the
// desktop has none.
bool UsableStandardHandles(const STARTUPINFOA &own);

// The start-up information for a program that the host starts (execute service, document
// launcher): this program's own, its standard handles passed on only when they are usable.
STARTUPINFOA StartedProgramStartupInfo();
