// print: a family tree printed into a PDF file exactly as the print command
// prints it, one PDF page per sheet.
//
// The printer is a PDF of the given resolution (600 pixels per inch unless
// told) whose printable page is the given size in printer pixels (the
// printable part of an A4 sheet unless told: 4760 × 6815 at 600 dpi), for a
// screen of the given resolution (96 unless told). The number of sheets is
// told on stdout as the print command tells it; errors go to stderr.
#include "print/PrintCommand.h"
#include "cli/Commands.h"
#include "document/StaFile.h"
#include "platform/Dialogs.h"
#include "print/PdfPrintJob.h"

#include <QTextStream>
#include <cstdio>

namespace lw::cli {

namespace {

constexpr int kMaxDpi = 100000;
constexpr int kMaxPagePixels = 10000000;

const char* kPrintUsage =
    "Aufruf: lindwerk-cli print EIN.sta AUS.pdf [--screen-dpi N] [--printer-dpi N] "
    "[--page BxH]\n"
    "  --screen-dpi N    Bildschirmauflösung in Pixel je Zoll (Vorgabe 96)\n"
    "  --printer-dpi N   Druckerauflösung in Pixel je Zoll (Vorgabe 600)\n"
    "  --page BxH        bedruckbare Seite in Druckerpixeln (Vorgabe A4 mit Rand)\n";

// Information goes to stdout, everything else to stderr; nothing is asked.
class ConsoleDialogs : public Dialogs {
  public:
    int messageBox(const QString& text, const QString&, unsigned flags) override {
        const bool information = (flags & 0xF0u) == MB_ICONINFORMATION;
        QTextStream(information ? stdout : stderr) << text << "\n";
        return IDOK;
    }
    QString openFileName(const FileDialogRequest&) override { return {}; }
    QString saveFileName(const FileDialogRequest&) override { return {}; }
    bool chooseFont(TFontInfo&) override { return false; }
    bool chooseColor(TColor&) override { return false; }
};

bool parsePositive(const QString& text, int limit, int& value) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < 1 || v > limit) return false;
    value = v;
    return true;
}

struct PrintOptions {
    QString in;
    QString out;
    int screenDpi = 96;
    int printerDpi = 600;
    int pageWidth = 0; // 0: A4 at the printer's resolution
    int pageHeight = 0;
};

// Empty on success, otherwise what is wrong.
QString parseOptions(const QStringList& args, PrintOptions& o) {
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

} // namespace

int runPrint(const QStringList& args) {
    PrintOptions o;
    const QString usage = parseOptions(args, o);
    if (!usage.isEmpty())
        return usageError(usage + QLatin1Char('\n') + QString::fromUtf8(kPrintUsage));

    StaReadResult read = loadSta(o.in, BoxLayout{});
    if (!read.file) return failure(read.error);
    StaFile& file = *read.file;

    PrinterFacts page = PrinterFacts::a4(o.printerDpi);
    if (o.pageWidth > 0) {
        page.pageWidth = o.pageWidth;
        page.pageHeight = o.pageHeight;
    }
    ConsoleDialogs dialogs;
    ChartMargins margins;
    PdfPrintJob job(o.out, page);
    const PrintContext context{file.doc, file.box, margins, o.screenDpi, dialogs, nullptr};
    const PrintOutcome outcome = printChart(job, context);
    return outcome.status == PrintStatus::Printed ? 0 : 1;
}

} // namespace lw::cli
