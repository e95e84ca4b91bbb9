#pragma once
// Figures that tell how well an arrangement shows the family: how many
// parent links run downwards from the parent to the child, how often the
// links cross and how long they are. A link is measured as the straight
// line between the centres of the two boxes.
#include <cstdint>

namespace lw {

class Document;

struct ArrangeQuality {
    int links = 0;       // parent links between two placed persons
    int parentAbove = 0; // of these, links whose parent's row lies above the child's
    std::int64_t crossings = 0;
    double length = 0; // total, in pixels

    double parentAboveShare() const { return links ? 100.0 * parentAbove / links : 100.0; }
};

// Measures with the given cell pitch (the box width and height settings).
ArrangeQuality measureArrangement(const Document& doc, int cellWidth = 168, int cellHeight = 96);

} // namespace lw
