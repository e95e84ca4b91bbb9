#include "cli/draw/RenderArgs.h"

#include "chart/FamilyLines.h"
#include "cli/draw/PrintArgs.h"
#include "document/Document.h"

#include <algorithm>

namespace lw::cli {

namespace {

constexpr double kMinPercent = 0.01;
constexpr double kMaxPercent = 1000;
constexpr std::int64_t kMaxWidthPx = 1'000'000;
constexpr std::int64_t kMaxCell = 1'000'000;

bool toInt(const QString& text, std::int64_t lo, std::int64_t hi, std::int64_t& value) {
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    if (!ok || v < lo || v > hi) return false;
    value = v;
    return true;
}

} // namespace

const char* const kRenderArgsHelp =
    "  --scale P         Maßstab in Prozent der Bildschirmgröße (0,01 bis 1000)\n"
    "  --width-px W      Maßstab, mit dem das Bild W Pixel breit wird\n"
    "  --cells X0,Y0,X1,Y1  nur die Zellen von Spalte X0, Zeile Y0 bis Spalte X1, Zeile Y1\n"
    "  --around N --radius R  nur die Zellen bis R um die Person N (Nummer wie bei dump)\n";

QString takeRenderArgs(QStringList& args, RenderArgs& out) {
    QString value;
    auto missing = [](const char* name) {
        return QStringLiteral("Wert fehlt für %1").arg(QString::fromLatin1(name));
    };
    int taken = takeValue(args, "--scale", value);
    if (taken < 0) return missing("--scale");
    if (taken > 0) {
        bool ok = false;
        out.percent = QString(value).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        if (!ok || !(out.percent >= kMinPercent && out.percent <= kMaxPercent))
            return QStringLiteral("Ungültiger Maßstab: %1 (0,01 bis 1000 Prozent)").arg(value);
    }
    taken = takeValue(args, "--width-px", value);
    if (taken < 0) return missing("--width-px");
    if (taken > 0 && !toInt(value, 1, kMaxWidthPx, out.widthPx))
        return QStringLiteral("Ungültige Bildbreite: %1").arg(value);
    if (out.percent > 0 && out.widthPx > 0)
        return QStringLiteral("--scale und --width-px schließen einander aus.");

    taken = takeValue(args, "--cells", value);
    if (taken < 0) return missing("--cells");
    if (taken > 0) {
        const QStringList parts = value.split(QLatin1Char(','));
        std::int64_t v[4] = {};
        bool ok = parts.size() == 4;
        for (int i = 0; ok && i < 4; ++i)
            ok = toInt(parts[i].trimmed(), 0, kMaxCell, v[i]);
        if (!ok || v[2] < v[0] || v[3] < v[1])
            return QStringLiteral(
                       "Ungültige Zellen: %1 (erwartet X0,Y0,X1,Y1 mit X0 ≤ X1, Y0 ≤ Y1)")
                .arg(value);
        out.cells = Rect64{v[0], v[1], v[2], v[3]};
    }
    taken = takeValue(args, "--around", value);
    if (taken < 0) return missing("--around");
    if (taken > 0 && !toInt(value, 0, INT32_MAX, out.around))
        return QStringLiteral("Ungültige Personennummer: %1").arg(value);
    taken = takeValue(args, "--radius", value);
    if (taken < 0) return missing("--radius");
    if (taken > 0 && !toInt(value, 0, kMaxCell, out.radius))
        return QStringLiteral("Ungültiger Radius: %1").arg(value);
    if ((out.around >= 0) != (out.radius >= 0))
        return QStringLiteral("--around und --radius gehören zusammen.");
    if (out.around >= 0 && out.cells)
        return QStringLiteral("--cells und --around schließen einander aus.");
    return {};
}

std::optional<Rect64> renderRegion(const RenderArgs& args, const Document& doc,
                                   const ChartGrid& grid, Point64 size, QString* error) {
    const Rect64 whole{0, 0, size.x, size.y};
    std::optional<Rect64> cells = args.cells;
    if (args.around >= 0) {
        if (args.around >= doc.PersonCount()) {
            *error = QStringLiteral("Eine Person %1 gibt es nicht (der Stammbaum hat %2 Personen, "
                                    "gezählt ab 0).")
                         .arg(args.around)
                         .arg(doc.PersonCount());
            return std::nullopt;
        }
        const TPerson& p = doc.person(int(args.around));
        if (p.GridX < 0 || p.GridY < 0) {
            *error = QStringLiteral("Die Person %1 steht an keinem Platz des Stammbaums.")
                         .arg(args.around);
            return std::nullopt;
        }
        const std::int64_t r = args.radius;
        cells =
            Rect64{std::max<std::int64_t>(0, p.GridX - r), std::max<std::int64_t>(0, p.GridY - r),
                   std::int64_t(p.GridX) + r, std::int64_t(p.GridY) + r};
    }
    if (!cells) return whole;
    // Columns X0 … X1 of every row, the odd rows' shift included.
    const std::int64_t W = grid.W(), H = grid.pitchY();
    const bool oddRow = cells->top % 2 != 0 || cells->bottom > cells->top;
    Rect64 region{cells->left == 0 ? 0 : grid.RandLPix() + cells->left * W,
                  cells->top == 0 ? 0 : grid.RandOPix() + cells->top * H,
                  grid.RandLPix() + (cells->right + 1) * W + (oddRow ? grid.shift(1) : 0),
                  grid.RandOPix() + (cells->bottom + 1) * H};
    region = region.intersected(whole);
    if (region.right <= region.left || region.bottom <= region.top) {
        *error = QStringLiteral("Die Zellen liegen außerhalb des Stammbaums.");
        return std::nullopt;
    }
    return region;
}

} // namespace lw::cli
