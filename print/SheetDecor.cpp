#include "print/SheetDecor.h"

#include "platform/Canvas.h"
#include "platform/DocText.h"

#include <algorithm>
#include <cmath>

namespace lw {

namespace {

constexpr TColor kMarkColor = rgb(0, 0, 0);
constexpr TColor kGridColor = rgb(0, 0, 160);
constexpr TColor kLeftOutColor = rgb(200, 200, 200);
constexpr std::int64_t kMarkGapMm10 = 10; // tenths of a millimetre between mark and area
constexpr std::int64_t kMarkLengthMm10 = 40;
constexpr std::int64_t kLabelHeightMm10 = 25;
constexpr TColor kGlueColor = rgb(128, 128, 128);
constexpr std::int64_t kGlueDashMm10 = 30;
constexpr std::int64_t kGlueGapMm10 = 20;
// Beyond these the map draws no outlines or numbers: they would not show.
constexpr std::int64_t kMaxMapLines = 400;
constexpr std::int64_t kMaxMapNumbers = 10000;

std::int64_t tenthsMm(std::int64_t tenths, int dpi) {
    return tenths * dpi / 254;
}

int thinPen(int dpi) {
    return std::max(1, dpi / 300);
}

TFontInfo smallFont(int dpi, std::int64_t heightTenthsMm) {
    TFontInfo font = defaultBoxFont();
    font.Color = kMarkColor;
    font.Style = 0;
    font.PixelsPerInch = dpi;
    font.Height = -int(std::max<std::int64_t>(1, tenthsMm(heightTenthsMm, dpi)));
    return font;
}

void line(Canvas& canvas, std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
    canvas.moveTo(int(x1), int(y1));
    canvas.lineTo(int(x2), int(y2));
}

} // namespace

void drawCutMarks(Canvas& canvas, const Rect64& area, int dpiX, int dpiY) {
    const std::int64_t gapX = tenthsMm(kMarkGapMm10, dpiX), lenX = tenthsMm(kMarkLengthMm10, dpiX);
    const std::int64_t gapY = tenthsMm(kMarkGapMm10, dpiY), lenY = tenthsMm(kMarkLengthMm10, dpiY);
    canvas.setPen(kMarkColor, PenStyle::Solid, thinPen(dpiX));
    for (const bool right : {false, true}) {
        for (const bool bottom : {false, true}) {
            const std::int64_t x = right ? area.right - 1 : area.left;
            const std::int64_t y = bottom ? area.bottom - 1 : area.top;
            const std::int64_t dx = right ? 1 : -1, dy = bottom ? 1 : -1;
            line(canvas, x + dx * gapX, y, x + dx * (gapX + lenX), y);
            line(canvas, x, y + dy * gapY, x, y + dy * (gapY + lenY));
        }
    }
}

QString glueLabel(int glueMm) {
    return QStringLiteral("Klebekante %1 mm").arg(glueMm);
}

void drawGlueEdges(Canvas& canvas, const Rect64& area, std::int64_t glueX, std::int64_t glueY,
                   GlueSides sides, int glueMm, int dpi) {
    const std::int64_t dash = tenthsMm(kGlueDashMm10, dpi), gap = tenthsMm(kGlueGapMm10, dpi);
    const std::int64_t inset = tenthsMm(kMarkGapMm10, dpi);
    const std::string label = toDocText(glueLabel(glueMm));
    auto dashed = [&](std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
        canvas.setPen(kGlueColor, PenStyle::Solid, thinPen(dpi));
        const std::int64_t length = std::max(x2 - x1, y2 - y1);
        for (std::int64_t at = 0; at < length; at += dash + gap) {
            const std::int64_t end = std::min(length, at + dash);
            if (x1 == x2)
                line(canvas, x1, y1 + at, x1, y1 + end);
            else
                line(canvas, x1 + at, y1, x1 + end, y1);
        }
    };
    canvas.setFont(smallFont(dpi, kLabelHeightMm10));
    canvas.setTextBackground(clWhite);
    auto labelAt = [&](std::int64_t x, std::int64_t y) { canvas.textOut(int(x), int(y), label); };
    const std::int64_t labelH = tenthsMm(kLabelHeightMm10, dpi) + inset;
    if (sides.left) {
        const std::int64_t x = area.left + glueX;
        dashed(x, area.top, x, area.bottom);
        labelAt(area.left + inset, area.top + labelH + inset);
    }
    if (sides.right) {
        const std::int64_t x = area.right - glueX;
        dashed(x, area.top, x, area.bottom);
        labelAt(x + inset, area.top + labelH + inset);
    }
    if (sides.top) {
        const std::int64_t y = area.top + glueY;
        dashed(area.left, y, area.right, y);
        labelAt(area.left + (area.right - area.left) / 2, area.top + inset);
    }
    if (sides.bottom) {
        const std::int64_t y = area.bottom - glueY;
        dashed(area.left, y, area.right, y);
        labelAt(area.left + (area.right - area.left) / 2, y + inset);
    }
}

bool runsHold(const std::vector<SheetRun>& runs, SheetKey key) {
    const auto it =
        std::upper_bound(runs.begin(), runs.end(), key, [](SheetKey k, const SheetRun& r) {
            return k.row < r.row || (k.row == r.row && k.col < r.c0);
        });
    return it != runs.begin() && std::prev(it)->row == key.row && key.col <= std::prev(it)->c1;
}

QString sheetLabel(SheetKey key, std::int64_t number, std::int64_t count, const QString& name) {
    return QStringLiteral("Zeile %1, Spalte %2 – Blatt %3 von %4 – %5")
        .arg(key.row + 1)
        .arg(key.col + 1)
        .arg(number)
        .arg(count)
        .arg(name);
}

void drawSheetLabel(Canvas& canvas, const Rect64& area, int dpi, const QString& label) {
    canvas.setFont(smallFont(dpi, kLabelHeightMm10));
    canvas.setTextBackground(clWhite);
    canvas.textOut(int(area.left), int(area.bottom + tenthsMm(kMarkGapMm10, dpi)),
                   toDocText(label));
}

void printAssemblyMap(Canvas& canvas, const AssemblyMap& map) {
    const SheetPlan& plan = *map.plan;
    const SheetGrid& grid = plan.grid;
    const int dpi = map.printer.dpiX;
    const std::int64_t pageW = map.printer.pageWidth, pageH = map.printer.pageHeight;
    const std::int64_t areaW = plan.area.right - plan.area.left;
    const std::int64_t areaH = plan.area.bottom - plan.area.top;
    const std::int64_t printedCount =
        map.printed ? sheetCountOf(*map.printed) : grid.cols * grid.rows;

    // The heading line at the top, the bar at the bottom, the map between.
    const std::int64_t headH = tenthsMm(100, dpi), footH = tenthsMm(160, dpi);
    const Rect64 region{0, headH, pageW, std::max(headH + 1, pageH - footH)};
    const double totalW = double((grid.cols - 1) * grid.stepX + areaW);
    const double totalH = double((grid.rows - 1) * grid.stepY + areaH);
    const double f = std::min(double(region.right - region.left) / totalW,
                              double(region.bottom - region.top) / totalH);
    auto mx = [&](std::int64_t p) { return region.left + std::int64_t(std::floor(double(p) * f)); };
    auto my = [&](std::int64_t p) { return region.top + std::int64_t(std::floor(double(p) * f)); };
    auto cell = [&](SheetKey k) {
        const std::int64_t x = k.col * grid.stepX, y = k.row * grid.stepY;
        return Rect64{mx(x), my(y), mx(x + areaW) + 1, my(y + areaH) + 1};
    };

    canvas.setFont(smallFont(dpi, 40));
    canvas.setTextBackground(clWhite);
    canvas.textOut(0, 0,
                   toDocText(QStringLiteral("Übersicht: %1 × %2 Blätter, %3 davon gedruckt")
                                 .arg(grid.cols)
                                 .arg(grid.rows)
                                 .arg(printedCount)));

    // Sheets left out lie grey under the chart.
    if (map.printed) {
        canvas.setPen(kLeftOutColor, PenStyle::Solid, 1);
        canvas.setBrush(kLeftOutColor);
        canvas.rectangle(int(mx(0)), int(my(0)), int(mx(std::int64_t(totalW)) + 1),
                         int(my(std::int64_t(totalH)) + 1));
        canvas.setPen(clWhite, PenStyle::Solid, 1);
        canvas.setBrush(clWhite);
        // Sheet by sheet while they are few, else a row's neighbours at once.
        const bool each = printedCount <= kMaxMapNumbers;
        for (const SheetRun& run : *map.printed) {
            for (std::int64_t c = run.c0; c <= run.c1; c = each ? c + 1 : run.c1 + 1) {
                const Rect64 first = cell({run.row, c});
                const Rect64 last = cell({run.row, each ? c : run.c1});
                canvas.rectangle(int(first.left), int(first.top), int(last.right),
                                 int(last.bottom));
            }
        }
    }

    // The chart, reduced: its scale times f.
    SheetSetup reduced = *map.chart;
    const double factor = double(reduced.scale.num) / double(reduced.scale.den) * f;
    constexpr std::int64_t kDen = 1'000'000'000'000;
    reduced.scale.num = std::max<std::int64_t>(1, std::llround(factor * double(kDen)));
    reduced.scale.den = kDen;
    reduced.pageWidth = region.right - region.left;
    reduced.pageHeight = region.bottom - region.top;
    reduced.origin = {region.left, region.top};
    SheetPrinter(reduced).PrintSheet(canvas, 0, 0);

    // The outlines of the sheets (both edges of each overlap), then the numbers.
    canvas.setPen(kGridColor, PenStyle::Solid, thinPen(dpi));
    if (grid.cols <= kMaxMapLines && grid.rows <= kMaxMapLines) {
        const std::int64_t top = my(0), bottom = my(std::int64_t(totalH));
        const std::int64_t left = mx(0), right = mx(std::int64_t(totalW));
        for (std::int64_t c = 0; c < grid.cols; ++c) {
            line(canvas, mx(c * grid.stepX), top, mx(c * grid.stepX), bottom + 1);
            line(canvas, mx(c * grid.stepX + areaW), top, mx(c * grid.stepX + areaW), bottom + 1);
        }
        for (std::int64_t r = 0; r < grid.rows; ++r) {
            line(canvas, left, my(r * grid.stepY), right + 1, my(r * grid.stepY));
            line(canvas, left, my(r * grid.stepY + areaH), right + 1, my(r * grid.stepY + areaH));
        }
    }
    const std::int64_t cellH = std::int64_t(double(grid.stepY) * f);
    const std::int64_t numberH = std::min<std::int64_t>(cellH * 4 / 10, tenthsMm(60, dpi));
    if (printedCount <= kMaxMapNumbers && numberH >= tenthsMm(10, dpi)) {
        TFontInfo font = smallFont(dpi, 10);
        font.Height = -int(numberH);
        font.Color = kGridColor;
        canvas.setFont(font);
        auto number = [&](SheetKey k, std::int64_t n) {
            const Rect64 c = cell(k);
            canvas.textOut(int(c.left + numberH / 3), int(c.top + numberH / 3), std::to_string(n));
        };
        std::int64_t n = 0;
        if (map.printed) {
            for (const SheetRun& run : *map.printed)
                for (std::int64_t c = run.c0; c <= run.c1; ++c)
                    number({run.row, c}, ++n);
        } else {
            for (std::int64_t r = 0; r < grid.rows; ++r)
                for (std::int64_t c = 0; c < grid.cols; ++c)
                    number({r, c}, ++n);
        }
    }

    // The bar: 100 mm on paper, or the longest of 50, 20, 10 mm that fits.
    std::int64_t barMm = 100;
    while (barMm > 10 && mmToPixels(barMm, dpi) > pageW - tenthsMm(300, dpi))
        barMm = barMm == 100 ? 50 : barMm == 50 ? 20 : 10;
    const std::int64_t barLength = mmToPixels(barMm, dpi);
    const std::int64_t y = pageH - tenthsMm(80, dpi), tick = tenthsMm(20, dpi);
    canvas.setPen(kMarkColor, PenStyle::Solid, std::max(1, dpi / 100));
    line(canvas, 0, y, barLength, y);
    line(canvas, 0, y - tick, 0, y + tick);
    line(canvas, barLength, y - tick, barLength, y + tick);
    canvas.setFont(smallFont(dpi, 35));
    canvas.textOut(int(barLength + tenthsMm(30, dpi)), int(y - tenthsMm(20, dpi)),
                   toDocText(QStringLiteral("%1 mm").arg(barMm)));
}

} // namespace lw
