// The demo's pages under a running host: what they put on their screens, and how the forms
// page takes typed input. Also the demo's pure parts: bitmaps, the view page, event decoding.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>

#include "../vdu/vdu_client.h"
#include "bmp_file.h"
#include "demo.h"
#include "events.h"
#include "view_page.h"

namespace {

// A pixel of the front image of one of the demo's screens.
COLORREF FrontPixel(HostContext *context, VduBlock *block, int32_t x, int32_t y)
{
    VduClient reader(context);
    VduBlock *own = reader.block;
    reader.block = block;
    const COLORREF pixel = reader.Front(x, y);
    reader.block = own;
    return pixel;
}

POINT CellOrigin(const VduBlock *b, int32_t column, int32_t row)
{
    return {b->marginLeft + column * b->cellWidth, b->marginTop + row * b->cellHeight};
}

uint32_t CellWord(const Screen &s, int32_t column, int32_t row)
{
    return s.block->cells[column + row * s.block->columns];
}

std::string RowText(const Screen &s, int32_t row, int32_t from = 0, int32_t to = 80)
{
    std::string text;
    for (int32_t c = from; c < to; ++c) {
        const uint32_t ch = CellWord(s, c, row) & 0xFF;
        text.push_back(ch >= 32 && ch < 127 ? static_cast<char>(ch) : ' ');
    }
    return text;
}

bool Bluish(COLORREF c)
{
    return GetBValue(c) > 150 && GetRValue(c) < 110 && GetGValue(c) < 110;
}

Event Char(uint32_t ch)
{
    return {EventKind::Character, ch};
}

Event Key(uint32_t vk)
{
    return {EventKind::Key, vk};
}

} // namespace

TEST(TwlDemoPages, TextPageHighlightsLineArtAndButtons)
{
    RunClient([](HostContext *context) {
        WriteDemoFiles();
        Demo demo;
        demo.host = context;
        ASSERT_TRUE(OpenScreen(demo.text, context, kTextScreen));
        DrawTextPage(demo);
        const Screen &s = demo.text;
        // "highlighted in blue" from column 15 of row 3 carries the highlight bit; the rest does not
        EXPECT_NE(RowText(s, 3).find("Words can be highlighted in blue (control code 5)"), std::string::npos);
        EXPECT_EQ(RowText(s, 4), std::string(80, ' ')); // the sentence fits its row
        const size_t at = RowText(s, 3).find("highlighted");
        for (size_t c = at; c < at + 19; ++c)
            EXPECT_TRUE(CellWord(s, static_cast<int32_t>(c), 3) & VDU_CELL_HIGHLIGHT) << c;
        EXPECT_FALSE(CellWord(s, static_cast<int32_t>(at) - 2, 3) & VDU_CELL_HIGHLIGHT);
        EXPECT_FALSE(CellWord(s, static_cast<int32_t>(at) + 20, 3) & VDU_CELL_HIGHLIGHT);
        // some pixel of the highlighted 'h' is blue
        const POINT h = CellOrigin(s.block, static_cast<int32_t>(at), 3);
        bool blue = false;
        for (int32_t y = 0; y < 16; ++y)
            for (int32_t x = 0; x < 8; ++x)
                blue = blue || Bluish(FrontPixel(context, s.block, h.x + x, h.y + y));
        EXPECT_TRUE(blue);
        // the table: corners, tees and the cross
        EXPECT_EQ(CellWord(s, 4, 7) & 0xFF, 20u);
        EXPECT_EQ(CellWord(s, 43, 7) & 0xFF, 23u);
        EXPECT_EQ(CellWord(s, 17, 9) & 0xFF, 19u);
        EXPECT_EQ(CellWord(s, 4, 11) & 0xFF, 21u);
        EXPECT_EQ(CellWord(s, 43, 11) & 0xFF, 22u);
        // "Embossed:" and "Bitmap:" became raised buttons
        EXPECT_EQ((CellWord(s, 4, 16) & VDU_CELL_BUTTON_MASK) >> 24, VDU_BUTTON_LEFT);
        EXPECT_EQ((CellWord(s, 8, 16) & VDU_CELL_BUTTON_MASK) >> 24, VDU_BUTTON_MIDDLE);
        EXPECT_EQ((CellWord(s, 12, 16) & VDU_CELL_BUTTON_MASK) >> 24, VDU_BUTTON_RIGHT);
        EXPECT_EQ((CellWord(s, 22, 16) & VDU_CELL_BUTTON_MASK) >> 24, VDU_BUTTON_RIGHT);
        EXPECT_EQ(CellWord(s, 14, 16) & VDU_CELL_BUTTON_MASK, 0u);
        // typed characters are echoed on row 19; Backspace takes the last one back
        HandleTextPage(demo, Char('o'));
        HandleTextPage(demo, Char('k'));
        HandleTextPage(demo, Char('!'));
        HandleTextPage(demo, Key(VK_BACK));
        EXPECT_EQ(RowText(s, 19, 4, 8), "ok  ");
        // Enter (typed or pasted) moves the line below the typing line; Tab spaces to the next stop
        HandleTextPage(demo, Key(VK_RETURN));
        EXPECT_EQ(RowText(s, 20, 2, 14), "Entered: ok ");
        HandleTextPage(demo, Char('x'));
        HandleTextPage(demo, Key(VK_TAB));
        HandleTextPage(demo, Char('y'));
        EXPECT_EQ(RowText(s, 19, 0, 14), "    x       y ");
        // a full line (a long paste) stops at the end of the typing line and of the entered line
        const std::string help = RowText(s, 21);
        for (int i = 0; i < 100; ++i)
            HandleTextPage(demo, Char('#'));
        EXPECT_EQ(RowText(s, 19, 70, 80), "######    ");
        HandleTextPage(demo, Key(VK_RETURN));
        EXPECT_EQ(RowText(s, 20, 70, 80), "##########");
        EXPECT_EQ(RowText(s, 21), help);
        EXPECT_TRUE(demo.running);
        HandleTextPage(demo, Key(VK_ESCAPE));
        EXPECT_FALSE(demo.running);
        CloseScreen(demo.text);
    });
}

