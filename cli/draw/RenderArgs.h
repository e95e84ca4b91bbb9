#pragma once
// The options of render beyond those it shares with print: a scale or a
// width in pixels, and a part of the chart (cells, or a person and the cells
// around it). Taken out of the argument list, so that the rest goes to
// parseChartOptions.
#include "chart/ChartGrid.h"
#include "chart/Rect64.h"

#include <QStringList>
#include <cstdint>
#include <optional>

namespace lw {
class Document;
}

namespace lw::cli {

struct RenderArgs {
    double percent = 0;       // --scale P; 0: none given
    std::int64_t widthPx = 0; // --width-px W; 0: none given
    // --cells X0,Y0,X1,Y1 (both corners included)
    std::optional<Rect64> cells;
    std::int64_t around = -1; // --around N, the person's number as dump lists it
    std::int64_t radius = -1; // --radius R
    bool anyGiven() const { return percent > 0 || widthPx > 0 || cells || around >= 0; }
};

// Takes "--scale P", "--width-px W" (not both), "--cells X0,Y0,X1,Y1" and
// "--around N --radius R" (not with --cells) out of `args`. Empty on
// success, otherwise what is wrong.
QString takeRenderArgs(QStringList& args, RenderArgs& out);
extern const char* const kRenderArgsHelp;

// The chart pixels to draw: the cells asked for (from the area's edge when
// they begin at column or row 0, so that the margins and the heading come
// along), within the chart's extent `size`; the whole chart without a
// region. Empty, with a German `error`, when the person is unknown or the
// region misses the chart.
std::optional<Rect64> renderRegion(const RenderArgs& args, const Document& doc,
                                   const ChartGrid& grid, Point64 size, QString* error);

} // namespace lw::cli
