#pragma once
// The search field of a page, "Suchen:", hidden until Ctrl+F opens it. It
// reports what the user types and asks for; what is searched and shown is
// the business of the window (PersonSearchController).
#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

namespace lw::app {

class FindBar : public QWidget {
    Q_OBJECT
  public:
    explicit FindBar(QWidget* parent = nullptr);

    QLineEdit* field() const { return field_; }
    QLabel* status() const { return status_; }
    // Shows the bar and puts the cursor into the field, its text selected.
    void open();
    // Shows whether the text was found ("Nicht gefunden" and a reddish
    // field when not).
    void showFound(bool found);

  signals:
    void textChanged(const QString& text);
    void nextRequested();
    void previousRequested();
    void closed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QLineEdit* field_;
    QLabel* status_;
};

} // namespace lw::app
