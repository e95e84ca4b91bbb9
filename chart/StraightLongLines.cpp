#include "chart/StraightLongLines.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace lw::familylayout {

namespace {

class Straightener {
  public:
    Straightener(std::vector<std::vector<int>>& rows, std::vector<double>& x,
                 const std::vector<int>& width, const std::vector<int>& row,
                 const std::vector<StraightLine>& lines)
        : rows_(rows), x_(x), width_(width), row_(row), lines_(lines), incident_(x.size()),
          gapLines_(rows.size()), mark_(lines.size(), 0) {
        for (size_t e = 0; e < lines.size(); ++e) {
            incident_[size_t(lines[e].upper)].push_back(int(e));
            incident_[size_t(lines[e].lower)].push_back(int(e));
            for (int gap = top(int(e)); gap < bottom(int(e)); ++gap)
                gapLines_[size_t(gap)].push_back(int(e));
            if (bottom(int(e)) - top(int(e)) > 1) long_.push_back(int(e));
        }
        cost_.resize(lines.size());
        for (size_t e = 0; e < lines.size(); ++e)
            for (int gap = top(int(e)); gap < bottom(int(e)); ++gap)
                cost_[e] += std::int64_t(gapLines_[size_t(gap)].size());
    }

    void run() {
        std::int64_t count = 0, rowsPassed = 0;
        for (int e : long_) {
            rowsPassed += bottom(e) - top(e) - 1;
            count += cost_[size_t(e)];
        }
        // Where lines over several rows are the rule, not the exception (a
        // tree whose parents stand anywhere above their children), each look
        // costs too much.
        if (long_.empty() || count > work_) return;
        swapNeighbours();
        // Each split tried counts the crossings of all long lines.
        if (count * rowsPassed * std::int64_t(2 * kReach + 2) <= work_) splitRows();
    }

  private:
    int top(int e) const { return row_[size_t(lines_[size_t(e)].upper)]; }
    int bottom(int e) const { return row_[size_t(lines_[size_t(e)].lower)]; }
    // How much less than x a box of row r stands on the chart.
    static double shortfall(int r) { return (r % 2 != 0) ? kOddRowShortfall : 0.0; }
    // Where line e meets row r, drawn straight as on the chart.
    double at(int e, int r) const {
        const StraightLine& l = lines_[size_t(e)];
        const int t = top(e), b = bottom(e);
        const double from = x_[size_t(l.upper)] + l.upperOffset - shortfall(t),
                     to = x_[size_t(l.lower)] + l.lowerOffset - shortfall(b);
        return from + (to - from) * double(r - t) / double(b - t);
    }
    bool cross(int e, int f, int gap) const {
        const double above = at(e, gap) - at(f, gap), below = at(e, gap + 1) - at(f, gap + 1);
        return (above < 0 && below > 0) || (above > 0 && below < 0);
    }
    // How often the lines `own` (no repeats) cross any line; -1 where that
    // costs more than the work left, which then ends.
    std::int64_t crossingsOf(const std::vector<int>& own) {
        std::int64_t cost = 0;
        for (int e : own)
            cost += cost_[size_t(e)];
        if (cost > work_) {
            work_ = 0;
            return -1;
        }
        work_ -= cost;
        // A pair of own lines counts once.
        for (int e : own)
            mark_[size_t(e)] = 1;
        std::int64_t count = 0;
        for (int e : own)
            for (int gap = top(e); gap < bottom(e); ++gap)
                for (int f : gapLines_[size_t(gap)])
                    if ((!mark_[size_t(f)] || f > e) && cross(e, f, gap)) ++count;
        for (int e : own)
            mark_[size_t(e)] = 0;
        return count;
    }
    bool spent() const { return work_ <= 0; }
    std::int64_t crossingsOfGroups(int a, int b) {
        std::vector<int> own = incident_[size_t(a)];
        own.insert(own.end(), incident_[size_t(b)].begin(), incident_[size_t(b)].end());
        std::sort(own.begin(), own.end());
        own.erase(std::unique(own.begin(), own.end()), own.end());
        return crossingsOf(own);
    }
    // Moving groups along their rows in order changes only the crossings of
    // the lines over several rows.
    std::int64_t longCrossings() { return crossingsOf(long_); }
    // The first group of `order` (which stands in order of x) at `x` or right of it.
    std::vector<int>::const_iterator firstFrom(const std::vector<int>& order, double x) const {
        return std::lower_bound(order.begin(), order.end(), x,
                                [&](int gr, double v) { return x_[size_t(gr)] < v; });
    }

    static constexpr size_t kReach = 16; // splits tried on each side of where a line passes
    void swapNeighbours();
    void splitRows();
    bool splitAt(const std::vector<int>& order, size_t k, double left, double right);

