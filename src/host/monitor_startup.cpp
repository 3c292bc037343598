// Registration of the window classes and creation of the monitor window with its splash.
#include <cstdlib>

#include "files/bitmap_layout.h"
#include "host/startup.h"
#include "monitor/monitor_window.h"
#include "vdu/display_window.h"

namespace {

constexpr DWORD monitorStyle = 0x00CA0000;  // caption, system menu, minimise box
constexpr DWORD sizeableStyle = 0x00050000; // sizing frame, maximise box
constexpr int optionP = 'P' - 'A';
constexpr WORD programIconId = 1; // the program's ICON resource, if it has one

// The icon file in the current folder wins; without it, the icon built into the program.
HICON WindowIcon(HINSTANCE instance)
{
    constexpr UINT flags = LR_VGACOLOR | LR_SHARED;
    if (const HANDLE icon = LoadImageA(nullptr, "TARNWELL.ICO", IMAGE_ICON, 0, 0, flags | LR_LOADFROMFILE))
        return static_cast<HICON>(icon);
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(programIconId), IMAGE_ICON, 0, 0, flags));
}

WNDCLASSA HostWindowClass(HostContext *context)
{
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.cbWndExtra = 32;
    wc.hInstance = context->instance;
    wc.hIcon = WindowIcon(context->instance);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    return wc;
}

HDC CreateSplashCanvas(HostContext *context, HWND window)
{
    const HDC windowDC = GetWindowDC(window);
    const HDC canvas = CreateCompatibleDC(windowDC);
    if (!canvas) {
        ReleaseDC(window, windowDC);
        return nullptr;
    }
    SetMapMode(canvas, MM_TEXT);
    if (context->palette) {
        SelectPalette(canvas, context->palette, FALSE);
        RealizePalette(canvas);
    }
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = context->monitorWidth;
    header.biHeight = context->monitorHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    const HBITMAP bitmap = CreateDIBitmap(windowDC, &header, 0, nullptr, nullptr, 0);
    if (!bitmap) {
        DeleteDC(canvas);
        ReleaseDC(window, windowDC);
        return nullptr;
    }
    SelectObject(canvas, bitmap);
    const HGDIOBJ oldBrush = SelectObject(canvas, context->brushes[12]);
    PatBlt(canvas, 0, 0, context->monitorWidth, context->monitorHeight, PATCOPY);
    SelectObject(canvas, oldBrush);
    ReleaseDC(window, windowDC); // nothing else uses it
    return canvas;
}

// Draws the splash bitmap, if it loaded and its headers and pixels lie inside the file.
void DrawSplashPicture(HostContext *context, int y0)
{
    uint8_t *image = LoadBitmapFile("TARNWELL.ICM");
    BitmapLayout layout;
    if (image && !CheckBitmapLayout(image, BitmapFileSize(image), layout)) {
        std::free(image);
        image = nullptr;
    }
    context->splashImage = image;
    if (!image)
        return;
    const HDC canvas = context->splashCanvas;
    SetStretchBltMode(canvas, COLORONCOLOR);
    SetDIBitsToDevice(canvas, 0, y0, layout.width, layout.height, 0, 0, 0, layout.height,
                      image + layout.bitsOffset, reinterpret_cast<const BITMAPINFO *>(image + layout.infoOffset),
                      DIB_RGB_COLORS);
    SetStretchBltMode(canvas, BLACKONWHITE);
}

void DrawSplashTexts(HostContext *context, int y0)
{
    const HDC canvas = context->splashCanvas;
    SelectObject(canvas, context->font);
    SetTextColor(canvas, RGB(0, 0, 0));
    TextOutA(canvas, 0, y0 + 64, " tarnwell   ", 12);
    SetTextColor(canvas, 0xFF0000);
    TextOutA(canvas, 0, y0 + 96, "   installer", 12);
    TextOutA(canvas, 0, y0 + 112, "         for", 12);
    TextOutA(canvas, 0, y0 + 128, "  MS Windows", 12);
}

} // namespace

void RegisterMonitorClass(HostContext *context)
{
    WNDCLASSA wc = HostWindowClass(context);
    wc.lpfnWndProc = MonitorWindowProc;
    wc.lpszClassName = monitorClassName;
    RegisterClassA(&wc);
}

void RegisterDisplayClass(HostContext *context)
{
    WNDCLASSA wc = HostWindowClass(context);
    wc.style |= CS_DBLCLKS;
    wc.lpfnWndProc = DisplayWindowProc;
    wc.lpszClassName = displayClassName;
    RegisterClassA(&wc);
}

bool CreateMonitorWindow(HostContext *context)
{
    DWORD style = monitorStyle;
    if (context->optionFlags[optionP])
        style |= sizeableStyle;
    context->monitorWindow =
        CreateWindowExA(0, monitorClassName, monitorTitle, style, context->monitorLeft, context->monitorTop,
                        context->monitorWidth, context->monitorHeight, nullptr, nullptr, context->instance, context);
    if (!context->monitorWindow)
        return false;
    context->splashCanvas = CreateSplashCanvas(context, context->monitorWindow);
    if (!context->splashCanvas)
        return false;
    const int y0 = context->monitorHeight - 440;
    DrawSplashPicture(context, y0);
    DrawSplashTexts(context, y0);
    return true;
}
