// The everyday operations through real requests: 'T' words, control codes, code 16, 'V', 'K',
// 'M', 'A' and the repaint countdown.
#include "vdu_client.h"

#include <vector>

namespace {

// The countdown as `expected` or as the display window's 110 ms ticks may have moved it since.
bool CountdownFrom(uint8_t value, uint8_t expected)
{
    int v = expected;
    for (int tick = 0; tick < 10; ++tick) {
        if (v == value)
            return true;
        if (v >= 85)
            v = v + 4 >= 117 ? 0 : v + 4;
    }
    return false;
}

constexpr COLORREF white = 0xFFFFFF, face = 0xE0E0E0, lightGrey = 0xC0C0C0;

TEST(VduPutCharacter, WordsFromTheCharacterTheStateAndTheOldWord)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(), 0);

        // Masked input: '*' becomes a space showing a white block; a space stays plain.
        vdu.Control(129);
        EXPECT_EQ(vdu.block->maskMode, 4);
        EXPECT_EQ(vdu.block->highlight, 0);
        vdu.Write(3, 3, "* ");
        EXPECT_EQ(vdu.Cell(3, 3), 0x04000020u);
        EXPECT_EQ(vdu.Cell(4, 3), 32u);
        EXPECT_EQ(vdu.block->cursorColumn, 5);
        const POINT o = vdu.Origin(3, 3);
        EXPECT_EQ(vdu.Front(o.x, o.y), white);
        EXPECT_EQ(vdu.Front(o.x + 7, o.y + 13), white);
        EXPECT_EQ(vdu.Front(o.x + 7, o.y + 14), face);
        // The old word's bits 26 to 31 stay; its button part goes.
        vdu.block->cells[5 + 3 * 80] = 0x0B000041;
        vdu.Write(5, 3, "!");
        EXPECT_EQ(vdu.Cell(5, 3), 0x0C000020u);

        // Attributes off, highlight on: the character with highlight, keeping bits 24 to 31.
        vdu.Control(4);
        EXPECT_EQ(vdu.block->maskMode, 0);
        vdu.Control(5);
        EXPECT_EQ(vdu.block->highlight, 1);
        vdu.block->cells[6 + 3 * 80] = 0x0A000041;
        vdu.Write(6, 3, "x");
        EXPECT_EQ(vdu.Cell(6, 3), 0x0A010078u);
        EXPECT_EQ(vdu.Front(vdu.Origin(6, 3).x, vdu.Origin(6, 3).y + 6), lightGrey) << "still a middle button";
        vdu.Write(7, 3, "y");
        EXPECT_EQ(vdu.Cell(7, 3), 0x00010079u);
        // Masked input turns the highlight off.
        vdu.Control(129);
        EXPECT_EQ(vdu.block->highlight, 0);
        vdu.Control(2);
        vdu.Write(8, 3, "z");
        EXPECT_EQ(vdu.Cell(8, 3), uint32_t{'z'});
    });
}

