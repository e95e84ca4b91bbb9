#include "chart/FamilyLayout.h"

#include "chart/ArrangeQuality.h"
#include "chart/FamilyGraph.h"
#include "chart/FamilyLayers.h"
#include "chart/FamilyOrder.h"
#include "chart/FamilyPacking.h"
#include "chart/StraightLongLines.h"
#include "document/Document.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>

namespace lw {

namespace {

using namespace familylayout;

// Coordinates of one connected family, its groups in rows already ordered.
class FamilyLayout {
  public:
    FamilyLayout(const Graph& g) : g_(g) {}

    // Cells by member, columns from 0; `width` and `height` of the block.
    std::vector<GridCell> run(int& width, int& height);

  private:
    double px(int person) const {
        return x_[size_t(group_[size_t(person)])] + offset_[size_t(person)];
    }
    bool desireDown(int g, double& d, double& w) const;
    bool desireUp(int g, double& d, double& w) const;
    // One step over a row in its order; `settle` keeps groups with children
    // where they are and brings only the childless ones under their parents.
    void pass(int layer, bool down, bool settle = false);
    void orient(int group);
    void compact();
    std::int64_t crossings() const;
    // Puts each row's groups side by side, moves them by passes over the
    // rows to where their relatives want them and closes the rows' gaps.
    void place();
    // Rounds of passes down and up the rows, then one settling down.
    void sweep(int rounds);
    double aside() const;
    void balance();
    void straighten();
    // Columns from the leftmost box to the rightmost one.
    double extent() const;
    void placeOrder();
    // Where the groups stand and how their members are turned, to go back to.
    struct Placement {
        std::vector<double> x, offset;
        std::vector<std::vector<int>> members;
    };
    Placement saved() const { return {x_, offset_, groupMembers_}; }
    void restore(Placement p) {
        x_ = std::move(p.x);
        offset_ = std::move(p.offset);
        groupMembers_ = std::move(p.members);
    }

