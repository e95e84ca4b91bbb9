#include "chart/FamilyPacking.h"

#include "chart/FamilyGraph.h"
#include "chart/FamilyLayout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace lw::familylayout {

Block squareBlock(size_t count) {
    Block b;
    const std::int64_t side =
        std::max<std::int64_t>(1, std::llround(std::ceil(std::sqrt(double(count)))));
    b.cells.resize(count);
    for (size_t k = 0; k < count; ++k)
        b.cells[k] = {std::int32_t(std::int64_t(k) % side), std::int32_t(std::int64_t(k) / side)};
    b.width = count ? std::min<std::int64_t>(side, std::int64_t(count)) : 0;
    b.height = count ? (std::int64_t(count) + side - 1) / side : 0;
    return b;
}

namespace {

struct Extent {
    std::int64_t width, height;
};

// The top left cell of each block in bands; false when the bands do not
// fit into `maxHeight` rows.
bool packExtents(const std::vector<Extent>& blocks, std::int64_t maxWidth, std::int64_t maxHeight,
                 std::vector<GridCell>& origins) {
    origins.assign(blocks.size(), GridCell{});
    double area = 0;
    std::int64_t widest = 0;
    for (const Extent& b : blocks) {
        area += double(b.width + 1) * double(b.height + 1);
        widest = std::max(widest, b.width);
    }
    if (widest > maxWidth) return false;
    const std::int64_t bandWidth =
        std::min(maxWidth, std::max(widest, std::int64_t(std::ceil(std::sqrt(area)))));
    // The tallest first, each into the first band with room left.
    std::vector<size_t> order(blocks.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return blocks[a].height > blocks[b].height; });
    struct Band {
        std::int64_t top, height, left;
    };
    std::vector<Band> bands;
    std::int64_t bottom = 0; // the first row below every band
    size_t firstOpen = 0;    // bands before it are full to the last column
    for (size_t b : order) {
        const Extent& block = blocks[b];
        size_t k = firstOpen;
        while (k < bands.size() && bands[k].left > 0 && bands[k].left + block.width > bandWidth)
            ++k;
        if (k == bands.size()) {
            const std::int64_t top = bands.empty() ? 0 : bottom + 1 + (bottom + 1) % 2;
            if (top + block.height > maxHeight) return false;
            bands.push_back({top, block.height, 0});
            bottom = top + block.height;
        }
        Band& band = bands[k];
        origins[b] = {std::int32_t(band.left), std::int32_t(band.top)};
        band.left += block.width + 1;
        while (firstOpen < bands.size() && bands[firstOpen].left >= bandWidth)
            ++firstOpen;
    }
    return true;
}

double shiftOf(std::int64_t row) {
    return (row % 2 != 0) ? 0.5 : 0.0;
}

// The cells of a chart taken by boxes, and by row the cells too near the
// parent lines that run over it or end in it.
class Room {
  public:
    Room(std::int64_t width, std::int64_t height)
        : width_(width), height_(height), box_(size_t(width * height)),
          line_(size_t((width + 1) * height)) {}