TEST(VduControl, CursorMovesStateCodesAndCodesThatDoNothing)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(), 0);
        auto expectCursor = [&](int column, int row, const char *what) {
            EXPECT_EQ(vdu.block->cursorColumn, column) << what;
            EXPECT_EQ(vdu.block->cursorRow, row) << what;
        };
        vdu.MoveTo(10, 10);
        vdu.Control(6);
        expectCursor(11, 10, "6");
        vdu.Control(9);
        expectCursor(12, 10, "9");
        vdu.Control(8);
        expectCursor(11, 10, "8");
        vdu.Control(10);
        expectCursor(11, 11, "10");
        vdu.Control(26);
        expectCursor(11, 10, "26");
        vdu.Control(13);
        expectCursor(0, 10, "13");
        vdu.MoveTo(40, 12);
        vdu.Control(1);
        expectCursor(0, 0, "1");
        vdu.MoveTo(40, 12);
        vdu.Control(20);
        expectCursor(0, 12, "20");
        vdu.MoveTo(40, 12);
        vdu.Control(21);
        expectCursor(0, 12, "21");

        vdu.Write(0, 5, "keep");
        vdu.MoveTo(40, 12);
        const std::vector<uint32_t> cells(vdu.block->cells, vdu.block->cells + 80 * 24);
        for (int code : {0, 3, 7, 11, 14, 15, 17, 18, 19, 22, 27, 64, 127, 132, 133, 134, 138, 200, 255}) {
            vdu.block->repaintCountdown = 0;
            vdu.Control(static_cast<uint8_t>(code));
            EXPECT_EQ(vdu.block->cursorColumn, 40) << code;
            EXPECT_EQ(vdu.block->cursorRow, 12) << code;
            EXPECT_EQ(vdu.block->highlight, 0) << code;
            EXPECT_EQ(vdu.block->maskMode, 0) << code;
            EXPECT_EQ(vdu.block->regionMode, 0) << code;
            EXPECT_PRED2(CountdownFrom, vdu.block->repaintCountdown, 85) << code << ": every 'U' asks for a repaint";
        }
        EXPECT_TRUE(std::vector<uint32_t>(vdu.block->cells, vdu.block->cells + 80 * 24) == cells);

        // Arming codes; a code 16 with nothing armed leaves the mode as it is.
        for (uint8_t code : {130, 131, 136, 137}) {
            vdu.Control(code);
            EXPECT_EQ(vdu.block->regionMode, code);
        }
        vdu.block->regionMode = 99;
        vdu.Control(16, 0x80000000u);
        EXPECT_EQ(vdu.block->regionMode, 99);
        vdu.block->regionMode = 0;
    });
}

TEST(VduControl, PositionArgumentOfCode16)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(Geometry{80, 30}), 0);
        vdu.MoveTo(9, 9);
        vdu.Control(16, 0x00050003);
        EXPECT_EQ(vdu.block->cursorColumn, 5);
        EXPECT_EQ(vdu.block->cursorRow, 3);
        EXPECT_EQ(vdu.block->anchorColumn, 9);
        EXPECT_EQ(vdu.block->anchorRow, 9);
        vdu.Control(16, 0x00058001);
        EXPECT_EQ(vdu.block->cursorColumn, 5);
        EXPECT_EQ(vdu.block->cursorRow, 29);
        EXPECT_EQ(vdu.block->anchorRow, 3);
        vdu.Control(16, 0x00078000); // the row stays
        EXPECT_EQ(vdu.block->cursorColumn, 7);
        EXPECT_EQ(vdu.block->cursorRow, 29);
        vdu.Control(16, 0x80000000);
        EXPECT_EQ(vdu.block->cursorColumn, 7);
        EXPECT_EQ(vdu.block->cursorRow, 29);
        EXPECT_EQ(vdu.block->anchorColumn, 7);
        vdu.Control(16, 0x800A0002); // keep flag: column and row both stay
        EXPECT_EQ(vdu.block->cursorColumn, 7);
        EXPECT_EQ(vdu.block->cursorRow, 29);
        vdu.Control(16, 0x0003800A); // ten rows from the bottom
        EXPECT_EQ(vdu.block->cursorColumn, 3);
        EXPECT_EQ(vdu.block->cursorRow, 20);

        // An armed action on the one cell under a cursor that stays.
        vdu.Write(12, 4, "Go:");
        vdu.MoveTo(14, 4);
        vdu.Control(130);
        vdu.Control(16, 0x80000000);
        EXPECT_EQ(vdu.Cell(14, 4), 0x03000000u | ':');
        EXPECT_EQ(vdu.Cell(13, 4), uint32_t{'o'}) << "outside the one-cell region";
        EXPECT_EQ(vdu.block->regionMode, 0);
    });
}

