#include "app/pages/PersonListController.h"

#include "app/widgets/PersonListWidget.h"
#include "document/DateText.h"
#include "document/Document.h"
#include "document/PersonEdit.h"
#include "platform/Dialogs.h"
#include "platform/DocText.h"

#include <QCollator>
#include <QEvent>
#include <QKeyEvent>
#include <algorithm>
#include <numeric>

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

PersonListController::PersonListController(PersonListWidget& list, Document& doc, Dialogs& dialogs,
                                           Hooks hooks, QObject* parent)
    : QObject(parent), list_(list), doc_(doc), dialogs_(dialogs), hooks_(std::move(hooks)) {
    list_.installEventFilter(this);
    list_.setColumnText([this](int row, PersonListWidget::Column column) {
        const int person = personAt(row);
        if (person < 0) return QString();
        const TPerson& p = doc_.person(person);
        return fromDocText(column == PersonListWidget::BirthColumn ? p.GebDate : p.StDate);
    });
    connect(&list_, &PersonListWidget::sortChanged, this, &PersonListController::sortRows);
}

std::vector<int> PersonListController::sortedOrder() const {
    std::vector<int> order(std::size_t(doc_.PersonCount()));
    std::iota(order.begin(), order.end(), 0);
    const int column = list_.sortColumn();
    const bool down = list_.sortOrder() == Qt::DescendingOrder;
    if (column == PersonListWidget::NameColumn) {
        QCollator collator(QLocale(QLocale::German, QLocale::Germany));
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        collator.setNumericMode(true);
        std::vector<QCollatorSortKey> keys;
        keys.reserve(order.size());
        for (const TPerson& p : doc_.Persons())
            keys.push_back(collator.sortKey(personListText(p)));
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const int c = keys[std::size_t(a)].compare(keys[std::size_t(b)]);
            return down ? c > 0 : c < 0;
        });
    } else if (column == PersonListWidget::BirthColumn || column == PersonListWidget::DeathColumn) {
        std::vector<DateSortKey> keys;
        keys.reserve(order.size());
        for (const TPerson& p : doc_.Persons())
            keys.push_back(dateSortKey(
                fromDocText(column == PersonListWidget::BirthColumn ? p.GebDate : p.StDate)));
        // Turned round, the dates run from the latest; the texts that are
        // no date stay after them.
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const DateSortKey& ka = keys[std::size_t(a)];
            const DateSortKey& kb = keys[std::size_t(b)];
            if (down && ka.group == 0 && kb.group == 0) return kb < ka;
            return ka < kb;
        });
    }
    return order;
}

bool PersonListController::shownBefore(int a, int b) const {
    const int column = list_.sortColumn();
    const bool down = list_.sortOrder() == Qt::DescendingOrder;
    const TPerson& pa = doc_.person(a);
    const TPerson& pb = doc_.person(b);
    if (column == PersonListWidget::NameColumn) {
        QCollator collator(QLocale(QLocale::German, QLocale::Germany));
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        collator.setNumericMode(true);
        const int c = collator.compare(personListText(pa), personListText(pb));
        return c != 0 ? (down ? c > 0 : c < 0) : a < b;
    }
    auto key = [column](const TPerson& p) {
        return dateSortKey(
            fromDocText(column == PersonListWidget::BirthColumn ? p.GebDate : p.StDate));
    };
    const DateSortKey ka = key(pa), kb = key(pb);
    if (down && ka.group == 0 && kb.group == 0) {
        if (kb < ka) return true;
        if (ka < kb) return false;
    } else {
        if (ka < kb) return true;
        if (kb < ka) return false;
    }
    return a < b;
}

int PersonListController::personAt(int row) const {
    if (row < 0 || row >= list_.count()) return -1;
    const int person = rowPerson_.empty() ? row : rowPerson_[std::size_t(row)];
    return person < doc_.PersonCount() ? person : -1;
}

int PersonListController::rowOf(int index) const {
    if (index < 0 || index >= list_.count()) return -1;
    if (rowPerson_.empty()) return index;
    const auto at = std::find(rowPerson_.begin(), rowPerson_.end(), index);
    return at == rowPerson_.end() ? -1 : int(at - rowPerson_.begin());
}

void PersonListController::refill() {
    list_.clear();
    rowPerson_.clear();
    if (list_.sortColumn() >= 0) rowPerson_ = sortedOrder();
    QStringList rows;
    rows.reserve(doc_.PersonCount());
    if (rowPerson_.empty()) {
        for (const TPerson& person : doc_.Persons())
            rows.push_back(personListText(person));
    } else {
        for (int person : rowPerson_)
            rows.push_back(personListText(doc_.person(person)));
    }
    list_.addItems(rows);
    list_.setCurrentRow(-1);
}

void PersonListController::sortRows() {
    const int selected = selectedRow();
    refill();
    if (selected >= 0) {
        selectRow(selected);
        list_.scrollToItem(list_.currentItem());
    }
}

void PersonListController::removeRow(int index) {
    const int row = rowOf(index);
    if (row >= 0) {
        if (!rowPerson_.empty()) {
            rowPerson_.erase(rowPerson_.begin() + row);
            for (int& person : rowPerson_)
                if (person > index) --person;
        }
        delete list_.takeItem(row);
    }
    list_.setCurrentRow(-1);
}

void PersonListController::insertRow(int index) {
    int row = index;
    if (list_.sortColumn() >= 0) {
        if (rowPerson_.empty()) { // sorted, yet empty before
            rowPerson_.resize(std::size_t(list_.count()));
            std::iota(rowPerson_.begin(), rowPerson_.end(), 0);
        }
        for (int& person : rowPerson_)
            if (person >= index) ++person;
        const auto at = std::partition_point(rowPerson_.begin(), rowPerson_.end(), [&](int person) {
            return shownBefore(person, index);
        });
        row = int(at - rowPerson_.begin());
        rowPerson_.insert(at, index);
    }
    list_.insertItem(row, personListText(doc_.person(index)));
    list_.setCurrentRow(-1);
}

int PersonListController::selectedRow() const {
    const int row = list_.currentRow();
    if (row < 0 || row >= list_.count()) return -1;
    return list_.item(row)->isSelected() ? personAt(row) : -1;
}

void PersonListController::selectRow(int index) {
    list_.setCurrentRow(index < 0 ? -1 : rowOf(index));
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
    // A move is one in the document's order: show that order, then move.
    if (list_.sortColumn() >= 0) list_.setSort(-1, Qt::AscendingOrder);
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
