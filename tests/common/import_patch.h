// Swaps the address of a function that this program imports from a DLL, so a test can stand in
// for a platform call whose failure it cannot provoke.
#pragma once

// Replaces `function` of `dll` in this program's import table by `replacement`; returns the
// address it had, or null when the program does not import it.
void *PatchImport(const char *dll, const char *function, void *replacement);
