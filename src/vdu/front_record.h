// What the host knows of a screen's front image, so that rows can be moved and cells cleared by
// copying pixels wherever that leaves exactly what erasing and drawing them again would:
// - the cell word and frame word each cell was last drawn with (a cell erased and not drawn
//   since holds a space without frame edges);
// - stale rows: rows whose band may hold pixels other than the back image and the drawings of
//   their own cells inside those cells (a drawing that reached past its cell, or drawing by
//   something other than the renderer);
// - which rows have the same back image as the next row;
// - where the drawing of each kind of cell word reaches (cell_footprint.h).
// The renderer and the erase helpers keep it up to date; every other drawing into the front
// image marks the rows it touches as stale. All of it is used under the screen's lock.
#pragma once

#include <cstdint>
#include <vector>

#include "vdu/cell_footprint.h"
#include "vdu/screen_state.h"

struct DrawnCell {
    uint32_t word, frame;
    bool operator==(const DrawnCell &) const = default;
};

// How often pixels were moved or copied instead of drawn, for the tests and benchmarks.
struct ImageMoveCounts {
    uint32_t rowMoves;       // moves of a block of rows by copying
    uint32_t refusedMoves;   // moves redrawn instead: a drawing would reach past its cell
    uint32_t movedRows;      // rows that took the copied pixels
    uint32_t redrawnRows;    // rows of a copying move redrawn all the same
    uint32_t redrawnCells;   // cells redrawn after a copy because their words or frames differ
    uint32_t copiedClears;   // clears done by one copy from the back image
    uint32_t refusedClears;  // clears drawn cell by cell: a frame edge would reach past its cell
};

struct FrontRecord {
    // The geometry the record was made for, as the block held it.
    int32_t columns, rows, cellWidth, cellHeight, marginLeft, marginTop, marginRight, marginBottom;
    uint8_t screenNumber;
    bool usable;    // that geometry describes the images exactly, so pixels may be moved
    bool backKnown; // backSameAsNext describes the back image as it is
    bool movesOff;  // every operation draws cell by cell
    std::vector<PixelBox> footprints;      // by FootprintKind
    std::vector<uint8_t> stale;            // per row
    std::vector<uint8_t> backSameAsNext;   // per row: the back image of the row equals the next row's
    std::vector<DrawnCell> drawn;          // per cell
    ImageMoveCounts counts;
};

// The screen's record, made afresh (every row stale) when the block's geometry or screen
// number changed since it was made.
FrontRecord &CurrentRecord(ScreenState &screen);
// A new record for images that hold nothing but the back image (right after open).
void StartRecord(ScreenState &screen);
void ReleaseRecord(ScreenState &screen);

// Whether the drawing of `word` with `frame` stays inside its cell.
bool DrawsInsideCell(const FrontRecord &record, uint32_t word, uint32_t frame);

// Kept up to date by the renderer and the erase helpers.
void RecordCellDrawn(ScreenState &screen, int32_t column, int32_t row, uint32_t word, uint32_t frame);
void RecordCellErased(ScreenState &screen, int32_t column, int32_t row);
void RecordRowErased(ScreenState &screen, int32_t row);
void RecordScreenErased(ScreenState &screen);
// Drawing other than the renderer's from row `firstRow` down.
void RecordOtherDrawing(ScreenState &screen, int32_t firstRow);
// The back image changed: rows compare afresh when next needed.
void RecordBackChanged(ScreenState &screen);

// Whether rows `a` and `b` (next to each other) have the same back image; compares the back
// image once after each change.
bool BackRowsAlike(ScreenState &screen, int32_t a, int32_t b);

// Moves off draws every operation cell by cell, as the reference the tests compare with.
void SetImageMoves(ScreenState &screen, bool on);
ImageMoveCounts ImageMoves(ScreenState &screen);
