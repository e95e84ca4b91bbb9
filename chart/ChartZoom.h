#pragma once
// The zoom of a chart view: whole percent from 5 to 400. A chart pixel X
// shows at view pixel floor(X · percent / 100); the view pixel v stands for
// the last chart pixel that shows on it (zoomed in, the one that covers it).
// At 100 % both are the identity.
#include "chart/Rect64.h"

#include <cstdint>
#include <vector>

namespace lw {

class ChartZoom {
  public:
    static constexpr int kMin = 5;
    static constexpr int kMax = 400;
    // Box texts smaller than this many pixels are left out when zoomed.
    static constexpr int kLegiblePixels = 5;

    ChartZoom() = default;
    explicit ChartZoom(int percent) : percent_(clamped(percent)) {}

    int percent() const { return percent_; }
    bool identity() const { return percent_ == 100; }

    std::int64_t toView(std::int64_t chart) const;
    std::int64_t toChart(std::int64_t view) const;
    // The view extent of a chart extent (rounded up, so the last pixel shows).
    std::int64_t viewExtent(std::int64_t chartExtent) const;
    // The chart pixels a view rectangle shows, right and bottom excluded.
    Rect64 chartRect(const Rect64& view) const;

    // The zoom steps of Ctrl++ and Ctrl+-: the next step above or below.
    ChartZoom stepIn() const;
    ChartZoom stepOut() const;
    // The largest zoom at which `chart` (in chart pixels) fits into `view`
    // pixels, within kMin … 100.
    static ChartZoom fitting(Point64 chart, Point64 view);

    static int clamped(int percent);
    bool operator==(const ChartZoom&) const = default;

  private:
    int percent_ = 100;
};

} // namespace lw
