#include "chart/ChartZoom.h"

#include <algorithm>
#include <array>

namespace lw {

namespace {

constexpr std::array<int, 15> kSteps{5,  10,  15,  20,  25,  33,  50, 67,
                                     75, 100, 125, 150, 200, 300, 400};

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

} // namespace

int ChartZoom::clamped(int percent) {
    return std::clamp(percent, kMin, kMax);
}

std::int64_t ChartZoom::toView(std::int64_t chart) const {
    return floorDiv(chart * percent_, 100);
}

std::int64_t ChartZoom::toChart(std::int64_t view) const {
    // The last chart pixel X with floor(X · percent / 100) = view: the
    // largest X with X · percent < (view + 1) · 100.
    return floorDiv((view + 1) * 100 - 1, percent_);
}

std::int64_t ChartZoom::viewExtent(std::int64_t chartExtent) const {
    return -floorDiv(-chartExtent * percent_, 100);
}

Rect64 ChartZoom::chartRect(const Rect64& view) const {
    // Zoomed out, a view pixel shows several chart pixels: from the one
    // after the last of the pixel before on. Zoomed in, one chart pixel
    // covers several view pixels, the first of them maybe left of the rectangle.
    auto first = [this](std::int64_t v) {
        return percent_ <= 100 ? toChart(v - 1) + 1 : toChart(v);
    };
    return {first(view.left), first(view.top), toChart(view.right - 1) + 1,
            toChart(view.bottom - 1) + 1};
}

ChartZoom ChartZoom::stepIn() const {
    const auto next = std::upper_bound(kSteps.begin(), kSteps.end(), percent_);
    return ChartZoom(next == kSteps.end() ? kMax : *next);
}

ChartZoom ChartZoom::stepOut() const {
    const auto below = std::lower_bound(kSteps.begin(), kSteps.end(), percent_);
    return ChartZoom(below == kSteps.begin() ? kMin : *(below - 1));
}

ChartZoom ChartZoom::fitting(Point64 chart, Point64 view) {
    if (chart.x <= 0 || chart.y <= 0 || view.x <= 0 || view.y <= 0) return ChartZoom(100);
    const std::int64_t byWidth = view.x * 100 / chart.x;
    const std::int64_t byHeight = view.y * 100 / chart.y;
    return ChartZoom(int(std::clamp<std::int64_t>(std::min(byWidth, byHeight), kMin, 100)));
}

} // namespace lw
