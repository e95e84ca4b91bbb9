#pragma once
// The layered layout of families: generations as rows (longest path from the
// oldest, then each group moved down to stand right above its nearest
// children), the two parents of common children side by side as one block,
// rows ordered by sweeps up and down that place each block where its
// relatives want it.
#include "chart/ChartGrid.h"
#include "document/Layout.h"

#include <cstdint>
#include <optional>

#include <vector>

namespace lw {

class Document;

// Cells for `persons` (indices into `doc`) laid out by generation, starting
// at column 0, row 0, one entry per listed person, all within `maxWidth`
// columns and `maxHeight` rows. Separate families stand side by side, in
// further bands below where a band would grow too wide; persons without any
// relative in the list share a square block, and so does a family too large
// for the area. Nothing when the persons do not fit at all.
std::optional<std::vector<GridCell>> layoutFamilies(const Document& doc,
                                                    const std::vector<int>& persons,
                                                    std::int32_t maxWidth = kAreaRange.hi,
                                                    std::int32_t maxHeight = kAreaRange.hi);

} // namespace lw
