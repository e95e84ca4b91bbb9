#include "chart/AutoArrange.h"

#include "chart/FamilyLayout.h"
#include "document/Document.h"
#include "document/Layout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace lw {

namespace {

// Cells are kept within the largest area, so that every person placed here
// is drawn and no sum overflows.
constexpr std::int32_t kLastCell = kAreaRange.hi - 1;

std::uint64_t cellKey(std::int32_t x, std::int32_t y) {
    return (std::uint64_t(std::uint32_t(x)) << 32) | std::uint32_t(y);
}

bool unplaced(const TPerson& p) {
    return p.GridX < 0 || p.GridY < 0;
}

// The taken cells, and from any column the nearest free one of its row on
// either side within the largest area. Each taken cell points towards the
// free cell beyond it, and a search shortens the path it took, so that a
// row filling up from one spot costs little per search.
class TakenCells {
  public:
    bool taken(std::int32_t x, std::int32_t y) const { return right_.count(cellKey(x, y)) != 0; }
    void take(std::int32_t x, std::int32_t y) {
        right_[cellKey(x, y)] = x + 1;
        left_[cellKey(x, y)] = x - 1;
    }
    // The first free column from x to the right, kLastCell + 1 for none.
    std::int32_t freeRight(std::int32_t x, std::int32_t y) { return follow(right_, x, y); }
    // The first free column from x to the left, -1 for none.
    std::int32_t freeLeft(std::int32_t x, std::int32_t y) { return follow(left_, x, y); }

  private:
    using Links = std::unordered_map<std::uint64_t, std::int32_t>;
    std::int32_t follow(Links& links, std::int32_t x, std::int32_t y) {
        path_.clear();
        while (x >= 0 && x <= kLastCell) {
            const auto it = links.find(cellKey(x, y));
            if (it == links.end()) break;
            path_.push_back(&it->second);
            x = it->second;
        }
        for (std::int32_t* link : path_)
            *link = x;
        return x;
    }
    Links right_, left_;
    std::vector<std::int32_t*> path_;
};

} // namespace

