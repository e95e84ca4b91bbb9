#include "chart/FocusArrange.h"

#include "document/Document.h"
#include "document/Layout.h"

#include <algorithm>
#include <limits>

namespace lw {

namespace {

class FocusLayout {
  public:
    FocusLayout(const Document& doc, int generations)
        : doc_(doc), generations_(std::max(1, generations)),
          cells_(size_t(doc.PersonCount()), GridCell{-1, -1}), used_(size_t(doc.PersonCount()), 0),
          children_(size_t(doc.PersonCount())) {
        for (int i = 0; i < doc.PersonCount(); ++i) {
            const int f = father(i), m = mother(i);
            if (f >= 0) children_[size_t(f)].push_back(i);
            if (m >= 0 && m != f) children_[size_t(m)].push_back(i);
        }
    }

    // The ancestors of `root`; returns the row of `root`.
    std::int32_t placeAncestors(int root) {
        // Generations by breadth first search, so that each ancestor stands
        // in the generation where it is met first; it then hangs below the
        // person that met it, exactly one generation lower.
        std::vector<int> depth(cells_.size(), -1), order{root};
        std::vector<std::vector<int>> above(cells_.size());
        depth[size_t(root)] = 0;
        used_[size_t(root)] = 1;
        int deepest = 0;
        for (size_t head = 0; head < order.size(); ++head) {
            const int p = order[head];
            if (depth[size_t(p)] + 1 >= generations_) continue;
            for (int parent : {father(p), mother(p)})
                if (parent >= 0 && !used_[size_t(parent)]) {
                    used_[size_t(parent)] = 1;
                    depth[size_t(parent)] = depth[size_t(p)] + 1;
                    deepest = std::max(deepest, depth[size_t(parent)]);
                    above[size_t(p)].push_back(parent);
                    order.push_back(parent);
                }
        }
        // Positions in half boxes: x = 2 · column + 1 on odd rows. Persons
        // without parents in the chart take the next column, left to right
        // as a walk up through fathers first meets them; everyone else
        // stands in the middle of its parents, which in a row of the other
        // parity lies in one of the two cells above. Each person thus stands
        // within the columns of its own oldest ancestors, so that rows keep
        // the order of the walk and nothing overlaps.
        std::vector<std::int64_t> half(cells_.size(), 0);
        std::int32_t nextColumn = 0;
        auto rowOf = [&](int p) { return std::int32_t(deepest - depth[size_t(p)]); };
        struct Frame {
            int person;
            size_t next;
        };
        std::vector<Frame> stack{{root, 0}};
        while (!stack.empty()) {
            Frame& top = stack.back();
            const int p = top.person;
            if (top.next < above[size_t(p)].size()) {
                stack.push_back({above[size_t(p)][top.next++], 0});
                continue;
            }
            stack.pop_back();
            const std::int32_t row = rowOf(p);
            if (above[size_t(p)].empty()) {
                half[size_t(p)] = 2 * std::int64_t(nextColumn++) + row % 2;
            } else {
                std::int64_t sum = 0;
                for (int parent : above[size_t(p)])
                    sum += half[size_t(parent)];
                std::int64_t x = sum / std::int64_t(above[size_t(p)].size());
                if (x % 2 != row % 2) x += x % 2 == 0 ? 1 : -1;
                half[size_t(p)] = x;
            }
            cells_[size_t(p)] = {std::int32_t((half[size_t(p)] - row % 2) / 2), row};
        }
        return std::int32_t(deepest);
    }

    // The descendants of `root` (already placed or not) with `root` in
    // `row`; then shifted so that `root` keeps its column when it had one.
    void placeDescendants(int root, std::int32_t row) {
        const GridCell kept = cells_[size_t(root)];
        used_[size_t(root)] = 1;
        const size_t first = placed_.size();
        layoutDown(root, row, 0, generations_);
        if (kept.col < 0) return;
        const std::int32_t shift = kept.col - cells_[size_t(root)].col;
        for (size_t k = first; k < placed_.size(); ++k)
            cells_[size_t(placed_[k])].col += shift;
    }

    // Every placed person moved so that column 0 is used.
    void normalise() {
        std::int32_t left = std::numeric_limits<std::int32_t>::max();
        for (const GridCell& c : cells_)
            if (c.col != -1 || c.row != -1) left = std::min(left, c.col);
        for (GridCell& c : cells_)
            if (c.col != -1 || c.row != -1) c.col -= left;
    }

    const std::vector<GridCell>& cells() const { return cells_; }