TEST(TwlDemoPages, FormTakesInputMasksThePasswordAndClears)
{
    RunClient([](HostContext *context) {
        WriteDemoFiles();
        Demo demo;
        demo.host = context;
        ASSERT_TRUE(OpenScreen(demo.forms, context, kFormsScreen));
        DrawFormsPage(demo);
        const Screen &s = demo.forms;
        // the frame: corners and edges in the frame buffer, a white top stroke on the screen
        const uint32_t *frames = s.block->frames;
        EXPECT_EQ(frames[3 + 2 * 80], VDU_FRAME_TOP | VDU_FRAME_LEFT);
        EXPECT_EQ(frames[66 + 19 * 80], VDU_FRAME_RIGHT | VDU_FRAME_BOTTOM);
        EXPECT_EQ(frames[30 + 2 * 80], VDU_FRAME_TOP);
        EXPECT_EQ(frames[30 + 10 * 80], 0u);
        const POINT top = CellOrigin(s.block, 30, 2);
        EXPECT_EQ(FrontPixel(context, s.block, top.x + 3, top.y + 4), RGB(255, 255, 255));
        // labels and choice numbers are buttons; the fields are highlighted placeholders
        EXPECT_EQ((CellWord(s, 6, 5) & VDU_CELL_BUTTON_MASK) >> 24, VDU_BUTTON_LEFT);
        EXPECT_EQ((CellWord(s, 10, 5) & VDU_CELL_BUTTON_MASK) >> 24, VDU_BUTTON_RIGHT);
        EXPECT_EQ((CellWord(s, 22, 11) & VDU_CELL_BUTTON_MASK) >> 24, VDU_BUTTON_LEFT);
        EXPECT_EQ((CellWord(s, 23, 11) & VDU_CELL_BUTTON_MASK) >> 24, VDU_BUTTON_RIGHT);
        EXPECT_EQ(CellWord(s, 22, 5), VDU_CELL_HIGHLIGHT | '_');

        for (const char *p = "Ann"; *p; ++p)
            HandleFormsPage(demo, Char(static_cast<uint8_t>(*p)));
        HandleFormsPage(demo, Key(VK_TAB));
        for (const char *p = "Oslo"; *p; ++p)
            HandleFormsPage(demo, Char(static_cast<uint8_t>(*p)));
        HandleFormsPage(demo, Key(VK_TAB));
        for (const char *p = "secret"; *p; ++p)
            HandleFormsPage(demo, Char(static_cast<uint8_t>(*p)));
        HandleFormsPage(demo, Key(VK_BACK));
        EXPECT_EQ(CellWord(s, 22, 5), VDU_CELL_HIGHLIGHT | 'A');
        EXPECT_EQ(RowText(s, 7, 22, 27), "Oslo_");
        // five masked cells: spaces drawn as white blocks; the sixth was taken back
        for (int32_t c = 22; c < 27; ++c)
            EXPECT_EQ(CellWord(s, c, 9), VDU_CELL_MASK_BLOCK | ' ') << c;
        EXPECT_EQ(CellWord(s, 27, 9), VDU_CELL_HIGHLIGHT | '_');
        const POINT mask = CellOrigin(s.block, 23, 9);
        EXPECT_EQ(FrontPixel(context, s.block, mask.x + 3, mask.y + 6), RGB(255, 255, 255));
        EXPECT_EQ(demo.form.fields[2].text, "secre");
        // the cursor waits at the end of the focused field
        EXPECT_EQ(s.block->cursorColumn, 27);
        EXPECT_EQ(s.block->cursorRow, 9);

        HandleFormsPage(demo, Key(VK_RETURN));
        EXPECT_NE(RowText(s, 15).find("Hello Ann from Oslo."), std::string::npos) << RowText(s, 15);
        EXPECT_NE(RowText(s, 16).find("The password has 5 characters"), std::string::npos);
        EXPECT_EQ(RowText(s, 16).find("secre"), std::string::npos);

        demo.colourChoice = 2;
        HandleFormsPage(demo, Key(VK_RETURN));
        EXPECT_NE(RowText(s, 17).find("Colour choice: green."), std::string::npos) << RowText(s, 17);
        CloseScreen(demo.forms);
    });
}

