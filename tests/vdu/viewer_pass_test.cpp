// Passes of the file viewer over a page file that the test rewrites: what is drawn, what is
// left alone, and how failures are reported.
#include "viewer_box_counter.h"
#include "viewer_fixture.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "host/shared_fields.h"
#include "vdu/file_viewer.h"
#include "vdu/screen_state.h"
#include "vdu/viewer_page.h"

namespace {

int Brightness(COLORREF c)
{
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

bool Purplish(COLORREF c)
{
    return GetRValue(c) > 60 && GetBValue(c) > 60 && GetGValue(c) + 40 < GetRValue(c) &&
           GetGValue(c) + 40 < GetBValue(c);
}

struct CellInk {
    int count = 0, top = 99, purple = 0;
    COLORREF darkest = 0xFFFFFF;
};

// The pixels of a cell that differ from the face colour.
CellInk InkOf(const Image &image, POINT o, int width = 8, int height = 16)
{
    CellInk ink;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF p = image.At(o.x + x, o.y + y);
            if (p == viewerFace)
                continue;
            ++ink.count;
            ink.top = std::min(ink.top, y);
            ink.purple += Purplish(p);
            if (Brightness(p) < Brightness(ink.darkest))
                ink.darkest = p;
        }
    return ink;
}

TEST(FileViewer, DrawsTranslatedCharactersInTheirColoursAndBoxCharactersAsBars)
{
    const int exitCode = RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(), 0);
        PageFile file("page.bin");
        TextPage page;
        page.Set(0, 0, 0x5B);
        page.Set(1, 0, 0x7E);
        page.Set(2, 0, 0x15);
        page.Set(4, 1, 'W', 0x0F);
        const uint8_t row1[] = {'W', 'g', '@', 'M', 0x7D, 0x99};
        for (int i = 0; i < 6; ++i)
            page.Set(5 + i, 1, row1[i]);
        page.Set(10, 5, 205);
        page.Set(11, 5, 186, 0x0F);
        page.Set(12, 5, 199);
        page.Set(79, 23, 'Z');
        page.Set(20, 5, 204);
        page.Set(21, 5, ' '); // redrawn too: its erase takes back the bar of 204
        page.Set(30, 5, 204); // next to a cell left alone, which keeps it
        file.Write(page);
        context->mirrorFile = file.handle();
        vdu.MoveTo(7, 9);
        vdu.block->repaintCountdown = 0;
        RunFileViewer(context, vdu.block);

        EXPECT_EQ(vdu.Cell(0, 0), 0xC4u);
        EXPECT_EQ(vdu.Cell(1, 0), uint32_t{'A'});
        EXPECT_EQ(vdu.Cell(2, 0), 0xDFu);
        EXPECT_EQ(vdu.Cell(10, 5), 205u);
        EXPECT_EQ(vdu.Cell(79, 23), uint32_t{'Z'});
        EXPECT_EQ(vdu.Cell(3, 0), 0u);
        EXPECT_EQ(vdu.block->cursorColumn, 0);
        EXPECT_EQ(vdu.block->cursorRow, 0);
        EXPECT_EQ(vdu.block->repaintCountdown & 117, 117);
        EXPECT_EQ(context->mirrorFile, file.handle());

        const Image image = vdu.Capture();
        const CellInk purple = InkOf(image, vdu.Origin(4, 1)), black = InkOf(image, vdu.Origin(5, 1));
        EXPECT_GT(purple.count, 10);
        EXPECT_GT(purple.purple, 5) << "darkest 0x" << std::hex << purple.darkest;
        EXPECT_GT(black.count, 10);
        EXPECT_EQ(black.purple, 0);
        EXPECT_LT(Brightness(black.darkest), 120) << std::hex << black.darkest;
        // text stands two pixels lower than the renderer's, and a run of cells drawn together
        // looks as if each had been drawn on its own
        const uint8_t shown[] = {'W', 'g', '@', 'M', 0xFC, 0xD6};
        for (int i = 0; i < 6; ++i)
            vdu.Render(5 + i, 10, shown[i]);
        const Image rendered = vdu.Capture();
        for (int i = 0; i < 6; ++i) {
            const POINT v = vdu.Origin(5 + i, 1), r = vdu.Origin(5 + i, 10);
            int differing = 0;
            for (int y = 0; y < 14; ++y)
                for (int x = 0; x < 8; ++x)
                    differing += rendered.At(v.x + x, v.y + y + 2) != rendered.At(r.x + x, r.y + y);
            EXPECT_EQ(differing, 0) << int{shown[i]};
            EXPECT_EQ(InkOf(rendered, v, 8, 2).count, 0) << int{shown[i]};
        }
        // codes next to the box characters are text: dark ink, no bar
        EXPECT_LT(Brightness(InkOf(image, vdu.Origin(12, 5)).darkest), 300);

