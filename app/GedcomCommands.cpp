#include "app/GedcomCommands.h"

#include "app/DocumentHistory.h"
#include "app/MainForm.h"
#include "chart/AutoArrange.h"
#include "document/Layout.h"
#include "gedcom/GedcomExport.h"
#include "gedcom/GedcomImport.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QMenu>
#include <QToolButton>

namespace lw::app {

namespace {

const QString kImportCaption = QStringLiteral("GEDCOM importieren");
// A message box holds this many report lines; the rest is counted.
constexpr qsizetype kShownReportLines = 40;

FileDialogRequest gedcomRequest(bool save) {
    FileDialogRequest request;
    request.filter = QStringLiteral("GEDCOM-Dateien|*.ged;*.GED");
    request.defaultSuffix = QStringLiteral("ged");
    request.overwritePrompt = save;
    return request;
}

QString shortened(const QString& report) {
    QStringList lines = report.split(u'\n');
    if (lines.size() <= kShownReportLines) return report;
    const qsizetype more = lines.size() - kShownReportLines;
    lines = lines.mid(0, kShownReportLines);
    lines << QStringLiteral("… und %1 weitere Zeilen.").arg(more);
    return lines.join(u'\n');
}

// Reads the file, arranges the persons without a cell and shows the report.
void importChosenFile(TMainForm& form, const QString& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    gedcom::GedcomImportResult read = gedcom::loadGedcom(path);
    if (read.doc) {
        arrangeDocument(*read.doc, ArrangeScope::OnlyUnplaced);
        // An imported tree knows its couples: it shows them as families.
        read.doc->chart.lineStyle = LineStyle::FamilyLines;
    }
    QApplication::restoreOverrideCursor();
    if (!read.doc) {
        showError(form.dialogs(), read.error);
        return;
    }
    form.replaceDocument(std::move(*read.doc), TMainForm::Origin::ImportedGedcom, path);
    form.dialogs().messageBox(shortened(read.report.text()), kImportCaption,
                              MB_OK | MB_ICONINFORMATION);
}

} // namespace

void importGedcomCommand(TMainForm& form) {
    if (!form.askToSaveChanges(kImportCaption)) return;
    const QString path = form.dialogs().openFileName(gedcomRequest(false));
    if (!path.isEmpty()) importChosenFile(form, path);
}

void importGedcomFile(TMainForm& form, const QString& path) {
    if (form.askToSaveChanges(kImportCaption)) importChosenFile(form, path);
}

bool isGedcomFileName(const QString& path) {
    return path.endsWith(QLatin1String(".ged"), Qt::CaseInsensitive);
}

void exportGedcomCommand(TMainForm& form) {
    FileDialogRequest request = gedcomRequest(true);
    request.fileName = form.document().FileName;
    if (!request.fileName.isEmpty())
        request.fileName =
            request.fileName.left(request.fileName.lastIndexOf(u'.')) + QStringLiteral(".ged");
    const QString path = form.dialogs().saveFileName(request);
    if (path.isEmpty()) return;
    QString error;
    const bool written = gedcom::saveGedcom(path, form.document(), &error);
    if (!written) showError(form.dialogs(), error);
    form.tellExport(QStringLiteral("GEDCOM-Datei"), written, path);
}

void autoArrangeCommand(TMainForm& form) {
    const int answer = form.dialogs().messageBox(
        QStringLiteral("Sollen alle Personen neu angeordnet werden?\n\n"
                       "Ja: alle Personen\n"
                       "Nein: nur Personen, die noch keinen Platz haben"),
        QStringLiteral("Automatisch anordnen"), MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer != IDYES && answer != IDNO) return;
    Document& doc = form.document();
    const auto cellsBefore = cellSnapshot(doc);
    const AreaSize areaBefore{doc.AreaWidth, doc.AreaHeight};
    const ChartLayout chartBefore = doc.chart;
    arrangeDocument(doc, answer == IDYES ? ArrangeScope::All : ArrangeScope::OnlyUnplaced);
    // The arrangement sets partners side by side: family lines show them.
    doc.chart.lineStyle = LineStyle::FamilyLines;
    // One step of the history, with the area it may have grown and the line
    // style it chose.
    const QString text = QStringLiteral("Automatisch anordnen");
    UndoContext& context = form.history()->context();
    std::unique_ptr<QUndoCommand> moves = cellMovesSince(context, text, cellsBefore, areaBefore);
    std::unique_ptr<QUndoCommand> style;
    if (!(doc.chart == chartBefore)) style = chartLayoutStep(context, text, chartBefore);
    if (moves && style) {
        form.history()->stack().beginMacro(text);
        form.history()->push(std::move(moves));
        form.history()->push(std::move(style));
        form.history()->stack().endMacro();
    } else {
        form.history()->push(moves ? std::move(moves) : std::move(style));
    }
    form.showChartLayout();
    form.UpdatePersonList();
}

QToolButton* makeGedcomButton(TMainForm& form, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("GedcomBtn"));
    button->setText(QStringLiteral("&GEDCOM"));
    button->setToolTip(QStringLiteral("GEDCOM-Dateien anderer Programme importieren und "
                                      "exportieren"));
    button->setAutoRaise(true);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setFixedHeight(25);
    auto* menu = new QMenu(button);
    QAction* import = menu->addAction(QStringLiteral("GEDCOM &importieren..."));
    import->setObjectName(QStringLiteral("ImportGedcomAction"));
    QAction* exportAction = menu->addAction(QStringLiteral("GEDCOM e&xportieren..."));
    exportAction->setObjectName(QStringLiteral("ExportGedcomAction"));
    QObject::connect(import, &QAction::triggered, &form, [&form] { importGedcomCommand(form); });
    QObject::connect(exportAction, &QAction::triggered, &form,
                     [&form] { exportGedcomCommand(form); });
    button->setMenu(menu);
    return button;
}

} // namespace lw::app