TEST(VduReadCharacter, ReadsTheCodeAndAdvancesWithoutWrapping)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(Geometry{10, 3}), 0);
        vdu.Control(5);
        vdu.Write(8, 1, "Hi");
        vdu.MoveTo(8, 1);
        vdu.block->repaintCountdown = 0;
        vdu.block->extra = 77;
        ASSERT_EQ(vdu.Submit('V'), 0);
        EXPECT_EQ(vdu.block->data, uint32_t{'H'}) << "the character code alone, without the highlight";
        EXPECT_EQ(vdu.block->extra, 0u);
        EXPECT_EQ(vdu.block->cursorColumn, 9);
        ASSERT_EQ(vdu.Submit('V'), 0);
        EXPECT_EQ(vdu.block->data, uint32_t{'i'});
        EXPECT_EQ(vdu.block->cursorColumn, 10);
        EXPECT_EQ(vdu.block->cursorRow, 1);
        ASSERT_EQ(vdu.Submit('V'), 0);
        EXPECT_EQ(vdu.block->data, 0x1000Du) << "end mark";
        EXPECT_EQ(vdu.block->cursorColumn, 10);
        EXPECT_EQ(vdu.block->cursorRow, 1);
        vdu.MoveTo(0, 3);
        ASSERT_EQ(vdu.Submit('V'), 0);
        EXPECT_EQ(vdu.block->data, 0x1000Du);
        vdu.MoveTo(-1, 0);
        ASSERT_EQ(vdu.Submit('V'), 0);
        EXPECT_EQ(vdu.block->data, 0x1000Du);
        EXPECT_EQ(vdu.block->repaintCountdown, 0) << "reading asks for no repaint";
    });
}

void Queue(VduBlock *b, uint32_t code, uint32_t position)
{
    b->eventWriteIndex = (b->eventWriteIndex + 1) & 15;
    b->events[b->eventWriteIndex] = {code, position};
    ++b->eventCount;
}

TEST(VduTakeEvent, PendingEscapesFirstThenTheRingInOrder)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(), 0);
        VduBlock *b = vdu.block;
        ASSERT_EQ(vdu.Submit('K'), 0);
        EXPECT_EQ(b->data, 0u);
        EXPECT_EQ(b->extra, 0u);

        Queue(b, 0x41, 0x001E0001);
        b->pendingEscapes = 16;
        for (int i = 0; i < 16; ++i) {
            b->extra = 5;
            ASSERT_EQ(vdu.Submit('K'), 0);
            EXPECT_EQ(b->data, 0x1001Bu) << i;
            EXPECT_EQ(b->extra, 0u) << i;
        }
        EXPECT_EQ(b->pendingEscapes, 0);
        EXPECT_EQ(b->eventCount, 1);
        ASSERT_EQ(vdu.Submit('K'), 0);
        EXPECT_EQ(b->data, 0x41u);
        EXPECT_EQ(b->extra, 0x001E0001u);
        EXPECT_EQ(b->eventCount, 0);
        ASSERT_EQ(vdu.Submit('K'), 0);
        EXPECT_EQ(b->data, 0u);

        // A full ring starting at index 12: sixteen events in order, mouse and wheel events
        // leaving their position in mouseX and mouseY.
        b->eventWriteIndex = b->eventReadIndex = 11;
        for (uint32_t i = 0; i < 16; ++i) {
            uint32_t code = 0x00010000u | (0x30 + i);
            if (i == 3)
                code = 0x80020201u; // Shift + left button down
            if (i == 9)
                code = 0x00040078u; // wheel
            Queue(b, code, ((100 + i) << 16) | (200 + i));
        }
        ASSERT_EQ(b->eventCount, 16);
        for (uint32_t i = 0; i < 16; ++i) {
            ASSERT_EQ(vdu.Submit('K'), 0);
            EXPECT_EQ(b->data & 0xFFFF, i == 3 ? 0x201u : i == 9 ? 0x78u : 0x30 + i) << i;
            EXPECT_EQ(b->extra, ((100 + i) << 16) | (200 + i)) << i;
            EXPECT_EQ(b->eventCount, static_cast<int32_t>(15 - i));
            EXPECT_EQ(b->eventReadIndex, static_cast<int32_t>((12 + i) & 15));
            if (i == 3 || i == 9) {
                EXPECT_EQ(b->mouseX, static_cast<int32_t>(200 + i));
                EXPECT_EQ(b->mouseY, static_cast<int32_t>(100 + i));
            }
            if (i == 5) {
                EXPECT_EQ(b->mouseX, 203) << "a key event leaves the mouse position";
            }
        }
        ASSERT_EQ(vdu.Submit('K'), 0);
        EXPECT_EQ(b->data, 0u);
        EXPECT_EQ(b->eventCount, 0);
    });
}