        const POINT afterRedrawn = vdu.Origin(21, 5), afterKept = vdu.Origin(31, 5);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 8; ++x) {
                EXPECT_EQ(image.At(afterRedrawn.x + x, afterRedrawn.y + y), viewerFace) << x << ", " << y;
                EXPECT_EQ(image.At(afterKept.x + x, afterKept.y + y),
                          x < 2 && y >= 5 && y <= 7 ? viewerBarGrey : viewerFace)
                    << x << ", " << y;
            }
        const POINT horizontal = vdu.Origin(10, 5), vertical = vdu.Origin(11, 5);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 8; ++x) {
                EXPECT_EQ(image.At(horizontal.x + x, horizontal.y + y), y >= 5 && y <= 7 ? viewerBarGrey : viewerFace)
                    << "205 at (" << x << ", " << y << ")";
                EXPECT_EQ(image.At(vertical.x + x, vertical.y + y), x >= 1 && x <= 3 ? viewerBarGrey : viewerFace)
                    << "186 at (" << x << ", " << y << ")";
            }
    });
    EXPECT_EQ(exitCode, 0) << "the host did not start";
}

TEST(FileViewer, UnchangedCharactersAreNotRedrawnWhateverTheirAttributes)
{
    const int exitCode = RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(), 0);
        PageFile file("page.bin");
        TextPage page;
        page.Fill('k');
        page.Set(0, 0, 0x5B);
        page.Set(40, 12, 205);
        page.Set(20, 3, 0);
        file.Write(page);
        context->mirrorFile = file.handle();
        RunFileViewer(context, vdu.block);
        const std::vector<POINT> marked = {{0, 0}, {1, 0}, {40, 12}, {20, 3}, {79, 23}};
        MarkCells(vdu, marked);

        vdu.block->repaintCountdown = 0;
        RunFileViewer(context, vdu.block);
        for (POINT c : marked)
            EXPECT_TRUE(CellMarked(vdu, c)) << "unchanged page: cell " << c.x << ", " << c.y << " redrawn";
        EXPECT_EQ(vdu.block->repaintCountdown, 0) << "nothing changed, nothing to show";

        // the same characters, every attribute changed
        page.Fill('k', 0x0F);
        page.Set(0, 0, 0x5B, 0x0F);
        page.Set(40, 12, 205, 0x0F);
        page.Set(20, 3, 0, 0x0F);
        file.Write(page);
        vdu.block->repaintCountdown = 85; // a request already pending is brought forward
        RunFileViewer(context, vdu.block);
        for (POINT c : marked)
            EXPECT_TRUE(CellMarked(vdu, c)) << "attributes only: cell " << c.x << ", " << c.y << " redrawn";
        EXPECT_EQ(vdu.block->repaintCountdown, 85 | 117);

        // a character written by an operation is replaced by the page's on the next pass
        vdu.Write(1, 0, "q");
        page.Set(79, 23, 'm');
        file.Write(page);
        vdu.block->repaintCountdown = 0;
        RunFileViewer(context, vdu.block);
        EXPECT_FALSE(CellMarked(vdu, {1, 0}));
        EXPECT_FALSE(CellMarked(vdu, {79, 23}));
        EXPECT_TRUE(CellMarked(vdu, {0, 0}));
        EXPECT_TRUE(CellMarked(vdu, {40, 12}));
        EXPECT_EQ(vdu.Cell(1, 0), uint32_t{'k'});
        EXPECT_EQ(vdu.Cell(79, 23), uint32_t{'m'});
        EXPECT_EQ(vdu.block->repaintCountdown & 117, 117);
    });
    EXPECT_EQ(exitCode, 0) << "the host did not start";
}

