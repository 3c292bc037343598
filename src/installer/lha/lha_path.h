// Member names from an archive, checked before anything is created under them.
#pragma once

#include <string>
#include <string_view>

// Turns the stored name into a relative path of components joined with '/'. '/', '\\' and
// 0xFF separate components. Refused, with the reason in `error`: empty names, absolute
// names, drive letters, "..", DOS device names (CON, NUL, COM1, LPT1.TXT, ...), characters
// Windows does not allow in names, and components ending in a dot or a space.
bool CheckMemberPath(std::string_view stored, std::string &path, std::string &error);

// The stored name for messages: separators as '/', other unprintable bytes as \xNN, long
// names shortened.
std::string PrintableName(std::string_view stored);
