// Copy and paste between a character screen and the Windows clipboard: the text of a selection
// or of the whole screen goes onto the clipboard in both text formats; pasted text goes to the
// screen's client as typed input.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "vdu/copy_rules.h"
#include "vdu/vdu_block.h"

// The characters of the ANSI code page, as the screens draw them, in UTF-16.
const AnsiTable &CodePageTable();

// Unicode text in the ANSI code page, '?' for each character it cannot show.
std::string AnsiFromWide(std::wstring_view text);

// Puts both formats of `text` on the clipboard, owned by `owner`; false when the clipboard
// could not be had.
bool PutTextOnClipboard(HWND owner, const CopiedText &text);

// The clipboard's text as pasted event codes, at most `pasteLimit` of them: its Unicode text in
// the ANSI code page, or its ANSI text when it has no Unicode text.
std::vector<uint32_t> ClipboardEvents(HWND owner);

// Copies the cells under a rubber band that ended with the left button's release in `window`
// (`anchor` and `corner` window-relative); nothing when the band selects no text.
void CopySelection(HWND window, VduBlock *block, WindowPoint anchor, WindowPoint corner);

// The window's clipboard commands: copy the whole screen, paste. False for any other command.
bool RunClipboardCommand(HWND window, VduBlock *block, WPARAM command);
