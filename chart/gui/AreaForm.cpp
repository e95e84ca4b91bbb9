#include "chart/gui/AreaForm.h"

#include "document/Layout.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lw {
namespace {

QSpinBox* newAreaSpin(QWidget* parent, const char* name) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(kAreaRange.lo, kAreaRange.hi);
    return spin;
}

} // namespace

TAreaForm::TAreaForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AreaForm"));
    setWindowTitle(QStringLiteral("Größe der Fläche ändern"));
    setModal(true);

    breited = newAreaSpin(this, "breited");
    hoched = newAreaSpin(this, "hoched");
    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Abbrechen"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Breite in möglichen Positonen:"), breited);
    fields->addRow(QStringLiteral("Höhe in möglichen Positionen:"), hoched);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(fields);
    outer->addLayout(buttons);
    setFixedSize(sizeHint());

    connect(OkBtn, &QPushButton::clicked, this, &TAreaForm::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &TAreaForm::reject);
}

bool TAreaForm::execDialog() {
    setResult(QDialog::Rejected);
    if (runner_) {
        runner_(*this);
        if (isVisible()) hide(); // left open by the runner: closed without OK
    } else {
        exec();
    }
    return result() == QDialog::Accepted;
}

void TAreaForm::setArea(std::int32_t width, std::int32_t height) {
    breited->setValue(kAreaRange.clamp(width));
    hoched->setValue(kAreaRange.clamp(height));
}

std::int32_t TAreaForm::areaWidth() const {
    return breited->value();
}
std::int32_t TAreaForm::areaHeight() const {
    return hoched->value();
}

void TAreaForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    breited->setFocus();
    breited->selectAll();
}

bool askAndApplyArea(TAreaForm& form, Document& doc) {
    form.setArea(doc.AreaWidth, doc.AreaHeight);
    if (!form.execDialog()) return false;
    std::int32_t width = form.areaWidth(), height = form.areaHeight();
    if (width == doc.AreaWidth && height == doc.AreaHeight) return false;
    doc.AreaWidth = width;
    doc.AreaHeight = height;
    return true;
}

} // namespace lw
