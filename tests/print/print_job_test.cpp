// Print jobs on the real printers of the local print server: tarnwellS3 (the printer named
// after COM3) and the default printer (reached from LPT1, as there is no tarnwellP1).
// print_pdf_test.sh runs this program and then reads the PDFs the jobs produced. The print
// server is shared, so every job prints the tag the script passes in TARNWELL_PRINT_TAG,
// followed by a letter of its own, and the script finds its PDFs by these words.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "../common/import_patch.h"
#include "../vdu/vdu_client.h"
#include "host/host_api.h"
#include "print/print_block.h"

namespace {

// The tag of this run followed by the job's letter: "Q123456N".
std::string Tag(char job)
{
    const char *tag = std::getenv("TARNWELL_PRINT_TAG");
    return std::string(tag && *tag ? tag : "Q000000") + job;
}

// The font selected into the job's printer while its page is open.
HFONT SelectedFont(const PrintBlock &block)
{
    return static_cast<HFONT>(GetCurrentObject(block.printerDC, OBJ_FONT));
}

struct Job {
    std::unique_ptr<HostContext> context{new HostContext{}};
    PrintBlock block{};

    explicit Job(const char *port, int32_t columns = 0)
    {
        context->columns = 80;
        block.header.requestClass = 'L';
        std::strncpy(block.portName, port, sizeof block.portName - 1);
        block.columns = columns;
    }
    int8_t Run(uint8_t op)
    {
        block.header.op = op;
        HostService(context.get(), &block.header);
        EXPECT_EQ(block.header.op, op);
        return block.header.status;
    }
    int8_t Open() { return Run('O'); }
    int8_t Close() { return Run('C'); }
    int8_t Send(uint32_t data)
    {
        block.data = data;
        return Run('S');
    }
    int8_t SendText(const char *text)
    {
        int8_t status = 0;
        for (; *text && status == 0; ++text)
            status = Send(static_cast<uint8_t>(*text));
        return status;
    }
    int8_t SendText(const std::string &text) { return SendText(text.c_str()); }
    std::string Line() const { return std::string(block.lineBuffer, block.lineBuffer + block.columns); }
};

TEST(PrintJobNamedPrinter, LinesPagesAndTheEndOfTheJob)
{
    Job job("COM3", 10);
    ASSERT_EQ(job.Open(), 0);
    EXPECT_EQ(job.block.deviceKind, PRINT_DEVICE_NAMED_PRINTER);
    EXPECT_EQ(job.block.pageState, PRINT_DOCUMENT_STARTED);
    EXPECT_NE(job.block.printerDC, nullptr);
    EXPECT_EQ(job.block.columns, 10);
    EXPECT_EQ(job.block.rows, 72);
    EXPECT_EQ(std::string(job.block.lineBuffer), "tarnwellS3"); // the open leaves the name there

    // the capabilities of the printer, published for clients
    EXPECT_EQ(job.context->printerInfoMark1, 0xFFFFFFFFu);
    EXPECT_EQ(job.context->printerInfoMark2, 0x11111111u);
    const int32_t *info = job.context->printerInfo;
    EXPECT_GT(info[0], 500); // HORZRES
    EXPECT_GT(info[1], 500); // VERTRES
    EXPECT_GT(info[2], 100); // HORZSIZE, mm
    EXPECT_GT(info[3], 100); // VERTSIZE, mm
    EXPECT_GE(info[4], 72);  // LOGPIXELSX
    EXPECT_GE(info[5], 72);  // LOGPIXELSY
    EXPECT_NE(info[8], 0);   // RASTERCAPS
    // the printable width agrees with the resolution: HORZRES / LOGPIXELSX inches = HORZSIZE mm
    EXPECT_NEAR(info[0] * 25.4 / info[4], info[2], 2.0);

    ASSERT_EQ(job.SendText("Hello\rJ"), 0);
    EXPECT_EQ(job.block.pageState, PRINT_PAGE_OPEN);
    EXPECT_EQ(job.Line(), "Jello     ");
    ASSERT_EQ(job.Send('\n'), 0);
    EXPECT_EQ(job.Line(), std::string(10, ' '));
    EXPECT_EQ(job.block.cursorRow, 1);
    EXPECT_EQ(job.block.cursorColumn, 0);

    ASSERT_EQ(job.SendText("ABCDEFGHIJKLMN"), 0);
    EXPECT_EQ(job.Line(), "ABCDEFGHIJ");
    EXPECT_EQ(job.block.cursorColumn, 10);
    EXPECT_EQ(job.block.lineBuffer[10], '\0'); // never past columns
    ASSERT_EQ(job.Send('\n'), 0);

    ASSERT_EQ(job.SendText("A"), 0);
    ASSERT_EQ(job.Send(0x00020000u | 'X'), 0); // a mouse-event word: not stored
    ASSERT_EQ(job.Send(0x0002000Au), 0);       // its line feed still acts
    EXPECT_EQ(job.block.cursorRow, 3);
    ASSERT_EQ(job.SendText("B\n" + Tag('N')), 0);
    ASSERT_EQ(job.Send('\f'), 0);
    EXPECT_EQ(job.block.pageState, PRINT_DOCUMENT_STARTED);
    EXPECT_EQ(job.block.cursorRow, 0);
    ASSERT_EQ(job.Send('\f'), 0); // a blank page
    EXPECT_EQ(job.block.pageState, PRINT_DOCUMENT_STARTED);

    ASSERT_EQ(job.Close(), 0);
    EXPECT_EQ(job.block.printerDC, nullptr);
    EXPECT_EQ(job.block.pageState, PRINT_NO_DOCUMENT);

    const PrintBlock closed = job.block;
    EXPECT_EQ(job.Send('Z'), HOST_STATUS_START_FAILED);
    PrintBlock after = job.block;
    after.header.status = closed.header.status;
    after.header.op = closed.header.op;
    after.data = closed.data;
    EXPECT_EQ(std::memcmp(&after, &closed, sizeof after), 0) << "a send after the close changed the block";
}

// A zero-filled block on LPT1: the default printer, with the job's own fixed-pitch font, and a
// listing of 150 lines without a form feed, which must go on to as many pages as it needs.
TEST(PrintJobDefaultPrinter, ZeroFilledBlockOnLpt1)
{
    Job job("LPT1");
    ASSERT_EQ(job.Open(), 0);
    EXPECT_EQ(job.block.deviceKind, PRINT_DEVICE_DEFAULT_PRINTER);
    EXPECT_EQ(job.block.columns, 80);
    EXPECT_EQ(job.block.rows, 72);
    EXPECT_EQ(job.block.font, nullptr);
    ASSERT_EQ(job.SendText(Tag('D') + "001\n"), 0);
    EXPECT_EQ(job.block.cursorRow, 1);

    HFONT own = SelectedFont(job.block);
    TEXTMETRICA metrics{};
    ASSERT_TRUE(GetTextMetricsA(job.block.printerDC, &metrics));
    EXPECT_EQ(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << "not a fixed-pitch font"; // set means variable
    EXPECT_EQ(metrics.tmAveCharWidth, 10);                                                // hundredths of an inch
    EXPECT_LE(metrics.tmHeight - metrics.tmInternalLeading, 16); // the characters fit the line pitch

    for (int line = 2; line <= 150; ++line) {
        char number[8];
        std::snprintf(number, sizeof number, "%03d\n", line);
        ASSERT_EQ(job.SendText(Tag('D') + number), 0) << line;
    }
    EXPECT_EQ(SelectedFont(job.block), own) << "the font is made once per job";
    ASSERT_EQ(job.Close(), 0); // ends the open page and the document
    EXPECT_EQ(job.block.printerDC, nullptr);
    EXPECT_EQ(GetObjectType(own), 0u) << "the job's own font outlives the job";
    EXPECT_EQ(job.Close(), 0); // a second close has nothing left to end
}

// A client that ends its pages itself sees one page per form feed, also when a page is as full
// as the paper allows: after 60 lines, 60 lines, then every row the page holds.
TEST(PrintJobDefaultPrinter, FormFeedsEndTheirPagesOnly)
{
    Job job("LPT1");
    ASSERT_EQ(job.Open(), 0);
    const int rowsOnPage = 6 * GetDeviceCaps(job.block.printerDC, VERTRES) /
                           GetDeviceCaps(job.block.printerDC, LOGPIXELSY);
    ASSERT_GT(rowsOnPage, 60);
    int line = 0;
    for (int pageLines : {60, 60, rowsOnPage}) {
        for (int i = 0; i < pageLines; ++i) {
            char number[8];
            std::snprintf(number, sizeof number, "%03d\n", ++line);
            ASSERT_EQ(job.SendText(Tag('P') + number), 0) << line;
        }
        ASSERT_EQ(job.Send('\f'), 0);
        EXPECT_EQ(job.block.pageState, PRINT_DOCUMENT_STARTED);
    }
    ASSERT_EQ(job.Close(), 0);
}

TEST(PrintJobNamedPrinter, WideColumnsAreCutTo192)
{
    Job job("COM3", 300);
    job.block.rows = 40;
    job.block.cursorColumn = 77;
    job.block.cursorRow = 9;
    ASSERT_EQ(job.Open(), 0);
    EXPECT_EQ(job.block.columns, 192);
    EXPECT_EQ(job.block.rows, 40);
    EXPECT_EQ(job.block.cursorColumn, 0);
    EXPECT_EQ(job.block.cursorRow, 0);
    // a font of the client's own, half an inch high, is the one used
    LOGFONTA large{};
    large.lfHeight = -50;
    lstrcpynA(large.lfFaceName, "Courier New", LF_FACESIZE);
    HFONT font = CreateFontIndirectA(&large);
    ASSERT_NE(font, nullptr);
    job.block.font = font;
    ASSERT_EQ(job.SendText(Tag('W')), 0);
    EXPECT_EQ(SelectedFont(job.block), font);
    // a client that widens the line after the open is still held to the buffer
    job.block.columns = 5000;
    ASSERT_EQ(job.Send('\f'), 0);
    EXPECT_EQ(job.Close(), 0);
    EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT)) << "the client's font was deleted";
    DeleteObject(font);
}

