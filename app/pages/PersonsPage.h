#pragma once
// The page "Personen verwalten": the person list with its buttons. What the
// buttons do is the main window's business; the page only holds them.
#include "app/widgets/PersonListWidget.h"

#include <QWidget>

class QAbstractButton;

namespace lw::app {

class FindBar;

class PersonsPage : public QWidget {
    Q_OBJECT
  public:
    explicit PersonsPage(QWidget* parent = nullptr);

    PersonListWidget* ListBox1() const { return listBox1_; }
    QAbstractButton* NewBtn() const { return newBtn_; }
    QAbstractButton* EditBtn() const { return editBtn_; }
    QAbstractButton* DelBtn() const { return delBtn_; }
    QAbstractButton* MoveUpToBtn() const { return moveUpToBtn_; }
    QAbstractButton* MoveDownToBtn() const { return moveDownToBtn_; }
    // The search field below the list (hidden until opened).
    FindBar* findBar() const { return findBar_; }

  private:
    PersonListWidget* listBox1_;
    QAbstractButton* newBtn_;
    QAbstractButton* editBtn_;
    QAbstractButton* delBtn_;
    QAbstractButton* moveUpToBtn_;
    QAbstractButton* moveDownToBtn_;
    FindBar* findBar_;
};

} // namespace lw::app
