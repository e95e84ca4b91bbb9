#include "print/gui/PrintProgressDialog.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace lw {

namespace {

constexpr int kSteps = 1000; // the bar's resolution, for any number of sheets
constexpr int kShowAfterMs = 300;

} // namespace

PrintProgressDialog::PrintProgressDialog(QWidget* parent)
    : dialog_(std::make_unique<QProgressDialog>(parent)) {
    dialog_->setWindowTitle(QStringLiteral("Drucken"));
    dialog_->setCancelButtonText(QStringLiteral("Abbrechen"));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(kShowAfterMs);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setRange(0, kSteps);
    dialog_->setValue(0);
}

PrintProgressDialog::~PrintProgressDialog() = default;

bool PrintProgressDialog::sheetStarting(std::int64_t number, std::int64_t count) {
    dialog_->setLabelText(text(number, count));
    dialog_->setValue(int((number - 1) * kSteps / std::max<std::int64_t>(1, count)));
    QCoreApplication::processEvents();
    return !dialog_->wasCanceled();
}

} // namespace lw