TEST(PrintJobWithoutPrinter, PortOrFileByNameElseRefused)
{
    Job missing("NOFILE");
    EXPECT_EQ(missing.Open(), HOST_STATUS_START_FAILED);
    EXPECT_EQ(missing.block.printerDC, nullptr);

    Job empty("");
    EXPECT_EQ(empty.Open(), HOST_STATUS_START_FAILED);
    EXPECT_EQ(empty.block.printerDC, nullptr);

    // no printer "tarnwellP." for an existing file: the file is the port
    FILE *f = std::fopen("PJ.TXT", "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("0123456789", f);
    std::fclose(f);
    Job file("PJ.TXT");
    ASSERT_EQ(file.Open(), 0);
    EXPECT_EQ(file.block.deviceKind, PRINT_DEVICE_PORT);
    EXPECT_EQ(file.block.printerDC, nullptr);
    ASSERT_EQ(file.SendText("AB\n"), 0);
    EXPECT_EQ(file.Close(), 0);
    char text[16] = {};
    f = std::fopen("PJ.TXT", "rb");
    ASSERT_NE(f, nullptr);
    const size_t n = std::fread(text, 1, sizeof text - 1, f);
    std::fclose(f);
    EXPECT_EQ(std::string(text, n), "AB\n3456789");

    // an unknown operation
    EXPECT_EQ(file.Run('Q'), HOST_STATUS_UNKNOWN_OP);
}

// The hardcopy of a screen goes to the first parallel port, here the default printer.
TEST(PrintJobHardcopy, ScreenTextOnTheDefaultPrinter)
{
    EXPECT_EQ(RunClient([](HostContext *context) {
                  VduClient vdu(context);
                  // Row 0: the tag, then a word and never-written cells (dots) to the end of
                  // the row. Rows 1..22: eight words "rNNkK" filled up with z, at columns 0,
                  // 10, .. 70, each followed by a blank but the last, which ends at column 79.
                  // Row 23: never written.
                  ASSERT_EQ(vdu.Open(Geometry{80, 24}), 0);
                  vdu.Write(0, 0, (Tag('H') + " HARDCOPY").c_str());
                  for (int row = 1; row <= 22; ++row) {
                      for (int word = 0; word < 8; ++word) {
                          char text[16];
                          std::snprintf(text, sizeof text, word < 7 ? "r%02dk%dzzzz " : "r%02dk%dzzzzz", row, word);
                          vdu.Write(word * 10, row, text);
                      }
                  }
                  EXPECT_EQ(vdu.Submit('H'), 0);
              }),
              0);
}

} // namespace

