#pragma once
// A whole-number field with up and down arrows. The user may type anything;
// the value is the text read as a number, rounded and clamped to the range,
// and text that is not a number reads as the lower bound. When the field
// loses the focus (or on Enter) the text is replaced by that value. A value
// set by the program is clamped and rounded at once.
#include "document/Layout.h"

#include <QAbstractSpinBox>

namespace lw::app {

class IntSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
  public:
    explicit IntSpinEdit(IntRange range, QWidget* parent = nullptr);

    int value() const { return value_; }
    void setValue(double value);
    IntRange range() const { return range_; }

    // The value a text stands for.
    static int readValue(const QString& text, IntRange range);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    // Whenever the value changes, also while the user types.
    void valueChanged(int value);

  protected:
    StepEnabled stepEnabled() const override;

  private:
    void onTextEdited(const QString& text);
    void normalizeText();
    void setValueInternal(int value);

    IntRange range_;
    int value_;
};

} // namespace lw::app
