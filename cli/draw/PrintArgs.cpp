#include "cli/draw/PrintArgs.h"

namespace lw::cli {

namespace {

constexpr int kMaxPaperMm = 100000;
constexpr std::int64_t kMaxMaxSheets = 1'000'000'000;

bool toInt(const QString& text, std::int64_t lo, std::int64_t hi, std::int64_t& value) {
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok);
    if (!ok || v < lo || v > hi) return false;
    value = v;
    return true;
}

// Takes the flag `name` out of `args`; true when it was there.
bool takeFlag(QStringList& args, const char* name) {
    return args.removeAll(QString::fromLatin1(name)) > 0;
}

} // namespace

// Takes "name VALUE" out of `args`: 0 when absent, 1 when taken, -1 when the
// value is missing.
int takeValue(QStringList& args, const char* name, QString& value) {
    const int i = int(args.indexOf(QString::fromLatin1(name)));
    if (i < 0) return 0;
    if (i + 1 >= args.size()) return -1;
    value = args[i + 1];
    args.remove(i, 2);
    return 1;
}

const char* const kPrintArgsHelp =
    "  --paper BxH       Papierblatt in mm, die bedruckbare Seite mittig darauf (Vorgabe 210x297)\n"
    "  --scale P         Maßstab in Prozent der Bildschirmgröße (10 bis 400)\n"
    "  --sheets-wide N   Maßstab, mit dem der Stammbaum genau N Blätter breit wird\n"
    "  --skip-empty      leere Blätter auslassen\n"
    "  --glue-mm G       Kleberand: benachbarte Blätter überlappen um G mm (0 bis 50)\n"
    "  --marks           Schnittmarken und Beschriftung auf jedem Blatt\n"
    "  --map             Übersichtsblatt als erstes Blatt\n"
    "  --max-sheets N    höchstens N Blätter drucken (Vorgabe 10000)\n";

const char* const kPosterArgsHelp =
    "  --scale P         Maßstab in Prozent der Bildschirmgröße (10 bis 400, Vorgabe 100)\n"
    "  --width-mm W      Maßstab, mit dem das Poster W mm breit wird\n";

QString takePrintArgs(QStringList& args, PrintArgs& out) {
    PrintOptions& o = out.options;
    o.skipEmpty = takeFlag(args, "--skip-empty");
    o.marks = takeFlag(args, "--marks");
    o.map = takeFlag(args, "--map");
    QString value;
    std::int64_t v = 0;
    const struct {
        const char* name;
        std::int64_t lo, hi;
        QString message;
    } numbers[] = {
        {"--scale", PrintOptions::kMinPercent, PrintOptions::kMaxPercent,
         QStringLiteral("Ungültiger Maßstab: %1")},
        {"--sheets-wide", 1, PrintOptions::kMaxSheetsWide,
         QStringLiteral("Ungültige Anzahl Blätter in der Breite: %1")},
        {"--glue-mm", 0, PrintOptions::kMaxGlueMm, QStringLiteral("Ungültiger Kleberand: %1")},
        {"--max-sheets", 1, kMaxMaxSheets, QStringLiteral("Ungültige Höchstzahl an Blättern: %1")},
    };
    bool scaleGiven = false;
    for (const auto& n : numbers) {
        const int taken = takeValue(args, n.name, value);
        if (taken < 0) return QStringLiteral("Wert fehlt für %1").arg(QLatin1String(n.name));
        if (taken == 0) continue;
        if (!toInt(value, n.lo, n.hi, v)) return n.message.arg(value);
        const QLatin1String name(n.name);
        if (name == QLatin1String("--scale") || name == QLatin1String("--sheets-wide")) {
            if (scaleGiven)
                return QStringLiteral("--scale und --sheets-wide schließen einander aus.");
            scaleGiven = true;
        }
        if (name == QLatin1String("--scale")) {
            o.scaleMode = ScaleMode::Percent;
            o.percent = int(v);
        } else if (name == QLatin1String("--sheets-wide")) {
            o.scaleMode = ScaleMode::SheetsWide;
            o.sheetsWide = int(v);
        } else if (name == QLatin1String("--glue-mm")) {
            o.glueMm = int(v);
        } else {
            out.maxSheets = v;
        }
    }
    const int taken = takeValue(args, "--paper", value);
    if (taken < 0) return QStringLiteral("Wert fehlt für --paper");
    if (taken > 0) {
        const QStringList wh = value.split(QLatin1Char('x'));
        std::int64_t w = 0, h = 0;
        if (wh.size() != 2 || !toInt(wh[0], 1, kMaxPaperMm, w) || !toInt(wh[1], 1, kMaxPaperMm, h))
            return QStringLiteral("Ungültiges Papierformat: %1").arg(value);
        out.paperMm = QSizeF(double(w), double(h));
    }
    return {};
}

QString takePosterArgs(QStringList& args, PosterRequest& out) {
    QString scale, width;
    const int s = takeValue(args, "--scale", scale);
    const int w = takeValue(args, "--width-mm", width);
    if (s < 0) return QStringLiteral("Wert fehlt für --scale");
    if (w < 0) return QStringLiteral("Wert fehlt für --width-mm");
    if (s > 0 && w > 0) return QStringLiteral("--scale und --width-mm schließen einander aus.");
    std::int64_t v = 0;
    if (s > 0) {
        if (!toInt(scale, PrintOptions::kMinPercent, PrintOptions::kMaxPercent, v))
            return QStringLiteral("Ungültiger Maßstab: %1").arg(scale);
        out.num = v;
        out.den = 100;
    }
    if (w > 0) {
        if (!toInt(width, 1, kMaxPaperMm, v))
            return QStringLiteral("Ungültige Breite: %1").arg(width);
        out.widthMm = double(v);
    }
    return {};
}

} // namespace lw::cli
