// render: the arrange view of a family tree, painted in full into a PNG file.
//
// The picture is the chart as the arrange view shows it on a screen of the
// given resolution (96 pixels per inch unless told), with the page guides of
// the given printer: 600 pixels per inch and the printable part of an A4
// sheet unless told (4760 × 6815 printer pixels at 600 dpi: 210 × 297 mm
// less a sixth of an inch on each side). The margins are those that the
// file's millimetre values give at that resolution, as the view shows them
// from its second painting on (its first one is sized with the margins
// before the file was opened).
#include "chart/ChartPainter.h"
#include "cli/Commands.h"
#include "document/StaFile.h"
#include "platform/Dialogs.h"
#include "platform/QPainterCanvas.h"

#include <QImage>
#include <QPainter>
#include <QTextStream>

namespace lw::cli {

namespace {

constexpr std::int64_t kMaxPixels = 400'000'000;
constexpr int kMaxDpi = 100000;

const char* kRenderUsage =
    "Aufruf: lindwerk-cli render EIN.sta AUS.png [--screen-dpi N] [--printer-dpi N] "
    "[--page BxH]\n"
    "  --screen-dpi N    Bildschirmauflösung in Pixel je Zoll (Vorgabe 96)\n"
    "  --printer-dpi N   Druckerauflösung in Pixel je Zoll (Vorgabe 600)\n"
    "  --page BxH        bedruckbare Seite in Druckerpixeln (Vorgabe A4 mit Rand)\n";

// Messages of the picture output go to the error stream; nothing is asked.
class StreamDialogs : public Dialogs {
  public:
    int messageBox(const QString& text, const QString&, unsigned) override {
        QTextStream(stderr) << text << "\n";
        return IDOK;
    }
    QString openFileName(const FileDialogRequest&) override { return {}; }
    QString saveFileName(const FileDialogRequest&) override { return {}; }
    bool chooseFont(TFontInfo&) override { return false; }
    bool chooseColor(TColor&) override { return false; }
};

bool parseCount(const QString& text, int& value) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < 1 || v > kMaxDpi * 100) return false;
    value = v;
    return true;
}

struct RenderOptions {
    QString in;
    QString out;
    int screenDpi = 96;
    int printerDpi = 600;
    int pageWidth = 0; // 0: A4 at the printer's resolution
    int pageHeight = 0;
};

// Empty on success, otherwise the usage message.
QString parseOptions(const QStringList& args, RenderOptions& o) {
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
            if (!parseCount(value, o.screenDpi) || o.screenDpi > kMaxDpi)
                return QStringLiteral("Ungültige Bildschirmauflösung: %1").arg(value);
        } else if (a == QLatin1String("--printer-dpi")) {
            if (!parseCount(value, o.printerDpi) || o.printerDpi > kMaxDpi)
                return QStringLiteral("Ungültige Druckerauflösung: %1").arg(value);
        } else if (a == QLatin1String("--page")) {
            const QStringList wh = value.split(QLatin1Char('x'));
            if (wh.size() != 2 || !parseCount(wh[0], o.pageWidth) ||
                !parseCount(wh[1], o.pageHeight))
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

int runRender(const QStringList& args) {
    RenderOptions o;
    const QString usage = parseOptions(args, o);
    if (!usage.isEmpty())
        return usageError(usage + QLatin1Char('\n') + QString::fromUtf8(kRenderUsage));

    StaReadResult read = loadSta(o.in, BoxLayout{});
    if (!read.file) return failure(read.error);
    StaFile& file = *read.file;

    PrinterFacts printer = PrinterFacts::a4(o.printerDpi);
    if (o.pageWidth > 0) {
        printer.pageWidth = o.pageWidth;
        printer.pageHeight = o.pageHeight;
    }
    ChartMargins margins = chartMargins(file.doc, o.screenDpi);
    const Point64 size = chartExtent(file.doc, file.box, margins);
    if (size.x < 1 || size.y < 1 || size.x > kMaxPixels || size.y > kMaxPixels ||
        size.x * size.y > kMaxPixels)
        return failure(
            QStringLiteral("Das Bild wäre mit %1 × %2 Pixeln zu groß.").arg(size.x).arg(size.y));

    QImage image(int(size.x), int(size.y), QImage::Format_RGB32);
    if (image.isNull())
        return failure(QStringLiteral("Nicht genug Speicher für ein Bild von %1 × %2 Pixeln.")
                           .arg(size.x)
                           .arg(size.y));
    StreamDialogs dialogs;
    {
        QPainter painter(&image);
        QPainterCanvas canvas(painter, DeviceCaps{o.screenDpi, o.screenDpi, false, true});
        ChartPaintInput input{&file.doc, &file.box, o.screenDpi, printer, nullptr, &dialogs};
        PaintBox1Paint(canvas, input, margins, Rect64{0, 0, size.x, size.y});
    }
    if (!image.save(o.out, "PNG")) return failure(kMsgCannotCreate);
    return 0;
}

} // namespace lw::cli
