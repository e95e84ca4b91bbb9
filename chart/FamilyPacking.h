#pragma once
// Separate families on one chart: each family's block of cells where it
// fits, the tallest first, in bands as wide as the widest family or as a
// square of all of them, whichever is wider, so that the chart is filled in
// both directions rather than one long row.
#include "chart/ChartGrid.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace lw::familylayout {

struct Graph;

// One connected family laid out in rows: cells by member, columns and rows
// from 0, and the block's `width` and `height`.
std::vector<GridCell> layoutFamily(const Graph& g, int& width, int& height);

// A family's cells, with columns and rows from 0, and its extent.
struct Block {
    std::vector<GridCell> cells; // by position in the family's member list
    std::int64_t width = 0, height = 0;
    // Parent and child of each parent line, as positions in `cells`.
    std::vector<std::pair<int, int>> links;
};

// `count` persons in a square, row by row, as persons without relatives.
Block squareBlock(size_t count);

// The top left cell of each family block and the cell of each of `loners`
// persons without relatives. Persons without relatives and small families
// go into free room among and below the larger families where they keep a
// free cell around them and stay off the lines, when the chart then grows
// no wider and no larger than with them packed beside; else all are packed
// in bands (a free column between blocks, a free row between bands, each
// band on an even row so that the half-box shift of the odd rows stays with
// each block, none wider than `maxWidth`), the persons without relatives in
// one square.
// False when nothing fits into the area.
bool arrangeBlocks(const std::vector<Block>& families, size_t loners, std::int64_t maxWidth,
                   std::int64_t maxHeight, std::vector<GridCell>& origins,
                   std::vector<GridCell>& lonerCells);

} // namespace lw::familylayout
