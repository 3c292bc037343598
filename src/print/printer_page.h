// Drawing on the page of a printer job, in the page's mapping mode (MM_LOENGLISH, set at the
// start of every page): how many lines a page holds, and a line drawn at its row.
#pragma once

#include <windows.h>

#include <cstdint>

// Rows of the line pitch that fit the printable area; INT32_MAX when the context gives no size.
int32_t PageRows(HDC printer);

// Draws columns characters of text at row. With the job's own font (no client font) every
// character stands at its column, a fixed pitch from the last, whatever width the driver gives
// the font's glyphs; a client's font spaces its characters itself.
void DrawPageLine(HDC printer, bool clientFont, int32_t row, const char *text, int32_t columns);
