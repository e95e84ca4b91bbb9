#pragma once
// Pairs of crossing lines between two nodes of one row, and where a node
// would stand by its lines.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace lw::familylayout {

// Where a node's lines meet the neighbouring row, sorted, with their weights.
using LineEnds = std::vector<std::pair<int, int>>;

// Of the lines of two nodes of one row towards the same neighbouring row,
// the weighted pairs that cross with `left` standing left of `right`
// (added to `now`) and with the two the other way round (to `swapped`).
void crossingPairs(const LineEnds& left, const LineEnds& right, std::int64_t& now,
                   std::int64_t& swapped);

// Where a node wants to stand by where its lines meet the neighbouring row
// (`places`, sorted here): their mean, or their median and then their mean,
// the median of an even count weighted towards the closer-packed side.
std::pair<double, double> sweepKey(std::vector<int>& places, bool byMedian);

} // namespace lw::familylayout
