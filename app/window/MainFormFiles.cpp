// The main window's file commands: new, open, save, trees from outside,
// the recent list and the recovery copies.
#include "app/window/MainForm.h"

#include "app/commands/BioExportCommand.h"
#include "app/pages/PersonListController.h"
#include "app/pages/PersonSearchController.h"
#include "app/widgets/WheelScroller.h"
#include "app/widgets/ZoomBar.h"
#include "chart/PictureLoader.h"
#include "chart/gui/AreaForm.h"
#include "chart/gui/ArrangeController.h"
#include "chart/gui/ChartView.h"
#include "chart/gui/PrinterFactsQt.h"
#include "document/gui/EditPForm.h"
#include "document/gui/PersonFlows.h"
#include "print/SheetPlan.h"
#include "print/gui/PosterExport.h"
#include "print/gui/PreviewPanning.h"
#include "print/gui/PrintCommands.h"
#include "print/gui/PrintProgressDialog.h"
#include "session/DocumentHistory.h"

#include "app/commands/FileDrop.h"
#include "app/commands/GedcomCommands.h"
#include "app/pages/ArrangePage.h"
#include "app/pages/PersonsPage.h"
#include "app/pages/PrintPage.h"
#include "app/pages/SettingsPage.h"
#include "app/widgets/ImageButton.h"
#include "app/widgets/StatusProgress.h"
#include "app/window/AboutBox.h"
#include "app/window/Maker.h"
#include "app/window/Resources.h"
#include "document/StaFile.h"
#include "platform/Dialogs.h"
#include "platform/DocText.h"
#include "session/RecentFiles.h"
#include "session/RecoveryKeeper.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

using namespace lw;
using namespace lw::app;

namespace {

const QString kSaveQuestion = QStringLiteral("Wollen Sie die Änderungen speichern?");

} // namespace

// -------------------------------------------------------- document commands

bool TMainForm::askToSaveChanges(const QString& caption) {
    if (!doc_.Modified) return true;
    switch (dialogs_.messageBox(kSaveQuestion, caption, MB_YESNOCANCEL | MB_ICONSTOP)) {
    case IDYES:
        // A save that fails or is cancelled stops the command: nothing of
        // the unsaved document is thrown away.
        return saveDocument();
    case IDNO:
        return true;
    default:
        return false;
    }
}

FileDialogRequest TMainForm::staFileRequest(bool save) const {
    FileDialogRequest request;
    request.filter = QStringLiteral("Stammbäume|*.sta");
    request.defaultSuffix = QStringLiteral("sta");
    request.fileName = doc_.FileName;
    // An imported tree: its GEDCOM file's name with ".sta", beside it.
    if (save && request.fileName.isEmpty()) request.fileName = proposedSaveName_;
    request.overwritePrompt = save;
    return request;
}

bool TMainForm::saveDocument() {
    if (!doc_.FileName.isEmpty()) return SaveItNow(doc_.FileName);
    return saveDocumentAs();
}

bool TMainForm::saveDocumentAs() {
    QString path = dialogs_.saveFileName(staFileRequest(true));
    if (path.isEmpty()) return false;
    return SaveItNow(path);
}

void TMainForm::Neu1Click() {
    if (!askToSaveChanges(QStringLiteral("Neuer Stammbaum"))) return;
    ClearAll();
}

void TMainForm::ffnen1Click() {
    if (!askToSaveChanges(QStringLiteral("Stammbaum öffnen"))) return;
    OpenItNow();
}

void TMainForm::Speichern1Click() {
    saveDocument();
}

void TMainForm::Speichernunter1Click() {
    saveDocumentAs();
}

bool TMainForm::OpenItNow() {
    QString path = dialogs_.openFileName(staFileRequest(false));
    if (path.isEmpty()) return false;
    return openFile(path);
}

bool TMainForm::openFile(const QString& path) {
    StaReadResult read = loadSta(path, box_);
    if (!read.file) {
        showError(dialogs_, read.error);
        return false;
    }
    setBoxLayout(read.file->box);
    replaceDocument(std::move(read.file->doc), Origin::OpenedFile, path);
    recent_->add(QFileInfo(path).absoluteFilePath());
    return true;
}

