// Copy and paste on their own: the cells a band selects, the text a copy makes of them, pasted
// text as input events and the queue behind the ring.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vdu/copy_rules.h"
#include "vdu/paste_rules.h"
#include "vdu/screen_clipboard.h"

namespace {

// 80 x 24 cells of 8 x 16 pixels, margins 12/104/4/8: a 656 x 496 image.
BandGeometry Default(int32_t zoomEighths = 8)
{
    const WindowSize image{656, 496};
    return {{image.width * zoomEighths / 8, image.height * zoomEighths / 8}, image, 12, 104, 8, 16, 80, 24};
}

bool operator==(const CellRegion &a, const CellRegion &b)
{
    return a.c1 == b.c1 && a.r1 == b.r1 && a.c2 == b.c2 && a.r2 == b.r2;
}

TEST(ClipboardRules, TheCellsABandSelects)
{
    // Small cells behind wide margins: 10 x 5 cells of 10 x 20 pixels from (40, 20), a 144 x 128 image.
    const BandGeometry margins{{144, 128}, {144, 128}, 40, 20, 10, 20, 10, 5};
    struct Case {
        const char *what;
        BandGeometry g;
        WindowPoint anchor, corner;
        bool selects;
        CellRegion cells;
    };
    const Case cases[] = {
        // cell (2, 1) from (12 + 16, 104 + 16), cell (10, 3) from (92, 152)
        {"8/8", Default(), {31, 125}, {92, 152}, true, {2, 1, 10, 3}},
        {"dragged up and to the left", Default(), {92, 152}, {31, 125}, true, {2, 1, 10, 3}},
        // at 12/8 the window is 984 x 744: (48, 180) is image (32, 120), (150, 300) is image (100, 200)
        {"12/8", Default(12), {48, 180}, {150, 300}, true, {2, 1, 11, 6}},
        {"ending left of and below the window", Default(), {100, 200}, {-50, 2000}, true, {0, 6, 11, 23}},
        {"ending right of and above the window", Default(), {100, 200}, {5000, -30}, true, {11, 0, 79, 6}},
        {"from the left margin", margins, {10, 90}, {75, 125}, true, {0, 3, 3, 4}},
        {"one cell is a click", Default(), {31, 125}, {33, 130}, false, {}},
        {"a drag from the click band", Default(), {31, 79}, {92, 152}, false, {}},
    };
    for (const Case &c : cases) {
        CellRegion cells{-1, -1, -1, -1};
        EXPECT_EQ(BandSelection(c.anchor, c.corner, c.g, cells), c.selects) << c.what;
        if (c.selects) {
            EXPECT_TRUE(cells == c.cells) << c.what << ": " << cells.c1 << "," << cells.r1 << " " << cells.c2 << ","
                                          << cells.r2;
        }
    }
}

// A code page whose upper half shows as U+0400 + byte, except 0x81, which it cannot show.
AnsiTable TestCodePage()
{
    AnsiTable t{};
    for (int b = 1; b < 256; ++b)
        t[b] = static_cast<wchar_t>(b < 128 ? b : 0x400 + b);
    t[0x81] = 0;
    return t;
}

struct Sheet {
    static constexpr int32_t columns = 8, rows = 4;
    uint32_t cells[columns * rows]{};
    uint32_t frames[columns * rows]{};
    void Put(int32_t c, int32_t r, uint32_t word, uint32_t frame = 0)
    {
        cells[c + r * columns] = word;
        frames[c + r * columns] = frame;
    }
    void Text(int32_t c, int32_t r, const char *text)
    {
        for (; *text; ++text)
            Put(c++, r, static_cast<uint8_t>(*text));
    }
    CopiedText Copy(uint8_t screenNumber, CellRegion region = {0, 0, columns - 1, rows - 1}) const
    {
        return CopyText({cells, frames, columns, rows, screenNumber}, region, TestCodePage());
    }
};

TEST(ClipboardRules, CopiedTextIsWhatTheScreenShows)
{
    Sheet s;
    s.Text(1, 0, "ab  c");                                // trailing blanks go, inner ones stay
    s.Put(0, 0, 0);                                       // 0 and 255 are blanks
    s.Put(7, 0, 255);
    s.Put(0, 2, 'x' | VDU_CELL_HIGHLIGHT);                // attributes do not show in text
    s.Put(1, 2, 's' | VDU_CELL_MASK_BLOCK);               // a mask block never shows its character
    s.Put(2, 2, 'N' | VDU_BUTTON_LEFT << 24);
    s.Put(3, 2, ':' | VDU_BUTTON_RIGHT << 24);            // a right end shows no character
    s.Put(4, 2, 0xE4);                                    // code page characters as drawn
    s.Put(5, 2, 0x81);                                    // one the code page lacks
    s.Put(6, 2, 'q', VDU_FRAME_TOP | VDU_FRAME_LEFT);     // frame edges hide the character
    s.Put(7, 2, 'q', VDU_FRAME_BOTTOM);
    s.Text(0, 3, "end");
    const CopiedText t = s.Copy(1);
    EXPECT_EQ(t.ansi, " ab  c\r\n\r\nx*N \xE4\x81+-\r\nend");
    EXPECT_EQ(t.wide, L" ab  c\r\n\r\nx*N \u04E4?\u250C\u2500\r\nend");

    // Part of it: the rows and columns of the region only.
    EXPECT_EQ(s.Copy(1, {2, 0, 4, 2}).ansi, "b\r\n\r\nN \xE4");
    // A region reaching beyond the screen is limited to it.
    EXPECT_EQ(s.Copy(1, {5, 3, 99, 99}).ansi, "");
    EXPECT_EQ(s.Copy(1, {-3, 3, 2, 7}).ansi, "end");
}

TEST(ClipboardRules, LineDrawingCopiesAsDrawnInEachStyle)
{
    // 17..27: vertical, horizontal, cross, the four corners, tee down; tees opening right, up
    // and left are drawn as straight lines in the etched and embossed styles.
    Sheet s;
    for (int32_t i = 0; i < 8; ++i) {
        s.Put(i, 0, 17 + i);
        s.Put(i, 1, i < 3 ? 25 + i : 0);
    }
    s.Put(3, 1, 1);  // vertical, but nothing in the bitmap style
    s.Put(4, 1, 12); // nothing in any style
    s.Put(5, 1, 31); // tee opening left in the bitmap style, nothing otherwise (31 AND 15 = 15)
    s.Put(6, 1, '.');
    struct Case {
        uint8_t screen;
        const char *ansi;
        const wchar_t *wide;
    };
    const Case cases[] = {
        {1, "|-++++++\r\n|-||  .", L"\u2502\u2500\u253C\u250C\u2514\u2518\u2510\u252C\r\n\u2502\u2500\u2502\u2502  ."},
        {8, "|-++++++\r\n|-||  .", L"\u2502\u2500\u253C\u250C\u2514\u2518\u2510\u252C\r\n\u2502\u2500\u2502\u2502  ."},
        {9, "|-++++++\r\n+++  +.", L"\u2502\u2500\u253C\u250C\u2514\u2518\u2510\u252C\r\n\u251C\u2534\u2524  \u2524."},
    };
    for (const Case &c : cases) {
        const CopiedText t = s.Copy(c.screen, {0, 0, 7, 1});
        EXPECT_EQ(t.ansi, c.ansi) << "screen " << int{c.screen};
        EXPECT_EQ(t.wide, c.wide) << "screen " << int{c.screen};
    }
}

TEST(ClipboardRules, FrameEdgesCopyAsTheLinesTheyDraw)
{
    // A frame around two rows and three columns, and a one-row frame beside it.
    Sheet s;
    s.Put(0, 0, 'a', VDU_FRAME_TOP | VDU_FRAME_LEFT);
    s.Put(1, 0, 'b', VDU_FRAME_TOP);
    s.Put(2, 0, 'c', VDU_FRAME_TOP | VDU_FRAME_RIGHT);
    s.Put(0, 1, 'd', VDU_FRAME_LEFT | VDU_FRAME_BOTTOM);
    s.Put(1, 1, 'e', VDU_FRAME_BOTTOM);
    s.Put(2, 1, 'f', VDU_FRAME_RIGHT | VDU_FRAME_BOTTOM);
    s.Put(4, 0, 0, VDU_FRAME_TOP | VDU_FRAME_LEFT | VDU_FRAME_BOTTOM);
    s.Put(5, 0, 0, VDU_FRAME_TOP | VDU_FRAME_RIGHT | VDU_FRAME_BOTTOM);
    s.Put(7, 0, 0, VDU_FRAME_EDGES); // a frame of one cell
    const CopiedText t = s.Copy(0, {0, 0, 7, 1});
    EXPECT_EQ(t.ansi, "+-+ -- +\r\n+-+");
    EXPECT_EQ(t.wide, L"\u250C\u2500\u2510 \u2500\u2500 \u253C\r\n\u2514\u2500\u2518");
}

std::vector<uint32_t> Translate(std::initializer_list<std::string_view> pieces, size_t limit = pasteLimit,
                                bool *whole = nullptr)
{
    std::vector<uint32_t> codes;
    PasteTranslation state;
    bool fits = true;
    for (std::string_view piece : pieces)
        fits = fits && TranslatePaste(piece, state, codes, limit);
    if (whole)
        *whole = fits;
    return codes;
}

TEST(ClipboardRules, PastedTextAsEvents)
{
    constexpr uint32_t ret = pastedReturn, tab = pastedTab;
    struct Case {
        const char *what;
        std::vector<std::string_view> pieces;
        std::vector<uint32_t> codes;
    };
    const Case cases[] = {
        {"CR LF, lone CR, lone LF", {"a\r\nb\rc\nd"}, {'a', ret, 'b', ret, 'c', ret, 'd'}},
        {"LF CR is two breaks, CR LF LF too", {"\n\r\r\n\n"}, {ret, ret, ret, ret}},
        {"CR LF split between two pieces", {"x\r", "\ny"}, {'x', ret, 'y'}},
        {"TAB, other control characters dropped", {"\t\x01\x1B\x08z\x7F"}, {tab, 'z', 0x7F}},
        {"upper half as it stands", {"\xE9\xFF "}, {0xE9, 0xFF, ' '}},
    };
    for (const Case &c : cases) {
        std::vector<uint32_t> codes;
        PasteTranslation state;
        for (std::string_view piece : c.pieces)
            EXPECT_TRUE(TranslatePaste(piece, state, codes, pasteLimit)) << c.what;
        EXPECT_EQ(codes, c.codes) << c.what;
    }

    bool whole = true;
    EXPECT_EQ(Translate({"abcdef"}, 4, &whole), (std::vector<uint32_t>{'a', 'b', 'c', 'd'}));
    EXPECT_FALSE(whole) << "cut at the limit";
    EXPECT_EQ(Translate({"abc\r\n"}, 4, &whole), (std::vector<uint32_t>{'a', 'b', 'c', ret}));
    EXPECT_TRUE(whole) << "the LF of a CR LF at the limit is no character of its own";
    const std::string big(70000, 'q');
    EXPECT_EQ(Translate({big}, pasteLimit, &whole).size(), pasteLimit);
    EXPECT_FALSE(whole);
}

TEST(ClipboardRules, UnicodeTheCodePageCannotShowBecomesQuestionMarks)
{
    std::wstring text = L"a\U0001F600b\xD83D";
    ReplaceSurrogates(text);
    EXPECT_EQ(text, L"a?b?");
    text = L"\xDE00z";
    ReplaceSurrogates(text);
    EXPECT_EQ(text, L"?z");
    ASSERT_EQ(GetACP(), 1252u) << "the expectations below are those of the Western code page";
    // No best fit: a letter the code page lacks is a '?', not the nearest plain letter.
    EXPECT_EQ(AnsiFromWide(L"A\u00E9\u20AC\u0100\u4E2D"), "A\xE9\x80??");
}

// 'K' as it takes one event from the ring, making room first.
uint32_t Take(PendingEvents &pending, VduBlock &b)
{
    FeedRing(pending, &b);
    if (b.eventCount < 1)
        return 0;
    b.eventReadIndex = (b.eventReadIndex + 1) & 15;
    --b.eventCount;
    return b.events[b.eventReadIndex].code;
}

TEST(ClipboardRules, PastedEventsWaitBehindTheRingAndTheWindowsEventsBehindThem)
{
    VduBlock b{};
    PendingEvents pending;
    std::vector<uint32_t> paste;
    for (uint32_t i = 0; i < 20; ++i)
        paste.push_back('A' + i);
    EXPECT_EQ(AppendPaste(pending, paste), 20u);
    FeedRing(pending, &b);
    EXPECT_EQ(b.eventCount, 16);
    EXPECT_EQ(pending.size(), 4u);
    EXPECT_TRUE(QueueBehindPending(pending, &b, 'z', 7)) << "a key typed during the paste waits behind it";
    EXPECT_EQ(pending.back().position, 7u);
    std::vector<uint32_t> taken;
    for (uint32_t code = Take(pending, b); code != 0; code = Take(pending, b))
        taken.push_back(code);
    paste.push_back('z');
    EXPECT_EQ(taken, paste);
    EXPECT_TRUE(QueueBehindPending(pending, &b, 'y', 0));
    EXPECT_TRUE(pending.empty()) << "nothing waiting: straight into the ring";
    EXPECT_EQ(b.eventCount, 1);

    // One queue of at most pasteLimit: a second paste is appended up to it, and window events
    // beyond it are dropped as a full ring drops them.
    pending.assign(pasteLimit - 5, VduEvent{'p', 0});
    EXPECT_EQ(AppendPaste(pending, std::vector<uint32_t>(9, 'q')), 5u);
    EXPECT_EQ(pending.size(), pasteLimit);
    EXPECT_EQ(pending.back().code, uint32_t{'q'});
    EXPECT_FALSE(QueueBehindPending(pending, &b, 'w', 0));
}

} // namespace
