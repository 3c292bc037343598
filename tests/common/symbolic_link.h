// Symbolic links for the tests, as a user would make them beforehand: with the Windows call
// on Windows, and under Wine (whose call makes nothing) with ln in the unix file system.
#pragma once

#include <string>

// A link at `path` to `target`, both relative to the current directory's view ('\' or '/'),
// `target` relative to the link's folder. False when none could be made.
bool MakeSymbolicLink(const std::string &path, const std::string &target, bool toDirectory);

// Removes `path` if it is a symbolic link; anything else stays.
void RemoveSymbolicLink(const std::string &path);