TEST(FileViewer, AShortFileIsReportedOnceUntilThePageIsComplete)
{
    const int exitCode = RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(), 0);
        PageFile file("page.bin");
        TextPage page;
        page.Fill('e');
        file.Write(page);
        file.Resize(8000);
        context->mirrorFile = file.handle();
        vdu.block->viewerSwitch = 'V';
        {
            BoxCounter boxes;
            for (int tick = 0; tick < 12; ++tick)
                RunFileViewer(context, vdu.block);
            EXPECT_EQ(boxes.Count(), 1);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"VDU read error"});
        }
        EXPECT_EQ(vdu.Cell(0, 0), 0u);
        EXPECT_EQ(vdu.Cell(79, 23), 0u);
        // the client's handle and fields are as they were
        EXPECT_EQ(context->mirrorFile, file.handle());
        EXPECT_EQ(GetFileSize(file.handle(), nullptr), 8000u);
        EXPECT_EQ(vdu.block->host, context);
        EXPECT_EQ(vdu.block->viewerSwitch, 'V');

        file.Write(page); // full size
        {
            BoxCounter boxes;
            RunFileViewer(context, vdu.block);
            EXPECT_EQ(vdu.Cell(0, 0), uint32_t{'e'});
            EXPECT_EQ(vdu.Cell(79, 23), uint32_t{'e'});
            // a success re-arms the report
            file.Resize(8000);
            for (int tick = 0; tick < 5; ++tick)
                RunFileViewer(context, vdu.block);
            context->mirrorFile = nullptr;
            RunFileViewer(context, vdu.block);
            EXPECT_EQ(boxes.Count(), 1);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"VDU read error"});
        }
        file.Write(page);
        context->mirrorFile = file.handle();
        RunFileViewer(context, vdu.block);
        {
            BoxCounter boxes;
            context->mirrorFile = INVALID_HANDLE_VALUE;
            RunFileViewer(context, vdu.block);
            context->mirrorFile = nullptr;
            RunFileViewer(context, vdu.block);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"INV VDU file HANDLE"});
        }
        context->mirrorFile = nullptr;
    });
    EXPECT_EQ(exitCode, 0) << "the host did not start";
}

TEST(FileViewer, AFileOf4GiBOrMoreIsReportedAndItsHandleKept)
{
    const int exitCode = RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(), 0);
        PageFile file("huge.bin");
        file.Resize((uint64_t{1} << 32) + 8192); // sparse
        context->mirrorFile = file.handle();
        {
            BoxCounter boxes;
            RunFileViewer(context, vdu.block);
            RunFileViewer(context, vdu.block);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"VDU dwFileSizeHigh error"});
        }
        DWORD high = 0;
        EXPECT_EQ(GetFileSize(file.handle(), &high), 8192u);
        EXPECT_EQ(high, 1u);
        EXPECT_EQ(context->mirrorFile, file.handle());
        EXPECT_EQ(vdu.block->host, context);
        context->mirrorFile = nullptr;
    });
    EXPECT_EQ(exitCode, 0) << "the host did not start";
}

// A window of the client's thread whose timer runs passes, as the display window's does: the
// loop of a message box dispatches its ticks.
struct TickWindow {
    static inline VduBlock *block;
    static inline HostContext *context;
    static inline int ticks;
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_TIMER) {
            ++ticks;
            RunFileViewer(context, block);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

TEST(FileViewer, TicksDuringTheMessageBoxNeitherRunAPassNorReportAgain)
{
    const int exitCode = RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(), 0);
        PageFile file("page.bin");
        TextPage page;
        page.Fill('t');
        file.Write(page);
        file.Resize(8000);
        context->mirrorFile = file.handle();

        WNDCLASSA wc{};
        wc.lpfnWndProc = TickWindow::Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "viewer_tick_test";
        RegisterClassA(&wc);
        TickWindow::block = vdu.block;
        TickWindow::context = context;
        TickWindow::ticks = 0;
        const HWND ticker = CreateWindowExA(0, "viewer_tick_test", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                                            wc.hInstance, nullptr);
        ASSERT_NE(ticker, nullptr);
        SetTimer(ticker, 1, 20, nullptr);
        {
            // While the box is up the file reaches full size: a pass run inside the box's loop
            // would draw the page.
            BoxCounter boxes(600, [&file, &page] { file.Write(page); });
            RunFileViewer(context, vdu.block);
            EXPECT_EQ(boxes.Count(), 1);
            EXPECT_GT(TickWindow::ticks, 5) << "the box's loop dispatched no ticks";
            EXPECT_EQ(vdu.Cell(0, 0), 0u) << "a pass ran inside another";
        }
        // the next tick shows the page
        MSG message;
        for (int i = 0; i < 100 && vdu.Cell(0, 0) == 0; ++i) {
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            Sleep(10);
        }
        EXPECT_EQ(vdu.Cell(0, 0), uint32_t{'t'});
        KillTimer(ticker, 1);
        DestroyWindow(ticker);
        context->mirrorFile = nullptr;
    });
    EXPECT_EQ(exitCode, 0) << "the host did not start";
}

