#include "print/print_rules.h"

#include <algorithm>
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
