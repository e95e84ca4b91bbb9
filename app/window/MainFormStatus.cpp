// The main window's status bar messages and the writing of the settings file
// while the program runs, so that a crash does not take the settings with it.
#include "app/window/MainForm.h"

#include "chart/gui/ArrangeController.h"
#include "platform/DocText.h"
#include "session/DocumentHistory.h"

#include <QDir>
#include <QStatusBar>
#include <QTimer>

using namespace lw;

namespace {

QString personName(const TPerson& p) {
    const QString name = (fromDocText(p.VorName) + u' ' + fromDocText(p.NachName)).trimmed();
    return name.isEmpty() ? QStringLiteral("eine Person ohne Namen")
                          : QStringLiteral("„%1“").arg(name);
}

} // namespace

void TMainForm::tellStatus(const QString& text) {
    statusBar()->showMessage(text, kStatusMessageMs);
}

void TMainForm::tellExport(const QString& what, bool written, const QString& path) {
    if (path.isEmpty()) return; // cancelled
    const QString file = QDir::toNativeSeparators(path);
    tellStatus(written ? QStringLiteral("%1 gespeichert: %2").arg(what, file)
                       : QStringLiteral("%1 nicht gespeichert: %2").arg(what, file));
}

void TMainForm::connectStatusMessages() {
    connect(arrange_, &ArrangeController::dropRefused, this, [this](int, int occupant) {
        if (occupant < 0 || occupant >= doc_.PersonCount()) return;
        tellStatus(QStringLiteral("Dort steht schon %1: eine Person kann nur auf ein freies Feld "
                                  "gezogen werden. Sie bleibt auf dem letzten freien Feld.")
                       .arg(personName(doc_.person(occupant))));
    });
}

// ------------------------------------------------------- the settings file

void TMainForm::createSettingsWriter() {
    settingsTimer_ = new QTimer(this);
    settingsTimer_->setObjectName(QStringLiteral("SettingsTimer"));
    settingsTimer_->setSingleShot(true);
    settingsTimer_->setInterval(kSettingsDelayMs);
    connect(settingsTimer_, &QTimer::timeout, this, &TMainForm::writeChangedSettings);
    // Box values change through the history (edits, undo, redo, an opened tree).
    connect(this, &TMainForm::documentChanged, this, &TMainForm::noteSettingsChanged);
}

void TMainForm::noteSettingsChanged() {
    if (settingsTimer_) settingsTimer_->start(); // restarts a running timer
}

void TMainForm::rememberSavedSettings() {
    savedBox_ = box_;
    savedOptions_ = printOptions_;
}

void TMainForm::writeChangedSettings() {
    // Before the first show the file has not been read: writing it would
    // put the initial values over the user's.
    if (!shownOnce_) return;
    if (box_ == savedBox_ && printOptions_ == savedOptions_) return;
    if (formStorage_.save(*this, box_, dialogs_, false, &printOptions_)) rememberSavedSettings();
}