TEST(FileViewer, ScreensSmallerOrLargerThanThePageShowThePartThatFits)
{
    const int exitCode = RunClient([](HostContext *context) {
        PageFile file("page.bin");
        TextPage page;
        page.Fill('M');
        page.Set(79, 23, 204); // its bar reaches into the next cell
        file.Write(page);
        context->mirrorFile = file.handle();

        VduClient small(context);
        Geometry g;
        g.columns = 40;
        g.rows = 10;
        ASSERT_EQ(small.Open(g), 0);
        const int count = 40 * 10;
        RunFileViewer(context, small.block);
        int shown = 0;
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 40; ++c)
                shown += small.Cell(c, r) == 'M';
        EXPECT_EQ(shown, count);
        // writes past the cell buffer would reach the frame buffer made after it, which the
        // viewer never writes
        int frames = 0;
        {
            ScreenLock screen{small.block};
            ASSERT_TRUE(screen);
            for (int i = 0; i < count; ++i)
                frames += screen.get()->frames[i] != 0;
        }
        EXPECT_EQ(frames, 0) << "written past the cells";
        // nothing drawn right of the last column or below the last row
        const Image front = small.Capture(), back = small.Capture(false);
        const POINT end = small.Origin(40, 10);
        int outside = 0;
        for (int y = 0; y < front.height; ++y)
            for (int x = 0; x < front.width; ++x)
                if ((x >= end.x || y >= end.y) && front.At(x, y) != back.At(x, y))
                    ++outside;
        EXPECT_EQ(outside, 0);

        VduClient large(context);
        g.columns = 100;
        g.rows = 30;
        ASSERT_EQ(large.Open(g), 0);
        RunFileViewer(context, large.block);
        EXPECT_EQ(large.Cell(0, 1), uint32_t{'M'});
        EXPECT_EQ(large.Cell(79, 22), uint32_t{'M'});
        EXPECT_EQ(large.Cell(79, 23), 204u);
        int beyond = 0;
        for (int r = 0; r < 30; ++r)
            for (int c = 0; c < 100; ++c)
                beyond += (c >= 80 || r >= 24) && large.Cell(c, r) != 0;
        EXPECT_EQ(beyond, 0);
        context->mirrorFile = nullptr;
    });
    EXPECT_EQ(exitCode, 0) << "the host did not start";
}

// Pixels of the front image outside the cell area that differ from the back image.
int DrawnOutsideTheCells(const VduClient &vdu, int32_t columns, int32_t rows)
{
    const Image front = vdu.Capture(), back = vdu.Capture(false);
    const POINT start = vdu.Origin(0, 0), end = vdu.Origin(columns, rows);
    int outside = 0;
    for (int y = 0; y < front.height; ++y)
        for (int x = 0; x < front.width; ++x)
            if ((x < start.x || y < start.y || x >= end.x || y >= end.y) && front.At(x, y) != back.At(x, y))
                ++outside;
    return outside;
}

TEST(FileViewer, BarsAndTextAtTheEdgesStayInsideTheCells)
{
    const int exitCode = RunClient([](HostContext *context) {
        PageFile file("page.bin");
        TextPage page;
        for (int r = 0; r < 24; ++r)
            page.Set(39, r, 204); // the bar that reaches into the next cell, in the last column
        const uint8_t low[] = {'g', 'j', 'p', 'q', 'y', '_', 186, 206};
        for (int r : {9, 23})
            for (int i = 0; i < 8; ++i)
                page.Set(10 + i, r, low[i]); // descenders and bars in the last row
        page.Set(79, 23, 204);
        file.Write(page);
        context->mirrorFile = file.handle();

        VduClient small(context);
        Geometry g;
        g.columns = 40;
        g.rows = 10;
        ASSERT_EQ(small.Open(g), 0);
        RunFileViewer(context, small.block);
        EXPECT_EQ(small.Cell(39, 9), 204u);
        EXPECT_EQ(DrawnOutsideTheCells(small, 40, 10), 0);

        // cells smaller than the 8 x 16 the bars are made for
        VduClient tiny(context);
        g.cellWidth = 6;
        g.cellHeight = 10;
        ASSERT_EQ(tiny.Open(g), 0);
        RunFileViewer(context, tiny.block);
        EXPECT_EQ(tiny.Cell(16, 9), 186u);
        EXPECT_EQ(DrawnOutsideTheCells(tiny, 40, 10), 0);

        // the full page: its last column and row are the screen's
        VduClient full(context);
        ASSERT_EQ(full.Open(), 0);
        RunFileViewer(context, full.block);
        EXPECT_EQ(full.Cell(79, 23), 204u);
        EXPECT_EQ(DrawnOutsideTheCells(full, 80, 24), 0);
        context->mirrorFile = nullptr;
    });
    EXPECT_EQ(exitCode, 0) << "the host did not start";
}

