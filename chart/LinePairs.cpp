#include "chart/LinePairs.h"

namespace lw::familylayout {

void crossingPairs(const LineEnds& left, const LineEnds& right, std::int64_t& now,
                   std::int64_t& swapped) {
    std::size_t j = 0, k = 0;
    std::int64_t below = 0, atMost = 0, all = 0;
    for (const auto& [pos, weight] : right)
        all += weight;
    for (const auto& [a, weight] : left) {
        for (; j < right.size() && right[j].first < a; ++j)
            below += right[j].second;
        for (; k < right.size() && right[k].first <= a; ++k)
            atMost += right[k].second;
        now += weight * below;
        swapped += weight * (all - atMost);
    }
}

} // namespace lw::familylayout