  private:
    int father(int i) const { return doc_.validParent(i, doc_.person(i).Vater); }
    int mother(int i) const { return doc_.validParent(i, doc_.person(i).Mutter); }
    int otherParent(int child, int parent) const {
        const int f = father(child), m = mother(child);
        return f == parent ? m : m == parent ? f : -1;
    }

    void put(int p, std::int32_t col, std::int32_t row) {
        cells_[size_t(p)] = {col, row};
        placed_.push_back(p);
    }

    // Lays out `p` (already marked used) and its descendants in columns from
    // x0 on, `p` in `row`; returns the columns taken.
    std::int32_t layoutDown(int p, std::int32_t row, std::int32_t x0, int generationsLeft) {
        std::vector<int> partners;
        auto addPartner = [&](int q) {
            if (q >= 0 && q != p && !used_[size_t(q)]) {
                used_[size_t(q)] = 1;
                partners.push_back(q);
            }
        };
        for (int k : doc_.partnershipsOf(p)) {
            const Partnership& pair = doc_.Partnerships()[size_t(k)];
            addPartner(pair.first == p ? pair.second : pair.first);
        }
        if (generationsLeft > 1)
            for (int c : children_[size_t(p)])
                addPartner(otherParent(c, p));
        // The unit in its row: the first partner left of the person, the
        // others right of it; the children of each partner below that
        // partner's side, those without a shown partner in the middle.
        std::vector<int> unit;
        if (!partners.empty()) unit.push_back(partners.front());
        unit.push_back(p);
        for (size_t k = 1; k < partners.size(); ++k)
            unit.push_back(partners[k]);

        const size_t first = placed_.size();
        std::int32_t width = 0;
        if (generationsLeft > 1) {
            std::vector<int> groups; // partner per group, -1: none shown
            if (!partners.empty()) groups.push_back(partners.front());
            groups.push_back(-1);
            for (size_t k = 1; k < partners.size(); ++k)
                groups.push_back(partners[k]);
            for (int group : groups)
                for (int c : children_[size_t(p)]) {
                    const int other = otherParent(c, p);
                    const bool shown =
                        std::find(partners.begin(), partners.end(), other) != partners.end();
                    if (used_[size_t(c)] || (shown ? other != group : group != -1)) continue;
                    used_[size_t(c)] = 1;
                    width += layoutDown(c, row + 1, x0 + width, generationsLeft - 1);
                }
        }
        const std::int32_t unitWidth = std::int32_t(unit.size());
        if (unitWidth > width) {
            // The children centred under the wider unit.
            const std::int32_t shift = (unitWidth - width) / 2;
            for (size_t k = first; k < placed_.size(); ++k)
                cells_[size_t(placed_[k])].col += shift;
        }
        const std::int32_t start = x0 + std::max(0, (width - unitWidth) / 2);
        for (size_t k = 0; k < unit.size(); ++k)
            put(unit[k], start + std::int32_t(k), row);
        return std::max(width, unitWidth);
    }

    const Document& doc_;
    int generations_;
    std::vector<GridCell> cells_;
    std::vector<char> used_;
    std::vector<std::vector<int>> children_;
    std::vector<int> placed_; // by the descendant layout, in order
};

} // namespace

ArrangePlan planFocusArrangement(const Document& doc, FocusChart chart, int person,
                                 int generations) {
    ArrangePlan plan;
    plan.areaWidth = doc.AreaWidth;
    plan.areaHeight = doc.AreaHeight;
    if (person < 0 || person >= doc.PersonCount()) return plan;
    FocusLayout layout(doc, generations);
    std::int32_t row = 0;
    if (chart != FocusChart::Descendants) row = layout.placeAncestors(person);
    if (chart != FocusChart::Ancestors) layout.placeDescendants(person, row);
    layout.normalise();

    std::int32_t right = 0, bottom = 0;
    for (int i = 0; i < doc.PersonCount(); ++i) {
        const GridCell from{doc.person(i).GridX, doc.person(i).GridY};
        const GridCell to = layout.cells()[size_t(i)];
        if (to.col >= 0) {
            right = std::max(right, to.col);
            bottom = std::max(bottom, to.row);
        }
        if (!(from == to)) plan.moves.push_back({i, from, to});
    }
    plan.areaWidth = std::clamp(right + 1, kAreaRange.lo, kAreaRange.hi);
    plan.areaHeight = std::clamp(bottom + 1, kAreaRange.lo, kAreaRange.hi);
    return plan;
}

} // namespace lw
