// What a family line plan does wrong, counted for the tests and the
// benchmark: pieces on one another, through boxes and hugging a frame.
#include "chart/FamilyLines.h"

#include "document/Document.h"
#include "document/Layout.h"

#include <algorithm>
#include <map>

namespace lw {

namespace {

constexpr std::int64_t kHugDistance = 4; // a line nearer a frame than this hugs it

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

LineFaults countLineFaults(const Document& doc, const BoxLayout& box, ChartMargins margins,
                           const FamilyLinePlan& plan) {
    LineFaults faults;
    // Overlaps: pieces on one line, by their extent along it.
    struct Piece {
        std::int64_t lo, hi;
        int family;
    };
    std::map<std::pair<bool, std::int64_t>, std::vector<Piece>> onLine;
    for (const FamilySegment& s : plan.segments) {
        const bool horizontal = s.a.y == s.b.y;
        const std::int64_t at = horizontal ? s.a.y : s.a.x;
        const std::int64_t p = horizontal ? s.a.x : s.a.y, q = horizontal ? s.b.x : s.b.y;
        onLine[{horizontal, at}].push_back({std::min(p, q), std::max(p, q), s.family});
    }
    for (auto& [line, pieces] : onLine) {
        std::sort(pieces.begin(), pieces.end(),
                  [](const Piece& a, const Piece& b) { return a.lo < b.lo; });
        for (std::size_t i = 0; i < pieces.size(); ++i)
            for (std::size_t k = i + 1; k < pieces.size() && pieces[k].lo < pieces[i].hi; ++k)
                if (pieces[k].family != pieces[i].family) ++faults.overlaps;
    }
    // Boxes crossed: the inside of a drawn box, within its frame.
    const ChartGrid grid(box.BreitEd, box.HochEd, margins, plan.rowSpacing);
    auto drawn = [&](std::int64_t col, std::int64_t row) {
        return col >= 0 && col < doc.AreaWidth && row >= 0 && row < doc.AreaHeight &&
               doc.GridBesetzt(std::int32_t(col), std::int32_t(row));
    };
    for (const FamilySegment& s : plan.segments) {
        const std::int64_t x0 = std::min(s.a.x, s.b.x), x1 = std::max(s.a.x, s.b.x);
        const std::int64_t y0 = std::min(s.a.y, s.b.y), y1 = std::max(s.a.y, s.b.y);
        const std::int64_t r0 = floorDiv(y0 - grid.RandOPix(), grid.pitchY());
        const std::int64_t r1 = floorDiv(y1 - grid.RandOPix(), grid.pitchY());
        for (std::int64_t r = r0; r <= r1; ++r) {
            if (!(y0 < grid.Bottom(r) - 1 && y1 > grid.Top(r))) continue;
            const std::int64_t c0 = floorDiv(x0 - grid.Left(0, r), grid.W());
            const std::int64_t c1 = floorDiv(x1 - grid.Left(0, r), grid.W());
            for (std::int64_t c = c0; c <= c1; ++c)
                if (drawn(c, r) && x0 < grid.Right(c, r) - 1 && x1 > grid.Left(c, r))
                    ++faults.throughBoxes;
        }
    }
    // Hugging: alongside a frame (its last pixel is Right − 1, Bottom − 1)
    // and 1 to 3 pixels off it.
    auto near = [](std::int64_t d) { return d >= 1 && d < kHugDistance; };
    for (const FamilySegment& s : plan.segments) {
        const std::int64_t x0 = std::min(s.a.x, s.b.x), x1 = std::max(s.a.x, s.b.x);
        const std::int64_t y0 = std::min(s.a.y, s.b.y), y1 = std::max(s.a.y, s.b.y);
        const bool horizontal = y0 == y1;
        const std::int64_t r0 = floorDiv(y0 - kHugDistance - grid.RandOPix(), grid.pitchY());
        const std::int64_t r1 = floorDiv(y1 + kHugDistance - grid.RandOPix(), grid.pitchY());
        for (std::int64_t r = r0; r <= r1; ++r) {
            const std::int64_t top = grid.Top(r), bottom = grid.Bottom(r) - 1;
            const std::int64_t c0 = floorDiv(x0 - kHugDistance - grid.Left(0, r), grid.W());
            const std::int64_t c1 = floorDiv(x1 + kHugDistance - grid.Left(0, r), grid.W());
            for (std::int64_t c = c0; c <= c1; ++c) {
                if (!drawn(c, r)) continue;
                const std::int64_t left = grid.Left(c, r), right = grid.Right(c, r) - 1;
                if (horizontal ? x0 < right && x1 > left && (near(top - y0) || near(y0 - bottom))
                               : y0 < bottom && y1 > top && (near(left - x0) || near(x0 - right)))
                    ++faults.hugging;
            }
        }
    }
    return faults;
}

} // namespace lw
