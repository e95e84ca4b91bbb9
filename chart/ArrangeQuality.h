#pragma once
// Figures that tell how well an arrangement shows the family: how many
// parent links run downwards from the parent to the child, how often the
// links cross and how long they are, whether parents stand side by side and
// how many cells the chart spans. A link is measured as the straight line
// between the centres of the two boxes.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lw {

class Document;

struct ArrangeQuality {
    int links = 0;             // parent links between two placed persons
    int parentAbove = 0;       // of these, links whose parent's row lies above the child's
    int parentOneRowAbove = 0; // of these, links whose parent stands exactly one row higher
    std::int64_t crossings = 0;
    // Of the crossings, those between the line of one child to its father
    // and the line of a full sibling to their mother: two children of the
    // same two parents always make this X, however they stand.
    std::int64_t siblingCrossings = 0;
    double length = 0; // total, in pixels
    // The links' horizontal runs summed, in columns: how far the children
    // stand aside from their parents.
    double horizontal = 0;
    int couples = 0;           // placed fathers and mothers of a common child, each pair once
    int couplesSideBySide = 0; // of these, pairs in one row in neighbouring cells
    std::int32_t width = 0;    // columns from the leftmost to the rightmost placed person
    std::int32_t height = 0;   // rows from the topmost to the lowest placed person

    double parentAboveShare() const { return links ? 100.0 * parentAbove / links : 100.0; }
    double parentOneRowAboveShare() const {
        return links ? 100.0 * parentOneRowAbove / links : 100.0;
    }
    std::int64_t crossingsBesideSiblings() const { return crossings - siblingCrossings; }
};

// Measures with the given cell pitch (the box width and height settings).
ArrangeQuality measureArrangement(const Document& doc, int cellWidth = 168, int cellHeight = 96);

// Pairs i < j of v[lo, hi) with v[i] > v[j], counted while sorting that
// range; `scratch` is as large as `v`.
std::int64_t inversions(std::vector<double>& v, std::vector<double>& scratch, size_t lo, size_t hi);

} // namespace lw
