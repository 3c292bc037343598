// Screen 2: a framed form with highlighted input fields, labels and numbers turned into raised
// buttons, and a password field with masked input.
#include <stdio.h>
#include <string.h>

#include <string>

#include "demo.h"

namespace {

constexpr int32_t kLabelColumn = 6;
constexpr int32_t kChoiceRow = 11, kActionRow = 13, kResultRow = 15;

struct Choice {
    int32_t column;
    const char *text; // a highlighted digit, a space and the name
};
const Choice kChoices[3] = {{22, "1 red"}, {30, "2 green"}, {40, "3 blue"}};

constexpr int32_t kOkColumn = 6, kClearColumn = 12; // "OK:" and "Clear:"

void DrawPlaceholder(Screen &s, const Field &f, int32_t from)
{
    MoveTo(s, f.column + from, f.row);
    Control(s, 5);
    for (int32_t i = from; i < f.length; ++i)
        Put(s, '_');
    Control(s, 2);
}

void DrawChoices(Screen &s)
{
    for (const Choice &c : kChoices) {
        TextAt(s, c.column, kChoiceRow, std::string(1, c.text[0]).c_str(), true);
        Text(s, c.text + 1);
    }
    MarkButtons(s, 4, kChoiceRow, 65, kChoiceRow);
}

void PlaceCursor(Demo &demo)
{
    const Field &f = demo.form.fields[demo.form.focus];
    const int32_t at = static_cast<int32_t>(f.text.size());
    MoveTo(demo.forms, f.column + (at < f.length ? at : f.length - 1), f.row);
}

// The text of a field as the screen holds it, read back with 'V'.
std::string ReadField(Screen &s, const Field &f)
{
    std::string text;
    MoveTo(s, f.column, f.row);
    for (int32_t i = 0; i < f.length; ++i) {
        Submit(s.host, &s.block->header, 'V');
        const uint32_t ch = s.block->data;
        if (ch > 255 || ch == '_' || ch < 32)
            break;
        text.push_back(static_cast<char>(ch));
    }
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

void ShowResult(Demo &demo, int32_t line, const char *text)
{
    Screen &s = demo.forms;
    MoveTo(s, kLabelColumn, kResultRow + line);
    Control(s, 23);
    TextAt(s, kLabelColumn, kResultRow + line, text);
}

void Submitted(Demo &demo)
{
    Screen &s = demo.forms;
    const std::string name = ReadField(s, demo.form.fields[0]);
    const std::string city = ReadField(s, demo.form.fields[1]);
    char line[80];
    snprintf(line, sizeof line, "Hello %.24s from %.24s.", name.empty() ? "nobody" : name.c_str(),
             city.empty() ? "nowhere" : city.c_str());
    ShowResult(demo, 0, line);
    snprintf(line, sizeof line, "The password has %u characters; the screen only shows blocks.",
             static_cast<unsigned>(demo.form.fields[2].text.size()));
    ShowResult(demo, 1, line);
    snprintf(line, sizeof line, "Colour choice: %s.",
             demo.colourChoice ? kChoices[demo.colourChoice - 1].text + 2 : "none");
    ShowResult(demo, 2, line);
}

void Cleared(Demo &demo)
{
    Screen &s = demo.forms;
    Control(s, 25); // every highlighted cell becomes a space: fields, choice digits, heading
    DrawHeading(s, "Forms");
    for (Field &f : demo.form.fields) {
        MoveTo(s, f.column, f.row);
        Control(s, 23); // the masked cells are not highlighted
        f.text.clear();
        DrawPlaceholder(s, f, 0);
    }
    DrawChoices(s);
    for (int32_t line = 0; line < 3; ++line) {
        MoveTo(s, kLabelColumn, kResultRow + line);
        Control(s, 23);
    }
    demo.colourChoice = 0;
    demo.form.focus = 0;
}

void Type(Demo &demo, uint32_t ch)
{
    Screen &s = demo.forms;
    Field &f = demo.form.fields[demo.form.focus];
    const int32_t at = static_cast<int32_t>(f.text.size());
    if (!TypeInto(f, ch))
        return;
    MoveTo(s, f.column + at, f.row);
    Control(s, f.masked ? 129 : 5);
    Put(s, static_cast<uint8_t>(ch));
    Control(s, 2);
}

void Backspace(Demo &demo)
{
    Screen &s = demo.forms;
    Field &f = demo.form.fields[demo.form.focus];
    if (!EraseLast(f))
        return;
    const int32_t at = static_cast<int32_t>(f.text.size());
    MoveTo(s, f.column + at, f.row);
    Control(s, 23);
    DrawPlaceholder(s, f, at);
}

void Clicked(Demo &demo)
{
    const MouseCell m = MousePosition(demo.forms);
    const int32_t field = FieldAt(demo.form, m.column, m.row);
    if (field >= 0) {
        demo.form.focus = field;
        return;
    }
    for (size_t i = 0; i < demo.form.fields.size(); ++i) {
        const Field &f = demo.form.fields[i];
        const int32_t labelEnd = kLabelColumn + static_cast<int32_t>(strlen(f.label)) - 1;
        if (m.row == f.row && m.column >= kLabelColumn && m.column <= labelEnd)
            demo.form.focus = static_cast<int32_t>(i);
    }
    if (m.row == kChoiceRow) {
        for (int32_t i = 0; i < 3; ++i) {
            if (m.column == kChoices[i].column || m.column == kChoices[i].column + 1)
                demo.colourChoice = i + 1;
        }
    }
    if (m.row == kActionRow && m.column >= kOkColumn && m.column <= kOkColumn + 2)
        Submitted(demo);
    if (m.row == kActionRow && m.column >= kClearColumn && m.column <= kClearColumn + 5)
        Cleared(demo);
}

} // namespace

void DrawFormsPage(Demo &demo)
{
    Screen &s = demo.forms;
    DrawBand(s);
    DrawHeading(s, "Forms");
    FrameBox(s, 3, 2, 66, 19);
    TextAt(s, kLabelColumn, 3, "Customer");
    for (const Field &f : demo.form.fields) {
        TextAt(s, kLabelColumn, f.row, f.label);
        DrawPlaceholder(s, f, 0);
    }
    TextAt(s, kLabelColumn, kChoiceRow, "Colour:");
    TextAt(s, kOkColumn, kActionRow, "OK:");
    TextAt(s, kClearColumn, kActionRow, "Clear:");
    for (const Choice &c : kChoices) {
        TextAt(s, c.column, kChoiceRow, std::string(1, c.text[0]).c_str(), true);
        Text(s, c.text + 1);
    }
    MarkButtons(s, 4, 4, 65, kActionRow);
    TextAt(s, 2, 21, "Tab or a click: choose a field.   Enter or OK: send.   Esc: screen 1.");
    PlaceCursor(demo);
    Flush(s);
}

void HandleFormsPage(Demo &demo, const Event &event)
{
    switch (event.kind) {
    case EventKind::Key:
        if (event.value == VK_ESCAPE)
            SelectScreen(demo.host, kTextScreen);
        else if (event.value == VK_TAB)
            demo.form.focus = (demo.form.focus + 1) % static_cast<int32_t>(demo.form.fields.size());
        else if (event.value == VK_BACK)
            Backspace(demo);
        else if (event.value == VK_RETURN)
            Submitted(demo);
        break;
    case EventKind::Character:
        Type(demo, event.value);
        break;
    case EventKind::LeftClick:
        Clicked(demo);
        break;
    default:
        break;
    }
    PlaceCursor(demo);
}
