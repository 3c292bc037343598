// The Windows clipboard as a test reads and fills it.
#pragma once

#include <string>

// The clipboard's text in one format ("" when it has none).
std::string ClipboardAnsi();
std::wstring ClipboardUnicode();

// Puts `text` on the clipboard as its only format, owned by no window.
bool SetClipboardUnicode(const std::wstring &text);
