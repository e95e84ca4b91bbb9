#include "app/pages/PersonsPage.h"

#include "app/pages/PageFrame.h"
#include "app/widgets/FindBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lw::app {
namespace {

QPushButton* makeButton(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setMinimumWidth(90);
    return b;
}

} // namespace

PersonsPage::PersonsPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PersonsPage"));
    auto* content = new QWidget(this);
    newBtn_ = makeButton(QStringLiteral("Neu"), "NewBtn", content);
    editBtn_ = makeButton(QStringLiteral("Ändern"), "EditBtn", content);
    delBtn_ = makeButton(QStringLiteral("Löschen"), "DelBtn", content);
    listBox1_ = new PersonListWidget(content);
    listBox1_->setObjectName(QStringLiteral("ListBox1"));
    listBox1_->setSelectionMode(QAbstractItemView::SingleSelection);
    moveUpToBtn_ = makeButton(QStringLiteral("Nach oben"), "MoveUpToBtn", content);
    moveDownToBtn_ = makeButton(QStringLiteral("Nach unten"), "MoveDownToBtn", content);
    // The keys of the list, named where the user looks for them.
    newBtn_->setToolTip(QStringLiteral("Neue Person eingeben (Einfg)"));
    editBtn_->setToolTip(QStringLiteral("Ausgewählte Person ändern (Eingabetaste, F2)"));
    delBtn_->setToolTip(QStringLiteral("Ausgewählte Person löschen (Entf)"));
    moveUpToBtn_->setToolTip(
        QStringLiteral("Ausgewählte Person eine Zeile nach oben (Alt+Pfeil nach oben)"));
    moveDownToBtn_->setToolTip(
        QStringLiteral("Ausgewählte Person eine Zeile nach unten (Alt+Pfeil nach unten)"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(newBtn_);
    buttons->addWidget(editBtn_);
    buttons->addWidget(delBtn_);
    buttons->addStretch(1);

    auto* sortColumn = new QVBoxLayout;
    sortColumn->addWidget(new QLabel(QStringLiteral("Einträge sortieren:"), content));
    sortColumn->addWidget(moveUpToBtn_);
    sortColumn->addWidget(moveDownToBtn_);
    sortColumn->addStretch(1);

    auto* listRow = new QHBoxLayout;
    listRow->addWidget(listBox1_, 1);
    listRow->addLayout(sortColumn);

    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addLayout(buttons);
    layout->addLayout(listRow, 1);
    findBar_ = new FindBar(content);
    layout->addWidget(findBar_);

    framePage(this,
              QStringLiteral("Personen verwalten - Personen hinzufügen und deren Geburts- und "
                             "Sterbedatum sowie die Eltern festlegen"),
              QStringLiteral(":/images/side_persons.png"), content);
}

} // namespace lw::app
