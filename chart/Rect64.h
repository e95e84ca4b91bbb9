#pragma once
// Points and rectangles in chart pixels, which need 64 bits.
#include <algorithm>
#include <cstdint>

namespace lw {

struct Point64 {
    std::int64_t x = 0;
    std::int64_t y = 0;
    bool operator==(const Point64&) const = default;
};

// left … right − 1 and top … bottom − 1: the right and bottom edges are
// excluded, as in the drawing surface's rectangles.
struct Rect64 {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;

    bool empty() const { return right <= left || bottom <= top; }
    bool intersects(const Rect64& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    Rect64 intersected(const Rect64& o) const {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom)};
    }
    Rect64 grown(std::int64_t by) const { return {left - by, top - by, right + by, bottom + by}; }
    bool operator==(const Rect64&) const = default;
};

} // namespace lw
