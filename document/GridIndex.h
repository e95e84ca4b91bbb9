#pragma once
// Which persons stand on which chart cell, in constant time. For each cell it
// keeps the lowest person index on it and how many persons share it (only a
// file can put two persons on one cell).
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace lw {

class GridIndex {
public:
    bool occupied(std::int32_t x, std::int32_t y) const { return map_.find(key(x, y)) != map_.end(); }
    int first(std::int32_t x, std::int32_t y) const {
        auto it = map_.find(key(x, y));
        return it == map_.end() ? 0 : it->second.first;
    }

    void clear() { map_.clear(); }
    void reserve(std::size_t n) { map_.reserve(n); }

    // Adds person `index` on (x, y). Unplaced persons (-1, -1) are entered
    // too, so that every cell answers exactly as a scan of the persons would.
    void add(std::int32_t x, std::int32_t y, int index);
    // Removes person `index` from (x, y). `cellOf(i, x, y)` gives the cell of
    // person i of `count`, for the rare case that the lowest of several
    // sharers leaves.
    template <class CellOf> void remove(std::int32_t x, std::int32_t y, int index, int count, CellOf cellOf);

    // A number of cells that are occupied; for sizing.
    std::size_t size() const { return map_.size(); }

private:
    struct Cell {
        int first;
        int count;
    };
    static std::uint64_t key(std::int32_t x, std::int32_t y) {
        return (std::uint64_t(std::uint32_t(x)) << 32) | std::uint32_t(y);
    }
    std::unordered_map<std::uint64_t, Cell> map_;
};

inline void GridIndex::add(std::int32_t x, std::int32_t y, int index) {
    auto [it, inserted] = map_.try_emplace(key(x, y), Cell{index, 1});
    if (!inserted) {
        ++it->second.count;
        if (index < it->second.first) it->second.first = index;
    }
}

template <class CellOf>
void GridIndex::remove(std::int32_t x, std::int32_t y, int index, int count, CellOf cellOf) {
    auto it = map_.find(key(x, y));
    if (it == map_.end()) return;
    if (--it->second.count == 0) {
        map_.erase(it);
        return;
    }
    if (it->second.first != index) return;
    for (int i = 0; i < count; ++i) {
        std::int32_t cx, cy;
        cellOf(i, cx, cy);
        if (i != index && cx == x && cy == y) {
            it->second.first = i;
            return;
        }
    }
}

} // namespace lw
