#include "chart/ParentLine.h"

#include "chart/ClippedPen.h"

#include <algorithm>
#include <cstdlib>

namespace lw {

namespace {

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
    return -floorDiv(-a, b);
}

// The edge point and the stub end of one end of the line.
void anchor(const ChartGrid& grid, GridCell cell, bool topEdge, bool father, Point64& edge,
            Point64& stubEnd) {
    const std::int64_t centre = (grid.W() - 9) / 2;
    const std::int64_t x = grid.Left(cell.col, cell.row) + centre + (father ? 0 : 2);
    const std::int64_t y = topEdge ? grid.Top(cell.row) : grid.Bottom(cell.row);
    edge = {x, y};
    const std::int64_t stub = topEdge ? (father ? -4 : -2) : (father ? 5 : 7);
    stubEnd = {x, y + stub};
}

} // namespace

ParentLineRoute::ParentLineRoute(const ChartGrid& grid, GridCell child, GridCell parent,
                                 bool father) {
    const bool childTop = child.row > parent.row;
    const bool parentTop = child.row < parent.row;
    anchor(grid, child, childTop, father, childEdge_, s_);
    anchor(grid, parent, parentTop, father, parentEdge_, t_);

    // The vertical steps: from S towards T.y until within 5 pixels of it.
    // The two stub ends always lie a whole number of rows apart, so the
    // steps end exactly at T's height. A pitch below 1 would never get
    // there; then the line goes straight to T.
    stepY_ = grid.H();
    dirY_ = s_.y < t_.y ? 1 : -1;
    const std::int64_t distance = dirY_ * (t_.y - s_.y);
    steps_ = (distance > kRouteCloseness && stepY_ >= 1)
                 ? ceilDiv(distance - kRouteCloseness, stepY_)
                 : 0;

    // The horizontal steps: towards T.x while on the near side of it (a
    // start at T.x counts as beyond it).
    dirX_ = s_.x < t_.x ? 1 : -1;
    turnStep_ = dirX_ > 0 ? ceilDiv(t_.x - s_.x, kRouteStepX) : (s_.x - t_.x) / kRouteStepX + 1;
}

std::int64_t ParentLineRoute::xAfter(std::int64_t j) const {
    if (j <= turnStep_) return s_.x + dirX_ * kRouteStepX * j;
    const std::int64_t turned = s_.x + dirX_ * kRouteStepX * turnStep_;
    return (j - turnStep_) % 2 != 0 ? turned - dirX_ * kRouteStepX : turned;
}

Point64 ParentLineRoute::routeEnd() const {
    if (steps_ < 1) return s_;
    return {xAfter(steps_ - 1), yAfter(steps_)};
}

std::pair<std::int64_t, std::int64_t> ParentLineRoute::heightBand(const ChartGrid& grid,
                                                                  GridCell child, GridCell parent) {
    // The edges lie on the boxes, the stubs within 7 pixels of them, and the
    // steps between the stub ends; a row's height more on each side covers
    // any rounding of the steps.
    const std::int64_t margin = 8 + std::abs(std::int64_t(grid.H()));
    const std::int64_t top = std::min({grid.Top(child.row), grid.Bottom(child.row),
                                       grid.Top(parent.row), grid.Bottom(parent.row)});
    const std::int64_t bottom = std::max({grid.Top(child.row), grid.Bottom(child.row),
                                          grid.Top(parent.row), grid.Bottom(parent.row)});
    return {top - margin, bottom + margin + 1};
}

Rect64 ParentLineRoute::bounds() const {
    std::int64_t minX = std::min({s_.x, t_.x, childEdge_.x, parentEdge_.x});
    std::int64_t maxX = std::max({s_.x, t_.x, childEdge_.x, parentEdge_.x});
    if (steps_ >= 1) {
        const std::int64_t lastHorizontal = steps_ - 1;
        const std::int64_t farthest = xAfter(std::min(turnStep_, lastHorizontal));
        minX = std::min(minX, farthest);
        maxX = std::max(maxX, farthest);
        if (lastHorizontal > turnStep_) {
            const std::int64_t swing = xAfter(turnStep_ + 1);
            minX = std::min(minX, swing);
            maxX = std::max(maxX, swing);
        }
    }
    const std::int64_t endY = yAfter(steps_);
    const std::int64_t minY = std::min({s_.y, t_.y, endY, childEdge_.y, parentEdge_.y});
    const std::int64_t maxY = std::max({s_.y, t_.y, endY, childEdge_.y, parentEdge_.y});
    return {minX, minY, maxX + 1, maxY + 1};
}

void ParentLineRoute::draw(ClippedPen& pen) const {
    pen.line(childEdge_, s_);
    pen.line(parentEdge_, t_);
    if (steps_ >= 1) {
        // Step k covers the heights from yAfter(k − 1) to yAfter(k); only the
        // steps that reach the clip rectangle's rows are drawn.
        const Rect64& clip = pen.clip();
        const std::int64_t uLo = dirY_ > 0 ? clip.top - s_.y : s_.y - (clip.bottom - 1);
        const std::int64_t uHi = dirY_ > 0 ? clip.bottom - 1 - s_.y : s_.y - clip.top;
        const std::int64_t first = std::max<std::int64_t>(1, ceilDiv(uLo, stepY_));
        const std::int64_t last = std::min(steps_, floorDiv(uHi, stepY_) + 1);
        for (std::int64_t k = first; k <= last; ++k) {
            const std::int64_t x = xAfter(k - 1);
            pen.line({x, yAfter(k - 1)}, {x, yAfter(k)});
            if (k < steps_) pen.line({x, yAfter(k)}, {xAfter(k), yAfter(k)});
        }
    }
    pen.line(routeEnd(), t_);
    pen.line(t_, parentEdge_);
}

} // namespace lw
