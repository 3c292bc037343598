#include "vdu/paste_rules.h"

#include "vdu/display_rules.h"

void ReplaceSurrogates(std::wstring &text)
{
    size_t out = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t ch = text[i];
        if (ch >= 0xD800 && ch <= 0xDFFF) {
            if (ch <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
                ++i; // the pair is one character
            text[out++] = L'?';
        } else {
            text[out++] = ch;
        }
    }
    text.resize(out);
}

bool TranslatePaste(std::string_view text, PasteTranslation &state, std::vector<uint32_t> &codes, size_t limit)
{
    for (const char c : text) {
        const auto ch = static_cast<uint8_t>(c);
        const bool afterCr = state.afterCr;
        state.afterCr = ch == '\r';
        if (ch == '\n' && afterCr)
            continue;
        uint32_t code;
        if (ch >= 32)
            code = ch;
        else if (ch == '\r' || ch == '\n')
            code = pastedReturn;
        else if (ch == '\t')
            code = pastedTab;
        else
            continue;
        if (codes.size() >= limit)
            return false;
        codes.push_back(code);
    }
    return true;
}

size_t AppendPaste(PendingEvents &pending, const std::vector<uint32_t> &codes)
{
    const size_t room = pending.size() < pasteLimit ? pasteLimit - pending.size() : 0;
    const size_t taken = codes.size() < room ? codes.size() : room;
    for (size_t i = 0; i < taken; ++i)
        pending.push_back({codes[i], 0});
    return taken;
}

bool QueueBehindPending(PendingEvents &pending, VduBlock *block, uint32_t code, uint32_t position)
{
    if (pending.empty())
        return QueueEvent(block, code, position);
    if (pending.size() >= pasteLimit)
        return false;
    pending.push_back({code, position});
    FeedRing(pending, block);
    return true;
}

void FeedRing(PendingEvents &pending, VduBlock *block)
{
    while (!pending.empty() && QueueEvent(block, pending.front().code, pending.front().position))
        pending.pop_front();
}