TEST(TwlDemoPages, GraphicsPageFillsSwatchesInTheirColours)
{
    RunClient([](HostContext *context) {
        WriteDemoFiles();
        Demo demo;
        demo.host = context;
        ASSERT_TRUE(OpenScreen(demo.graphics, context, kGraphicsScreen));
        DrawGraphicsPage(demo);
        const VduBlock *b = demo.graphics.block;
        const POINT red = CellOrigin(b, 4, 4), blue = CellOrigin(b, 44, 4);
        EXPECT_EQ(FrontPixel(context, demo.graphics.block, red.x, red.y), RGB(255, 0, 0));
        EXPECT_EQ(FrontPixel(context, demo.graphics.block, blue.x, blue.y), RGB(0, 0, 255));
        // the colour box follows Space; the text layer stays on top of the fills
        const POINT box = CellOrigin(b, 70, 12);
        EXPECT_EQ(FrontPixel(context, demo.graphics.block, box.x, box.y), RGB(255, 0, 0));
        HandleGraphicsPage(demo, Char(' '));
        EXPECT_EQ(FrontPixel(context, demo.graphics.block, box.x, box.y), RGB(255, 128, 0));
        EXPECT_EQ(RowText(demo.graphics, 16, 64, 70), "orange");
        // the bitmap at 100 %: its top-left corner is a dark square of the checkered ground
        EXPECT_EQ(FrontPixel(context, demo.graphics.block, 15 + 232 + 1, 88 + 176 + 1), RGB(0x70, 0x70, 0x70));
        CloseScreen(demo.graphics);
    });
}

TEST(TwlDemoPages, RecordsAreSavedAndReadUnderLocks)
{
    RunClient([](HostContext *context) {
        DeleteFileA("TWLDEMO.DAT");
        LogLines saved = SaveRecord(context, 0);
        ASSERT_EQ(saved.size(), 1u);
        EXPECT_EQ(saved[0], "Saved record 0 under lock 0.");
        SaveRecord(context, 2);
        const LogLines read = ReadRecords(context);
        ASSERT_EQ(read.size(), 4u);
        EXPECT_EQ(read[0], "Read: 3 records in TWLDEMO.DAT.");
        EXPECT_EQ(read[1].rfind("  Record 0, saved at ", 0), 0u) << read[1];
        EXPECT_EQ(read[2], "  "); // the gap left by record 1 reads as zero bytes
        EXPECT_EQ(read[3].rfind("  Record 2, saved at ", 0), 0u) << read[3];
        const LogLines locks = LockTest(context);
        ASSERT_EQ(locks.size(), 3u);
        EXPECT_EQ(locks[0], "Locks: first handle locks record 1: status 0.");
        EXPECT_EQ(locks[1], "  second handle, same record: status 128, held by someone else.");
        EXPECT_EQ(locks[2], "  after the first unlocks it, the second gets it: status 0.");
    });
}