    const Graph& g_;
    std::vector<int> group_;     // by person: its couple group
    std::vector<double> offset_; // by person: place within the group
    std::vector<std::vector<int>> groupMembers_;
    std::vector<int> layer_; // by group
    std::vector<double> x_;  // group → x of its first member's box centre, in columns
    std::vector<std::vector<int>> layers_;
    // Columns every row keeps within, from column 0: none when infinite.
    double frame_ = std::numeric_limits<double>::infinity();
    // By person, during a pass: how many of its children in the row have
    // wishes, and the sum of those wishes for the group start.
    std::vector<int> siblingCount_;
    std::vector<double> siblingWant_;
    // Passes weigh the wishes of both sides, parents and children.
    bool balance_ = false;
};

bool FamilyLayout::desireDown(int gr, double& d, double& w) const {
    double sum = 0;
    int count = 0;
    for (int m : groupMembers_[size_t(gr)]) {
        double xs = 0;
        int n = 0;
        for (int parent : {g_.father[size_t(m)], g_.mother[size_t(m)]}) {
            if (parent < 0 || layer_[size_t(group_[size_t(parent)])] >= layer_[size_t(gr)])
                continue;
            xs += px(parent);
            ++n;
        }
        if (n == 0) continue;
        sum += xs / n - offset_[size_t(m)];
        ++count;
    }
    if (count == 0) return false;
    d = sum / count;
    w = count;
    return true;
}

bool FamilyLayout::desireUp(int gr, double& d, double& w) const {
    double sum = 0;
    int count = 0;
    for (int m : groupMembers_[size_t(gr)]) {
        for (int c : g_.children[size_t(m)]) {
            if (layer_[size_t(group_[size_t(c)])] <= layer_[size_t(gr)]) continue;
            const int other = g_.otherParent(c, m);
            const double mid = other >= 0 && group_[size_t(other)] == gr
                                   ? (offset_[size_t(m)] + offset_[size_t(other)]) / 2
                                   : offset_[size_t(m)];
            sum += px(c) - mid;
            ++count;
        }
    }
    if (count == 0) return false;
    d = sum / count;
    w = count;
    return true;
}

// Finds, for the groups of one row in their order, the positions closest to those wishes that keep
// the order and let no two boxes share a cell (weighted isotonic regression, pool adjacent
// violators), and puts them on the row's cells.
void FamilyLayout::pass(int layer, bool down, bool settle) {
    std::vector<int>& row = layers_[size_t(layer)];
    const size_t n = row.size();
    std::vector<double> want(n), weight(n);
    std::vector<char> has(n);
    std::vector<size_t> order(n);
    for (size_t i = 0; i < n; ++i) {
        order[i] = i; // the row keeps its order
        double d = 0, w = 0;
        has[i] = down ? desireDown(row[i], d, w) : desireUp(row[i], d, w);
        want[i] = d;
        weight[i] = w;
        double d2 = 0, w2 = 0;
        if (balance_ && (down ? desireUp(row[i], d2, w2) : desireDown(row[i], d2, w2))) {
            want[i] = has[i] ? (d * w + d2 * w2) / (w + w2) : d2;
            weight[i] = has[i] ? w + w2 : w2;
            has[i] = true;
        }
        if (settle && desireUp(row[i], d, w)) {
            has[i] = true;
            want[i] = x_[size_t(row[i])];
            weight[i] = 1000;
        }
    }
    // A group that has no relatives in the direction of the pass goes with
    // its siblings (a childless son beside his married sisters), else with
    // its relatives on the other side, else stays. What the siblings want is
    // summed by parent first, so that a large family of siblings costs one
    // pass over the row.
    std::vector<int> touched;
    for (size_t k = 0; k < n; ++k) {
        if (!has[k]) continue;
        for (int sibling : groupMembers_[size_t(row[k])])
            for (int parent : {g_.father[size_t(sibling)], g_.mother[size_t(sibling)]}) {
                if (parent < 0) continue;
                if (siblingCount_[size_t(parent)]++ == 0) touched.push_back(parent);
                siblingWant_[size_t(parent)] += want[k] + offset_[size_t(sibling)];
            }
    }
    for (size_t i = 0; i < n; ++i) {
        if (has[i]) continue;
        double sum = 0;
        int count = 0;
        for (int m : groupMembers_[size_t(row[i])])
            for (int parent : {g_.father[size_t(m)], g_.mother[size_t(m)]})
                if (parent >= 0) {
                    const int c = siblingCount_[size_t(parent)];
                    sum += siblingWant_[size_t(parent)] - c * offset_[size_t(m)];
                    count += c;
                }
        double d = 0, w = 0;
        if (count > 0) {
            want[i] = sum / count;
            weight[i] = 0.5;
        } else if (down ? desireUp(row[i], d, w) : desireDown(row[i], d, w)) {
            want[i] = d;
            weight[i] = 0.5;
        } else {
            want[i] = x_[size_t(row[i])];
            weight[i] = 0.25;
        }
    }
    for (int parent : touched) {
        siblingCount_[size_t(parent)] = 0;
        siblingWant_[size_t(parent)] = 0;
    }
    struct Pool {
        double sumWY, sumW;
        size_t count;
    };
    std::vector<Pool> pools;
    double span = 0;
    for (size_t k = 0; k < n; ++k) {
        const size_t i = order[k];
        pools.push_back({weight[i] * (want[i] - span), weight[i], 1});
        span += double(groupMembers_[size_t(row[i])].size());
        while (pools.size() > 1) {
            const Pool& b = pools.back();
            const Pool& a = pools[pools.size() - 2];
            if (a.sumWY / a.sumW <= b.sumWY / b.sumW) break;
            Pool merged{a.sumWY + b.sumWY, a.sumW + b.sumW, a.count + b.count};
            pools.pop_back();
            pools.back() = merged;
        }
    }
    const double shift = (layer % 2 != 0) ? 0.5 : 0.0;
    // Within a frame each group keeps room for the groups before it on the
    // left and for those after it on the right.
    const bool framed = std::isfinite(frame_);
    const double total = span;
    std::vector<int> sorted(n);
    size_t k = 0;
    span = 0;
    double nextFree = framed ? 0 : -std::numeric_limits<double>::infinity();
    for (const Pool& pool : pools) {
        const double y = pool.sumWY / pool.sumW;
        for (size_t c = 0; c < pool.count; ++c, ++k) {
            const int gr = row[order[k]];
            const double size = double(groupMembers_[size_t(gr)].size());
            double col = std::round(y + span - shift);
            if (framed) col = std::min(col, frame_ - total + span);
            if (col < nextFree) col = nextFree;
            x_[size_t(gr)] = col + shift;
            nextFree = col + size;
            span += size;
            sorted[k] = gr;
        }
    }
    row = std::move(sorted);
    for (int gr : row)
        orient(gr);
}

// Turns a group around when its members then stand nearer to their parents
// and children (a son beside his sister, his wife on the outside), unless
// its own lines then cross more.
void FamilyLayout::orient(int gr) {
    std::vector<int>& gm = groupMembers_[size_t(gr)];
    const size_t k = gm.size();
    if (k < 2) return;
    double keep = 0, turned = 0;
    struct Line {
        double own, far;
        bool up;
    };
    std::vector<Line> lines;
    for (size_t j = 0; j < k; ++j) {
        const int m = gm[j];
        auto add = [&](int r, bool up) {
            if (r < 0 || group_[size_t(r)] == gr) return;
            keep += std::abs(x_[size_t(gr)] + double(j) - px(r));
            turned += std::abs(x_[size_t(gr)] + double(k - 1 - j) - px(r));
            lines.push_back({double(j), px(r), up});
        };
        add(g_.father[size_t(m)], true);
        add(g_.mother[size_t(m)], true);
        for (int c : g_.children[size_t(m)])
            add(c, false);
    }
    if (turned >= keep || lines.size() > 64) return;
    int crossNow = 0, crossTurned = 0;
    for (size_t a = 0; a < lines.size(); ++a)
        for (size_t b = a + 1; b < lines.size(); ++b) {
            if (lines[a].up != lines[b].up) continue;
            const double d = (lines[a].own - lines[b].own) * (lines[a].far - lines[b].far);
            crossNow += d < 0;
            crossTurned += d > 0;
        }
    if (crossTurned > crossNow) return;
    std::reverse(gm.begin(), gm.end());
    for (size_t j = 0; j < k; ++j)
        offset_[size_t(gm[j])] = double(j);
}

// Rows that reach out to the family's left or right edge and have gaps
// close them around their middle, until the widest rows are gap-free. The
// order in each row stays, so no lines between neighbouring rows come to
// cross.
void FamilyLayout::compact() {
    auto size = [&](int gr) { return double(groupMembers_[size_t(gr)].size()); };
    for (int round = 0; round < 16; ++round) {
        double left = std::numeric_limits<double>::infinity(), right = -left;
        for (const std::vector<int>& row : layers_) {
            if (row.empty()) continue;
            left = std::min(left, x_[size_t(row.front())]);
            right = std::max(right, x_[size_t(row.back())] + size(row.back()) - 1);
        }
        bool changed = false;
        for (size_t l = 0; l < layers_.size(); ++l) {
            const std::vector<int>& row = layers_[l];
            if (row.empty()) continue;
            const double rl = x_[size_t(row.front())];
            const double rr = x_[size_t(row.back())] + size(row.back()) - 1;
            double total = 0;
            for (int gr : row)
                total += size(gr);
            if ((rl != left && rr != right) || rr - rl + 1 <= total) continue;
            const double shift = (l % 2 != 0) ? 0.5 : 0.0;
            double at = std::round((rl + rr + 1 - total) / 2 - shift) + shift;
            for (int gr : row) {
                x_[size_t(gr)] = at;
                at += size(gr);
            }
            changed = true;
        }
        if (!changed) break;
    }
}

// How often the straight lines from the children to their parents cross,
// row gap by row gap, as the chart's figures count them.
std::int64_t FamilyLayout::crossings() const {
    struct Line {
        double xTop, xBottom;
        int rowTop, rowBottom;
    };
    std::vector<std::vector<Line>> byTop(layers_.size());
    for (int c = 0; c < g_.size(); ++c)
        for (int p : {g_.father[size_t(c)], g_.mother[size_t(c)]}) {
            if (p < 0) continue;
            const int top = layer_[size_t(group_[size_t(p)])];
            const int bottom = layer_[size_t(group_[size_t(c)])];
            auto drawn = [](double x, int row) { return row % 2 != 0 ? x - kOddRowShortfall : x; };
            if (top < bottom)
                byTop[size_t(top)].push_back(
                    {drawn(px(p), top), drawn(px(c), bottom), top, bottom});
        }
    std::int64_t count = 0;
    std::vector<Line> active;
    std::vector<std::pair<double, double>> ends;
    std::vector<double> lower, scratch;
    for (int gap = 0; gap + 1 < int(layers_.size()); ++gap) {
        active.erase(std::remove_if(active.begin(), active.end(),
                                    [&](const Line& a) { return a.rowBottom <= gap; }),
                     active.end());
        active.insert(active.end(), byTop[size_t(gap)].begin(), byTop[size_t(gap)].end());
        ends.clear();
        for (const Line& a : active) {
            const double span = double(a.rowBottom - a.rowTop);
            const double t0 = double(gap - a.rowTop) / span, t1 = double(gap + 1 - a.rowTop) / span;
            ends.emplace_back(a.xTop + (a.xBottom - a.xTop) * t0,
                              a.xTop + (a.xBottom - a.xTop) * t1);
        }
        std::sort(ends.begin(), ends.end());
        lower.resize(ends.size());
        scratch.resize(ends.size());
        for (size_t k = 0; k < ends.size(); ++k)
            lower[k] = ends[k].second;
        count += inversions(lower, scratch, 0, lower.size());
    }
    return count;
}

void FamilyLayout::sweep(int rounds) {
    const int depth = int(layers_.size());
    for (int round = 0; round < rounds; ++round) {
        for (int l = 1; l < depth; ++l)
            pass(l, true);
        for (int l = depth - 2; l >= 0; --l)
            pass(l, false);
    }
    for (int l = 1; l < depth; ++l)
        pass(l, true, true);
}

// The parent lines' horizontal runs summed, in columns.
double FamilyLayout::aside() const {
    double sum = 0;
    for (int c = 0; c < g_.size(); ++c)
        for (int p : {g_.father[size_t(c)], g_.mother[size_t(c)]})
            if (p >= 0) sum += std::abs(px(p) - px(c));
    return sum;
}

// Passes that weigh parents and children at once bring the children nearer
// their parents; they are kept when they shorten the lines without more
// crossings or a wider family.
void FamilyLayout::balance() {
    Placement before = saved();
    const std::int64_t crossed = crossings();
    const double wide = extent(), run = aside();
    balance_ = true;
    sweep(2);
    balance_ = false;
    if (crossings() > crossed || extent() > wide || aside() >= run) restore(std::move(before));
}

void FamilyLayout::place() {
    for (size_t l = 0; l < layers_.size(); ++l) {
        double at = (l % 2 != 0) ? 0.5 : 0.0;
        for (int gr : layers_[l]) {
            x_[size_t(gr)] = at;
            at += double(groupMembers_[size_t(gr)].size());
        }
    }
    sweep(4);
    // Closing gaps moves boxes under long lines, which may then cross more:
    // the closed rows are kept only where they cost no crossing and make
    // the family narrower.
    const std::vector<double> open = x_;
    const std::int64_t before = crossings();
    const double wide = extent();
    compact();
    const std::int64_t closed = crossings();
    const double narrow = extent();
    // Closing gaps that leave the family as wide only moves boxes away from
    // their relatives.
    if (closed > before || narrow >= wide) {
        x_ = open;
        return;
    }
    // Closed rows stand tight around their middle, far from where their
    // relatives want them: swept again within the closed width, the groups
    // come back towards their relatives, unless more lines cross or the
    // family grows wider.
    double left = std::numeric_limits<double>::infinity();
    for (size_t l = 0; l < layers_.size(); ++l)
        if (!layers_[l].empty())
            left = std::min(left, x_[size_t(layers_[l].front())] - ((l % 2 != 0) ? 0.5 : 0.0));
    for (double& x : x_)
        x -= left;
    Placement tight = saved();
    const double frame = frame_;
    frame_ = std::min(frame_, narrow);
    sweep(2);
    frame_ = frame;
    if (crossings() > closed || extent() > narrow) restore(std::move(tight));
}

void FamilyLayout::straighten() {
    std::vector<StraightLine> lines;
    for (int c = 0; c < g_.size(); ++c)
        for (int p : {g_.father[size_t(c)], g_.mother[size_t(c)]})
            if (p >= 0 && layer_[size_t(group_[size_t(p)])] < layer_[size_t(group_[size_t(c)])])
                lines.push_back(
                    {group_[size_t(p)], group_[size_t(c)], offset_[size_t(p)], offset_[size_t(c)]});
    std::vector<int> width(groupMembers_.size());
    for (size_t gr = 0; gr < width.size(); ++gr)
        width[gr] = int(groupMembers_[gr].size());
    straightenLongLines(layers_, x_, width, layer_, lines);
}

// Columns from the leftmost box's cell to the rightmost one's.
double FamilyLayout::extent() const {
    double left = std::numeric_limits<double>::infinity(), right = -left;
    for (size_t l = 0; l < layers_.size(); ++l) {
        const std::vector<int>& row = layers_[l];
        if (row.empty()) continue;
        const double shift = (l % 2 != 0) ? 0.5 : 0.0;
        left = std::min(left, x_[size_t(row.front())] - shift);
        right = std::max(right, x_[size_t(row.back())] - shift +
                                    double(groupMembers_[size_t(row.back())].size()));
    }
    return right - left;
}

// Places the groups in the current order: where its relatives want each
// group, and within the widest row's columns when that crosses no more.
void FamilyLayout::placeOrder() {
    x_.assign(groupMembers_.size(), 0);
    const std::vector<double> firstOffset = offset_;
    const std::vector<std::vector<int>> firstMembers = groupMembers_;
    place();
    balance();
    // Groups that want to stand further out than the widest row reaches
    // make the family wider than it need be: placed anew within the widest
    // row's columns, they are kept when no more lines cross.
    double widest = 0;
    for (const std::vector<int>& row : layers_) {
        double total = 0;
        for (int gr : row)
            total += double(groupMembers_[size_t(gr)].size());
        widest = std::max(widest, total);
    }
    if (extent() > widest) {
        const std::vector<double> wide = x_;
        const std::vector<double> wideOffset = offset_;
        const std::vector<std::vector<int>> wideMembers = groupMembers_;
        const std::int64_t wideCrossings = crossings();
        offset_ = firstOffset;
        groupMembers_ = firstMembers;
        frame_ = widest;
        place();
        balance();
        frame_ = std::numeric_limits<double>::infinity();
        if (crossings() > wideCrossings) {
            x_ = wide;
            offset_ = wideOffset;
            groupMembers_ = wideMembers;
        }
    }
}

std::vector<GridCell> FamilyLayout::run(int& width, int& height) {
    Groups groups = buildGroups(g_);
    GroupLinks links;
    layer_ = assignLayers(g_, groups, links);
    std::vector<std::vector<int>> beforeHangers;
    layers_ = orderRows(g_, groups, layer_, nullptr, &beforeHangers);
    group_ = std::move(groups.groupOf);
    offset_ = std::move(groups.offset);
    groupMembers_ = std::move(groups.members);
    siblingCount_.assign(g_.father.size(), 0);
    siblingWant_.assign(g_.father.size(), 0);
    const std::vector<double> firstOffset = offset_;
    const std::vector<std::vector<int>> firstMembers = groupMembers_;
    placeOrder();
    // Moving hangers along saves crossings but may widen the family: when
    // it widens it by more than a fiftieth, the order from before stands.
    if (beforeHangers != layers_) {
        const double wide = extent();
        std::vector<std::vector<int>> hung = std::move(layers_);
        std::vector<double> hungX = x_, hungOffset = offset_;
        std::vector<std::vector<int>> hungMembers = groupMembers_;
        layers_ = std::move(beforeHangers);
        offset_ = firstOffset;
        groupMembers_ = firstMembers;
        placeOrder();
        if (extent() * 1.02 >= wide) {
            layers_ = std::move(hung);
            x_ = std::move(hungX);
            offset_ = std::move(hungOffset);
            groupMembers_ = std::move(hungMembers);
        }
    }
    straighten();
    const int depth = int(layers_.size());
    std::vector<GridCell> cells(size_t(g_.size()));
    std::int64_t minCol = std::numeric_limits<std::int64_t>::max(), maxCol = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
        const int p = int(i);
        const int l = layer_[size_t(group_[size_t(p)])];
        const std::int64_t col = std::llround(px(p) - ((l % 2 != 0) ? 0.5 : 0.0));
        cells[i] = {std::int32_t(col), std::int32_t(l)};
        minCol = std::min(minCol, col);
    }
    for (GridCell& c : cells) {
        c.col = std::int32_t(c.col - minCol);
        maxCol = std::max<std::int64_t>(maxCol, c.col);
    }
    width = int(maxCol + 1);
    height = depth;
    return cells;
}

} // namespace

std::vector<GridCell> familylayout::layoutFamily(const Graph& g, int& width, int& height) {
    return FamilyLayout(g).run(width, height);
}

} // namespace lw
