#pragma once
// The layered layout of families: generations as rows (longest path from the
// oldest, then each group moved down to stand right above its nearest
// children), the two parents of common children side by side as one block,
// rows ordered by sweeps up and down that place each block where its
// relatives want it.
#include "chart/ChartGrid.h"

#include <vector>

namespace lw {

class Document;

// Cells for `persons` (indices into `doc`) laid out by generation, starting
// at column 0, row 0, one entry per listed person. Separate families stand
// side by side; persons without any relative in the list share a block.
std::vector<GridCell> layoutFamilies(const Document& doc, const std::vector<int>& persons);

} // namespace lw
