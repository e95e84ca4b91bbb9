#include "print/gui/PrintProgressDialog.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QWidget>

namespace lw {

namespace {

constexpr int kSteps = 1000; // the bar's resolution, for any number of sheets
constexpr int kShowAfterMs = 300;

} // namespace

PrintProgressDialog::PrintProgressDialog(QWidget* parent) : parent_(parent) {}

PrintProgressDialog::~PrintProgressDialog() = default;

void PrintProgressDialog::create() {
    dialog_ = std::make_unique<QProgressDialog>(parent_.data());
    dialog_->setWindowTitle(QStringLiteral("Drucken"));
    dialog_->setCancelButtonText(QStringLiteral("Abbrechen"));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(kShowAfterMs);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setRange(0, kSteps);
    dialog_->setValue(0); // from here on a print that takes a while shows the window
}

bool PrintProgressDialog::sheetStarting(std::int64_t number, std::int64_t count) {
    if (!dialog_) create();
    dialog_->setLabelText(text(number, count));
    dialog_->setValue(int((number - 1) * kSteps / std::max<std::int64_t>(1, count)));
    QCoreApplication::processEvents();
    cancelled_ = dialog_->wasCanceled();
    return !cancelled_;
}

QString printCancelledMessage(bool toFile) {
    return toFile ? QStringLiteral("Der Druck wurde abgebrochen – die PDF-Datei wurde nicht "
                                   "geschrieben.")
                  : QStringLiteral("Der Druck wurde abgebrochen – bereits gesendete Blätter "
                                   "können noch gedruckt werden.");
}

} // namespace lw
