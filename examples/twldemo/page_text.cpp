// Screen 1: text with highlight and line drawing in the etched style; screens 8 and 9 show the
// same drawing in the embossed and the bitmap style.
#include "demo.h"

namespace {

// Line-drawing codes.
constexpr uint8_t kVertical = 17, kHorizontal = 18, kCross = 19, kTopLeft = 20, kBottomLeft = 21;
constexpr uint8_t kBottomRight = 22, kTopRight = 23, kTeeDown = 24, kTeeRight = 25, kTeeUp = 26, kTeeLeft = 27;

constexpr int32_t kButtonRow = 16;
constexpr int32_t kEchoRow = 19, kEnteredRow = 20;
constexpr int32_t kEchoStart = 4, kEchoEnd = 76;

// A table of three columns and two rows, 12 cells wide each, from (column, row).
void DrawLineArt(Screen &screen, int32_t column, int32_t row)
{
    const int32_t width = 12;
    auto rule = [&](int32_t r, uint8_t left, uint8_t middle, uint8_t right) {
        MoveTo(screen, column, r);
        for (int32_t part = 0; part < 3; ++part) {
            Put(screen, part == 0 ? left : middle);
            for (int32_t i = 0; i < width; ++i)
                Put(screen, kHorizontal);
        }
        Put(screen, right);
    };
    auto cells = [&](int32_t r, const char *a, const char *b, const char *c) {
        const char *texts[3] = {a, b, c};
        for (int32_t part = 0; part < 3; ++part) {
            MoveTo(screen, column + part * (width + 1), r);
            Put(screen, kVertical);
            Text(screen, texts[part]);
        }
        MoveTo(screen, column + 3 * (width + 1), r);
        Put(screen, kVertical);
    };
    rule(row, kTopLeft, kTeeDown, kTopRight);
    cells(row + 1, " corners", " tees", " cross");
    rule(row + 2, kTeeRight, kCross, kTeeLeft);
    cells(row + 3, " lines", " codes", " 17 to 27");
    rule(row + 4, kBottomLeft, kTeeUp, kBottomRight);
}

bool InButton(const MouseCell &m, int32_t row, int32_t first, int32_t last)
{
    return m.row == row && m.column >= first && m.column <= last;
}

// One character on the typing line, as long as the line has room.
void Echo(Demo &demo, uint8_t ch)
{
    if (demo.echoColumn >= kEchoEnd)
        return;
    MoveTo(demo.text, demo.echoColumn++, kEchoRow);
    Put(demo.text, ch);
    demo.typedLine.push_back(static_cast<char>(ch));
}

// Enter, typed or pasted: the line moves below the typing line, which starts again empty.
void EnterLine(Demo &demo)
{
    Screen &s = demo.text;
    MoveTo(s, 2, kEnteredRow);
    Control(s, 23);
    const std::string entered = "Entered: " + demo.typedLine;
    TextAt(s, 2, kEnteredRow, entered.substr(0, 80 - 2).c_str()); // within its row
    demo.typedLine.clear();
    demo.echoColumn = kEchoStart;
    MoveTo(s, demo.echoColumn, kEchoRow);
    Control(s, 23);
}

} // namespace

void DrawTextPage(Demo &demo)
{
    Screen &s = demo.text;
    DrawBand(s);
    DrawHeading(s, "Text and line drawing");
    TextAt(s, 2, 2, "Text on a character screen: 80 columns by 24 rows of 8 x 16 pixel cells.");
    TextAt(s, 2, 3, "Words can be ");
    Control(s, 5);
    Text(s, "highlighted in blue");
    Control(s, 2);
    Text(s, " (control code 5) and plain again (code 2).");
    TextAt(s, 2, 5, "Line drawing in the etched style (screens 0 to 7):");
    DrawLineArt(s, 4, 7);
    TextAt(s, 2, 14, "The same drawing in the other two styles, each on a screen of its own:");
    TextAt(s, 4, kButtonRow, "Embossed:");
    TextAt(s, 16, kButtonRow, "Bitmap:");
    MarkButtons(s, 0, kButtonRow, 79, kButtonRow);
    TextAt(s, 2, 18, "Type or paste here, the keys are read with K (Backspace, Tab, Enter):");
    TextAt(s, 2, 21, "Next zone at the top left: next screen.   F2, F3: other styles.   Esc: end.");
    TextAt(s, 2, 22, "Drag over text to copy it; the system menu copies the screen and pastes.");
    MoveTo(s, demo.echoColumn, kEchoRow);
    Flush(s);
}

void DrawStylePage(Screen &screen, const char *style)
{
    DrawBand(screen);
    DrawHeading(screen, style);
    TextAt(screen, 2, 2, "The line-drawing style follows the screen number:");
    TextAt(screen, 4, 3, "0 to 7 etched, 8 embossed, 9 to 15 bitmap.");
    DrawLineArt(screen, 4, 7);
    TextAt(screen, 4, kButtonRow, "Back:");
    MarkButtons(screen, 0, kButtonRow, 79, kButtonRow);
    TextAt(screen, 2, 21, "Esc or Back: return to screen 1.");
    Flush(screen);
}

void HandleTextPage(Demo &demo, const Event &event)
{
    Screen &s = demo.text;
    switch (event.kind) {
    case EventKind::Key:
        if (event.value == VK_ESCAPE) {
            demo.running = false;
        } else if (event.value == VK_BACK && demo.echoColumn > kEchoStart) {
            --demo.echoColumn;
            demo.typedLine.pop_back();
            MoveTo(s, demo.echoColumn, kEchoRow);
            Control(s, 23);
        } else if (event.value == VK_TAB) {
            do
                Echo(demo, ' ');
            while ((demo.echoColumn - kEchoStart) % 8 != 0 && demo.echoColumn < kEchoEnd);
        } else if (event.value == VK_F2) {
            SelectScreen(demo.host, kEmbossedScreen);
        } else if (event.value == VK_F3) {
            SelectScreen(demo.host, kBitmapScreen);
        } else if (event.value == VK_RETURN) {
            EnterLine(demo);
        }
        break;
    case EventKind::Character:
        if (event.value >= 32 && event.value < 256)
            Echo(demo, static_cast<uint8_t>(event.value));
        break;
    case EventKind::LeftClick: {
        const MouseCell m = MousePosition(s);
        if (InButton(m, kButtonRow, 4, 12))
            SelectScreen(demo.host, kEmbossedScreen);
        else if (InButton(m, kButtonRow, 16, 22))
            SelectScreen(demo.host, kBitmapScreen);
        break;
    }
    default:
        break;
    }
    MoveTo(s, demo.echoColumn, kEchoRow);
}

void HandleStylePage(Demo &demo, Screen &screen, const Event &event)
{
    bool back = event.kind == EventKind::Key && event.value == VK_ESCAPE;
    if (event.kind == EventKind::LeftClick)
        back = InButton(MousePosition(screen), kButtonRow, 4, 8);
    if (back)
        SelectScreen(demo.host, kTextScreen);
}