// A copy of a screen's front image, redrawn the plain way: one changed cell after another,
// each erased from the back image and then drawn as its bars or with one TextOutA.
class CellByCell {
public:
    explicit CellByCell(const VduClient &vdu) : vdu_(vdu)
    {
        ScreenLock screen{vdu.block};
        const ScreenState &s = *screen.get();
        width_ = vdu.Capture().width;
        height_ = vdu.Capture().height;
        dc_ = CreateCompatibleDC(s.frontDC);
        bitmap_ = CreateCompatibleBitmap(s.frontDC, width_, height_);
        old_ = SelectObject(dc_, bitmap_);
        BitBlt(dc_, 0, 0, width_, height_, s.frontDC, 0, 0, SRCCOPY);
        cells_.assign(s.cells, s.cells + s.columns * s.rows);
    }
    ~CellByCell()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    // Draws the changes of `page` over the copy.
    void Pass(const TextPage &page)
    {
        ScreenLock screen{vdu_.block};
        const ScreenState &s = *screen.get();
        const HGDIOBJ oldFont = SelectObject(dc_, s.font);
        SetBkMode(dc_, TRANSPARENT);
        const HBRUSH grey = CreateSolidBrush(viewerBarGrey);
        const POINT areaEnd = vdu_.Origin(s.columns, s.rows);
        for (int r = 0; r < 24; ++r)
            for (int c = 0; c < 80; ++c) {
                const uint8_t ch = TranslatePageCharacter(page.bytes[2 * (r * 80 + c)]);
                if (cells_[c + r * 80] == ch)
                    continue;
                const POINT o = vdu_.Origin(c, r);
                BitBlt(dc_, o.x, o.y, 8, 16, s.backDC, o.x, o.y, SRCCOPY);
                BoxBars bars;
                if (BoxBarsOf(ch, bars)) {
                    for (RECT bar : {bars.horizontal, bars.vertical}) {
                        OffsetRect(&bar, o.x, o.y);
                        bar.right = std::min<LONG>(bar.right, areaEnd.x);
                        FillRect(dc_, &bar, grey);
                    }
                } else {
                    SetTextColor(dc_, page.bytes[2 * (r * 80 + c) + 1] & 0x08 ? 0x800080 : 0x000000);
                    const char text = static_cast<char>(ch);
                    TextOutA(dc_, o.x, o.y + 2, &text, 1);
                }
            }
        DeleteObject(grey);
        SelectObject(dc_, oldFont);
    }
    // Pixels where the copy and the screen's front image differ.
    int Differences() const
    {
        const Image front = vdu_.Capture();
        int differing = 0;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                differing += GetPixel(dc_, x, y) != front.At(x, y);
        return differing;
    }

private:
    const VduClient &vdu_;
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    std::vector<uint32_t> cells_;
};

TEST(FileViewer, RunsOfChangedCellsLookAsIfDrawnOneByOne)
{
    const int exitCode = RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(), 0);
        PageFile file("page.bin");
        // every character code, box codes among text of both colours, in long and short runs
        TextPage first, second;
        uint32_t seed = 12345;
        for (int r = 0; r < 24; ++r)
            for (int c = 0; c < 80; ++c) {
                seed = seed * 1103515245u + 12345u;
                const uint8_t pick = static_cast<uint8_t>(seed >> 16);
                const uint8_t ch = (seed >> 12) % 3 == 0 ? static_cast<uint8_t>(185 + pick % 22) : pick;
                second.Set(c, r, ch, (seed >> 24) & 0x0F);
                // the first page agrees with the second in about one cell of three
                first.Set(c, r, (seed >> 8) % 3 == 0 ? ch : static_cast<uint8_t>('a' + r % 26), 0x07);
            }
        second.Set(30, 2, 204);
        second.Set(31, 2, 'x'); // redrawn next to 204
        first.Set(33, 2, 'k');
        second.Set(32, 2, 204);
        second.Set(33, 2, 'k'); // kept next to 204
        file.Write(first);
        context->mirrorFile = file.handle();
        RunFileViewer(context, vdu.block);

        CellByCell reference(vdu);
        file.Write(second);
        RunFileViewer(context, vdu.block);
        reference.Pass(second);
        EXPECT_EQ(reference.Differences(), 0);
        context->mirrorFile = nullptr;
    });
    EXPECT_EQ(exitCode, 0) << "the host did not start";
}

