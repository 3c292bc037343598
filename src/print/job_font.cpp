#include "print/job_font.h"

#include <algorithm>
#include <vector>

#include "print/print_rules.h"

namespace {

struct Entry {
    HDC printer;
    JobFont font;
};

// Jobs run on their clients' threads, so the fonts of all open jobs share one guarded list.
SRWLOCK g_lock = SRWLOCK_INIT;
std::vector<Entry> g_fonts;

std::vector<Entry>::iterator Find(HDC printer)
{
    return std::find_if(g_fonts.begin(), g_fonts.end(), [&](const Entry &e) { return e.printer == printer; });
}

JobFont CreateJobFont(HDC printer, int32_t columns)
{
    const print_rules::FontCell cell = print_rules::OwnFontCell(
        columns, GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, LOGPIXELSX));
    LOGFONTA font{};
    font.lfHeight = -cell.height; // the character height, not the cell with its leading
    font.lfWidth = cell.advance;  // where the driver honours it; lines are drawn at this pitch anyway
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = ANSI_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynA(font.lfFaceName, "Courier New", LF_FACESIZE);
    return {CreateFontIndirectA(&font), cell.advance};
}

} // namespace

JobFont MakeJobFont(HDC printer, int32_t columns)
{
    AcquireSRWLockExclusive(&g_lock);
    JobFont font{};
    const auto found = Find(printer);
    if (found != g_fonts.end()) {
        font = found->font;
    } else {
        font = CreateJobFont(printer, columns);
        if (font.font)
            g_fonts.push_back({printer, font});
    }
    ReleaseSRWLockExclusive(&g_lock);
    return font;
}

JobFont FindJobFont(HDC printer)
{
    AcquireSRWLockShared(&g_lock);
    const auto found = Find(printer);
    const JobFont font = found != g_fonts.end() ? found->font : JobFont{};
    ReleaseSRWLockShared(&g_lock);
    return font;
}

void ReleaseJobFont(HDC printer)
{
    HFONT font = nullptr;
    AcquireSRWLockExclusive(&g_lock);
    const auto found = Find(printer);
    if (found != g_fonts.end()) {
        font = found->font.font;
        g_fonts.erase(found);
    }
    ReleaseSRWLockExclusive(&g_lock);
    if (font)
        DeleteObject(font);
}