    void takeBox(std::int64_t col, std::int64_t row) {
        if (inside(col, row)) box_[size_t(row * width_ + col)] = 1;
    }
    // A line between the boxes whose left edges lie at `a` and `b` (in
    // columns, the half shift included) keeps boxes in `row` off by half a
    // box; lines are counted per row and summed up by finishLines.
    void addLine(double a, double b, std::int64_t row) {
        if (row < 0 || row >= height_) return;
        const double s = shiftOf(row);
        const std::int64_t from =
            std::max<std::int64_t>(0, std::llround(std::ceil(std::min(a, b) - 1 - s)));
        const std::int64_t to =
            std::min<std::int64_t>(width_ - 1, std::llround(std::floor(std::max(a, b) + 1 - s)));
        if (from > to) return;
        line_[size_t(row * (width_ + 1) + from)] += 1;
        line_[size_t(row * (width_ + 1) + to + 1)] -= 1;
    }
    void finishLines() {
        for (std::int64_t r = 0; r < height_; ++r)
            for (std::int64_t c = 1; c <= width_; ++c)
                line_[size_t(r * (width_ + 1) + c)] += line_[size_t(r * (width_ + 1) + c - 1)];
    }
    // Whether `b` can stand with its top left cell at `col`, `row`: no box
    // beside it in its rows nearer than one free cell, none in the rows
    // above and below overlapping it or nearer than half a box, no line
    // near it.
    bool fits(const Block& b, std::int64_t col, std::int64_t row) const {
        for (std::int64_t r = row; r < row + b.height; ++r) {
            for (std::int64_t c = col - 1; c <= col + b.width; ++c)
                if (boxAt(c, r)) return false;
            for (std::int64_t c = col; c < col + b.width; ++c)
                if (line_[size_t(r * (width_ + 1) + c)] != 0) return false;
        }
        for (const auto& [next, own] :
             {std::pair{row - 1, row}, {row + b.height, row + b.height - 1}}) {
            // Boxes of the next row whose left edge lies within half a box of
            // the block's row's stretch.
            const double lo = double(col) + shiftOf(own) - 0.5 - shiftOf(next);
            const double hi = double(col + b.width - 1) + shiftOf(own) + 0.5 - shiftOf(next);
            for (std::int64_t c = std::llround(std::ceil(lo)); c <= std::llround(std::floor(hi));
                 ++c)
                if (boxAt(c, next)) return false;
        }
        return true;
    }
    // A family takes its whole rectangle, so that nothing comes between its
    // lines.
    void take(const Block& b, std::int64_t col, std::int64_t row) {
        if (b.cells.size() == 1) {
            takeBox(col + b.cells.front().col, row + b.cells.front().row);
            return;
        }
        for (std::int64_t r = row; r < row + b.height; ++r)
            for (std::int64_t c = col; c < col + b.width; ++c)
                takeBox(c, r);
    }

  private:
    bool inside(std::int64_t col, std::int64_t row) const {
        return col >= 0 && row >= 0 && col < width_ && row < height_;
    }
    bool boxAt(std::int64_t col, std::int64_t row) const {
        return inside(col, row) && box_[size_t(row * width_ + col)] != 0;
    }

    std::int64_t width_, height_;
    std::vector<char> box_;
    std::vector<int> line_;
};

// Families of at most this many persons may stand among the larger ones.
constexpr size_t kSmallFamily = 6;
// Room for tucking in is searched only on charts of at most this many cells.
constexpr std::int64_t kMostRoomCells = std::int64_t(1) << 24;

GridCell cornerOf(const std::vector<Extent>& extents, const std::vector<GridCell>& origins) {
    std::int64_t w = 0, h = 0;
    for (size_t k = 0; k < extents.size(); ++k) {
        w = std::max(w, origins[k].col + extents[k].width);
        h = std::max(h, origins[k].row + extents[k].height);
    }
    return {std::int32_t(w), std::int32_t(h)};
}

