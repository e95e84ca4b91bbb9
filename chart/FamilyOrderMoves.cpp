#include "chart/FamilyOrdering.h"

#include <algorithm>
#include <cstdlib>

namespace lw::familylayout::ordering {

// Neighbours in row l change places while that saves crossings.
void Ordering::transpose(int l, bool ties) {
    std::vector<int>& row = rows_[size_t(l)];
    if (row.size() < 2) return;
    std::vector<Ends> ups(row.size()), downs(row.size());
    std::vector<int> nodes = row;
    std::vector<int> index(row.size());
    for (size_t i = 0; i < row.size(); ++i) {
        farEndsInto(row[i], l, true, ups[i]);
        farEndsInto(row[i], l, false, downs[i]);
        index[i] = int(i);
    }
    for (int pass = 0; pass < 8; ++pass) {
        bool improved = false;
        for (size_t i = 0; i + 1 < index.size(); ++i) {
            const int a = index[i], b = index[i + 1];
            std::int64_t now = 0, swapped = 0;
            crossingPairs(ups[size_t(a)], ups[size_t(b)], now, swapped);
            crossingPairs(downs[size_t(a)], downs[size_t(b)], now, swapped);
            if (swapped < now || (ties && pass == 0 && now > 0 && swapped == now)) {
                std::swap(index[i], index[i + 1]);
                improved |= swapped < now;
            }
        }
        if (!improved) break;
    }
    for (size_t i = 0; i < index.size(); ++i)
        row[i] = nodes[size_t(index[i])];
    place(l);
}

// Each node of row l in turn to its cheapest place in the row.
void Ordering::siftRow(int l) {
    const std::vector<int> nodes = rows_[size_t(l)];
    if (nodes.size() < 2) return;
    Ends up, down;
    for (int v : nodes) {
        farEndsInto(v, l, true, up);
        farEndsInto(v, l, false, down);
        moveToBest(v, l, up, down);
    }
}

// For node v with the line ends `up` and `down`, what each place among
// `others` of row l costs in crossings with their lines, against the first.
std::vector<std::int64_t> Ordering::placeCosts(int l, const std::vector<int>& others,
                                               const Ends& up, const Ends& down) const {
    std::vector<std::int64_t> cost(others.size() + 1, 0);
    for (size_t k = 1; k <= others.size(); ++k) {
        std::int64_t before = 0, after = 0;
        farEndsInto(others[k - 1], l, true, scratchEnds_);
        crossingPairs(up, scratchEnds_, before, after);
        farEndsInto(others[k - 1], l, false, scratchEnds_);
        crossingPairs(down, scratchEnds_, before, after);
        cost[k] = cost[k - 1] + after - before;
    }
    return cost;
}

// Node v of row l to its cheapest place in the row, staying at a tie.
void Ordering::moveToBest(int v, int l, const Ends& up, const Ends& down) {
    std::vector<int>& row = rows_[size_t(l)];
    const size_t from = size_t(std::find(row.begin(), row.end(), v) - row.begin());
    row.erase(row.begin() + std::ptrdiff_t(from));
    const std::vector<std::int64_t> cost = placeCosts(l, row, up, down);
    size_t at = from;
    for (size_t k = 0; k < cost.size(); ++k)
        if (cost[k] < cost[at]) at = k;
    row.insert(row.begin() + std::ptrdiff_t(at), v);
    place(l);
}

// The crossings of the gaps on both sides of row l (`other` one of them).
std::int64_t Ordering::crossingsNear(int l, int other) {
    const int far = other < l ? l : l - 1;
    return crossingsBelow(std::min(l, other)) +
           (far >= 0 && size_t(far) < between_.size() ? crossingsBelow(far) : 0);
}

// A group whose only lines run to one node of the next row (parents without
// parents above one child, a childless single) hangs on it. Each node of row l
// tries its cheapest places, its hangers following, kept where that saves.
bool Ordering::moveWithHangers(int l, bool above, bool wide) {
    const int other = above ? l - 1 : l + 1;
    if (other < 0 || other >= int(rows_.size())) return false;
    // Long rows take part once (`wide`), at the nearest cheapest places.
    const bool longRows =
        rows_[size_t(l)].size() > kHangRowLimit || rows_[size_t(other)].size() > kHangRowLimit;
    if (longRows && !wide) return false;
    const std::vector<Edge>& between = between_[size_t(std::min(l, other))];
    auto far = [&](const Edge& e) { return above ? e.up : e.down; };
    auto near = [&](const Edge& e) { return above ? e.down : e.up; };
    bool changed = false;
    const std::vector<int> nodes = rows_[size_t(l)];
    const size_t keptLength = nodes.size() + rows_[size_t(other)].size();
    std::vector<int> hangers;
    for (int u : nodes) {
        const std::vector<int>& edges = above ? upEdges_[size_t(u)] : downEdges_[size_t(u)];
        hangers.clear();
        for (int k : edges) {
            const int h = far(between[size_t(k)]);
            if (!(above ? upEdges_ : downEdges_)[size_t(h)].empty()) continue;
            const std::vector<int>& back = above ? downEdges_[size_t(h)] : upEdges_[size_t(h)];
            if (std::all_of(back.begin(), back.end(),
                            [&](int j) { return near(between[size_t(j)]) == u; }) &&
                std::find(hangers.begin(), hangers.end(), h) == hangers.end())
                hangers.push_back(h);
        }
        if (hangers.empty()) continue;
        // Long rows share one budget: the nodes of both rows for each move.
        if (longRows && (wideWork_ -= std::int64_t(keptLength)) < 0) break;
        Ends own;
        for (int k : edges) {
            const Edge& e = between[size_t(k)];
            if (std::find(hangers.begin(), hangers.end(), far(e)) == hangers.end())
                own.emplace_back(start_[size_t(far(e))] + (above ? e.offUp : e.offDown), e.weight);
        }
        std::sort(own.begin(), own.end());
        Ends rest, ends;
        farEndsInto(u, l, !above, rest);
        const std::vector<int> keptRow = rows_[size_t(l)], keptOther = rows_[size_t(other)];
        std::vector<int> others = keptRow;
        const size_t from = size_t(std::find(others.begin(), others.end(), u) - others.begin());
        others.erase(others.begin() + std::ptrdiff_t(from));
        const std::vector<std::int64_t> cost =
            placeCosts(l, others, above ? own : rest, above ? rest : own);
        const std::int64_t least = *std::min_element(cost.begin(), cost.end());
        std::int64_t best = crossingsNear(l, other);
        std::vector<int> bestRow, bestOther;
        size_t nearLeft = from, nearRight = from + 1;
        while (nearLeft > 0 && cost[nearLeft - 1] > least)
            --nearLeft;
        while (nearRight < cost.size() && cost[nearRight] > least)
            ++nearRight;
        for (size_t at = 0; at < cost.size(); ++at) {
            if (at == from || cost[at] > least) continue;
            if (longRows && at + 1 != nearLeft && at != nearRight) continue;
            rows_[size_t(l)] = others;
            rows_[size_t(l)].insert(rows_[size_t(l)].begin() + std::ptrdiff_t(at), u);
            rows_[size_t(other)] = keptOther;
            place(l);
            place(other);
            for (int h : hangers) {
                farEndsInto(h, other, !above, ends);
                moveToBest(h, other, above ? Ends{} : ends, above ? ends : Ends{});
            }
            const std::int64_t now = crossingsNear(l, other);
            if (now < best) {
                best = now;
                bestRow = rows_[size_t(l)];
                bestOther = rows_[size_t(other)];
            }
        }
        rows_[size_t(l)] = bestRow.empty() ? keptRow : bestRow;
        rows_[size_t(other)] = bestOther.empty() ? keptOther : bestOther;
        place(l);
        place(other);
        changed |= !bestRow.empty();
    }
    return changed;
}

// Whether turning group v around gives fewer crossings: only the pairs of
// its own lines change. Groups with very many lines are left as they are.
bool Ordering::flipSaves(int v, int l) {
    std::int64_t now = 0, turned = 0, keepLength = 0, turnedLength = 0;
    auto side = [&](const std::vector<int>& edges, const std::vector<Edge>& between, bool up) {
        if (edges.size() > 64) return false;
        for (size_t i = 0; i < edges.size(); ++i)
            for (size_t j = i + 1; j < edges.size(); ++j) {
                const Edge &a = between[size_t(edges[i])], &b = between[size_t(edges[j])];
                const int own = up ? a.offDown - b.offDown : a.offUp - b.offUp;
                const int far =
                    up ? (start_[size_t(a.up)] + a.offUp) - (start_[size_t(b.up)] + b.offUp)
                       : (start_[size_t(a.down)] + a.offDown) -
                             (start_[size_t(b.down)] + b.offDown);
                const std::int64_t w = std::int64_t(a.weight) * b.weight;
                if (std::int64_t(own) * far < 0) now += w;
                if (std::int64_t(own) * far > 0) turned += w;
            }
        // Lengths, for a tie: where each line meets the group, and its far end.
        const int edge = 2 * (width_[size_t(v)] - 1);
        for (int k : edges) {
            const Edge& e = between[size_t(k)];
            const int mine = up ? e.offDown : e.offUp;
            const int far =
                up ? start_[size_t(e.up)] + e.offUp : start_[size_t(e.down)] + e.offDown;
            keepLength += std::abs(start_[size_t(v)] + mine - far);
            turnedLength += std::abs(start_[size_t(v)] + edge - mine - far);
        }
        return true;
    };
    if (l > 0 && !side(upEdges_[size_t(v)], between_[size_t(l - 1)], true)) return false;
    if (size_t(l) < between_.size() && !side(downEdges_[size_t(v)], between_[size_t(l)], false))
        return false;
    return turned < now || (turned == now && turnedLength < keepLength);
}

void Ordering::flip(int v, int l) {
    flipped_[size_t(v)] ^= 1;
    const int far = 2 * (width_[size_t(v)] - 1);
    if (l > 0)
        for (int k : upEdges_[size_t(v)]) {
            Edge& e = between_[size_t(l - 1)][size_t(k)];
            e.offDown = far - e.offDown;
        }
    if (size_t(l) < between_.size())
        for (int k : downEdges_[size_t(v)]) {
            Edge& e = between_[size_t(l)][size_t(k)];
            e.offUp = far - e.offUp;
        }
}

// Each group of row l turned around where that saves crossings among its own
// lines (a son whose parents stand on the right goes to the right).
bool Ordering::flipRow(int l) {
    bool any = false;
    for (int v : rows_[size_t(l)])
        if (v < groupCount_ && width_[size_t(v)] > 1 && flipSaves(v, l)) {
            flip(v, l);
            any = true;
        }
    return any;
}

} // namespace lw::familylayout::ordering
