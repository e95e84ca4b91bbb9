#include "chart/ArrangeQuality.h"

#include "document/Document.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <unordered_map>
#include <vector>

namespace lw {

namespace {

struct Segment {
    double xTop, xBottom; // x at the upper and the lower end
    std::int32_t rowTop, rowBottom;
    int family; // the child's pair of parents, when it has both; else -1
};

// How often the straight links cross; sorts `segments` by their upper row.
std::int64_t crossingsOf(std::vector<Segment>& segments) {
    std::int64_t crossings = 0;
    // Two straight links cross between rows r and r + 1 exactly when their
    // order at row r differs from their order at row r + 1.
    std::sort(segments.begin(), segments.end(),
              [](const Segment& a, const Segment& b) { return a.rowTop < b.rowTop; });
    std::vector<const Segment*> active;
    std::vector<std::pair<double, double>> ends;
    std::vector<double> lower, scratch;
    size_t next = 0;
    // Gap by gap, with the links that span it.
    std::int32_t gap = segments.empty() ? 0 : segments.front().rowTop;
    while (next < segments.size() || !active.empty()) {
        if (active.empty() && segments[next].rowTop > gap) gap = segments[next].rowTop;
        while (next < segments.size() && segments[next].rowTop == gap)
            active.push_back(&segments[next++]);
        ends.clear();
        for (const Segment* s : active) {
            const double span = double(s->rowBottom - s->rowTop);
            const double t0 = double(gap - s->rowTop) / span,
                         t1 = double(gap + 1 - s->rowTop) / span;
            ends.push_back(
                {s->xTop + (s->xBottom - s->xTop) * t0, s->xTop + (s->xBottom - s->xTop) * t1});
        }
        std::sort(ends.begin(), ends.end());
        lower.resize(ends.size());
        scratch.resize(ends.size());
        for (size_t k = 0; k < ends.size(); ++k)
            lower[k] = ends[k].second;
        crossings += inversions(lower, scratch, 0, lower.size());
        ++gap;
        active.erase(std::remove_if(active.begin(), active.end(),
                                    [&](const Segment* s) { return s->rowBottom <= gap; }),
                     active.end());
    }
    return crossings;
}

} // namespace

std::int64_t inversions(std::vector<double>& v, std::vector<double>& scratch, size_t lo,
                        size_t hi) {
    if (hi - lo < 2) return 0;
    const size_t mid = (lo + hi) / 2;
    std::int64_t count = inversions(v, scratch, lo, mid) + inversions(v, scratch, mid, hi);
    size_t i = lo, j = mid, k = lo;
    while (i < mid && j < hi) {
        if (v[j] < v[i]) {
            count += std::int64_t(mid - i);
            scratch[k++] = v[j++];
        } else {
            scratch[k++] = v[i++];
        }
    }
    while (i < mid)
        scratch[k++] = v[i++];
    while (j < hi)
        scratch[k++] = v[j++];
    std::copy(scratch.begin() + std::ptrdiff_t(lo), scratch.begin() + std::ptrdiff_t(hi),
              v.begin() + std::ptrdiff_t(lo));
    return count;
}

ArrangeQuality measureArrangement(const Document& doc, int cellWidth, int cellHeight) {
    ArrangeQuality q;
    auto centreX = [&](std::int32_t col, std::int32_t row) {
        return double(col) * cellWidth + (row % 2 != 0 ? (cellWidth - 4) / 2 : 0);
    };
    auto placed = [](const TPerson& p) { return p.GridX >= 0 && p.GridY >= 0; };
    // Each pair of placed parents once, by father and mother.
    std::unordered_map<std::uint64_t, int> familyOf;
    auto family = [&](int father, int mother) {
        if (father < 0 || mother < 0) return -1;
        const TPerson &f = doc.person(father), &m = doc.person(mother);
        if (!placed(f) || !placed(m)) return -1;
        const auto [it, added] = familyOf.try_emplace((std::uint64_t(std::uint32_t(father)) << 32) |
                                                          std::uint32_t(mother),
                                                      int(familyOf.size()));
        if (added) {
            ++q.couples;
            q.couplesSideBySide += f.GridY == m.GridY && std::abs(f.GridX - m.GridX) == 1;
        }
        return it->second;
    };
    std::int32_t left = INT32_MAX, right = -1, top = INT32_MAX, bottom = -1;
    std::vector<Segment> segments;
    for (int i = 0; i < doc.PersonCount(); ++i) {
        const TPerson& child = doc.person(i);
        const int father = doc.validParent(i, child.Vater),
                  mother = doc.validParent(i, child.Mutter);
        const int familyId = family(father, mother);
        if (!placed(child)) continue;
        left = std::min(left, child.GridX);
        right = std::max(right, child.GridX);
        top = std::min(top, child.GridY);
        bottom = std::max(bottom, child.GridY);
        for (int parent : {father, mother}) {
            if (parent < 0) continue;
            const TPerson& p = doc.person(parent);
            if (!placed(p)) continue;
            ++q.links;
            if (p.GridY < child.GridY) ++q.parentAbove;
            if (p.GridY == child.GridY - 1) ++q.parentOneRowAbove;
            const double cx = centreX(child.GridX, child.GridY), px = centreX(p.GridX, p.GridY);
            const double dy = double(p.GridY - child.GridY) * cellHeight;
            q.length += std::hypot(px - cx, dy);
            q.horizontal += std::abs(px - cx) / cellWidth;
            if (p.GridY == child.GridY) continue; // within a row: nothing to cross
            if (p.GridY < child.GridY)
                segments.push_back({px, cx, p.GridY, child.GridY, familyId});
            else
                segments.push_back({cx, px, child.GridY, p.GridY, familyId});
        }
    }
    if (right >= 0) {
        q.width = right - left + 1;
        q.height = bottom - top + 1;
    }
    q.crossings = crossingsOf(segments);
    // The lines of each family's children alone: among them every crossing
    // is a sibling X, since lines that share a parent or a child only meet
    // at its box.
    std::sort(segments.begin(), segments.end(),
              [](const Segment& a, const Segment& b) { return a.family < b.family; });
    for (size_t from = 0; from < segments.size();) {
        size_t to = from + 1;
        while (to < segments.size() && segments[to].family == segments[from].family)
            ++to;
        if (segments[from].family >= 0) {
            std::vector<Segment> family(segments.begin() + std::ptrdiff_t(from),
                                        segments.begin() + std::ptrdiff_t(to));
            q.siblingCrossings += crossingsOf(family);
        }
        from = to;
    }
    return q;
}

} // namespace lw