// Small families and persons without relatives put into the free room of
// the larger families packed alone: false when one finds no room, or the
// chart comes out wider or larger than `packed`.
bool tuckIn(const std::vector<Block>& families, size_t loners, std::int64_t maxWidth,
            std::int64_t maxHeight, GridCell packed, std::vector<GridCell>& origins,
            std::vector<GridCell>& lonerCells) {
    if (families.empty()) return false;
    size_t largest = 0;
    for (size_t f = 1; f < families.size(); ++f)
        if (families[f].cells.size() > families[largest].cells.size()) largest = f;
    std::vector<size_t> big, small;
    for (size_t f = 0; f < families.size(); ++f)
        (f != largest && families[f].cells.size() <= kSmallFamily ? small : big).push_back(f);
    if (small.empty() && loners == 0) return false;
    std::vector<Extent> extents;
    for (size_t f : big)
        extents.push_back({families[f].width, families[f].height});
    std::vector<GridCell> at;
    if (!packExtents(extents, maxWidth, maxHeight, at)) return false;
    const GridCell corner = cornerOf(extents, at);
    const std::int64_t width = std::max<std::int64_t>(corner.col, 1);
    std::int64_t height = corner.row + 2;
    for (size_t f : small)
        height += families[f].height + 1;
    const std::int64_t perRow = (width + 1) / 2;
    height = std::min(maxHeight,
                      height + 2 * std::int64_t((loners + size_t(perRow) - 1) / size_t(perRow)));
    if (width * height > kMostRoomCells) return false;
    Room room(width, height);
    for (size_t k = 0; k < big.size(); ++k) {
        const Block& b = families[big[k]];
        auto cellOf = [&](int i) {
            return GridCell{b.cells[size_t(i)].col + at[k].col, b.cells[size_t(i)].row + at[k].row};
        };
        for (size_t i = 0; i < b.cells.size(); ++i)
            room.takeBox(cellOf(int(i)).col, cellOf(int(i)).row);
        for (const auto& [parent, child] : b.links) {
            const GridCell p = cellOf(parent), c = cellOf(child);
            const double xp = p.col + shiftOf(p.row), xc = c.col + shiftOf(c.row);
            for (std::int64_t r = std::min(p.row, c.row); r <= std::max(p.row, c.row); ++r)
                room.addLine(xp, xc, r);
        }
    }
    room.finishLines();
    // The larger small families first; each shape goes on searching where
    // the last one of its shape stood, since the room only fills up.
    std::stable_sort(small.begin(), small.end(), [&](size_t a, size_t b) {
        return families[a].width * families[a].height > families[b].width * families[b].height;
    });
    std::vector<std::pair<Extent, std::int64_t>> cursors;
    const Block single = squareBlock(1);
    auto tuck = [&](const Block& b, GridCell& origin) {
        auto it = std::find_if(cursors.begin(), cursors.end(), [&](const auto& e) {
            return e.first.width == b.width && e.first.height == b.height;
        });
        if (it == cursors.end()) it = cursors.insert(cursors.end(), {{b.width, b.height}, 0});
        const bool anyRow = b.cells.size() == 1; // one box keeps no shift to anyone
        for (std::int64_t& k = it->second; k < width * height; ++k) {
            const std::int64_t row = k / width, col = k % width;
            if (row + b.height > height) break;
            if (col + b.width > width || (!anyRow && row % 2 != 0) || !room.fits(b, col, row))
                continue;
            room.take(b, col, row);
            origin = {std::int32_t(col), std::int32_t(row)};
            return true;
        }
        return false;
    };
    std::vector<GridCell> tucked(families.size());
    for (size_t k = 0; k < big.size(); ++k)
        tucked[big[k]] = at[k];
    for (size_t f : small)
        if (!tuck(families[f], tucked[f])) return false;
    std::vector<GridCell> lonely(loners);
    for (GridCell& cell : lonely)
        if (!tuck(single, cell)) return false;
    std::int64_t w = corner.col, h = corner.row;
    for (size_t f : small) {
        w = std::max(w, tucked[f].col + families[f].width);
        h = std::max(h, tucked[f].row + families[f].height);
    }
    for (const GridCell& cell : lonely) {
        w = std::max<std::int64_t>(w, cell.col + 1);
        h = std::max<std::int64_t>(h, cell.row + 1);
    }
    const bool smaller = w <= packed.col && h <= packed.row;
    const bool narrower = w < packed.col && w * h <= std::int64_t(packed.col) * packed.row;
    if (!smaller && !narrower) return false;
    origins = std::move(tucked);
    lonerCells = std::move(lonely);
    return true;
}

} // namespace

