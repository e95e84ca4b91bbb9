#include "app/widgets/IntSpinEdit.h"

#include <QLineEdit>
#include <QLocale>
#include <limits>

namespace lw::app {

IntSpinEdit::IntSpinEdit(IntRange range, QWidget* parent)
    : QAbstractSpinBox(parent), range_(range), value_(range.lo) {
    lineEdit()->setText(QString::number(value_));
    connect(lineEdit(), &QLineEdit::textEdited, this, &IntSpinEdit::onTextEdited);
    connect(this, &QAbstractSpinBox::editingFinished, this, &IntSpinEdit::normalizeText);
}

int IntSpinEdit::readValue(const QString& text, IntRange range) {
    QString t = text.trimmed();
    bool ok = false;
    double v = QLocale::c().toDouble(t, &ok);
    if (!ok) v = QLocale().toDouble(t, &ok);
    if (!ok) return range.lo;
    return range.clamp(v);
}

void IntSpinEdit::setValueInternal(int value) {
    if (value == value_) return;
    value_ = value;
    emit valueChanged(value);
}

void IntSpinEdit::setValue(double value) {
    setValueInternal(range_.clamp(value));
    normalizeText();
}

void IntSpinEdit::onTextEdited(const QString& text) {
    setValueInternal(readValue(text, range_));
}

void IntSpinEdit::normalizeText() {
    QString text = QString::number(value_);
    if (lineEdit()->text() != text) lineEdit()->setText(text);
}

void IntSpinEdit::stepBy(int steps) {
    setValue(double(readValue(lineEdit()->text(), range_)) + steps);
    selectAll();
}

QValidator::State IntSpinEdit::validate(QString&, int&) const {
    // Anything may be typed; it is read when the field is left.
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled IntSpinEdit::stepEnabled() const {
    StepEnabled e = StepNone;
    if (value_ > range_.lo) e |= StepDownEnabled;
    if (value_ < range_.hi) e |= StepUpEnabled;
    return e;
}

QSize IntSpinEdit::sizeHint() const {
    QSize s = QAbstractSpinBox::sizeHint();
    int digits = fontMetrics().horizontalAdvance(QString::number(range_.hi) + QStringLiteral("00"));
    return {qMax(s.width(), digits + 24), s.height()};
}

QSize IntSpinEdit::minimumSizeHint() const {
    return sizeHint();
}

} // namespace lw::app
