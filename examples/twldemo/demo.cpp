// The client's body: opens the screens, draws the pages, then reads the events of every
// screen with 'K' and hands them to the page of that screen until the user ends the demo.
#include <string.h>

#include "demo.h"

namespace {

void NameDocuments(HostContext *host)
{
    const char *names[4] = {"TWLDEMO1", "TWLDEMO2", "TWLDEMO3", "TWLDEMO4"};
    for (int i = 0; i < 4; ++i)
        memcpy(host->documentNames[i].name, names[i], 8);
}

void Dispatch(Demo &demo, Screen &screen, const Event &event)
{
    if (event.kind == EventKind::CloseRequest) {
        demo.running = false;
        return;
    }
    switch (screen.number) {
    case kTextScreen: HandleTextPage(demo, event); break;
    case kEmbossedScreen:
    case kBitmapScreen: HandleStylePage(demo, screen, event); break;
    case kFormsScreen: HandleFormsPage(demo, event); break;
    case kGraphicsScreen: HandleGraphicsPage(demo, event); break;
    case kViewScreen: HandleViewPage(demo, event); break;
    case kServicesScreen: HandleServicesPage(demo, event); break;
    default: break;
    }
}

} // namespace

void RunDemo(HostContext *host)
{
    static Demo demo; // one per process; its thread and log live as long as the client
    demo.host = host;
    WriteDemoFiles();
    NameDocuments(host);

    Screen *screens[] = {&demo.text,     &demo.forms,    &demo.graphics, &demo.view,
                         &demo.services, &demo.embossed, &demo.bitmap};
    const uint8_t numbers[] = {kTextScreen,     kFormsScreen,    kGraphicsScreen, kViewScreen,
                               kServicesScreen, kEmbossedScreen, kBitmapScreen};
    bool opened = true;
    for (size_t i = 0; i < 7; ++i)
        opened = OpenScreen(*screens[i], host, numbers[i]) && opened;
    if (opened) {
        SelectScreen(host, kTextScreen);
        DrawTextPage(demo);
        DrawStylePage(demo.embossed, "Line drawing, embossed style");
        DrawStylePage(demo.bitmap, "Line drawing, bitmap style");
        DrawFormsPage(demo);
        DrawGraphicsPage(demo);
        DrawBand(demo.view);
        Flush(demo.view);
        DrawServicesPage(demo);
        if (!StartLiveView(demo)) {
            TextAt(demo.view, 2, 2, "TWLVIEW.DAT could not be made in the current folder: no live view.");
            Flush(demo.view);
        }
    }

    while (opened && demo.running) {
        bool any = false;
        for (Screen *screen : screens) {
            uint32_t position = 0;
            const uint32_t code = NextEvent(*screen, position);
            if (code == 0)
                continue;
            any = true;
            Dispatch(demo, *screen, DecodeEvent(code, position));
            if (!demo.running)
                break;
        }
        if (QuitRequested(host))
            demo.running = false;
        if (!any)
            Sleep(20);
    }

    StopLiveView(demo);
    for (Screen *screen : screens)
        CloseScreen(*screen);
}