// Its jobs are abandoned and leave no PDF.
TEST(PrintJobFailures, RefusedPagesAnswer17AndCloseTheJob)
{
    Job job("COM3", 10);
    ASSERT_EQ(job.Open(), 0);
    HDC printer = job.block.printerDC;
    HDC refusing = reinterpret_cast<HDC>(static_cast<uintptr_t>(0x7FFF0));

    // a page that cannot be started closes the job
    job.block.printerDC = refusing;
    EXPECT_EQ(job.Send('A'), HOST_STATUS_START_FAILED);
    EXPECT_EQ(job.block.pageState, PRINT_NO_DOCUMENT);
    EXPECT_EQ(job.block.printerDC, nullptr);
    EXPECT_EQ(job.Send('A'), HOST_STATUS_START_FAILED);

    // a page that cannot be ended leaves the job in state 0 until the next request closes it
    job.block.printerDC = printer;
    job.block.pageState = PRINT_DOCUMENT_STARTED;
    ASSERT_EQ(job.Send('B'), 0);
    EXPECT_EQ(job.block.pageState, PRINT_PAGE_OPEN);
    job.block.printerDC = refusing;
    EXPECT_EQ(job.Send('\f'), HOST_STATUS_START_FAILED);
    EXPECT_EQ(job.block.pageState, PRINT_NO_DOCUMENT);
    EXPECT_EQ(job.block.printerDC, refusing);
    EXPECT_EQ(job.Send('C'), HOST_STATUS_START_FAILED);
    EXPECT_EQ(job.block.printerDC, nullptr);

    AbortDoc(printer);
    RestoreDC(printer, -1);
    DeleteDC(printer);
}