TEST(TwlDemoPages, RunsAProgramAndReadsWhatItWrote)
{
    RunClient([](HostContext *context) {
        const LogLines lines = RunProgram(context);
        ASSERT_EQ(lines.size(), 2u) << (lines.empty() ? "" : lines[0]);
        EXPECT_EQ(lines[0], "Run: cmd.exe ran and ended, status 0.");
        EXPECT_EQ(lines[1], "  TWLRUN.TXT: This line was written by a program that TWLDEMO ran.");
    });
}

TEST(TwlDemoPages, ServicesLogScrollsAboveItsRuleAndKeysSelectScreens)
{
    RunClient([](HostContext *context) {
        WriteDemoFiles();
        Demo demo;
        demo.host = context;
        ASSERT_TRUE(OpenScreen(demo.services, context, kServicesScreen));
        ASSERT_TRUE(OpenScreen(demo.embossed, context, kEmbossedScreen));
        DrawServicesPage(demo);
        const Screen &s = demo.services;
        DeleteFileA("TWLDEMO.DAT");
        for (int i = 0; i < 15; ++i) // fifteen saves over the five records 0 to 4
            HandleServicesPage(demo, Char(i % 2 ? 's' : 'S'));
        HandleServicesPage(demo, Char('l'));
        // eighteen lines in a log of seventeen rows: the newest at the bottom, the first gone; the
        // rules above and below the log stay
        EXPECT_NE(RowText(s, 21).find("after the first unlocks it, the second gets it: status 0."), std::string::npos);
        EXPECT_NE(RowText(s, 18).find("Saved record 4 under lock 4."), std::string::npos) << RowText(s, 18);
        EXPECT_NE(RowText(s, 5).find("Saved record 1 under lock 1."), std::string::npos) << RowText(s, 5);
        EXPECT_EQ(CellWord(s, 60, 22) & 0xFF, 18u);
        EXPECT_EQ(CellWord(s, 60, 4) & 0xFF, 18u);
        EXPECT_NE(RowText(s, 2).find("Hardcopy:"), std::string::npos);
        EXPECT_EQ(demo.nextRecord, 0);
        {
            std::lock_guard<std::mutex> guard(demo.writer.actionLock);
            EXPECT_EQ(demo.writer.lastAction, "Locks: first handle locks record 1: status 0.");
        }

        // Escape on the services page goes back to the live view, on a style page to screen 1;
        // a close request ends the demo from any page
        HandleServicesPage(demo, Key(VK_ESCAPE));
        EXPECT_EQ(context->selectedScreen & 0x7F, kViewScreen);
        HandleStylePage(demo, demo.embossed, Key(VK_ESCAPE));
        EXPECT_EQ(context->selectedScreen & 0x7F, kTextScreen);
        CloseScreen(demo.embossed);
        CloseScreen(demo.services);
    });
}

