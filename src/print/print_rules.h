// The rules of a print job on a Windows printer that need no device: the column and row
// defaults, the printer name made from the port name, the line pitch and the line buffer.
#pragma once

#include <cstdint>

namespace print_rules {

inline constexpr int32_t kMaxColumns = 192;
inline constexpr int32_t kDefaultRows = 72;
inline constexpr int kPrinterNameSize = 11; // "tarnwell" + kind letter + digit + NUL

// Columns after the open: below 1 takes the host default (at least 1), then at most 192.
int32_t OpenColumns(int32_t requested, int32_t hostDefault);
// Rows after the open: below 1 becomes 72.
int32_t OpenRows(int32_t requested);
// Columns as a send or close may use them, whatever the client left in the block: 1..192.
int32_t SafeColumns(int32_t columns);

// "tarnwell", then 'S' when portName starts with 'C' and 'P' otherwise, then portName[3].
void PrinterName(const char portName[8], char name[kPrinterNameSize]);
// True when the name stands for the first parallel port ("tarnwellP1").
bool IsFirstParallel(const char name[kPrinterNameSize]);

// The y of a line in hundredths of an inch (y up): (-1600 * row) / 96, truncating toward 0.
int32_t LineY(int32_t row);

// How many lines of the pitch (a sixth of an inch) fit a printable height of `height` units at
// unitsPerInch: rows 0 .. RowsOnPage - 1 stand wholly on the page. No limit (INT32_MAX) when the
// device reports no usable size.
int32_t RowsOnPage(int32_t height, int32_t unitsPerInch);

// What becomes of a line due at row: drawn there when it stands on the page; otherwise the page
// ends first and the line goes to the top of a new page, or, when it is blank, only the page ends
// (the next character starts the new page, so blank lines past the bottom never make a page).
enum class PageBreak { None, NewPage, EndPageOnly };
PageBreak BreakBeforeLine(int32_t row, int32_t rowsOnPage, bool blankLine);
// True when the first columns bytes of the line are all blanks.
bool IsBlankLine(const char *buffer, int32_t columns);

// The font a job makes for itself, in hundredths of an inch: the distance from one character to
// the next, and the character (em) height.
struct FontCell {
    int32_t advance;
    int32_t height;
};
// A tenth of an inch from character to character, or less when columns characters of that width
// would not fit the printable width (widthPixels at pixelsPerInch); a height within the line
// pitch (16) at which a fixed-pitch font's own advance (0.6 of the height) is no wider than that.
FontCell OwnFontCell(int32_t columns, int32_t widthPixels, int32_t pixelsPerInch);

// The logical distances from each character of a line to the next (count of them), such that
// character i stands i * advance hundredths of a true inch (at pixelsPerInch) from the first,
// where windowExtent logical units span viewportExtent pixels. A mapping mode's own hundredths
// of an inch are off by the device's rounding of its size to whole millimetres; here each
// position is rounded on its own, so the error never adds up along the line. Without a usable
// mapping every distance is `advance`.
void ColumnAdvances(int32_t advance, int32_t pixelsPerInch, int32_t windowExtent, int32_t viewportExtent,
                    int32_t count, int32_t *advances);

// What one character does to the line being assembled.
struct LineState {
    char *buffer;      // PRINT_LINE_BUFFER_SIZE bytes
    int32_t columns;   // 1..192 (SafeColumns)
    int32_t cursorColumn;
    int32_t cursorRow;
};

enum class LineAction { None, DrawLine, DrawLineAndEndPage };

struct CharacterOutcome {
    LineAction action;
    int32_t drawRow; // the row to draw at, for DrawLine and DrawLineAndEndPage
};

// Stores the low byte of data when it is printable, bits 16..23 are below 2 and the cursor
// is inside the line; handles CR, LF and FF. A line that must be drawn is reported, and the
// caller refills the line with blanks after drawing (ClearLine). A cursor column outside
// 0..columns-1 stores nothing.
CharacterOutcome ApplyCharacter(LineState &line, uint32_t data);
// Fills the first columns bytes of the buffer with blanks.
void ClearLine(char *buffer, int32_t columns);

} // namespace print_rules
