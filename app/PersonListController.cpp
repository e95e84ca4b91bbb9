#include "app/PersonListController.h"

#include "document/Document.h"
#include "document/PersonEdit.h"
#include "platform/Dialogs.h"

#include <QEvent>
#include <QKeyEvent>
#include <QListWidget>

namespace lw::app {
namespace {

constexpr char16_t kEnter = 13;

// The character a key press types, as far as the list cares: Return and the
// keypad's Enter type 13 (with Ctrl or Alt they type something else).
QChar typedCharacter(const QKeyEvent& event) {
    const bool enterKey = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers chord = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (enterKey) return (event.modifiers() & chord) ? QChar() : QChar(kEnter);
    const QString text = event.text();
    return text.size() == 1 ? text.front() : QChar();
}

} // namespace

PersonListController::PersonListController(QListWidget& list, Document& doc, Dialogs& dialogs,
                                           Hooks hooks, QObject* parent)
    : QObject(parent), list_(list), doc_(doc), dialogs_(dialogs), hooks_(std::move(hooks)) {
    list_.installEventFilter(this);
}

void PersonListController::refill() {
    list_.clear();
    QStringList rows;
    rows.reserve(doc_.PersonCount());
    for (const TPerson& person : doc_.Persons())
        rows.push_back(personListText(person));
    list_.addItems(rows);
    list_.setCurrentRow(-1);
}

void PersonListController::removeRow(int row) {
    delete list_.takeItem(row);
    list_.setCurrentRow(-1);
}

void PersonListController::insertRow(int row) {
    list_.insertItem(row, personListText(doc_.person(row)));
    list_.setCurrentRow(-1);
}

int PersonListController::selectedRow() const {
    const int row = list_.currentRow();
    if (row < 0 || row >= list_.count()) return -1;
    return list_.item(row)->isSelected() ? row : -1;
}

void PersonListController::selectRow(int row) {
    list_.setCurrentRow(row);
}

void PersonListController::DelBtnClick() {
    const int d = selectedRow();
    if (d < 0) return;
    const int answer =
        dialogs_.messageBox(QString::fromUtf8(kDeleteText), QString::fromUtf8(kDeleteCaption),
                            MB_OKCANCEL | MB_ICONSTOP);
    if (answer != IDOK) return;
    if (hooks_.deletePerson) {
        hooks_.deletePerson(d);
        return;
    }
    doc_.Modified = true;
    doc_.deletePerson(d); // frees the picture; parents follow
    if (hooks_.personsChanged) hooks_.personsChanged();
}

void PersonListController::MoveUpToBtnClick() {
    moveSelected(-1);
}

void PersonListController::MoveDownToBtnClick() {
    moveSelected(+1);
}

void PersonListController::moveSelected(int step) {
    const int i = selectedRow();
    const int j = i + step;
    if (i < 0 || j < 0 || j >= doc_.PersonCount()) return;
    if (hooks_.exchangePersons) {
        hooks_.exchangePersons(i, j);
    } else {
        doc_.Modified = true;
        doc_.exchangeNeighbours(i, j); // with cells and pictures; parents follow
        if (hooks_.personsChanged) hooks_.personsChanged();
    }
    selectRow(j);
}

void PersonListController::EditBtnClick() {
    const int row = selectedRow();
    if (row >= 0 && hooks_.editItem) hooks_.editItem(row);
}

bool PersonListController::ListBox1KeyPress(QChar key) {
    if (key != QChar(kEnter)) return false;
    EditBtnClick();
    return true;
}

bool PersonListController::ListBox1KeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const Qt::KeyboardModifiers chord =
        modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier | Qt::ShiftModifier);
    if (chord == Qt::AltModifier && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        moveSelected(key == Qt::Key_Up ? -1 : +1);
        return true;
    }
    if (chord != Qt::NoModifier) return false;
    switch (key) {
    case Qt::Key_Insert:
        if (hooks_.newPerson) hooks_.newPerson();
        return true;
    case Qt::Key_F2:
        EditBtnClick();
        return true;
    case Qt::Key_Delete:
        DelBtnClick();
        return true;
    default:
        return false;
    }
}

bool PersonListController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &list_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        return ListBox1KeyDown(key->key(), key->modifiers()) ||
               ListBox1KeyPress(typedCharacter(*key));
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lw::app
