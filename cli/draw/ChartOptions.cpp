#include "cli/draw/ChartOptions.h"

#include <QTextStream>

namespace lw::cli {

namespace {

constexpr int kMaxDpi = 100000;
constexpr int kMaxPagePixels = 10000000;

bool parsePositive(const QString& text, int limit, int& value) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < 1 || v > limit) return false;
    value = v;
    return true;
}

} // namespace

const char* const kChartOptionsHelp =
    "  --screen-dpi N    Bildschirmauflösung in Pixel je Zoll (Vorgabe 96)\n"
    "  --printer-dpi N   Druckerauflösung in Pixel je Zoll (Vorgabe 600)\n"
    "  --page BxH        bedruckbare Seite in Druckerpixeln (Vorgabe A4 mit Rand)\n";

PrinterFacts ChartOptions::printer() const {
    PrinterFacts facts = PrinterFacts::a4(printerDpi);
    if (pageWidth > 0) {
        facts.pageWidth = pageWidth;
        facts.pageHeight = pageHeight;
    }
    return facts;
}

QString parseChartOptions(const QStringList& args, ChartOptions& o) {
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!a.startsWith(QLatin1String("--"))) {
            files << a;
            continue;
        }
        if (i + 1 >= args.size()) return QStringLiteral("Wert fehlt für %1").arg(a);
        const QString value = args[++i];
        if (a == QLatin1String("--screen-dpi")) {
            if (!parsePositive(value, kMaxDpi, o.screenDpi))
                return QStringLiteral("Ungültige Bildschirmauflösung: %1").arg(value);
        } else if (a == QLatin1String("--printer-dpi")) {
            if (!parsePositive(value, kMaxDpi, o.printerDpi))
                return QStringLiteral("Ungültige Druckerauflösung: %1").arg(value);
        } else if (a == QLatin1String("--page")) {
            const QStringList wh = value.split(QLatin1Char('x'));
            if (wh.size() != 2 || !parsePositive(wh[0], kMaxPagePixels, o.pageWidth) ||
                !parsePositive(wh[1], kMaxPagePixels, o.pageHeight))
                return QStringLiteral("Ungültige Seitengröße: %1").arg(value);
        } else {
            return QStringLiteral("Unbekannte Option: %1").arg(a);
        }
    }
    if (files.size() != 2) return QStringLiteral("Zwei Dateinamen erwartet.");
    o.in = files[0];
    o.out = files[1];
    return {};
}

int ConsoleDialogs::messageBox(const QString& text, const QString&, unsigned flags) {
    const bool information = (flags & 0xF0u) == MB_ICONINFORMATION;
    QTextStream(information ? stdout : stderr) << text << "\n";
    return IDOK;
}

} // namespace lw::cli
