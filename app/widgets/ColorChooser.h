#pragma once
// The colour drop-down of the settings page: sixteen named colours and
// "More...", which opens the colour dialog and then shows the chosen colour
// in its swatch.
#include "platform/Color.h"

#include <QComboBox>

namespace lw {
class Dialogs;
}

namespace lw::app {

class ColorChooser : public QComboBox {
    Q_OBJECT
  public:
    static constexpr int kStandardCount = 16;
    static constexpr int kMoreIndex = 16;

    ColorChooser(Dialogs& dialogs, TColor initial, QWidget* parent = nullptr);

    TColor colorValue() const { return value_; }
    // Selects the entry of `color` among the sixteen named ones (exact
    // value); any other colour, system colour references included, becomes
    // the value of "More...".
    void setColorValue(TColor color);
    // The colour "More..." holds (its swatch).
    TColor moreColor() const { return more_; }

    static TColor standardColor(int index);
    static QString standardName(int index);

  signals:
    // After every change of the value, by the user or the program.
    void colorChanged(lw::TColor color);

  private:
    void onActivated(int index);
    void setMoreSwatch(TColor color);

    Dialogs& dialogs_;
    TColor value_;
    TColor more_;
};

} // namespace lw::app
