#pragma once
// The layered layout of families: partners (parents of common children and
// the partnerships of the document) side by side as one group, generations
// as rows chosen for short lines (chart/FamilyLayers.h), each row's order
// chosen for few crossings (chart/FamilyOrder.h), then each group placed
// where its parents and children want it, the row's order kept; separate
// families packed in bands (chart/FamilyPacking.h).
#include "chart/ChartGrid.h"
#include "document/Layout.h"

#include <cstdint>
#include <optional>

#include <vector>

namespace lw {

class Document;

// Cells for `persons` (indices into `doc`) laid out by generation, starting
// at column 0, row 0, one entry per listed person, all within `maxWidth`
// columns and `maxHeight` rows. Separate families stand side by side in
// bands, the tallest first, no band much wider than the widest family;
// persons without any relative in the list share a square block, and so
// does a family too large for the area. Nothing when the persons do not fit
// at all.
std::optional<std::vector<GridCell>> layoutFamilies(const Document& doc,
                                                    const std::vector<int>& persons,
                                                    std::int32_t maxWidth = kAreaRange.hi,
                                                    std::int32_t maxHeight = kAreaRange.hi);

} // namespace lw
