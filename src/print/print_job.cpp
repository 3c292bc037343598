#include "print/print_job.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "print/port_output.h"
#include "print/print_rules.h"
#include "print/spooler.h"

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

// The first printer the spooler lists: the local printers at level 4 on the NT family, the
// default printer at level 5 on the 95 family. Empty when none is listed.
std::vector<char> DefaultPrinterName()
{
    const bool ntFamily = (GetVersion() & 0x80000000u) == 0;
    const DWORD flags = ntFamily ? PRINTER_ENUM_LOCAL : PRINTER_ENUM_DEFAULT;
    const DWORD level = ntFamily ? 4 : 5;
    const auto enumPrinters = Spooler().enumPrinters;
    if (!enumPrinters)
        return {};
    DWORD needed = 0, returned = 0;
    enumPrinters(flags, nullptr, level, nullptr, 0, &needed, &returned);
    if (needed == 0)
        return {};
    std::vector<BYTE> buffer(needed);
    if (!enumPrinters(flags, nullptr, level, buffer.data(), needed, &needed, &returned) || returned == 0)
        return {};
    const char *name = ntFamily ? reinterpret_cast<PRINTER_INFO_4A *>(buffer.data())->pPrinterName
                                : reinterpret_cast<PRINTER_INFO_5A *>(buffer.data())->pPrinterName;
    if (!name)
        return {};
    return std::vector<char>(name, name + std::strlen(name) + 1);
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

// Ends an open page and the document, and releases the printer context (close, step 2..5).
void ClosePrinter(PrintBlock *block)
{
    HDC dc = block->printerDC;
    block->header.status = HOST_STATUS_DONE;
    if (block->pageState == PRINT_PAGE_OPEN) {
        if (EndPage(dc) > 0) {
            block->pageState = PRINT_DOCUMENT_STARTED;
        } else {
            block->pageState = PRINT_NO_DOCUMENT;
            block->header.status = kFailed;
        }
    }
    if (block->pageState >= PRINT_DOCUMENT_STARTED) {
        block->header.status = EndDoc(dc) > 0 ? int8_t{HOST_STATUS_DONE} : kFailed;
        block->pageState = PRINT_NO_DOCUMENT;
    }
    if (dc) {
        RestoreDC(dc, -1);
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
    if (block->font)
        SelectObject(dc, block->font);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    print_rules::ClearLine(block->lineBuffer, columns);
    block->pageState = PRINT_PAGE_OPEN;
    return true;
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
    if (block->pageState == PRINT_DOCUMENT_STARTED && !StartPrinterPage(block, columns)) {
        block->pageState = PRINT_NO_DOCUMENT;
        ClosePrinter(block);
        block->header.status = kFailed;
        return;
    }

    print_rules::LineState line{block->lineBuffer, columns, block->cursorColumn, block->cursorRow};
    const print_rules::CharacterOutcome outcome = print_rules::ApplyCharacter(line, block->data);
    block->cursorColumn = line.cursorColumn;
    block->cursorRow = line.cursorRow;
    if (outcome.action == print_rules::LineAction::None)
        return;

    TextOutA(block->printerDC, 0, print_rules::LineY(outcome.drawRow), block->lineBuffer, columns);
    print_rules::ClearLine(block->lineBuffer, columns);
    if (outcome.action == print_rules::LineAction::DrawLineAndEndPage) {
        if (EndPage(block->printerDC) > 0) {
            block->pageState = PRINT_DOCUMENT_STARTED;
            block->cursorColumn = 0;
            block->cursorRow = 0;
        } else {
            block->pageState = PRINT_NO_DOCUMENT;
            block->header.status = kFailed;
        }
    }
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