bool TMainForm::SaveItNow(const QString& path) {
    QString error;
    if (!saveSta(path, doc_, box_, &error)) {
        showError(dialogs_, error.isEmpty() ? kMsgCannotCreate : error);
        return false;
    }
    history_->markSaved();
    doc_.FileName = path;
    proposedSaveName_.clear();
    recovery_->discard();
    updateTitle();
    recent_->add(QFileInfo(path).absoluteFilePath());
    tellStatus(QStringLiteral("Stammbaum gespeichert: %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

void TMainForm::replaceDocument(Document doc, Origin origin, const QString& source) {
    pictureLoader_->cancel(); // nothing read for the old persons lands in the new ones
    doc_ = std::move(doc);    // lets go of the pictures of the old document
    proposedSaveName_.clear();
    switch (origin) {
    case Origin::New:
        doc_.FileName.clear();
        break;
    case Origin::OpenedFile:
    case Origin::RecoveredWork:
        doc_.FileName = source;
        break;
    case Origin::ImportedGedcom: {
        doc_.FileName.clear();
        const QFileInfo from(source);
        if (!source.isEmpty())
            proposedSaveName_ = from.absoluteDir().filePath(from.completeBaseName() + ".sta");
        break;
    }
    }
    // Work that no file holds as it stands: no step of the history leads
    // back to a saved state.
    const bool unsaved = origin == Origin::ImportedGedcom || origin == Origin::RecoveredWork;
    recovery_->discard();
    showChartLayout();
    history_->reset(unsaved); // sets Modified; the title follows
    updateTitle();
    UpdatePersonList();
    scrollViewsHome();
}

void TMainForm::ClearAll() {
    replaceDocument(Document{}, Origin::New);
}

void TMainForm::scrollViewsHome() {
    for (lw::ChartView* view : {arrangeView_, printView_})
        view->scrollHome();
}

void TMainForm::showPerson(int index) {
    arrangeView_->showPerson(index);
}

void TMainForm::UpdatePersonList() {
    // A person being moved on the chart may be gone or elsewhere now.
    arrange_->cancelMove();
    personList_->refill();
    repaintViews();
}

bool TMainForm::FormCloseQuery() {
    return askToSaveChanges(QStringLiteral("Programm beenden"));
}

void TMainForm::FormClose() {
    saveSettings();
    ClearAll();
}

void TMainForm::showEvent(QShowEvent* event) {
    if (!shownOnce_) {
        shownOnce_ = true;
        restoreSettings();
        QTimer::singleShot(0, this, &TMainForm::offerRecovery);
    }
    QMainWindow::showEvent(event);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TMainForm::offerRecovery() {
    for (const RecoveryKeeper::LeftCopy& copy : recovery_->leftCopies()) {
        // Read first, so that the question can name the tree; a copy that
        // cannot be read is said so and goes without a question.
        RecoveryKeeper::Recovered recovered = RecoveryKeeper::read(copy, box_);
        if (!recovered.tree.file) {
            showError(dialogs_, recovered.tree.error);
            RecoveryKeeper::drop(copy);
            continue;
        }
        const int answer = dialogs_.messageBox(
            RecoveryKeeper::question(copy.written, recovered.fileName,
                                     fromDocText(recovered.tree.file->doc.chart.Caption)),
            QStringLiteral("Wiederherstellung"), MB_YESNO | MB_ICONQUESTION);
        if (answer != IDYES) {
            RecoveryKeeper::drop(copy);
            continue;
        }
        setBoxLayout(recovered.tree.file->box);
        replaceDocument(std::move(recovered.tree.file->doc), Origin::RecoveredWork,
                        recovered.fileName);
        // The changes are safe in this program's own copy before the old one goes.
        recovery_->writeNow();
        RecoveryKeeper::drop(copy);
        return; // further copies wait for the next start
    }
}

void TMainForm::restoreSettings() {
    lw::BoxLayout box = box_;
    formStorage_.restore(*this, box, dialogs_, &printOptions_);
    setBoxLayout(box);
    rememberSavedSettings(); // what the file holds (or the defaults it would not give)
    updateSheetOverview();
}

void TMainForm::saveSettings() {
    settingsTimer_->stop();
    if (formStorage_.save(*this, box_, dialogs_, false, &printOptions_)) rememberSavedSettings();
}

// ------------------------------------------- trees from outside, recent list

bool TMainForm::openFileAsked(const QString& path) {
    if (!askToSaveChanges(QStringLiteral("Stammbaum öffnen"))) return false;
    return openFile(path);
}

bool TMainForm::openRecentFile(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        dialogs_.messageBox(QStringLiteral("Die Datei „%1“ gibt es nicht mehr. Sie wird aus der "
                                           "Liste der zuletzt geöffneten Stammbäume entfernt.")
                                .arg(QDir::toNativeSeparators(path)),
                            QStringLiteral("Stammbaum öffnen"), MB_OK | MB_ICONINFORMATION);
        recent_->remove(path);
        return false;
    }
    return openFileAsked(path);
}

void TMainForm::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList files = recent_->files();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QAction* action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
            QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"))));
        action->setToolTip(QDir::toNativeSeparators(path));
        action->setStatusTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    if (files.isEmpty())
        recentMenu_->addAction(QStringLiteral("(keine zuletzt geöffneten Stammbäume)"))
            ->setEnabled(false);
    recentMenu_->setToolTipsVisible(true);
}
