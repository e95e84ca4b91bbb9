#include "app/commands/GedcomCommands.h"

#include "chart/AutoArrange.h"
#include "document/Layout.h"
#include "gedcom/GedcomExport.h"
#include "gedcom/GedcomImport.h"
#include "platform/Dialogs.h"
#include "session/Session.h"

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
void importChosenFile(Session& session, const QString& path) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    gedcom::GedcomImportResult read = gedcom::loadGedcom(path);
    if (read.doc) {
        arrangeDocument(*read.doc, ArrangeScope::OnlyUnplaced);
        // An imported tree knows its couples: it shows them as families.
        read.doc->chart.lineStyle = LineStyle::FamilyLines;
    }
    QApplication::restoreOverrideCursor();
    if (!read.doc) {
        showError(session.dialogs(), read.error);
        return;
    }
    session.replaceDocument(std::move(*read.doc), Session::Origin::ImportedGedcom, path);
    session.dialogs().messageBox(shortened(read.report.text()), kImportCaption,
                                 MB_OK | MB_ICONINFORMATION);
}

} // namespace

void importGedcomCommand(Session& session) {
    if (!session.askToSaveChanges(kImportCaption)) return;
    const QString path = session.dialogs().openFileName(gedcomRequest(false));
    if (!path.isEmpty()) importChosenFile(session, path);
}

void importGedcomFile(Session& session, const QString& path) {
    if (session.askToSaveChanges(kImportCaption)) importChosenFile(session, path);
}

bool isGedcomFileName(const QString& path) {
    return path.endsWith(QLatin1String(".ged"), Qt::CaseInsensitive);
}

void exportGedcomCommand(Session& session) {
    FileDialogRequest request = gedcomRequest(true);
    request.fileName = session.document().FileName;
    if (!request.fileName.isEmpty())
        request.fileName =
            request.fileName.left(request.fileName.lastIndexOf(u'.')) + QStringLiteral(".ged");
    const QString path = session.dialogs().saveFileName(request);
    if (path.isEmpty()) return;
    QString error;
    const bool written = gedcom::saveGedcom(path, session.document(), &error);
    if (!written) showError(session.dialogs(), error);
    session.tellExport(QStringLiteral("GEDCOM-Datei"), written, path);
}

QToolButton* makeGedcomButton(Session& session, QWidget* parent) {
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
    QObject::connect(import, &QAction::triggered, button,
                     [&session] { importGedcomCommand(session); });
    QObject::connect(exportAction, &QAction::triggered, button,
                     [&session] { exportGedcomCommand(session); });
    button->setMenu(menu);
    return button;
}

} // namespace lw::app
