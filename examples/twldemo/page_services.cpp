// Screen 5, reached from the live file view: a hardcopy of the screen on the printer, records
// saved and read under record locks, the records printed as a print job, and a program run
// with the execute service. What each action did scrolls up in the log below the buttons.
#include <string.h>

#include "demo.h"

namespace {

constexpr int32_t kButtonRow = 2;
constexpr int32_t kLogTop = 5, kLogBottom = 21, kRuleRow = 22;

struct Action {
    const char *label; // ends in ':' so that it becomes a raised button
    int32_t column;
    char key;
};
const Action kActions[7] = {{"Hardcopy:", 2, 'H'}, {"Save:", 14, 'S'}, {"Read:", 22, 'R'}, {"Locks:", 30, 'L'},
                            {"Print:", 39, 'P'},    {"Run:", 48, 'X'},  {"Back:", 55, 0}};

void Log(Demo &demo, const std::string &line)
{
    Screen &s = demo.services;
    // The rule below the log closes the scroll region, so deleting the top line of the log
    // moves only the log up.
    MoveTo(s, 0, kLogTop);
    Control(s, 21);
    TextAt(s, 1, kLogBottom, line.substr(0, 78).c_str());
    Flush(s);
}

void LogAll(Demo &demo, const LogLines &lines)
{
    for (const std::string &line : lines)
        Log(demo, line);
    if (!lines.empty()) {
        std::lock_guard<std::mutex> guard(demo.writer.actionLock);
        demo.writer.lastAction = lines.front();
    }
}

void Hardcopy(Demo &demo)
{
    Log(demo, "Hardcopy: printing this screen...");
    const int8_t status = Submit(demo.host, &demo.services.block->header, 'H');
    LogAll(demo, {std::string("Hardcopy: done, status ") + std::to_string(status) +
                  (status == 0 ? "." : " (no printer and no LPT1).")});
}

void Run(Demo &demo, char key)
{
    switch (key) {
    case 'H': Hardcopy(demo); break;
    case 'S':
        LogAll(demo, SaveRecord(demo.host, demo.nextRecord));
        demo.nextRecord = (demo.nextRecord + 1) % 5;
        break;
    case 'R': LogAll(demo, ReadRecords(demo.host)); break;
    case 'L': LogAll(demo, LockTest(demo.host)); break;
    case 'P': LogAll(demo, PrintRecords(demo.host)); break;
    case 'X':
        Log(demo, "Run: starting cmd.exe and waiting for it...");
        LogAll(demo, RunProgram(demo.host));
        break;
    default: SelectScreen(demo.host, kViewScreen); break;
    }
}

} // namespace

void DrawServicesPage(Demo &demo)
{
    Screen &s = demo.services;
    DrawBand(s);
    DrawHeading(s, "Services: print, files, execute");
    for (const Action &a : kActions)
        TextAt(s, a.column, kButtonRow, a.label);
    MarkButtons(s, 0, kButtonRow, 79, kButtonRow);
    TextAt(s, 1, 3, "Keys H, S, R, L, P, X do the same.  Esc or Back: return to the live view.");
    MoveTo(s, 0, 4);
    for (int32_t i = 0; i < 79; ++i)
        Put(s, 18);
    MoveTo(s, 0, kRuleRow);
    for (int32_t i = 0; i < 79; ++i)
        Put(s, 18);
    Flush(s);
}

void HandleServicesPage(Demo &demo, const Event &event)
{
    switch (event.kind) {
    case EventKind::Key:
        if (event.value == VK_ESCAPE)
            SelectScreen(demo.host, kViewScreen);
        break;
    case EventKind::Character: {
        const uint32_t upper = event.value >= 'a' && event.value <= 'z' ? event.value - 32 : event.value;
        for (const Action &a : kActions)
            if (a.key && static_cast<uint32_t>(a.key) == upper)
                Run(demo, a.key);
        break;
    }
    case EventKind::LeftClick: {
        const MouseCell m = MousePosition(demo.services);
        for (const Action &a : kActions) {
            const int32_t last = a.column + static_cast<int32_t>(strlen(a.label)) - 1;
            if (m.row == kButtonRow && m.column >= a.column && m.column <= last)
                Run(demo, a.key);
        }
        break;
    }
    default:
        break;
    }
}
