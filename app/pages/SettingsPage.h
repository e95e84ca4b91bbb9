#pragma once
// The page "Einstellungen": the box layout values. The controls edit the
// main window's BoxLayout directly; every change of a control is in the
// layout at once, and every change the user makes is reported with the
// values before it (values the program shows are not). The page also offers
// the tree's line style, which belongs to the document: the window applies
// the choice and shows it.
#include "document/Layout.h"

#include <QWidget>
#include <functional>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;

namespace lw {
class Dialogs;
}

namespace lw::app {

class ColorChooser;
class IntSpinEdit;

class SettingsPage : public QWidget {
    Q_OBJECT
  public:
    // The controls, as boxLayoutEdited names them.
    enum Field { BkColor, BorderColor, Font, Breit, Hoch, Bild, Ausricht, Leblauf, Reset };
    // What a change of the field is called in the history.
    static QString fieldText(Field field);
    // Whether the field is typed into (so that a run of changes is one edit).
    static bool isTyped(Field field) { return field == Breit || field == Hoch || field == Bild; }

    SettingsPage(BoxLayout& box, Dialogs& dialogs, QWidget* parent = nullptr);

    // Shows the values of the layout (after it was replaced as a whole).
    void showBoxLayout();

    ColorChooser* bkColorBox() const { return bkColorBox_; }
    ColorChooser* BorderColorBox() const { return borderColorBox_; }
    IntSpinEdit* BreitEd() const { return breitEd_; }
    IntSpinEdit* HochEd() const { return hochEd_; }
    IntSpinEdit* BildEd() const { return bildEd_; }
    QGroupBox* Textausricht() const { return textausricht_; }
    QAbstractButton* textausrichtButton(int index) const;
    QCheckBox* LeblaufCheck() const { return leblaufCheck_; }
    QAbstractButton* FontSpeedBtn() const { return fontSpeedBtn_; }
    QAbstractButton* UndoValBtn() const { return undoValBtn_; }
    // The line style: 0 lines to the parents, 1 family lines.
    QComboBox* LineStyleBox() const { return lineStyleBox_; }
    // Shows the tree's line style without reporting a choice.
    void showLineStyle(LineStyle style);

  public slots:
    // The box font dialog; both views are repainted whatever the answer.
    void FontSpeedBtnClick();
    // "Zurücksetzen auf Standartwerte"; repaints nothing.
    void UndoValBtnClick();

  signals:
    void repaintViewsRequested();
    // The user changed `field`; the layout held `before` until then.
    void boxLayoutEdited(const lw::BoxLayout& before, int field);

  private:
    QWidget* buildContent();
    // Runs a change of the layout by a control and reports it.
    void edit(Field field, const std::function<void()>& change);

    BoxLayout& box_;
    Dialogs& dialogs_;
    ColorChooser* bkColorBox_ = nullptr;
    ColorChooser* borderColorBox_ = nullptr;
    IntSpinEdit* breitEd_ = nullptr;
    IntSpinEdit* hochEd_ = nullptr;
    IntSpinEdit* bildEd_ = nullptr;
    QGroupBox* textausricht_ = nullptr;
    QButtonGroup* textausrichtGroup_ = nullptr;
    QCheckBox* leblaufCheck_ = nullptr;
    QAbstractButton* fontSpeedBtn_ = nullptr;
    QAbstractButton* undoValBtn_ = nullptr;
    QComboBox* lineStyleBox_ = nullptr;
    bool showing_ = false; // showBoxLayout is setting the controls
};

} // namespace lw::app
