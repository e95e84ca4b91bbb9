#include "chart/FamilyOrder.h"

#include "chart/LinePairs.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <numeric>

namespace lw::familylayout {

namespace {

// Positions are counted in half boxes: the middle of a couple is whole.
struct Edge {
    int up, down;       // nodes in rows l and l + 1
    int offUp, offDown; // where the line meets each node, from its left end
    int weight;         // 2 for a line from both parents: two lines cross it
};

class Ordering {
  public:
    Ordering(const Graph& g, const Groups& groups, const std::vector<int>& layer);
    std::vector<std::vector<int>> run(std::int64_t* crossings,
                                      std::vector<std::vector<int>>* beforeHangers);

  private:
    void addLines(const Graph& g, const Groups& groups, const std::vector<int>& layer);
    void initialOrder(int first, bool upFirst);
    void place(int l);
    void sweep(int l, bool down);
    std::int64_t crossingsBelow(int l);
    std::int64_t crossingsAll();
    using Ends = LineEnds;
    void farEndsInto(int v, int l, bool up, Ends& out) const;
    void transpose(int l);
    std::vector<std::int64_t> placeCosts(int l, const std::vector<int>& others, const Ends& up,
                                         const Ends& down) const;
    void moveToBest(int v, int l, const Ends& up, const Ends& down);
    std::int64_t crossingsNear(int l, int other);
    bool moveWithHangers(int l, bool above, bool wide);
    bool flipSaves(int v, int l);
    void flip(int v, int l);
    bool flipRow(int l);
    void improve(std::int64_t& best, std::vector<std::vector<int>>& bestRows,
                 std::vector<char>& bestFlipped);
    static constexpr int kRounds = 24, kPatience = 4;
    static constexpr std::int64_t kWideWork = 1000000; // hangers in long rows
    static constexpr size_t kManyStartsBelow = 20000, kHangRowLimit = 300, kStartNodes = 10000;

    int groupCount_;
    std::vector<int> layerOf_, width_, start_;
    std::vector<std::vector<int>> rows_;
    std::vector<std::vector<Edge>> between_;            // by upper row
    std::vector<std::vector<int>> upEdges_, downEdges_; // by node: indices into between_
    std::vector<std::int64_t> fenwick_;
    mutable Ends scratchEnds_;
    std::int64_t wideWork_ = 0;                   // of kWideWork, left
    std::vector<std::pair<double, double>> want_; // scratch of the sweeps
    std::vector<int> places_;                     // scratch of the sweeps: one node's line ends
    bool byMedian_ = false; // the sweeps sort by the median of the ends, else by their mean
    std::vector<size_t> order_;
    std::vector<int> sorted_;

  public:
    std::vector<char> flipped_; // by group: its members to be turned around
};

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

// Neighbours in row l change places while that saves crossings.
void Ordering::transpose(int l) {
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
            if (swapped < now) {
                std::swap(index[i], index[i + 1]);
                improved = true;
            }
        }
        if (!improved) break;
    }
    for (size_t i = 0; i < index.size(); ++i)
        row[i] = nodes[size_t(index[i])];
    place(l);
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
    rows_ = bestRows;
    for (int l = 0; l < depth; ++l)
        place(l);
    for (int l = 0; l < depth; ++l)
        for (int v : rows_[size_t(l)])
            if (v < groupCount_ && flipped_[size_t(v)] != bestFlipped[size_t(v)]) flip(v, l);
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
    if (crossings) *crossings = crossingsAll();
    return groupsOnly();
}

} // namespace

std::vector<std::vector<int>> orderRows(const Graph& g, Groups& groups,
                                        const std::vector<int>& layer, std::int64_t* crossings,
                                        std::vector<std::vector<int>>* beforeHangers) {
    Ordering ordering(g, groups, layer);
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