bool arrangeBlocks(const std::vector<Block>& families, size_t loners, std::int64_t maxWidth,
                   std::int64_t maxHeight, std::vector<GridCell>& origins,
                   std::vector<GridCell>& lonerCells) {
    std::vector<Extent> extents;
    for (const Block& b : families)
        extents.push_back({b.width, b.height});
    const Block square = squareBlock(loners);
    if (loners > 0) extents.push_back({square.width, square.height});
    std::vector<GridCell> at;
    if (!packExtents(extents, maxWidth, maxHeight, at)) return false;
    if (tuckIn(families, loners, maxWidth, maxHeight, cornerOf(extents, at), origins, lonerCells))
        return true;
    lonerCells.resize(loners);
    for (size_t k = 0; k < loners; ++k)
        lonerCells[k] = {square.cells[k].col + at.back().col, square.cells[k].row + at.back().row};
    at.resize(families.size());
    origins = std::move(at);
    return true;
}

} // namespace lw::familylayout

namespace lw {

std::optional<std::vector<GridCell>> layoutFamilies(const Document& doc,
                                                    const std::vector<int>& persons,
                                                    std::int32_t maxWidth, std::int32_t maxHeight) {
    using namespace familylayout;
    const Graph g(doc, persons);
    const int n = int(persons.size());
    UnionFind uf(n);
    for (int i = 0; i < n; ++i) {
        for (int parent : {g.father[size_t(i)], g.mother[size_t(i)]})
            if (parent >= 0) uf.unite(i, parent);
        for (int partner : g.partners[size_t(i)])
            uf.unite(i, partner);
    }
    std::vector<std::vector<int>> families;
    std::vector<int> familyOf(static_cast<size_t>(n), -1), loners;
    for (int i = 0; i < n; ++i) {
        int& f = familyOf[size_t(uf.find(i))];
        if (f < 0) {
            f = int(families.size());
            families.emplace_back();
        }
        families[size_t(f)].push_back(i);
    }
    // Each family is laid out on its own graph, so that its cost follows its
    // own size, not the whole list's.
    std::vector<int> localOf(static_cast<size_t>(n), -1);
    std::vector<const std::vector<int>*> placedFamilies;
    std::vector<Block> blocks;
    for (const std::vector<int>& members : families) {
        if (members.size() == 1) {
            loners.push_back(members.front());
            continue;
        }
        const Graph local(g, members, localOf);
        Block block;
        int width = 0, height = 0;
        block.cells = layoutFamily(local, width, height);
        block.width = width;
        block.height = height;
        // A family wider or deeper than the whole area stands as a square.
        if (block.width > maxWidth || block.height > maxHeight) block = squareBlock(members.size());
        for (int c = 0; c < local.size(); ++c)
            for (int parent : {local.father[size_t(c)], local.mother[size_t(c)]})
                if (parent >= 0) block.links.emplace_back(parent, c);
        placedFamilies.push_back(&members);
        blocks.push_back(std::move(block));
    }
    // Persons without relatives stand in free room among the families or in
    // a square block beside them.
    std::vector<GridCell> origins, lonerCells;
    std::vector<GridCell> cells(static_cast<size_t>(n));
    if (!arrangeBlocks(blocks, loners.size(), maxWidth, maxHeight, origins, lonerCells)) {
        // Bands of blocks that leave too much free: everyone in one square.
        const Block all = squareBlock(size_t(n));
        if (all.width > maxWidth || all.height > maxHeight) return std::nullopt;
        return all.cells;
    }
    for (size_t b = 0; b < blocks.size(); ++b) {
        const std::vector<int>& members = *placedFamilies[b];
        for (size_t k = 0; k < members.size(); ++k)
            cells[size_t(members[k])] = {blocks[b].cells[k].col + origins[b].col,
                                         blocks[b].cells[k].row + origins[b].row};
    }
    for (size_t k = 0; k < loners.size(); ++k)
        cells[size_t(loners[k])] = lonerCells[k];
    return cells;
}

} // namespace lw
