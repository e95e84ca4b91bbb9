#pragma once
// The route of a connection line from a child's box to a parent's box.
//
// The line leaves the child's top edge when the child lies lower than the
// parent, else its bottom edge; it enters the parent's top edge when the
// parent lies lower, else its bottom edge (same row: both bottom edges). Each
// end has a short stub from the middle of the edge: 4 up or 5 down for the
// father's line, and for the mother's line 2 pixels further right and 2 up
// or 7 down, so that near the child the two lines run 2 pixels apart.
// From the child's stub end S the route goes towards the parent's stub end
// T in steps: a vertical step of H, then, unless T's height is reached within
// 5 pixels, a horizontal step of 42 pixels towards T (which swings back and
// forth once T is passed); then straight to T and back into the parent's
// edge.
//
// The steps are not walked: step k is computed directly, so a line that
// crosses a million rows costs no more than a short one, and only the steps
// that can be seen are drawn.
#include "chart/ChartGrid.h"
#include "chart/Rect64.h"

#include <cstdint>
#include <utility>

namespace lw {

class ClippedPen;

constexpr std::int64_t kRouteStepX = 42;
constexpr std::int64_t kRouteCloseness = 5;

class ParentLineRoute {
  public:
    ParentLineRoute(const ChartGrid& grid, GridCell child, GridCell parent, bool father);

    Point64 childEdge() const { return childEdge_; }
    Point64 S() const { return s_; }
    Point64 parentEdge() const { return parentEdge_; }
    Point64 T() const { return t_; }

    // Number of vertical steps; there is a horizontal step after each but the
    // last.
    std::int64_t verticalSteps() const { return steps_; }
    // The number of horizontal steps after which the route has passed T.x.
    std::int64_t turnStep() const { return turnStep_; }
    // The x of the route after j horizontal steps, and its y after k
    // vertical steps.
    std::int64_t xAfter(std::int64_t j) const;
    std::int64_t yAfter(std::int64_t k) const { return s_.y + dirY_ * k * stepY_; }
    // Where the steps end, before the straight piece to T.
    Point64 routeEnd() const;

    // The smallest rectangle holding every point of the line (right and
    // bottom excluded).
    Rect64 bounds() const;
    // Heights that hold every point of the line between `child` and
    // `parent`, found without working out the route: a generous band around
    // both boxes' rows (bottom excluded).
    static std::pair<std::int64_t, std::int64_t> heightBand(const ChartGrid& grid, GridCell child,
                                                            GridCell parent);

    // Draws the line: the child's stub, the parent's stub, the steps, the
    // piece to T and back into the parent's edge, in this order, leaving out
    // the steps that lie outside the pen's clip rectangle.
    void draw(ClippedPen& pen) const;

  private:
    Point64 childEdge_, s_, parentEdge_, t_;
    std::int64_t stepY_ = 0;
    std::int64_t dirY_ = 1;
    std::int64_t steps_ = 0;
    // Horizontal steps move towards T.x until they pass it (after turnStep_
    // steps), then swing between turnX_ and turnX_ + swing_.
    std::int64_t dirX_ = 1;
    std::int64_t turnStep_ = 0;
};

} // namespace lw
