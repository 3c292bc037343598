#include "print/print_job.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "print/default_printer.h"
#include "print/job_font.h"
#include "print/port_output.h"
#include "print/print_rules.h"
#include "print/printer_page.h"

namespace {

constexpr int8_t kFailed = HOST_STATUS_START_FAILED;

PrintBlock *AsPrint(RequestBlock *request)
{
    return reinterpret_cast<PrintBlock *>(request);
}

// A device context for the printer of that name, its state saved; 0 when there is none.
HDC PrinterContext(const char *name)
{
    HDC dc = CreateDCA(nullptr, name, nullptr, nullptr);
    if (dc)
        SaveDC(dc);
    return dc;
}

void ChooseDevice(HostContext *context, PrintBlock *block)
{
    block->printerDC = nullptr;
    char name[print_rules::kPrinterNameSize];
    print_rules::PrinterName(block->portName, name);
    std::memcpy(block->lineBuffer, name, sizeof name);

    HDC dc = PrinterContext(name);
    uint8_t kind = PRINT_DEVICE_NAMED_PRINTER;
    if (!dc && print_rules::IsFirstParallel(name)) {
        const std::vector<char> fallback = DefaultPrinterName();
        if (!fallback.empty())
            dc = PrinterContext(fallback.data());
        kind = PRINT_DEVICE_DEFAULT_PRINTER;
    }
    if (dc) {
        block->printerDC = dc;
        block->deviceKind = kind;
        block->pageState = PRINT_NO_DOCUMENT;
        block->header.status = HOST_STATUS_DONE;
        return;
    }
    PortOpen(context, block);
    if (block->header.status == HOST_STATUS_DONE) {
        block->deviceKind = PRINT_DEVICE_PORT;
        block->pageState = PRINT_NO_DOCUMENT;
    } else {
        block->header.status = kFailed;
    }
}

void PublishCapabilities(HostContext *context, HDC dc)
{
    static const int kIndexes[10] = {HORZRES, VERTRES, HORZSIZE, VERTSIZE, LOGPIXELSX,
                                     LOGPIXELSY, SCALINGFACTORX, SCALINGFACTORY, RASTERCAPS, TEXTCAPS};
    context->printerInfoMark1 = 0xFFFFFFFFu;
    context->printerInfoMark2 = 0x11111111u;
    for (int i = 0; i < 10; ++i)
        context->printerInfo[i] = GetDeviceCaps(dc, kIndexes[i]);
}

// A page that cannot be started or ended ends the document too: it is aborted, so that the
// spooler drops the job instead of keeping a document open whose context is then deleted.
void AbortPrinterDocument(PrintBlock *block)
{
    AbortDoc(block->printerDC);
    block->pageState = PRINT_NO_DOCUMENT;
    block->header.status = kFailed;
}

// Ends an open page and the document, and releases the printer context (close, step 2..5).
void ClosePrinter(PrintBlock *block)
{
    HDC dc = block->printerDC;
    block->header.status = HOST_STATUS_DONE;
    if (block->pageState == PRINT_PAGE_OPEN) {
        if (EndPage(dc) > 0)
            block->pageState = PRINT_DOCUMENT_STARTED;
        else
            AbortPrinterDocument(block);
    }
    if (block->pageState >= PRINT_DOCUMENT_STARTED) {
        block->header.status = EndDoc(dc) > 0 ? int8_t{HOST_STATUS_DONE} : kFailed;
        block->pageState = PRINT_NO_DOCUMENT;
    }
    if (dc) {
        RestoreDC(dc, -1);
        ReleaseJobFont(dc);
        DeleteDC(dc);
        block->printerDC = nullptr;
    }
    block->pageState = PRINT_NO_DOCUMENT;
}

bool StartPrinterPage(PrintBlock *block, int32_t columns)
{
    HDC dc = block->printerDC;
    if (StartPage(dc) <= 0)
        return false;
    SetMapMode(dc, MM_LOENGLISH);
    if (HFONT font = block->font ? block->font : MakeJobFont(dc, columns).font)
        SelectObject(dc, font);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    print_rules::ClearLine(block->lineBuffer, columns);
    block->pageState = PRINT_PAGE_OPEN;
    return true;
}

// Starts a page; a page that cannot be started aborts the document and closes the job with
// status 17.
bool StartPageOrClose(PrintBlock *block, int32_t columns)
{
    if (StartPrinterPage(block, columns))
        return true;
    AbortPrinterDocument(block);
    ClosePrinter(block);
    block->header.status = kFailed;
    return false;
}

// Ends the open page: on success the next character starts a new page at its top; on failure
// the document is aborted and the job left in state 0 with status 17; the next request closes it.
bool EndPrinterPage(PrintBlock *block)
{
    if (EndPage(block->printerDC) > 0) {
        block->pageState = PRINT_DOCUMENT_STARTED;
        block->cursorColumn = 0;
        block->cursorRow = 0;
        return true;
    }
    AbortPrinterDocument(block);
    return false;
}

// Draws the line of a line feed or form feed, and ends the page after a form feed. A line due
// below the page's last row first ends the page, as a form feed would, and goes to the top of
// the next one; rows are counted from there.
void PrintLine(PrintBlock *block, const print_rules::CharacterOutcome &outcome, int32_t columns)
{
    const bool formFeed = outcome.action == print_rules::LineAction::DrawLineAndEndPage;
    int32_t row = outcome.drawRow;
    const print_rules::PageBreak pageBreak = print_rules::BreakBeforeLine(
        row, PageRows(block->printerDC), print_rules::IsBlankLine(block->lineBuffer, columns));
    if (pageBreak != print_rules::PageBreak::None) {
        char line[PRINT_LINE_BUFFER_SIZE];
        std::memcpy(line, block->lineBuffer, static_cast<size_t>(columns));
        if (!EndPrinterPage(block))
            return;
        if (pageBreak == print_rules::PageBreak::EndPageOnly) {
            block->cursorRow = formFeed ? 0 : 1;
            return;
        }
        if (!StartPageOrClose(block, columns))
            return;
        std::memcpy(block->lineBuffer, line, static_cast<size_t>(columns));
        row = 0;
        block->cursorRow = formFeed ? 0 : 1;
    }

    DrawPageLine(block->printerDC, block->font != nullptr, row, block->lineBuffer, columns);
    print_rules::ClearLine(block->lineBuffer, columns);
    if (formFeed)
        EndPrinterPage(block);
}

void SendToPrinter(PrintBlock *block)
{
    block->header.status = HOST_STATUS_DONE;
    if (block->pageState == PRINT_NO_DOCUMENT) {
        ClosePrinter(block);
        block->header.status = kFailed;
        return;
    }
    const int32_t columns = print_rules::SafeColumns(block->columns);
    if (block->pageState == PRINT_DOCUMENT_STARTED && !StartPageOrClose(block, columns))
        return;

    print_rules::LineState line{block->lineBuffer, columns, block->cursorColumn, block->cursorRow};
    const print_rules::CharacterOutcome outcome = print_rules::ApplyCharacter(line, block->data);
    block->cursorColumn = line.cursorColumn;
    block->cursorRow = line.cursorRow;
    if (outcome.action == print_rules::LineAction::None)
        return;

    PrintLine(block, outcome, columns);
}

} // namespace