TEST(VduMouseAndGeometry, MouseToCellAndTheGeometryReport)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(Geometry{80, 24, 8, 16, 15, 88, 9, 56}), 0);
        VduBlock *b = vdu.block;
        ASSERT_EQ(vdu.Submit('A'), 0);
        EXPECT_EQ(b->data, 0x00180050u);
        EXPECT_EQ(b->extra, 0x00100008u);

        // A mouse event at (0, 0) of the window: left of and above the text area.
        Queue(b, 0x00020201, 0);
        b->mouseX = b->mouseY = 55;
        ASSERT_EQ(vdu.Submit('K'), 0);
        ASSERT_EQ(vdu.Submit('M'), 0);
        EXPECT_EQ(b->data, 0u);
        EXPECT_EQ(b->extra, 0xFFA8FFF1u) << "-15 and -88 in two's complement";

        // Inside the text area, the window at 100 %.
        b->mouseX = 15 + 10 * 8 + 3;
        b->mouseY = 88 + 5 * 16 + 2;
        ASSERT_EQ(vdu.Submit('M'), 0);
        EXPECT_EQ(b->data, (5u << 16) | 10);
        EXPECT_EQ(b->extra, (82u << 16) | 83);
        // A window twice as large maps back onto the image.
        b->windowWidth = 2 * b->backWidth;
        b->windowHeight = 2 * b->backHeight;
        b->mouseX = 2 * (15 + 10 * 8 + 3);
        b->mouseY = 2 * (88 + 5 * 16 + 2);
        ASSERT_EQ(vdu.Submit('M'), 0);
        EXPECT_EQ(b->data, (5u << 16) | 10);
        EXPECT_EQ(b->extra, (82u << 16) | 83);
        // Beyond the text area: the last cell.
        b->mouseX = 2 * b->backWidth - 1;
        b->mouseY = 2 * b->backHeight - 1;
        ASSERT_EQ(vdu.Submit('M'), 0);
        EXPECT_EQ(b->data, (23u << 16) | 79);
        // No window size: the margins stand in.
        b->windowWidth = b->windowHeight = 0;
        ASSERT_EQ(vdu.Submit('M'), 0);
        EXPECT_EQ(b->data, 0u);
        EXPECT_EQ(b->extra, 0u);
    });
}

TEST(VduRepaintCountdown, WhichOperationsRequestARepaintAndHowSoon)
{
    RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(), 0);
        VduBlock *b = vdu.block;
        struct Case {
            uint8_t start;
            uint8_t op;
            uint8_t code;
            uint8_t expected;
        };
        const Case cases[] = {
            {0, 'T', 'a', 85},     {97, 'T', 'a', 117},   {0, 'U', 3, 85},       {0, 'U', 13, 85},
            {84, 'U', 13, 85},     {85, 'U', 13, 117},    {90, 'U', 13, 127},    {0, 'U', 128, 117},
            {0, 'U', 12, 117},     {0, 'U', 24, 85},      {0, 'U', 135, 85},     {0, 'K', 0, 0},
            {84, 'K', 0, 84},      {85, 'K', 0, 117},     {90, 'K', 0, 127},     {0, 'V', 0, 0},
            {0, 'A', 0, 0},        {0, 'M', 0, 0},        {42, 'V', 0, 42},
        };
        for (const Case &c : cases) {
            vdu.MoveTo(10, 10);
            b->repaintCountdown = c.start;
            b->data = c.code;
            b->extra = 0;
            ASSERT_EQ(vdu.Submit(c.op), 0);
            EXPECT_PRED2(CountdownFrom, b->repaintCountdown, c.expected)
                << "'" << static_cast<char>(c.op) << "' " << int{c.code} << " from " << int{c.start};
        }
        // Scrolling from the normaliser asks as well: 'U' 10 at the last row from 0.
        vdu.MoveTo(0, 23);
        b->repaintCountdown = 0;
        vdu.Control(10);
        EXPECT_PRED2(CountdownFrom, b->repaintCountdown, 85);
    });
}

} // namespace
