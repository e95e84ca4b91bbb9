// import-gedcom, export-gedcom and arrange: GEDCOM files in and out, and the
// automatic arrangement of a family tree.
#include "chart/AutoArrange.h"
#include "cli/Commands.h"
#include "document/Layout.h"
#include "document/StaFile.h"
#include "gedcom/GedcomExport.h"
#include "gedcom/GedcomImport.h"

#include <QTextStream>

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

int runArrange(const QStringList& args) {
    QStringList files = args;
    const bool onlyUnplaced = files.removeAll(QStringLiteral("--only-unplaced")) > 0;
    if (files.size() != 2 || files[0].startsWith(QLatin1String("--")) ||
        files[1].startsWith(QLatin1String("--")))
        return usageError(
            QStringLiteral("Aufruf: lindwerk-cli arrange EIN.sta AUS.sta [--only-unplaced]"));
    StaReadResult read = loadSta(files[0], BoxLayout{});
    if (!read.file) return failure(read.error);
    arrangeDocument(read.file->doc, onlyUnplaced ? ArrangeScope::OnlyUnplaced : ArrangeScope::All);
    read.file->doc.chart.lineStyle = LineStyle::FamilyLines; // as "Automatisch anordnen"
    QString error;
    if (!saveSta(files[1], read.file->doc, read.file->box, &error)) return failure(error);
    return 0;
}

} // namespace lw::cli
