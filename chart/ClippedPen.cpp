#include "chart/ClippedPen.h"

#include "platform/Canvas.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lw {

namespace {

// A dotted line keeps its pattern when its start moves by a multiple of this.
constexpr std::int64_t kPatternPeriod = 24;

// Moves `from` towards `to` but not past `limit`, by whole pattern periods.
std::int64_t advanceTo(std::int64_t from, std::int64_t limit) {
    const std::int64_t distance = limit - from;
    return from + distance / kPatternPeriod * kPatternPeriod;
}

} // namespace

bool ClippedPen::reachable(Point64 p) const {
    const std::int64_t x = p.x - origin_.x;
    const std::int64_t y = p.y - origin_.y;
    return x >= std::numeric_limits<int>::min() && x <= std::numeric_limits<int>::max() &&
           y >= std::numeric_limits<int>::min() && y <= std::numeric_limits<int>::max();
}

bool ClippedPen::cutAxisLine(Point64& a, Point64& b) const {
    const bool vertical = a.x == b.x;
    // Work on the coordinate along the line; the other one must lie inside.
    const std::int64_t across = vertical ? a.x : a.y;
    const std::int64_t lo = vertical ? clip_.top : clip_.left;
    const std::int64_t hi = (vertical ? clip_.bottom : clip_.right) - 1;
    if (across < (vertical ? clip_.left : clip_.top) ||
        across >= (vertical ? clip_.right : clip_.bottom))
        return false;
    std::int64_t& from = vertical ? a.y : a.x;
    std::int64_t& to = vertical ? b.y : b.x;
    if (std::min(from, to) > hi || std::max(from, to) < lo) return false;
    if (from < to) {
        if (from < lo) from = advanceTo(from, lo);
        if (to > hi + 1) to = hi + 1;
    } else if (from > to) {
        if (from > hi) from = advanceTo(from, hi);
        if (to < lo - 1) to = lo - 1;
    }
    return true;
}

bool ClippedPen::cutSlantedLine(Point64& a, Point64& b) const {
    if (std::max(a.x, b.x) < clip_.left || std::min(a.x, b.x) >= clip_.right ||
        std::max(a.y, b.y) < clip_.top || std::min(a.y, b.y) >= clip_.bottom)
        return false;
    if (reachable(a) && reachable(b)) return true;
    // Liang-Barsky on the clip rectangle; only far-reaching slanted lines get
    // here, where a pixel of rounding does not show.
    const double dx = double(b.x - a.x), dy = double(b.y - a.y);
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {double(a.x - clip_.left), double(clip_.right - 1 - a.x),
                         double(a.y - clip_.top), double(clip_.bottom - 1 - a.y)};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
    const Point64 start{a.x + std::llround(t0 * dx), a.y + std::llround(t0 * dy)};
    const Point64 end{a.x + std::llround(t1 * dx), a.y + std::llround(t1 * dy)};
    a = start;
    b = end;
    return true;
}

void ClippedPen::line(Point64 a, Point64 b) {
    const bool axis = a.x == b.x || a.y == b.y;
    if (!(axis ? cutAxisLine(a, b) : cutSlantedLine(a, b))) return;
    if (!reachable(a) || !reachable(b)) return;
    if (!hasCurrent_ || !(current_ == a))
        canvas_.moveTo(int(a.x - origin_.x), int(a.y - origin_.y));
    canvas_.lineTo(int(b.x - origin_.x), int(b.y - origin_.y));
    hasCurrent_ = true;
    current_ = b;
}

} // namespace lw