// The printer's page calls refusing on demand, and the document calls counted, through this
// program's import table: a real printer never refuses a page here.
struct PageCalls {
    using Call = int(WINAPI *)(HDC);
    static inline Call startPage, endPage, endDoc, abortDoc;
    static inline bool refuseStart, refuseEnd;
    static inline int ended, aborted;
    static inline HDC abortedDC;

    static int WINAPI StartPage(HDC dc) { return refuseStart ? 0 : startPage(dc); }
    static int WINAPI EndPage(HDC dc) { return refuseEnd ? 0 : endPage(dc); }
    static int WINAPI EndDoc(HDC dc)
    {
        ++ended;
        return endDoc(dc);
    }
    static int WINAPI AbortDoc(HDC dc)
    {
        ++aborted;
        abortedDC = dc;
        return abortDoc(dc);
    }
    static Call Patch(const char *name, Call replacement)
    {
        return reinterpret_cast<Call>(PatchImport("gdi32.dll", name, reinterpret_cast<void *>(replacement)));
    }
    PageCalls()
    {
        startPage = Patch("StartPage", StartPage);
        endPage = Patch("EndPage", EndPage);
        endDoc = Patch("EndDoc", EndDoc);
        abortDoc = Patch("AbortDoc", AbortDoc);
        EXPECT_TRUE(startPage && endPage && endDoc && abortDoc) << "the calls are not imported by name";
    }
    ~PageCalls()
    {
        Patch("StartPage", startPage);
        Patch("EndPage", endPage);
        Patch("EndDoc", endDoc);
        Patch("AbortDoc", abortDoc);
    }
};

// After the other failures: these jobs are aborted and leave no PDF either.
TEST(PrintJobFailures, APageThatCannotBeStartedOrEndedAbortsTheDocument)
{
    struct Case {
        const char *name;
        bool refuseStart, refuseEnd;
        const char *before; // sent while the page calls work
        char refused;       // the character whose page call is refused; 0: the close
    };
    const Case cases[] = {
        {"page start refused", true, false, "", 'A'},
        {"page end refused at a form feed", false, true, "B", '\f'},
        {"page end refused at the close", false, true, "B", 0},
    };
    const PageCalls calls;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PageCalls::refuseStart = PageCalls::refuseEnd = false;
        PageCalls::ended = PageCalls::aborted = 0;
        PageCalls::abortedDC = nullptr;
        Job job("COM3", 10);
        ASSERT_EQ(job.Open(), 0);
        const HDC printer = job.block.printerDC;
        ASSERT_EQ(job.SendText(c.before), 0);
        PageCalls::refuseStart = c.refuseStart;
        PageCalls::refuseEnd = c.refuseEnd;
        EXPECT_EQ(c.refused ? job.Send(static_cast<uint8_t>(c.refused)) : job.Close(), HOST_STATUS_START_FAILED);
        EXPECT_EQ(job.block.pageState, PRINT_NO_DOCUMENT);
        EXPECT_EQ(PageCalls::aborted, 1) << "the document was left started";
        EXPECT_EQ(PageCalls::abortedDC, printer);
        if (job.block.printerDC) {
            EXPECT_EQ(job.Send('C'), HOST_STATUS_START_FAILED); // closes the job
        }
        EXPECT_EQ(job.block.printerDC, nullptr);
        EXPECT_EQ(PageCalls::aborted, 1);
        EXPECT_EQ(PageCalls::ended, 0);
    }
}
