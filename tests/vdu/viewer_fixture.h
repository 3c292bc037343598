// A text page file that a test rewrites while the viewer reads it, and checks of the cells
// the viewer drew.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "vdu_client.h"

struct TextPage {
    uint8_t bytes[4096] = {};
    void Set(int column, int row, uint8_t ch, uint8_t attribute = 0x07)
    {
        bytes[2 * (row * 80 + column)] = ch;
        bytes[2 * (row * 80 + column) + 1] = attribute;
    }
    void Fill(uint8_t ch, uint8_t attribute = 0x07)
    {
        for (int r = 0; r < 24; ++r)
            for (int c = 0; c < 80; ++c)
                Set(c, r, ch, attribute);
    }
};

// A file in the work folder, open for reading as a client would open it for the viewer.
class PageFile {
public:
    explicit PageFile(const char *name);
    ~PageFile();
    // The page at offset 4096 after 4096 bytes of zeros: 8192 bytes.
    void Write(const TextPage &page);
    // Cuts or extends the file to `size` bytes (zeros).
    void Resize(uint64_t size);
    HANDLE handle() const { return reader_; }

private:
    std::string path_;
    HANDLE reader_;
};

constexpr COLORREF viewerFace = 0xE0E0E0, viewerBarGrey = 0xC0C0C0;

// Sets one pixel of the front image at the top-left corner of each given cell, so that a
// redraw of the cell (which erases it first) shows.
void MarkCells(VduClient &vdu, const std::vector<POINT> &cells, COLORREF colour = 0x0000FF);
bool CellMarked(const VduClient &vdu, POINT cell, COLORREF colour = 0x0000FF);
