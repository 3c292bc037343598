#include "print/print_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace print_rules {

int32_t OpenColumns(int32_t requested, int32_t hostDefault)
{
    int32_t columns = requested;
    if (columns < 1)
        columns = std::max<int32_t>(hostDefault, 1);
    return std::min(columns, kMaxColumns);
}

int32_t OpenRows(int32_t requested)
{
    return requested < 1 ? kDefaultRows : requested;
}

int32_t SafeColumns(int32_t columns)
{
    return std::clamp<int32_t>(columns, 1, kMaxColumns);
}

void PrinterName(const char portName[8], char name[kPrinterNameSize])
{
    std::memcpy(name, "tarnwell", 8);
    name[8] = portName[0] == 'C' ? 'S' : 'P';
    name[9] = portName[3];
    name[10] = '\0';
}

bool IsFirstParallel(const char name[kPrinterNameSize])
{
    return name[8] == 'P' && name[9] == '1';
}

int32_t LineY(int32_t row)
{
    // In 64 bits: a row a client left far beyond any page cannot overflow the product.
    const int64_t y = (int64_t{-1600} * row) / 96;
    return static_cast<int32_t>(std::clamp<int64_t>(y, INT32_MIN, INT32_MAX));
}

int32_t RowsOnPage(int32_t height, int32_t unitsPerInch)
{
    if (height <= 0 || unitsPerInch <= 0)
        return INT32_MAX;
    // Row r ends (r + 1) / 6 inch below the top: it fits while (r + 1) * unitsPerInch <= 6 * height.
    const int64_t rows = int64_t{6} * height / unitsPerInch;
    return static_cast<int32_t>(std::clamp<int64_t>(rows, 1, INT32_MAX));
}

PageBreak BreakBeforeLine(int32_t row, int32_t rowsOnPage, bool blankLine)
{
    if (row < rowsOnPage)
        return PageBreak::None;
    return blankLine ? PageBreak::EndPageOnly : PageBreak::NewPage;
}

bool IsBlankLine(const char *buffer, int32_t columns)
{
    const int32_t n = SafeColumns(columns);
    return std::all_of(buffer, buffer + n, [](char c) { return c == ' '; });
}

FontCell OwnFontCell(int32_t columns, int32_t widthPixels, int32_t pixelsPerInch)
{
    constexpr int32_t kTenthOfAnInch = 10;
    constexpr int32_t kLinePitch = 16; // 16 2/3, rounded down
    int32_t advance = kTenthOfAnInch;
    if (widthPixels > 0 && pixelsPerInch > 0) {
        const int64_t fitting = int64_t{100} * widthPixels / (int64_t{pixelsPerInch} * SafeColumns(columns));
        advance = static_cast<int32_t>(std::clamp<int64_t>(fitting, 1, kTenthOfAnInch));
    }
    return {advance, std::min(kLinePitch, advance * 5 / 3)};
}

void ColumnAdvances(int32_t advance, int32_t pixelsPerInch, int32_t windowExtent, int32_t viewportExtent,
                    int32_t count, int32_t *advances)
{
    windowExtent = std::abs(windowExtent);
    viewportExtent = std::abs(viewportExtent);
    if (pixelsPerInch <= 0 || windowExtent == 0 || viewportExtent == 0) {
        std::fill_n(advances, std::max(count, 0), advance);
        return;
    }
    // Position i in logical units: i * advance / 100 inch * pixelsPerInch * window / viewport,
    // kept within what a logical coordinate can hold whatever the device reports.
    const double perCharacter = advance / 100.0 * pixelsPerInch * windowExtent / viewportExtent;
    auto position = [&](int32_t i) { return std::llround(std::min(i * perCharacter, 1e9)); };
    for (int32_t i = 0; i < count; ++i)
        advances[i] = static_cast<int32_t>(position(i + 1) - position(i));
}

void ClearLine(char *buffer, int32_t columns)
{
    std::memset(buffer, ' ', static_cast<size_t>(SafeColumns(columns)));
}

CharacterOutcome ApplyCharacter(LineState &line, uint32_t data)
{
    const uint8_t c = static_cast<uint8_t>(data & 0xFF);
    const uint32_t kind = (data >> 16) & 0xFF;
    if (line.cursorColumn >= 0 && line.cursorColumn < line.columns && kind < 2 && c >= 32)
        line.buffer[line.cursorColumn++] = static_cast<char>(c);

    switch (c) {
    case 13:
        line.cursorColumn = 0;
        return {LineAction::None, 0};
    case 10: {
        const int32_t row = line.cursorRow;
        line.cursorColumn = 0;
        line.cursorRow = row == INT32_MAX ? row : row + 1;
        return {LineAction::DrawLine, row};
    }
    case 12:
        line.cursorColumn = 0;
        return {LineAction::DrawLineAndEndPage, line.cursorRow};
    default:
        return {LineAction::None, 0};
    }
}

} // namespace print_rules
