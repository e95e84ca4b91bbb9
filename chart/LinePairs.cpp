#include "chart/LinePairs.h"

#include <algorithm>
#include <numeric>

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

std::pair<double, double> sweepKey(std::vector<int>& places, bool byMedian) {
    const double mean = std::accumulate(places.begin(), places.end(), 0.0) / double(places.size());
    if (!byMedian) return {mean, 0.0};
    std::sort(places.begin(), places.end());
    const size_t m = places.size(), h = m / 2;
    if (m % 2 == 1) return {places[h], mean};
    if (m == 2) return {0.5 * (places[0] + places[1]), mean};
    const double left = places[h - 1] - places[0], right = places[m - 1] - places[h];
    return {left + right > 0 ? (places[h - 1] * right + places[h] * left) / (left + right)
                             : 0.5 * (places[h - 1] + places[h]),
            mean};
}

} // namespace lw::familylayout
