// Paths on Windows: ANSI names as wide strings, the extended-length form, and what stands
// at a path seen without following a link.
#pragma once

#include <string>

std::wstring WidenAnsi(const std::string &text);
std::string Utf8(const std::wstring &text);

// The absolute form of `path` with the "\\?\" (or "\\?\UNC\") prefix, which lifts the limit
// of 260 characters; `path` itself when it has a prefix already.
std::wstring ExtendedLengthPath(const std::wstring &path);

// The name the system gives the file or folder `path` on its volume ("\dir\file") once
// every link on the way is resolved, or empty when it cannot be opened or the system cannot
// tell.
std::wstring ResolvedNameOf(const std::wstring &path);

// The name `path`, a folder's resolved name and one more component, should resolve to.
std::wstring ResolvedNameBelow(const std::wstring &folderResolved, const std::wstring &component);

// Paths the system compares as equal: the same but for case.
bool SamePathIgnoringCase(const std::wstring &a, const std::wstring &b);

enum class PathKind { missing, file, directory, link, other };

// What is at `path` (extended-length), not following a link there: a reparse point, or,
// where the system resolves links without showing them (Wine's view of symbolic links of
// the unix file system), a name that resolves to another than `expectedResolved`, is a
// link. An empty `expectedResolved` skips that comparison.
PathKind InspectPath(const std::wstring &path, const std::wstring &expectedResolved);