// Waits up to about 3 s for `done`.
template <typename Condition>
bool WaitFor(Condition done)
{
    for (int i = 0; i < 300; ++i) {
        if (done())
            return true;
        Sleep(10);
    }
    return done();
}

TEST(FileViewer, TheDisplayWindowsTicksDriveItWhileTheSwitchIsOn)
{
    const int exitCode = RunClient([](HostContext *context) {
        VduClient vdu(context);
        ASSERT_EQ(vdu.Open(), 0);
        PageFile file("page.bin");
        TextPage page;
        page.Fill('r');
        page.Set(0, 0, 0x7D, 0x0F);
        file.Write(page);
        file.Resize(8000);
        context->mirrorFile = file.handle();
        {
            // the box stays up for about nine ticks of the window's timer, which keep coming
            BoxCounter boxes(1000);
            vdu.block->viewerSwitch = 'V';
            Sleep(2500);
            EXPECT_EQ(boxes.Count(), 1);
            EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"VDU read error"});
            EXPECT_EQ(vdu.Cell(0, 0), 0u);
            file.Write(page);
            EXPECT_TRUE(WaitFor([&] { return vdu.Cell(79, 23) == 'r'; })) << "the complete page never appeared";
            EXPECT_EQ(vdu.Cell(0, 0), 0xFCu);
            // the window shows the change and the countdown ends
            EXPECT_TRUE(WaitFor([&] { return vdu.block->repaintCountdown == 0; }));
            EXPECT_EQ(boxes.Count(), 1);
        }
        vdu.block->viewerSwitch = ' ';
        Sleep(250); // a tick already under way ends
        page.Fill('s');
        file.Write(page);
        Sleep(500);
        EXPECT_EQ(vdu.Cell(5, 5), uint32_t{'r'}) << "the viewer kept running after it was switched off";
        context->mirrorFile = nullptr;
    });
    EXPECT_EQ(exitCode, 0) << "the host did not start";
}

} // namespace

namespace {

int8_t SubmitScreen(HostContext *context, VduBlock *block, uint8_t op)
{
    block->header.op = op;
    context->serviceEntry(context, &block->header);
    return block->header.status;
}

// The loop of the viewer's message box carries out hand-over requests: the client closes the
// screen and frees its block while the box is up. Memory of its own, released: a stale access
// faults.
TEST(FileViewer, AScreenClosedAndFreedDuringTheReportIsLeftAlone)
{
    const int exitCode = RunClient([](HostContext *context) {
        auto *block = static_cast<VduBlock *>(
            VirtualAlloc(nullptr, sizeof(VduBlock), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        ASSERT_NE(block, nullptr);
        block->header.requestClass = 'V';
        ASSERT_EQ(SubmitScreen(context, block, 'Q'), 0);
        const HWND window = block->window;
        ASSERT_TRUE(IsWindow(window));
        PageFile file("page.bin");
        TextPage page;
        page.Fill('c');
        file.Write(page);
        file.Resize(8000);
        context->mirrorFile = file.handle();
        StoreShared(block->viewerSwitch, uint8_t{VDU_VIEWER_ON});

        HWND box = nullptr;
        EXPECT_TRUE(WaitFor([&] { return (box = FindWindowA(nullptr, "setupbox")) != nullptr; }));
        EXPECT_EQ(SubmitScreen(context, block, 'X'), 0);
        EXPECT_FALSE(IsWindow(window));
        VirtualFree(block, 0, MEM_RELEASE);
        if (box)
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
        Sleep(300); // the GUI thread goes on from the box
        context->mirrorFile = nullptr;
    });
    EXPECT_EQ(exitCode, 0);
}

} // namespace
