#pragma once
// Tightening the rows of couple groups as a whole.
#include "chart/FamilyLayers.h"

#include <cstdint>
#include <vector>

namespace lw::familylayout {

// Rows with the least sum of line lengths, each weighted by its lines, that
// keep every child's group at least one row below its parents' group: from
// a valid start, a spanning tree of links without slack is exchanged edge by
// edge while that shortens the lines (the network simplex method). `budget`
// bounds the work, in links visited; the rows stay valid whenever it ends.
void tightenRows(const GroupLinks& links, std::vector<int>& layer, std::int64_t budget);

} // namespace lw::familylayout
