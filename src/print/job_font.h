// The font a printer job makes for itself when the client gives none in `font`: fixed pitch, made
// for the page of that printer (print_rules::OwnFontCell), one per printer device context.
#pragma once

#include <windows.h>

#include <cstdint>

struct JobFont {
    HFONT font;      // 0: none
    int32_t advance; // hundredths of an inch from one character to the next
};

// The job's own font for this printer context, made on first use for lines of columns
// characters. Select it after MM_LOENGLISH is set: its size is in hundredths of an inch.
JobFont MakeJobFont(HDC printer, int32_t columns);
// The job's own font of this context, if it has made one.
JobFont FindJobFont(HDC printer);
// Deletes the job's own font of this context, if it has one. Call it before the context is
// deleted (another job may get the same handle value afterwards), with the font deselected.
void ReleaseJobFont(HDC printer);
