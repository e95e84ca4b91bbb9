// import-gedcom, export-gedcom and arrange: GEDCOM files in and out, and the
// automatic arrangement of a family tree or of the chart of one person.
#include "chart/AutoArrange.h"
#include "chart/FocusArrange.h"
#include "cli/Commands.h"
#include "document/Layout.h"
#include "document/StaFile.h"
#include "gedcom/GedcomExport.h"
#include "gedcom/GedcomImport.h"

#include <QTextStream>
#include <optional>

namespace lw::cli {

int runImportGedcom(const QStringList& args) {
    if (args.size() != 2)
        return usageError(QStringLiteral("Aufruf: lindwerk-cli import-gedcom EIN.ged AUS.sta"));
    gedcom::GedcomImportResult read = gedcom::loadGedcom(args[0]);
    if (!read.doc) return failure(read.error);
    arrangeDocument(*read.doc, ArrangeScope::OnlyUnplaced);
    read.doc->chart.lineStyle = LineStyle::FamilyLines;
    QTextStream(stderr) << read.report.text() << "\n";
    QString error;
    if (!saveSta(args[1], *read.doc, BoxLayout{}, &error)) return failure(error);
    return 0;
}

// The tree comes from a family tree file or, converting one GEDCOM file into
// another, from a GEDCOM file (read as import-gedcom reads it, report included).
int runExportGedcom(const QStringList& args) {
    if (args.size() != 2)
        return usageError(
            QStringLiteral("Aufruf: lindwerk-cli export-gedcom EIN.sta|EIN.ged AUS.ged"));
    QString error;
    if (args[0].endsWith(QLatin1String(".ged"), Qt::CaseInsensitive)) {
        gedcom::GedcomImportResult read = gedcom::loadGedcom(args[0]);
        if (!read.doc) return failure(read.error);
        arrangeDocument(*read.doc, ArrangeScope::OnlyUnplaced);
        QTextStream(stderr) << read.report.text() << "\n";
        if (!gedcom::saveGedcom(args[1], *read.doc, &error)) return failure(error);
        return 0;
    }
    StaReadResult read = loadSta(args[0], BoxLayout{});
    if (!read.file) return failure(read.error);
    if (!gedcom::saveGedcom(args[1], read.file->doc, &error)) return failure(error);
    return 0;
}

namespace {

const QString kArrangeUsage = QStringLiteral(
    "Aufruf: lindwerk-cli arrange EIN.sta AUS.sta [--only-unplaced | --ancestors-of N | "
    "--descendants-of N | --hourglass N [--generations G]]");

} // namespace

int runArrange(const QStringList& args) {
    QStringList files;
    bool onlyUnplaced = false;
    std::optional<FocusChart> chart;
    QString personText, generationsText;
    for (qsizetype k = 0; k < args.size(); ++k) {
        const QString& a = args[k];
        const bool valued =
            a == QLatin1String("--ancestors-of") || a == QLatin1String("--descendants-of") ||
            a == QLatin1String("--hourglass") || a == QLatin1String("--generations");
        if (valued && k + 1 >= args.size()) return usageError(kArrangeUsage);
        if (a == QLatin1String("--only-unplaced")) {
            onlyUnplaced = true;
        } else if (a == QLatin1String("--generations")) {
            generationsText = args[++k];
        } else if (valued) {
            if (chart) return usageError(kArrangeUsage);
            chart = a == QLatin1String("--ancestors-of")     ? FocusChart::Ancestors
                    : a == QLatin1String("--descendants-of") ? FocusChart::Descendants
                                                             : FocusChart::Hourglass;
            personText = args[++k];
        } else if (a.startsWith(QLatin1String("--"))) {
            return usageError(kArrangeUsage);
        } else {
            files << a;
        }
    }
    if (files.size() != 2 || (chart && onlyUnplaced) || (!chart && !generationsText.isEmpty()))
        return usageError(kArrangeUsage);
    bool ok = true;
    const int person = chart ? personText.toInt(&ok) : -1;
    if (!ok)
        return usageError(QStringLiteral("Die Person muss eine Zahl sein: %1").arg(personText));
    const int generations = generationsText.isEmpty() ? 4 : generationsText.toInt(&ok);
    if (!ok || generations < 1 || generations > kMaxFocusGenerations)
        return usageError(QStringLiteral("Die Zahl der Generationen muss zwischen 1 und %1 "
                                         "liegen: %2")
                              .arg(kMaxFocusGenerations)
                              .arg(generationsText));
    StaReadResult read = loadSta(files[0], BoxLayout{});
    if (!read.file) return failure(read.error);
    Document& doc = read.file->doc;
    if (chart) {
        if (person < 0 || person >= doc.PersonCount())
            return failure(QStringLiteral("Person %1 gibt es nicht: der Stammbaum hat %2 Personen "
                                          "(Nummern 0 bis %3).")
                               .arg(person)
                               .arg(doc.PersonCount())
                               .arg(doc.PersonCount() - 1));
        applyArrangement(doc, planFocusArrangement(doc, *chart, person, generations));
    } else {
        arrangeDocument(doc, onlyUnplaced ? ArrangeScope::OnlyUnplaced : ArrangeScope::All);
        doc.chart.lineStyle = LineStyle::FamilyLines; // as "Automatisch anordnen"
    }
    QString error;
    if (!saveSta(files[1], doc, read.file->box, &error)) return failure(error);
    return 0;
}

} // namespace lw::cli
