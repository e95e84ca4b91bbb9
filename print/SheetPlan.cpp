#include "print/SheetPlan.h"

#include <numeric>

namespace lw {

std::int64_t mmToPixels(std::int64_t mm, int dpi) {
    return mm * dpi * 10 / 254;
}

std::optional<SheetPlan> planSheets(const PrintOptions& o, Point64 extent, int S,
                                    const PrinterFacts& printer, QString* error) {
    SheetPlan plan;
    plan.area = {0, 0, printer.pageWidth, printer.pageHeight};
    if (o.marks) {
        const std::int64_t mx = mmToPixels(kMarksMarginMm, printer.dpiX);
        const std::int64_t my = mmToPixels(kMarksMarginMm, printer.dpiY);
        plan.area = {mx, my, printer.pageWidth - mx, printer.pageHeight - my};
        if (plan.area.right - plan.area.left < printer.pageWidth / 2 ||
            plan.area.bottom - plan.area.top < printer.pageHeight / 2) {
            *error = QStringLiteral("Die Seite ist zu klein für Schnittmarken und Beschriftung.");
            return std::nullopt;
        }
    }
    const std::int64_t areaW = plan.area.right - plan.area.left;
    const std::int64_t areaH = plan.area.bottom - plan.area.top;
    const std::int64_t glueX = mmToPixels(o.glueMm, printer.dpiX);
    const std::int64_t glueY = mmToPixels(o.glueMm, printer.dpiY);
    if (glueX * 2 > areaW || glueY * 2 > areaH) {
        *error =
            QStringLiteral("Der Kleberand von %1 mm ist zu breit für die Seite.").arg(o.glueMm);
        return std::nullopt;
    }
    plan.grid.stepX = areaW - glueX;
    plan.grid.stepY = areaH - glueY;

    plan.scale = PrintScale{S, printer.dpiX, printer.dpiY};
    if (o.scaleMode == ScaleMode::Percent) {
        plan.scale.num = o.percent;
        plan.scale.den = 100;
    } else if (o.scaleMode == ScaleMode::SheetsWide) {
        // The mapped width becomes N·stepX − 1 exactly.
        plan.scale.num = (std::int64_t(o.sheetsWide) * plan.grid.stepX - 1) * S;
        plan.scale.den = std::max<std::int64_t>(1, extent.x) * printer.dpiX;
    }
    const std::int64_t g = std::gcd(plan.scale.num, plan.scale.den);
    plan.scale.num /= g;
    plan.scale.den /= g;

    plan.grid.cols = plan.scale.x(extent.x) / plan.grid.stepX + 1;
    plan.grid.rows = plan.scale.y(extent.y) / plan.grid.stepY + 1;
    return plan;
}

} // namespace lw

#include "chart/ChartGrid.h"
#include "chart/FamilyLines.h"
#include "document/Document.h"
#include "document/Layout.h"

namespace lw {

std::optional<SheetOverview> overviewSheets(const Document& doc, const BoxLayout& box, int S,
                                            const PrinterFacts& printer,
                                            const PrintOptions& options, QString* error) {
    const ChartMargins margins = chartMargins(doc, S);
    const Point64 extent = countedExtent(box.BreitEd, box.HochEd + familyRowSpacing(doc, box),
                                         occupiedCorner(doc), margins);
    std::optional<SheetPlan> plan = planSheets(options, extent, S, printer, error);
    if (!plan) return std::nullopt;
    SheetOverview o;
    o.plan = *plan;
    o.printed = plan->total();
    o.map = options.map;
    if (options.skipEmpty && o.printed >= 0) {
        SheetSetup setup;
        setup.doc = &doc;
        setup.box = &box;
        setup.margins = margins;
        setup.headingTop = marginPixels(doc.chart.RandOED2, S);
        setup.scale = plan->scale;
        setup.pageWidth = plan->area.right - plan->area.left;
        setup.pageHeight = plan->area.bottom - plan->area.top;
        SheetPrinter sheets(setup);
        sheets.indexSheets(plan->grid);
        o.printed = sheets.occupiedCount();
    }
    o.guides = printer;
    if (!(options == PrintOptions{})) {
        // A sheet's step in printer pixels at the screen scale.
        o.guides.pageWidth = int(std::clamp<std::int64_t>(
            std::int64_t(__int128(plan->grid.stepX) * plan->scale.den / plan->scale.num), 1,
            1'000'000'000));
        o.guides.pageHeight = int(std::clamp<std::int64_t>(
            std::int64_t(__int128(plan->grid.stepY) * plan->scale.den / plan->scale.num), 1,
            1'000'000'000));
    }
    return o;
}

QString sheetOverviewText(const SheetOverview& o) {
    const std::int64_t total = o.plan.total();
    QString text = QStringLiteral("Blätter: %1 × %2 = %3")
                       .arg(o.plan.grid.cols)
                       .arg(o.plan.grid.rows)
                       .arg(total < 0 ? QStringLiteral("zu viele") : QString::number(total));
    if (total < 0) return text;
    const QString map = QStringLiteral(" + Übersicht = %1").arg(o.printed + 1);
    if (o.printed < total) {
        text += QStringLiteral(", davon %1 gedruckt").arg(o.printed);
        if (o.map) text += map;
        text += QStringLiteral(", %1 leer ausgelassen").arg(total - o.printed);
    } else if (o.map) {
        text += map;
    }
    return text;
}

} // namespace lw
