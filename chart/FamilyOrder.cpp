#include "chart/FamilyOrder.h"

#include "chart/FamilyOrdering.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <numeric>

namespace lw::familylayout {

namespace ordering {

Ordering::Ordering(const Graph& g, const Groups& groups, const std::vector<int>& layer)
    : groupCount_(groups.count()) {
    const int depth = groupCount_ ? 1 + *std::max_element(layer.begin(), layer.end()) : 0;
    rows_.assign(size_t(depth), {});
    between_.assign(size_t(std::max(0, depth - 1)), {});
    layerOf_ = layer;
    width_.resize(size_t(groupCount_));
    for (int gr = 0; gr < groupCount_; ++gr)
        width_[size_t(gr)] = int(groups.members[size_t(gr)].size());
    addLines(g, groups, layer);
    start_.assign(layerOf_.size(), 0);
    upEdges_.assign(layerOf_.size(), {});
    downEdges_.assign(layerOf_.size(), {});
    for (size_t l = 0; l < between_.size(); ++l)
        for (size_t k = 0; k < between_[l].size(); ++k) {
            downEdges_[size_t(between_[l][k].up)].push_back(int(k));
            upEdges_[size_t(between_[l][k].down)].push_back(int(k));
        }
}

void Ordering::addLines(const Graph& g, const Groups& groups, const std::vector<int>& layer) {
    struct Line {
        int from, to, offFrom, offTo, span, weight;
    };
    std::vector<Line> lines;
    for (int c = 0; c < g.size(); ++c) {
        const int to = groups.groupOf[size_t(c)];
        const int f = g.father[size_t(c)], m = g.mother[size_t(c)];
        for (int parent : {f, m}) {
            if (parent < 0) continue;
            const int from = groups.groupOf[size_t(parent)];
            if (from == to || layer[size_t(from)] >= layer[size_t(to)]) continue;
            const int other = parent == f ? m : f;
            const bool both = other >= 0 && groups.groupOf[size_t(other)] == from;
            if (both && parent == m) continue; // the couple's line once, from its middle
            const int off = both ? int(groups.offset[size_t(f)] + groups.offset[size_t(m)])
                                 : int(2 * groups.offset[size_t(parent)]);
            lines.push_back({from, to, off, int(2 * groups.offset[size_t(c)]),
                             layer[size_t(to)] - layer[size_t(from)], both ? 2 : 1});
        }
    }
    // Stand-ins for the long lines, the shortest first, as many as a few
    // per person; longer lines beyond that take no part in the order.
    std::stable_sort(lines.begin(), lines.end(),
                     [](const Line& a, const Line& b) { return a.span < b.span; });
    std::int64_t budget = 4 * std::int64_t(g.size()) + 1000;
    for (const Line& line : lines) {
        budget -= line.span - 1;
        if (line.span > 1 && budget < 0) break;
        int prev = line.from, offPrev = line.offFrom;
        for (int l = layer[size_t(line.from)] + 1; l < layer[size_t(line.to)]; ++l) {
            const int dummy = int(layerOf_.size());
            layerOf_.push_back(l);
            width_.push_back(1);
            between_[size_t(l - 1)].push_back({prev, dummy, offPrev, 0, line.weight});
            prev = dummy;
            offPrev = 0;
        }
        between_[size_t(layer[size_t(line.to)] - 1)].push_back(
            {prev, line.to, offPrev, line.offTo, line.weight});
    }
}

// A walk from `first` (then from each node not yet reached), children or
// parents first: each row in the order the walk first reached its nodes.
void Ordering::initialOrder(int first, bool upFirst) {
    const size_t n = layerOf_.size();
    std::vector<int> key(n, -1), stack;
    int next = 0;
    auto pushUp = [&](int v, int l) {
        if (l > 0)
            for (auto it = upEdges_[size_t(v)].rbegin(); it != upEdges_[size_t(v)].rend(); ++it)
                if (key[size_t(between_[size_t(l - 1)][size_t(*it)].up)] < 0)
                    stack.push_back(between_[size_t(l - 1)][size_t(*it)].up);
    };
    auto pushDown = [&](int v, int l) {
        if (size_t(l) < between_.size())
            for (auto it = downEdges_[size_t(v)].rbegin(); it != downEdges_[size_t(v)].rend(); ++it)
                if (key[size_t(between_[size_t(l)][size_t(*it)].down)] < 0)
                    stack.push_back(between_[size_t(l)][size_t(*it)].down);
    };
    for (size_t k = 0; k <= n; ++k) {
        const size_t root = k == 0 ? size_t(first) : k - 1;
        if (root >= n || key[root] >= 0) continue;
        stack.assign(1, int(root));
        while (!stack.empty()) {
            const int v = stack.back();
            stack.pop_back();
            if (key[size_t(v)] >= 0) continue;
            key[size_t(v)] = next++;
            const int l = layerOf_[size_t(v)];
            // Pushed in reverse, so that the first line is walked first.
            if (upFirst) {
                pushDown(v, l);
                pushUp(v, l);
            } else {
                pushUp(v, l);
                pushDown(v, l);
            }
        }
    }
    for (std::vector<int>& row : rows_)
        row.clear();
    for (size_t v = 0; v < n; ++v)
        rows_[size_t(layerOf_[v])].push_back(int(v));
    for (size_t l = 0; l < rows_.size(); ++l) {
        std::sort(rows_[l].begin(), rows_[l].end(),
                  [&](int a, int b) { return key[size_t(a)] < key[size_t(b)]; });
        place(int(l));
    }
}

void Ordering::place(int l) {
    int at = 0;
    for (int v : rows_[size_t(l)]) {
        start_[size_t(v)] = at;
        at += 2 * width_[size_t(v)];
    }
}

// Sorts row l by where its nodes' lines meet the row above (down) or below.
void Ordering::sweep(int l, bool down) {
    std::vector<int>& row = rows_[size_t(l)];
    want_.resize(row.size());
    order_.resize(row.size());
    std::iota(order_.begin(), order_.end(), size_t(0));
    for (size_t i = 0; i < row.size(); ++i) {
        const int v = row[i];
        const auto& edges = down ? upEdges_[size_t(v)] : downEdges_[size_t(v)];
        if (edges.empty()) {
            // Stays right after its left neighbour: the rows' scales differ.
            want_[i] = i > 0 ? want_[i - 1] : std::pair{-1e300, 0.0};
            continue;
        }
        places_.clear();
        for (int k : edges) {
            const Edge& e = between_[size_t(down ? l - 1 : l)][size_t(k)];
            places_.push_back(down ? start_[size_t(e.up)] + e.offUp - e.offDown
                                   : start_[size_t(e.down)] + e.offDown - e.offUp);
        }
        want_[i] = sweepKey(places_, byMedian_);
    }
    std::stable_sort(order_.begin(), order_.end(),
                     [&](size_t a, size_t b) { return want_[a] < want_[b]; });
    sorted_.resize(row.size());
    for (size_t i = 0; i < row.size(); ++i)
        sorted_[i] = row[order_[i]];
    row.swap(sorted_);
    place(l);
}

// Pairs of lines between rows l and l + 1 whose ends lie in opposite order.
std::int64_t Ordering::crossingsBelow(int l) {
    const std::vector<Edge>& edges = between_[size_t(l)];
    std::vector<std::array<int, 3>> ends(edges.size());
    int top = 1;
    for (size_t k = 0; k < edges.size(); ++k) {
        ends[k] = {start_[size_t(edges[k].up)] + edges[k].offUp,
                   start_[size_t(edges[k].down)] + edges[k].offDown, edges[k].weight};
        top = std::max(top, ends[k][1] + 2);
    }
    std::sort(ends.begin(), ends.end());
    fenwick_.assign(size_t(top) + 1, 0);
    std::int64_t crossings = 0, seen = 0;
    for (const auto& [upper, lower, weight] : ends) {
        std::int64_t atMost = 0; // earlier lines ending at or left of this one
        for (int i = lower + 1; i > 0; i -= i & -i)
            atMost += fenwick_[size_t(i)];
        crossings += weight * (seen - atMost);
        for (int i = lower + 1; i <= top; i += i & -i)
            fenwick_[size_t(i)] += weight;
        seen += weight;
    }
    return crossings;
}

std::int64_t Ordering::crossingsAll() {
    std::int64_t sum = 0;
    for (size_t l = 0; l < between_.size(); ++l)
        sum += crossingsBelow(int(l));
    return sum;
}

// The far ends of node v's lines into the row above (up) or below, sorted.
void Ordering::farEndsInto(int v, int l, bool up, Ends& out) const {
    out.clear();
    if (up && l > 0)
        for (int k : upEdges_[size_t(v)]) {
            const Edge& e = between_[size_t(l - 1)][size_t(k)];
            out.emplace_back(start_[size_t(e.up)] + e.offUp, e.weight);
        }
    if (!up && size_t(l) < between_.size())
        for (int k : downEdges_[size_t(v)]) {
            const Edge& e = between_[size_t(l)][size_t(k)];
            out.emplace_back(start_[size_t(e.down)] + e.offDown, e.weight);
        }
    std::sort(out.begin(), out.end());
}

// Sweeps and exchanges from the current order; the best order seen (with
// the groups' turns) replaces `best` where it has fewer crossings.
void Ordering::improve(std::int64_t& best, std::vector<std::vector<int>>& bestRows,
                       std::vector<char>& bestFlipped) {
    const int depth = int(rows_.size());
    for (int v = 0; v < groupCount_; ++v)
        if (flipped_[size_t(v)]) flip(v, layerOf_[size_t(v)]);
    for (int l = 0; l < depth; ++l)
        flipRow(l);
    std::int64_t mine = crossingsAll();
    auto keep = [&](std::int64_t now) {
        if (now >= best) return;
        best = now;
        bestRows = rows_;
        bestFlipped = flipped_;
    };
    keep(mine);
    int worse = 0;
    for (int round = 0; round < kRounds && mine > 0 && worse < kPatience; ++round) {
        const bool down = round % 2 == 0;
        if (down)
            for (int l = 1; l < depth; ++l) {
                sweep(l, true);
                flipRow(l);
            }
        else
            for (int l = depth - 2; l >= 0; --l) {
                sweep(l, false);
                flipRow(l);
            }
        for (int l = 0; l < depth; ++l) {
            transpose(l);
            flipRow(l);
        }
        const std::int64_t now = crossingsAll();
        keep(now);
        if (now < mine) {
            mine = now;
            worse = 0;
        } else {
            ++worse;
        }
    }
}

std::vector<std::vector<int>> Ordering::run(std::int64_t* crossings,
                                            std::vector<std::vector<int>>* beforeHangers) {
    const int depth = int(rows_.size());
    flipped_.assign(size_t(groupCount_), 0);
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    std::vector<std::vector<int>> bestRows;
    std::vector<char> bestFlipped;
    // Walks from several starts where the family is small enough that each
    // costs little: the first group, a group of the lowest row and one of
    // the top row, children first and parents first,
    std::vector<int> starts = {0};
    if (groupCount_ > 0 && layerOf_.size() < kManyStartsBelow) {
        const auto rows = layerOf_.begin(), rowsEnd = rows + groupCount_; // groups only
        starts.insert(starts.end(), {int(std::max_element(rows, rowsEnd) - rows),
                                     int(std::min_element(rows, rowsEnd) - rows), groupCount_ - 1});
        // and groups spread over the family, more of them the smaller it is.
        const int more = int(std::min<size_t>(32, kStartNodes / layerOf_.size()));
        for (int k = 1; k < more; ++k)
            starts.push_back(int(std::int64_t(k) * groupCount_ / more));
    }
    for (int first : starts)
        for (bool upFirst : {false, true}) {
            if (best == 0 || (upFirst && starts.size() == 1)) break;
            initialOrder(first, upFirst);
            byMedian_ = upFirst; // half the starts by the median
            improve(best, bestRows, bestFlipped);
        }
    auto restoreBest = [&] {
        rows_ = bestRows;
        for (int l = 0; l < depth; ++l)
            place(l);
        for (int l = 0; l < depth; ++l)
            for (int v : rows_[size_t(l)])
                if (v < groupCount_ && flipped_[size_t(v)] != bestFlipped[size_t(v)]) flip(v, l);
    };
    restoreBest();
    auto groupsOnly = [&] {
        std::vector<std::vector<int>> out = rows_;
        for (std::vector<int>& row : out)
            std::erase_if(row, [&](int v) { return v >= groupCount_; });
        return out;
    };
    if (beforeHangers) *beforeHangers = groupsOnly();
    // The best order, where the family is small, with hangers moved along;
    // long rows too (within kWideWork) where there are many crossings a node.
    const bool tangled = best > 8 * std::int64_t(layerOf_.size());
    wideWork_ = kWideWork;
    if (starts.size() > 1 && best > 0)
        for (int round = 0; round < 4; ++round) {
            bool moved = false;
            for (int l = 0; l < depth; ++l)
                moved |= moveWithHangers(l, true, round == 0 && tangled) |
                         moveWithHangers(l, false, round == 0 && tangled);
            if (!moved) break;
        }
    // Where the family is small, the best order polished: each node of each
    // row to its cheapest place, the neighbours exchanged (every other round
    // also on a tie, to leave a plateau), the groups turned and the hangers
    // moved along, while that saves crossings. A tangle gets one round: each
    // move there weighs many lines, and the first round saves the most.
    if (starts.size() > 1 && best > 0 && layerOf_.size() < kPolishBelow) {
        const int rounds = tangled ? 1 : kRounds;
        best = crossingsAll();
        bestRows = rows_;
        bestFlipped = flipped_;
        int worse = 0;
        for (int round = 0; round < rounds && best > 0 && worse < 2; ++round) {
            for (int l = 0; l < depth; ++l) {
                siftRow(l);
                flipRow(l);
            }
            for (int l = 0; l < depth; ++l) {
                transpose(l, round % 2 == 0);
                flipRow(l);
            }
            for (int moves = 0; moves < 4; ++moves) {
                bool moved = false;
                for (int l = 0; l < depth; ++l)
                    moved |= moveWithHangers(l, true, false) | moveWithHangers(l, false, false);
                if (!moved) break;
            }
            const std::int64_t now = crossingsAll();
            if (now < best) {
                best = now;
                bestRows = rows_;
                bestFlipped = flipped_;
                worse = 0;
            } else {
                ++worse;
            }
        }
        restoreBest();
    }
    if (crossings) *crossings = crossingsAll();
    return groupsOnly();
}

} // namespace ordering

std::vector<std::vector<int>> orderRows(const Graph& g, Groups& groups,
                                        const std::vector<int>& layer, std::int64_t* crossings,
                                        std::vector<std::vector<int>>* beforeHangers) {
    ordering::Ordering ordering(g, groups, layer);
    std::vector<std::vector<int>> rows = ordering.run(crossings, beforeHangers);
    for (int gr = 0; gr < groups.count(); ++gr) {
        if (!ordering.flipped_[size_t(gr)]) continue;
        std::vector<int>& gm = groups.members[size_t(gr)];
        std::reverse(gm.begin(), gm.end());
        for (size_t k = 0; k < gm.size(); ++k)
            groups.offset[size_t(gm[k])] = double(k);
    }
    return rows;
}

} // namespace lw::familylayout
