#include "vdu/screen_clipboard.h"

#include <cstring>
#include <cwchar>

#include "vdu/display_paint.h"
#include "vdu/display_window.h"
#include "vdu/paste_delivery.h"
#include "vdu/paste_rules.h"
#include "vdu/screen_state.h"

namespace {

// Another program may hold the clipboard for a moment.
bool OpenClipboardSoon(HWND owner)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (OpenClipboard(owner))
            return true;
        Sleep(5);
    }
    return false;
}

HGLOBAL GlobalCopy(const void *data, size_t bytes)
{
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        return nullptr;
    if (void *p = GlobalLock(memory)) {
        std::memcpy(p, data, bytes);
        GlobalUnlock(memory);
        return memory;
    }
    GlobalFree(memory);
    return nullptr;
}

void SetData(UINT format, HGLOBAL memory)
{
    if (memory && !SetClipboardData(format, memory))
        GlobalFree(memory);
}

// Unicode text in pieces, so that a huge clipboard is converted only as far as a paste takes it;
// a piece never ends between the two halves of a surrogate pair.
void TranslateWide(const wchar_t *text, size_t length, PasteTranslation &state, std::vector<uint32_t> &codes)
{
    constexpr size_t piece = 4096;
    for (size_t at = 0; at < length;) {
        size_t take = length - at < piece ? length - at : piece;
        if (at + take < length && IS_HIGH_SURROGATE(text[at + take - 1]))
            --take;
        std::wstring part(text + at, take);
        ReplaceSurrogates(part);
        if (!TranslatePaste(AnsiFromWide(part), state, codes, pasteLimit))
            return;
        at += take;
    }
}

void CopyRegion(HWND window, VduBlock *block, bool whole, WindowPoint anchor, WindowPoint corner)
{
    RECT r{};
    GetWindowRect(window, &r);
    CopiedText text;
    {
        ScreenLock screen{block};
        if (!screen)
            return;
        const ScreenState &s = *screen.get();
        CellRegion cells{0, 0, s.columns - 1, s.rows - 1};
        const BandGeometry g{{r.right - r.left, r.bottom - r.top}, ImageSize(s.frontBitmap), block->marginLeft,
                             block->marginTop, block->cellWidth, block->cellHeight, s.columns, s.rows};
        if (!whole && !BandSelection(anchor, corner, g, cells))
            return;
        text = CopyText({s.cells, s.frames, s.columns, s.rows, block->screenNumber}, cells, CodePageTable());
    }
    PutTextOnClipboard(window, text);
}

} // namespace

const AnsiTable &CodePageTable()
{
    static const AnsiTable table = [] {
        AnsiTable t{};
        for (int b = 1; b < 256; ++b) {
            const char ch = static_cast<char>(b);
            wchar_t wide = 0;
            if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &ch, 1, &wide, 1) == 1)
                t[b] = wide;
        }
        return t;
    }();
    return table;
}

std::string AnsiFromWide(std::wstring_view text)
{
    if (text.empty())
        return {};
    // A UTF-8 code page takes neither the flag nor a default character (and can show everything).
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char *fallback = utf8 ? nullptr : "?";
    const int length = static_cast<int>(text.size());
    const int bytes = WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, fallback, nullptr);
    if (bytes <= 0)
        return std::string(text.size(), '?');
    std::string ansi(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), length, ansi.data(), bytes, fallback, nullptr);
    return ansi;
}

bool PutTextOnClipboard(HWND owner, const CopiedText &text)
{
    const HGLOBAL ansi = GlobalCopy(text.ansi.c_str(), text.ansi.size() + 1);
    const HGLOBAL wide = GlobalCopy(text.wide.c_str(), (text.wide.size() + 1) * sizeof(wchar_t));
    if (!OpenClipboardSoon(owner)) {
        if (ansi)
            GlobalFree(ansi);
        if (wide)
            GlobalFree(wide);
        return false;
    }
    EmptyClipboard();
    SetData(CF_TEXT, ansi);
    SetData(CF_UNICODETEXT, wide);
    CloseClipboard();
    return true;
}

std::vector<uint32_t> ClipboardEvents(HWND owner)
{
    std::vector<uint32_t> codes;
    if (!OpenClipboardSoon(owner))
        return codes;
    PasteTranslation state;
    const bool unicode = IsClipboardFormatAvailable(CF_UNICODETEXT);
    if (const HANDLE data = GetClipboardData(unicode ? CF_UNICODETEXT : CF_TEXT)) {
        // The text ends at its NUL, and never beyond the memory that holds it.
        const size_t bytes = GlobalSize(data);
        if (const void *p = GlobalLock(data)) {
            if (unicode) {
                const auto *text = static_cast<const wchar_t *>(p);
                TranslateWide(text, wcsnlen(text, bytes / sizeof(wchar_t)), state, codes);
            } else {
                const auto *text = static_cast<const char *>(p);
                TranslatePaste({text, strnlen(text, bytes)}, state, codes, pasteLimit);
            }
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return codes;
}

void CopySelection(HWND window, VduBlock *block, WindowPoint anchor, WindowPoint corner)
{
    CopyRegion(window, block, false, anchor, corner);
}

bool RunClipboardCommand(HWND window, VduBlock *block, WPARAM command)
{
    // The platform keeps the low four bits of a system command for itself.
    switch (command & 0xFFF0) {
    case displayCopyCommand: CopyRegion(window, block, true, {}, {}); return true;
    case displayPasteCommand: DeliverPaste(block, ClipboardEvents(window)); return true;
    default: return false;
    }
}