void PrintOpen(HostContext *context, RequestBlock *request)
{
    PrintBlock *block = AsPrint(request);
    block->columns = print_rules::OpenColumns(block->columns, context->columns);
    block->rows = print_rules::OpenRows(block->rows);
    block->cursorColumn = 0;
    block->cursorRow = 0;
    block->pageState = PRINT_NO_DOCUMENT;

    ChooseDevice(context, block);
    if (block->header.status != HOST_STATUS_DONE || block->deviceKind == PRINT_DEVICE_PORT)
        return;

    ReleaseJobFont(block->printerDC); // left by a job whose context was deleted without a close
    SetMapMode(block->printerDC, MM_TEXT);
    PublishCapabilities(context, block->printerDC);

    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = "tarnwell";
    if (StartDocA(block->printerDC, &info) > 0) {
        block->pageState = PRINT_DOCUMENT_STARTED;
        block->header.status = HOST_STATUS_DONE;
    } else {
        block->pageState = PRINT_NO_DOCUMENT;
        ClosePrinter(block);
        block->header.status = kFailed;
    }
}

void PrintSend(HostContext *context, RequestBlock *request)
{
    PrintBlock *block = AsPrint(request);
    if (block->deviceKind == PRINT_DEVICE_PORT)
        PortSend(context, block);
    else
        SendToPrinter(block);
}

void PrintClose(HostContext *context, RequestBlock *request)
{
    PrintBlock *block = AsPrint(request);
    block->header.status = HOST_STATUS_DONE;
    if (block->deviceKind == PRINT_DEVICE_PORT)
        PortClose(context, block);
    else
        ClosePrinter(block);
}
