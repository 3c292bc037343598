#include "view_page.h"

#include <stdio.h>
#include <string.h>

namespace {

constexpr uint8_t kNormal = 0x07, kBright = 0x0F; // the viewer shows bit 3 (bright) in purple

void PutAt(ViewPage &page, int32_t column, int32_t row, uint8_t ch, uint8_t attribute = kNormal)
{
    if (column < 0 || column >= kViewColumns || row < 0 || row >= kViewRows)
        return;
    const size_t at = static_cast<size_t>(row * kViewColumns + column) * 2;
    page[at] = ch;
    page[at + 1] = attribute;
}

void TextAt(ViewPage &page, int32_t column, int32_t row, const char *text, uint8_t attribute = kNormal)
{
    for (; *text; ++text, ++column)
        PutAt(page, column, row, static_cast<uint8_t>(*text), attribute);
}

// Code page 437 double-line box from (c1, r1) to (c2, r2), with a divider at row `divider`.
void Box(ViewPage &page, int32_t c1, int32_t r1, int32_t c2, int32_t r2, int32_t divider)
{
    for (int32_t c = c1 + 1; c < c2; ++c) {
        PutAt(page, c, r1, 205);
        PutAt(page, c, r2, 205);
        PutAt(page, c, divider, 205);
    }
    for (int32_t r = r1 + 1; r < r2; ++r) {
        PutAt(page, c1, r, 186);
        PutAt(page, c2, r, 186);
    }
    PutAt(page, c1, r1, 201);
    PutAt(page, c2, r1, 187);
    PutAt(page, c1, r2, 200);
    PutAt(page, c2, r2, 188);
    PutAt(page, c1, divider, 204);
    PutAt(page, c2, divider, 185);
}

} // namespace

ViewPage ComposeViewPage(const ViewState &state)
{
    ViewPage page;
    for (size_t i = 0; i < page.size(); i += 2) {
        page[i] = ' ';
        page[i + 1] = kNormal;
    }
    Box(page, 1, 1, 78, 22, 4);
    TextAt(page, 4, 2, "Live file view: page at offset 4096 of TWLVIEW.DAT", kBright);
    TextAt(page, 4, 3, "A thread of the demo rewrites the page; the host's file viewer shows it.");

    char line[96];
    snprintf(line, sizeof line, "Time %s    page written %u times", state.time, state.pass);
    TextAt(page, 4, 6, line);

    // a block that runs along row 8, one step per pass
    TextAt(page, 4, 8, "Running:");
    const int32_t steps = 60, at = static_cast<int32_t>(state.pass % steps);
    for (int32_t i = 0; i < steps; ++i)
        PutAt(page, 14 + i, 8, i == at ? '#' : '.', i == at ? kBright : kNormal);

    // 7-bit national characters and code page 437 umlauts, translated by the viewer
    TextAt(page, 4, 10, "National characters:  [ \\ ] { | }  and  \x8E \x99 \x9A \x84 \x94 \x81 \x15");
    TextAt(page, 4, 12, "This line has the bright attribute (bit 3).", kBright);
    TextAt(page, 4, 13, "This line has the normal attribute.");

    TextAt(page, 4, 15, "Last action on the services page:");
    std::string action = state.lastAction.empty() ? "none yet" : state.lastAction;
    if (action.size() > 70)
        action.resize(70);
    TextAt(page, 6, 16, action.c_str(), kBright);

    TextAt(page, 4, 20, "F5 or S: services page    Esc: back to screen 1");
    return page;
}
