#pragma once
// The order of the groups within each row, chosen for few crossings.
//
// A line that spans several rows gets a stand-in in each row between, so
// that it takes part in the ordering like a box. The rows start in the
// order of a walk through the family (a plain tree is then free of
// crossings), from a few starts where the family is small enough; sweeps
// down and up sort each row by where the groups' lines meet the row before
// (a node without lines there stays beside its left neighbour, since the
// rows' scales differ); neighbours change places and couples turn around
// where that saves crossings. The best order seen is kept, counted exactly,
// so that the result is never worse than the start. In a small family a
// node then moves together with the groups that hang on it alone (parents
// without parents of their own above one child), which the sweeps, moving
// one node at a time, cannot do.
#include "chart/FamilyLayers.h"

#include <cstdint>
#include <vector>

namespace lw::familylayout {

// Each row's groups, left to right, each group turned around where that
// saves crossings; `crossings` gets the count of the order
// between the rows, with the stand-ins. `beforeHangers` gets the rows as
// they stood before the groups that hang on one node were moved along with
// it, the groups turned the same.
std::vector<std::vector<int>> orderRows(const Graph& g, Groups& groups,
                                        const std::vector<int>& layer,
                                        std::int64_t* crossings = nullptr,
                                        std::vector<std::vector<int>>* beforeHangers = nullptr);

} // namespace lw::familylayout