TEST(TwlDemoPages, LiveViewShowsTheFileAndStopsBeforeItsFilesClose)
{
    RunClient([](HostContext *context) {
        Demo demo;
        demo.host = context;
        ASSERT_TRUE(OpenScreen(demo.view, context, kViewScreen));
        ASSERT_TRUE(StartLiveView(demo));
        // The host's viewer copies the page at the window's ticks; read back with 'V', a pass
        // may reset the cursor between the move and the read, so look again until it agrees.
        bool shown = false;
        for (int i = 0; i < 150 && !shown; ++i) {
            shown = ReadCell(demo.view, 4, 2) == 'L' && ReadCell(demo.view, 9, 2) == 'f';
            if (!shown)
                Sleep(20);
        }
        EXPECT_TRUE(shown);
        StopLiveView(demo);
        EXPECT_EQ(demo.view.block, nullptr);
        EXPECT_EQ(context->mirrorFile, nullptr);
        EXPECT_EQ(demo.writer.viewFile, INVALID_HANDLE_VALUE);
        EXPECT_EQ(demo.writer.writeFile, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(demo.writer.thread.joinable());
    });
}

TEST(TwlDemoLogic, BitmapFilesAreWholeAndBottomUp)
{
    std::vector<uint32_t> pixels(3 * 2);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = 0x010203u * static_cast<uint32_t>(i + 1);
    const std::vector<uint8_t> file = BuildBmp(3, 2, pixels);
    ASSERT_EQ(file.size(), 14u + 40u + 2u * 12u); // rows of 9 bytes padded to 12
    uint32_t size, offset;
    memcpy(&size, &file[2], 4);
    memcpy(&offset, &file[10], 4);
    EXPECT_EQ(size, file.size());
    EXPECT_EQ(offset, 54u);
    // the last (bottom) row comes first, blue green red per pixel
    EXPECT_EQ(file[54], 0x0C);
    EXPECT_EQ(file[56], 0x04);
    EXPECT_EQ(file[66], 0x03);
    EXPECT_EQ(file[68], 0x01);
    EXPECT_TRUE(BuildBmp(3, 2, std::vector<uint32_t>(5)).empty());
    EXPECT_TRUE(BuildBmp(0, 2, {}).empty());

    // the host's loader takes the file as it is
    ASSERT_TRUE(WriteWholeFile("LOGIC.BMP", BuildBmp(64, 64, DemoPicture(64))));
    uint8_t *loaded = LoadBitmapFile("LOGIC.BMP");
    ASSERT_NE(loaded, nullptr);
    free(loaded);
}

TEST(TwlDemoLogic, ViewPageHasItsBoxClockAndAttributes)
{
    ViewState state;
    state.pass = 7;
    strcpy(state.time, "12:34:56");
    state.lastAction = "Saved record 3 under lock 3.";
    const ViewPage page = ComposeViewPage(state);
    const auto ch = [&](int c, int r) { return page[(r * 80 + c) * 2]; };
    const auto attr = [&](int c, int r) { return page[(r * 80 + c) * 2 + 1]; };
    EXPECT_EQ(ch(1, 1), 201);
    EXPECT_EQ(ch(78, 22), 188);
    EXPECT_EQ(ch(1, 4), 204);
    EXPECT_EQ(ch(40, 4), 205);
    std::string row6;
    for (int c = 0; c < 80; ++c)
        row6.push_back(static_cast<char>(ch(c, 6)));
    EXPECT_NE(row6.find("Time 12:34:56    page written 7 times"), std::string::npos);
    EXPECT_EQ(ch(14 + 7, 8), '#');
    EXPECT_EQ(attr(14 + 7, 8), 0x0F);
    EXPECT_EQ(attr(4, 13), 0x07);
    EXPECT_EQ(attr(4, 12), 0x0F);
    EXPECT_EQ(ch(6, 16), 'S');
    // nothing but the national-character row uses the bytes the viewer translates
    for (int r = 0; r < 24; ++r) {
        if (r == 10)
            continue;
        for (int c = 0; c < 80; ++c)
            EXPECT_EQ(strchr("[\\]{|}~", ch(c, r)) == nullptr || ch(c, r) == 0, true) << c << "," << r;
    }
    // the running block moves with the pass and wraps
    state.pass = 60 + 7;
    EXPECT_EQ(ComposeViewPage(state)[(8 * 80 + 14 + 7) * 2], '#');
}

TEST(TwlDemoLogic, EscapeWithoutKeyMessageIsACloseRequest)
{
    EXPECT_EQ(DecodeEvent(0, 0).kind, EventKind::None);
    EXPECT_EQ(DecodeEvent(VDU_EVENT_SYNTHETIC_ESCAPE, 0).kind, EventKind::CloseRequest);
    const Event pressed = DecodeEvent(VDU_EVENT_SYNTHETIC_ESCAPE | VDU_EVENT_NUM_LOCK, 0x00010001);
    EXPECT_EQ(pressed.kind, EventKind::Key);
    EXPECT_EQ(pressed.value, 27u);
    EXPECT_EQ(DecodeEvent(VDU_EVENT_SHIFT | 'A', 0x1E0001).kind, EventKind::Character);
    EXPECT_EQ(DecodeEvent(VDU_EVENT_MOUSE | 0x201, 0x00500020).kind, EventKind::LeftClick);
    EXPECT_EQ(DecodeEvent(VDU_EVENT_MOUSE | 0x202, 0x00500020).kind, EventKind::OtherMouse);
    EXPECT_EQ(DecodeEvent(VDU_EVENT_WHEEL | 0xFF88, 0).kind, EventKind::Wheel);
}