ArrangePlan planArrangement(const Document& doc, ArrangeScope scope) {
    const int n = doc.PersonCount();
    std::vector<GridCell> target(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        target[size_t(i)] = {doc.person(i).GridX, doc.person(i).GridY};

    std::vector<int> free;
    if (scope == ArrangeScope::All) {
        free.resize(static_cast<size_t>(n));
        std::iota(free.begin(), free.end(), 0);
        // Everyone fits into the largest area.
        const std::vector<GridCell> cells = *layoutFamilies(doc, free);
        for (size_t k = 0; k < free.size(); ++k)
            target[size_t(free[k])] = cells[k];
    } else {
        // Persons next to placed relatives join them one by one, each on the
        // free cell nearest to where its relatives want it.
        TakenCells taken;
        std::vector<char> placed(static_cast<size_t>(n), 0);
        std::vector<std::vector<int>> children(static_cast<size_t>(n)),
            partners(static_cast<size_t>(n));
        std::int32_t right = -1, bottom = -1;
        for (int i = 0; i < n; ++i) {
            const TPerson& p = doc.person(i);
            const int f = doc.validParent(i, p.Vater), m = doc.validParent(i, p.Mutter);
            if (f >= 0) children[size_t(f)].push_back(i);
            if (m >= 0 && m != f) children[size_t(m)].push_back(i);
            if (f >= 0 && m >= 0 && f != m) {
                partners[size_t(f)].push_back(m);
                partners[size_t(m)].push_back(f);
            }
            if (!unplaced(p)) {
                placed[size_t(i)] = 1;
                taken.take(p.GridX, p.GridY);
                right = std::max(right, std::min(p.GridX, kLastCell));
                bottom = std::max(bottom, std::min(p.GridY, kLastCell));
            }
        }
        auto relatives = [&](int i, auto&& f) {
            const TPerson& p = doc.person(i);
            for (int r : {doc.validParent(i, p.Vater), doc.validParent(i, p.Mutter)})
                if (r >= 0) f(r);
            for (int r : children[size_t(i)])
                f(r);
            for (int r : partners[size_t(i)])
                f(r);
        };
        std::vector<int> queue;
        for (int i = 0; i < n; ++i)
            if (!placed[size_t(i)]) {
                bool anchored = false;
                relatives(i, [&](int r) { anchored = anchored || placed[size_t(r)]; });
                if (anchored) queue.push_back(i);
            }
        auto halfX = [&](int i) {
            return 2.0 * target[size_t(i)].col + (target[size_t(i)].row % 2 != 0 ? 1 : 0);
        };
        for (size_t head = 0; head < queue.size(); ++head) {
            const int i = queue[head];
            if (placed[size_t(i)]) continue;
            const TPerson& p = doc.person(i);
            double sum = 0;
            int count = 0;
            std::int32_t row = -1;
            for (int r : {doc.validParent(i, p.Vater), doc.validParent(i, p.Mutter)})
                if (r >= 0 && placed[size_t(r)]) {
                    sum += halfX(r);
                    ++count;
                    row = std::max(row, std::min(target[size_t(r)].row, kLastCell - 1) + 1);
                }
            for (int r : partners[size_t(i)])
                if (count == 0 && placed[size_t(r)]) {
                    sum = halfX(r) + 2;
                    count = 1;
                    row = std::min(target[size_t(r)].row, kLastCell);
                }
            if (count == 0) {
                std::int32_t top = std::numeric_limits<std::int32_t>::max();
                for (int r : children[size_t(i)])
                    if (placed[size_t(r)]) {
                        sum += halfX(r);
                        ++count;
                        top = std::min(top, target[size_t(r)].row);
                    }
                row = std::clamp(top - 1, 0, kLastCell);
            }
            const std::int32_t wanted = std::int32_t(
                std::clamp<double>(std::round((sum / count - row % 2) / 2), 0, kLastCell));
            // The nearest free cell of the row, the right one when both are
            // as near; a full row leaves the person to the families below.
            const std::int32_t r = taken.freeRight(wanted, row);
            const std::int32_t l = wanted > 0 ? taken.freeLeft(wanted - 1, row) : -1;
            if (r > kLastCell && l < 0) continue;
            const std::int32_t col =
                r <= kLastCell && (l < 0 || r - wanted <= wanted - 1 - l) ? r : l;
            target[size_t(i)] = {col, row};
            taken.take(col, row);
            placed[size_t(i)] = 1;
            right = std::max(right, col);
            bottom = std::max(bottom, row);
            relatives(i, [&](int r) {
                if (!placed[size_t(r)]) queue.push_back(r);
            });
        }
        for (int i = 0; i < n; ++i)
            if (!placed[size_t(i)]) free.push_back(i);
        // Families without any placed person stand right of everything, or
        // where there is no room left there, below everything. Where neither
        // has room they take the first free cells, row by row.
        std::optional<std::vector<GridCell>> cells;
        GridCell origin{0, 0};
        if (!free.empty() && right < 0) cells = layoutFamilies(doc, free);
        if (!free.empty() && right >= 0 && right + 2 <= kLastCell) {
            origin = {right + 2, 0};
            cells = layoutFamilies(doc, free, kAreaRange.hi - origin.col, kAreaRange.hi);
        }
        const std::int32_t below = bottom + 2 + bottom % 2; // even: the rows keep their shift
        if (!free.empty() && !cells && right >= 0 && below <= kLastCell) {
            origin = {0, below};
            cells = layoutFamilies(doc, free, kAreaRange.hi, kAreaRange.hi - below);
        }
        if (cells) {
            for (size_t k = 0; k < free.size(); ++k)
                target[size_t(free[k])] = {(*cells)[k].col + origin.col,
                                           (*cells)[k].row + origin.row};
        } else {
            // Each cell passed is taken or gets a person: one pass.
            std::int32_t col = 0, row = 0;
            for (int i : free) {
                while (taken.taken(col, row))
                    if (++col > kLastCell) {
                        col = 0;
                        ++row;
                    }
                target[size_t(i)] = {col, row};
                taken.take(col, row);
            }
        }
    }

    ArrangePlan plan;
    // Where nobody had a cell (a fresh import), the area is fitted to the
    // chart; else it only grows.
    bool nonePlaced = true;
    for (int i = 0; i < n && nonePlaced; ++i)
        nonePlaced = unplaced(doc.person(i));
    std::int64_t width = nonePlaced && n > 0 ? kAreaRange.lo : doc.AreaWidth;
    std::int64_t height = nonePlaced && n > 0 ? kAreaRange.lo : doc.AreaHeight;
    for (int i = 0; i < n; ++i) {
        const GridCell from{doc.person(i).GridX, doc.person(i).GridY};
        const GridCell to = target[size_t(i)];
        if (to.col >= 0 && to.row >= 0) {
            // The odd rows stand half a box to the right: a box there in the
            // last column needs one more for its right half.
            width = std::max<std::int64_t>(width, std::int64_t(to.col) + 1 + to.row % 2);
            height = std::max<std::int64_t>(height, std::int64_t(to.row) + 1);
        }
        if (!(from == to)) plan.moves.push_back({i, from, to});
    }
    plan.areaWidth = std::int32_t(std::min<std::int64_t>(width, kAreaRange.hi));
    plan.areaHeight = std::int32_t(std::min<std::int64_t>(height, kAreaRange.hi));
    return plan;
}

void applyArrangement(Document& doc, const ArrangePlan& plan) {
    // Highest index first: a person leaving a cell that several share is
    // then never the lowest of them, which the cell index would look for.
    std::vector<CellPlacement> placements;
    placements.reserve(plan.moves.size());
    for (const CellMove& m : plan.moves)
        placements.push_back({m.person, m.to.col, m.to.row});
    std::sort(placements.begin(), placements.end(),
              [](const CellPlacement& a, const CellPlacement& b) { return a.index > b.index; });
    doc.setGridPositions(placements);
    const bool grown = plan.areaWidth != doc.AreaWidth || plan.areaHeight != doc.AreaHeight;
    doc.AreaWidth = plan.areaWidth;
    doc.AreaHeight = plan.areaHeight;
    if (!plan.moves.empty() || grown) doc.Modified = true;
}

int arrangeDocument(Document& doc, ArrangeScope scope) {
    const ArrangePlan plan = planArrangement(doc, scope);
    applyArrangement(doc, plan);
    return int(plan.moves.size());
}

} // namespace lw
