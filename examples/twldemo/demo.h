// The demo's state and its pages. Each page draws itself once and reacts to the events of its
// screen; the input loop (demo.cpp) reads the events of all screens and hands them over.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

#include "events.h"
#include "form_fields.h"
#include "requests.h"

// Screen numbers. 1 to 4 are the main screens that the next-screen zone cycles through; the
// line-drawing style of a screen comes from its number (8 embossed, 9 and up bitmap), so the
// other two styles get screens of their own, and the services page is screen 5.
constexpr uint8_t kTextScreen = 1, kFormsScreen = 2, kGraphicsScreen = 3, kViewScreen = 4;
constexpr uint8_t kServicesScreen = 5, kEmbossedScreen = 8, kBitmapScreen = 9;

// The thread that keeps rewriting the page of the live file view.
struct ViewWriter {
    HANDLE writeFile = INVALID_HANDLE_VALUE; // the writer's own handle
    HANDLE viewFile = INVALID_HANDLE_VALUE;  // the handle the host's viewer reads through
    std::thread thread;
    std::atomic<bool> stop{false};
    std::mutex actionLock;
    std::string lastAction; // shown on the page; set by the services page
};

struct Demo {
    HostContext *host = nullptr;
    Screen text, embossed, bitmap, forms, graphics, view, services;
    Form form = DemoForm();
    int32_t echoColumn = 4;     // where the next typed character goes on the text page
    std::string typedLine;      // what was typed or pasted there since the last Enter
    int32_t colourChoice = 0;   // 1 to 3 once a colour button was pressed
    int32_t boxColour = 0;      // index of the colour box on the graphics page
    bool lineStarted = false;   // a click on the graphics page already set a start point
    int32_t nextRecord = 0;     // record the services page saves next
    ViewWriter writer;
    bool running = true;
};

// The client's body, run by HostMain on its worker thread.
void RunDemo(HostContext *host);

// Writes the files the demo reads: the bitmaps and the document pages.
void WriteDemoFiles();
// The five zone labels in the top margin, and the page heading in row 0.
void DrawBand(Screen &screen);
void DrawHeading(Screen &screen, const char *title);

void DrawTextPage(Demo &demo);
void DrawStylePage(Screen &screen, const char *style);
void HandleTextPage(Demo &demo, const Event &event);
void HandleStylePage(Demo &demo, Screen &screen, const Event &event);

void DrawFormsPage(Demo &demo);
void HandleFormsPage(Demo &demo, const Event &event);

void DrawGraphicsPage(Demo &demo);
void HandleGraphicsPage(Demo &demo, const Event &event);

bool StartLiveView(Demo &demo);
// Switches the viewer off, stops the writer, closes the live view's screen, then its files.
void StopLiveView(Demo &demo);
void HandleViewPage(Demo &demo, const Event &event);

void DrawServicesPage(Demo &demo);
void HandleServicesPage(Demo &demo, const Event &event);

// Record file, record locks, the execute service and a print job, as lines for the log of the
// services page.
using LogLines = std::vector<std::string>;
LogLines SaveRecord(HostContext *host, int32_t number);
LogLines ReadRecords(HostContext *host);
LogLines LockTest(HostContext *host);
LogLines RunProgram(HostContext *host);
LogLines PrintRecords(HostContext *host);
