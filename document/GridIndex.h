#pragma once
// Which persons stand on which chart cell, in constant time. For each cell it
// keeps the lowest person index on it and how many persons share it (only a
// file can put two persons on one cell).
//
// The cells live in one flat table (open addressing, linear probing), so
// that a pass over all of them, as when person numbers move after a delete,
// reads memory in order.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lw {

class GridIndex {
  public:
    bool occupied(std::int32_t x, std::int32_t y) const { return find(key(x, y)) != nullptr; }
    int first(std::int32_t x, std::int32_t y) const {
        const Cell* cell = find(key(x, y));
        return cell ? cell->first : 0;
    }

    void clear() {
        slots_ = {};
        used_ = 0;
    }
    void reserve(std::size_t n) {
        if (2 * n > slots_.size()) rehash(2 * n);
    }

    // Adds person `index` on (x, y). Unplaced persons (-1, -1) are entered
    // too, so that every cell answers exactly as a scan of the persons would.
    void add(std::int32_t x, std::int32_t y, int index);
    // Removes person `index` from (x, y). `cellOf(i, x, y)` gives the cell of
    // person i of `count`, for the rare case that the lowest of several
    // sharers leaves.
    template <class CellOf>
    void remove(std::int32_t x, std::int32_t y, int index, int count, CellOf cellOf);
    // Every person index from `from` on moves by `by` (+1 or -1): a person
    // was put in or taken out of the list there.
    void shiftIndices(int from, int by) {
        for (Cell& cell : slots_)
            if (cell.count > 0 && cell.first >= from) cell.first += by;
    }

    // A number of cells that are occupied; for sizing.
    std::size_t size() const { return used_; }

  private:
    struct Cell {
        std::uint64_t key = 0;
        int first = 0;
        int count = 0; // 0: the slot is free
    };
    static std::uint64_t key(std::int32_t x, std::int32_t y) {
        return (std::uint64_t(std::uint32_t(x)) << 32) | std::uint32_t(y);
    }
    // Neighbouring cells must not crowd neighbouring slots: mix all bits.
    std::size_t home(std::uint64_t k) const {
        k ^= k >> 33;
        k *= 0xff51afd7ed558ccdULL;
        k ^= k >> 33;
        return std::size_t(k) & (slots_.size() - 1);
    }
    std::size_t next(std::size_t i) const { return (i + 1) & (slots_.size() - 1); }
    const Cell* find(std::uint64_t k) const;
    Cell* find(std::uint64_t k) {
        return const_cast<Cell*>(static_cast<const GridIndex*>(this)->find(k));
    }
    // At least `n` slots (a power of two), every cell entered anew.
    void rehash(std::size_t n);
    // Frees the slot of a cell that no person stands on any more.
    void erase(Cell* cell);

    std::vector<Cell> slots_; // empty, or a power of two at most half full
    std::size_t used_ = 0;
};

inline const GridIndex::Cell* GridIndex::find(std::uint64_t k) const {
    if (slots_.empty()) return nullptr;
    for (std::size_t i = home(k);; i = next(i)) {
        const Cell& cell = slots_[i];
        if (cell.count == 0) return nullptr;
        if (cell.key == k) return &cell;
    }
}

inline void GridIndex::rehash(std::size_t n) {
    std::size_t size = 16;
    while (size < n)
        size *= 2;
    std::vector<Cell> old;
    old.swap(slots_);
    slots_.assign(size, Cell{});
    for (const Cell& cell : old) {
        if (cell.count == 0) continue;
        std::size_t i = home(cell.key);
        while (slots_[i].count != 0)
            i = next(i);
        slots_[i] = cell;
    }
}

inline void GridIndex::add(std::int32_t x, std::int32_t y, int index) {
    const std::uint64_t k = key(x, y);
    if (Cell* cell = find(k)) {
        ++cell->count;
        if (index < cell->first) cell->first = index;
        return;
    }
    if (2 * (used_ + 1) > slots_.size()) rehash(2 * (used_ + 1));
    std::size_t i = home(k);
    while (slots_[i].count != 0)
        i = next(i);
    slots_[i] = Cell{k, index, 1};
    ++used_;
}

inline void GridIndex::erase(Cell* cell) {
    // Later cells of the same probe run move up into the hole, so that no
    // search stops early at it.
    std::size_t hole = std::size_t(cell - slots_.data());
    for (std::size_t j = next(hole); slots_[j].count != 0; j = next(j)) {
        const std::size_t h = home(slots_[j].key);
        const bool staysBehind = hole <= j ? (hole < h && h <= j) : (hole < h || h <= j);
        if (!staysBehind) {
            slots_[hole] = slots_[j];
            hole = j;
        }
    }
    slots_[hole] = Cell{};
    --used_;
}

template <class CellOf>
void GridIndex::remove(std::int32_t x, std::int32_t y, int index, int count, CellOf cellOf) {
    Cell* cell = find(key(x, y));
    if (!cell) return;
    if (--cell->count == 0) {
        erase(cell);
        return;
    }
    if (cell->first != index) return;
    for (int i = 0; i < count; ++i) {
        std::int32_t cx, cy;
        cellOf(i, cx, cy);
        if (i != index && cx == x && cy == y) {
            cell->first = i;
            return;
        }
    }
}

} // namespace lw
