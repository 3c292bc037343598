// The installation's target directory, checked for links before anything is written
// there: a junction or symbolic link put there by someone else would lead the payload
// into a folder of their choosing.
#pragma once

#include <string>

// Whether `target` (absolute or relative) or a folder above it, below the root of its
// drive, is a link. A folder that does not exist yet is none.
bool TargetPassesThroughLink(const char *target);

// The name `target` resolves to when nothing on the way is a link, taken before it is
// entered (a relative `target` names another folder afterwards). Empty when the system
// cannot tell.
std::wstring ExpectedTargetName(const char *target);

// Whether the current directory resolves to another name than `expected`: a link put in
// the place of the target directory between its creation and its entry.
bool EnteredThroughLink(const std::wstring &expected);
