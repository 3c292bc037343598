// The text page that the live file view shows: 24 rows of 80 (character, attribute) pairs, as
// a PC text-mode video page. The page is composed here and written by the writer thread.
#pragma once

#include <stdint.h>

#include <array>
#include <string>

constexpr int32_t kViewColumns = 80, kViewRows = 24;
constexpr int32_t kViewPageOffset = 4096; // where the viewer reads the page in the file
constexpr int32_t kViewFileSize = 8192;

using ViewPage = std::array<uint8_t, kViewColumns * kViewRows * 2>;

struct ViewState {
    uint32_t pass = 0;      // how often the page was rewritten
    char time[9] = "";      // hh:mm:ss
    std::string lastAction; // the last thing the services page did
};

ViewPage ComposeViewPage(const ViewState &state);
