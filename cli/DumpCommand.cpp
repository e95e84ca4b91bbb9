// dump and convert: a family tree as JSON, and rewritten as the current revision.
#include "cli/Commands.h"
#include "document/StaFile.h"
#include "platform/Win1252.h"

#include <QFile>
#include <QTextStream>
#include <cstdio>

namespace lw::cli {

int usageError(const QString& message) {
    QTextStream(stderr) << message << (message.endsWith('\n') ? "" : "\n");
    return 2;
}

int failure(const QString& message) {
    QTextStream(stderr) << message << "\n";
    return 1;
}

namespace {

// A JSON string of Windows-1252 bytes, written as UTF-8.
QString jsonString(const QString& s) {
    QString out = QStringLiteral("\"");
    for (QChar c : s) {
        switch (c.unicode()) {
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + QLatin1Char('"');
}

QString ansi(const std::string& s) {
    return jsonString(fromAnsi(s));
}

QString number(double v) {
    return QString::number(v, 'g', 17);
}

QString fontJson(const TFontInfo& f) {
    return QStringLiteral("{\"name\": %1, \"charset\": %2, \"color\": %3, \"pitch\": %4, "
                          "\"height\": %5, \"style\": %6}")
        .arg(ansi(f.Name))
        .arg(f.Charset)
        .arg(f.Color)
        .arg(f.Pitch)
        .arg(f.Height)
        .arg(f.Style);
}

QString personJson(const TPerson& p) {
    QStringList lines;
    for (const std::string& line : p.Leben)
        lines << ansi(line);
    return QStringLiteral(
               "    {\"NachName\": %1, \"VorName\": %2, \"GebDate\": %3, \"StDate\": %4, "
               "\"Bild\": %5, \"Vater\": %6, \"Mutter\": %7, \"Leben\": [%8], "
               "\"GridX\": %9, \"GridY\": %10}")
        .arg(ansi(p.NachName), ansi(p.VorName), ansi(p.GebDate), ansi(p.StDate), ansi(p.Bild))
        .arg(p.Vater)
        .arg(p.Mutter)
        .arg(lines.join(QStringLiteral(", ")))
        .arg(p.GridX)
        .arg(p.GridY);
}

QString dumpJson(const StaFile& file) {
    const Document& doc = file.doc;
    const BoxLayout& box = file.box;
    QStringList persons;
    for (const TPerson& p : doc.Persons())
        persons << personJson(p);
    QString out;
    QTextStream s(&out);
    s << "{\n  \"revision\": " << file.revision << ",\n";
    s << "  \"area\": [" << doc.AreaWidth << ", " << doc.AreaHeight << "],\n";
    s << "  \"persons\": [" << (persons.isEmpty() ? "" : "\n")
      << persons.join(QStringLiteral(",\n")) << (persons.isEmpty() ? "" : "\n  ") << "],\n";
    s << "  \"layout\": {\n";
    s << "    \"bkColor\": " << box.bkColor << ",\n";
    s << "    \"borderColor\": " << box.borderColor << ",\n";
    s << "    \"BreitEd\": " << box.BreitEd << ",\n";
    s << "    \"HochEd\": " << box.HochEd << ",\n";
    s << "    \"BildEd\": " << box.BildEd << ",\n";
    s << "    \"Textausricht\": " << box.Textausricht << ",\n";
    s << "    \"LeblaufCheck\": " << (box.LeblaufCheck ? "true" : "false") << ",\n";
    s << "    \"Caption\": " << ansi(doc.chart.Caption) << ",\n";
    s << "    \"headingFont\": " << fontJson(doc.chart.headingFont) << ",\n";
    s << "    \"boxFont\": " << fontJson(box.font) << ",\n";
    s << "    \"RandOED2\": " << number(doc.chart.RandOED2) << ",\n";
    s << "    \"RandOEd\": " << number(doc.chart.RandOEd) << ",\n";
    s << "    \"RandLEd\": " << number(doc.chart.RandLEd) << "\n";
    s << "  }\n}\n";
    return out;
}

} // namespace

int runDump(const QStringList& args) {
    if (args.size() != 1) return usageError(QStringLiteral("Aufruf: lindwerk-cli dump DATEI.sta"));
    StaReadResult r = loadSta(args[0], BoxLayout{});
    if (!r.file) return failure(r.error);
    QByteArray json = dumpJson(*r.file).toUtf8();
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    return 0;
}

int runConvert(const QStringList& args) {
    if (args.size() != 2)
        return usageError(QStringLiteral("Aufruf: lindwerk-cli convert EIN.sta AUS.sta"));
    StaReadResult r = loadSta(args[0], BoxLayout{});
    if (!r.file) return failure(r.error);
    QString error;
    if (!saveSta(args[1], r.file->doc, r.file->box, &error)) return failure(error);
    return 0;
}

} // namespace lw::cli