    std::vector<std::vector<int>>& rows_;
    std::vector<double>& x_;
    const std::vector<int>& width_;
    const std::vector<int>& row_;
    const std::vector<StraightLine>& lines_;
    std::vector<std::vector<int>> incident_; // by group
    std::vector<std::vector<int>> gapLines_; // by gap below a row: the lines over it
    std::vector<int> long_;
    std::vector<std::int64_t> cost_; // by line: the lines over its gaps
    std::vector<char> mark_;
    // Lines looked at, of a budget: a family of many lines over many rows
    // (parents far above their children) would take too long.
    std::int64_t work_ = 8000000;
    double lo_ = 0, hi_ = 0; // the family's columns, as x of first and last boxes
};

// Neighbours near a long line change places, each pair within the columns
// it took: the groups it ends in and those near where it passes a row.
void Straightener::swapNeighbours() {
    constexpr double kNear = 8; // columns
    std::vector<char> near(x_.size(), 0), passed(rows_.size(), 0);
    for (int e : long_) {
        near[size_t(lines_[size_t(e)].upper)] = near[size_t(lines_[size_t(e)].lower)] = 1;
        passed[size_t(top(e))] = passed[size_t(bottom(e))] = 1;
        for (int r = top(e) + 1; r < bottom(e); ++r) {
            passed[size_t(r)] = 1;
            const std::vector<int>& order = rows_[size_t(r)];
            const double pass = at(e, r);
            for (auto k = firstFrom(order, pass - kNear);
                 k != order.end() && x_[size_t(*k)] <= pass + kNear; ++k)
                near[size_t(*k)] = 1;
        }
    }
    for (int round = 0; round < 2; ++round) {
        bool swapped = false;
        for (size_t r = 0; r < rows_.size(); ++r) {
            if (!passed[r]) continue;
            std::vector<int>& order = rows_[r];
            for (size_t k = 0; k + 1 < order.size(); ++k) {
                const int a = order[k], b = order[k + 1];
                if (!near[size_t(a)] && !near[size_t(b)]) continue;
                if (spent()) return;
                const std::int64_t before = crossingsOfGroups(a, b);
                if (before <= 0) continue; // nothing to save, or no work left
                const double xa = x_[size_t(a)], xb = x_[size_t(b)];
                x_[size_t(b)] = xa;
                x_[size_t(a)] = xb + width_[size_t(b)] - width_[size_t(a)];
                const std::int64_t after = crossingsOfGroups(a, b);
                if (after >= 0 && after < before) {
                    std::swap(order[k], order[k + 1]);
                    swapped = true;
                } else {
                    x_[size_t(a)] = xa;
                    x_[size_t(b)] = xb;
                }
            }
        }
        if (!swapped) break;
    }
}

// The groups before `k` moved to end at `left` at the latest, those from `k`
// on to start at `right` at the earliest; false where that leaves the
// family's columns.
bool Straightener::splitAt(const std::vector<int>& order, size_t k, double left, double right) {
    double limit = left;
    for (size_t j = k; j-- > 0;) {
        const int gr = order[j];
        const double last = x_[size_t(gr)] + width_[size_t(gr)] - 1;
        if (last <= limit) break;
        x_[size_t(gr)] -= last - limit;
        if (x_[size_t(gr)] < lo_) return false;
        limit = x_[size_t(gr)] - 1;
    }
    limit = right;
    for (size_t j = k; j < order.size(); ++j) {
        const int gr = order[j];
        if (x_[size_t(gr)] >= limit) break;
        x_[size_t(gr)] = limit;
        limit = x_[size_t(gr)] + width_[size_t(gr)];
        if (limit - 1 > hi_) return false;
    }
    return true;
}

// The rows a long line passes split where it passes, at the split nearby
// with the fewest crossings, the least moved among equals.
void Straightener::splitRows() {
    lo_ = std::numeric_limits<double>::infinity();
    hi_ = -lo_;
    for (const std::vector<int>& order : rows_)
        if (!order.empty()) {
            lo_ = std::min(lo_, x_[size_t(order.front())]);
            hi_ = std::max(hi_, x_[size_t(order.back())] + width_[size_t(order.back())] - 1);
        }
    for (int e : long_)
        for (int r = top(e) + 1; r < bottom(e); ++r) {
            if (spent()) return;
            const std::vector<int>& order = rows_[size_t(r)];
            const double s = (r % 2 != 0) ? 0.5 : 0.0;
            const double pass = at(e, r) + shortfall(r);
            // The last place of the row's grid left of the line, the first right of it.
            const double left = std::ceil(pass - s) - 1 + s, right = std::floor(pass - s) + 1 + s;
            const size_t here = size_t(firstFrom(order, pass) - order.begin());
            // Only this row's groups move: their places to go back to.
            std::vector<double> start(order.size()), best;
            for (size_t j = 0; j < order.size(); ++j)
                start[j] = x_[size_t(order[j])];
            best = start;
            auto put = [&](const std::vector<double>& at) {
                for (size_t j = 0; j < order.size(); ++j)
                    x_[size_t(order[j])] = at[j];
            };
            std::int64_t fewest = longCrossings();
            if (fewest < 0) return;
            double leastMoved = 0;
            for (size_t k = here > kReach ? here - kReach : 0;
                 k <= std::min(order.size(), here + kReach) && !spent(); ++k) {
                put(start);
                work_ -= std::int64_t(order.size());
                if (!splitAt(order, k, left, right)) continue;
                const std::int64_t now = longCrossings();
                if (now < 0) break;
                double moved = 0;
                for (size_t j = 0; j < order.size(); ++j)
                    moved += std::abs(x_[size_t(order[j])] - start[j]);
                if (now < fewest || (now == fewest && moved < leastMoved)) {
                    fewest = now;
                    leastMoved = moved;
                    for (size_t j = 0; j < order.size(); ++j)
                        best[j] = x_[size_t(order[j])];
                }
            }
            put(best);
        }
}

} // namespace

void straightenLongLines(std::vector<std::vector<int>>& rows, std::vector<double>& x,
                         const std::vector<int>& width, const std::vector<int>& row,
                         const std::vector<StraightLine>& lines) {
    Straightener(rows, x, width, row, lines).run();
}

} // namespace lw::familylayout
