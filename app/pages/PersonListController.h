#pragma once
// The person list ListBox1 and what its buttons do to the document: the
// rows, the selection, deleting and moving persons up and down, and Enter in
// the list.
//
// Deleting and moving rewrite the parent indices of all persons so that they
// name the same persons as before (the document does that); this class asks
// for the confirmation, sets the modified flag and keeps the selection, or
// hands the change to the window's history.
// What the window does after every change of the persons (refill the list,
// repaint the views) and how a person is edited are handed in as hooks.
//
// The list may be sorted by name or date (its header); rows are then not
// in the document's order. Everything here speaks of persons by their index
// in the document, whatever row shows them; moving a person up or down
// first brings the list back to the document's order, where the move shows.
#include <QObject>
#include <Qt>
#include <functional>
#include <vector>

namespace lw {
class Dialogs;
class Document;
} // namespace lw

namespace lw::app {

class PersonListWidget;

class PersonListController : public QObject {
    Q_OBJECT
  public:
    struct Hooks {
        // UpdatePersonList of the window: refill the list, repaint the views.
        std::function<void()> personsChanged;
        // EditItem of the window: the edit dialog for one person.
        std::function<void(int)> editItem;
        // NewBtnClick of the window: the edit dialog for a new person.
        std::function<void()> newPerson;
        // When set, deleting and moving are handed to these (the document
        // history) instead of changing the document here.
        std::function<void(int)> deletePerson;
        std::function<void(int, int)> exchangePersons;
    };

    static constexpr const char* kDeleteText = "Hiermit löschen Sie die Person unwiederruflich.";
    static constexpr const char* kDeleteCaption = "Löschen bestätigen";

    PersonListController(PersonListWidget& list, Document& doc, Dialogs& dialogs, Hooks hooks,
                         QObject* parent = nullptr);

    // One row per person, "NachName; VorName" with the two dates beside, in
    // index order or as the list is sorted. No row is selected afterwards.
    void refill();
    // One row less or more, for person `index` taken out of or put into the
    // document; no row is selected afterwards.
    void removeRow(int index);
    void insertRow(int index);

    // The person of the selected row, or -1. A row counts as selected when
    // it is the current row, lies within the list and the list reports it
    // selected.
    int selectedRow() const;
    // Selects the row of person `index` (-1: none).
    void selectRow(int index);
    // The row that shows person `index`, or -1.
    int rowOf(int index) const;

    void DelBtnClick();
    void MoveUpToBtnClick();
    void MoveDownToBtnClick();
    // The selected person in the edit dialog; nothing without a selection.
    void EditBtnClick();
    // A character typed in the list: Enter (13) acts as EditBtnClick.
    // True when the character was taken.
    bool ListBox1KeyPress(QChar key);
    // The keys of the list: Insert enters a new person, F2 edits, Delete
    // deletes (with the question), Alt+Up and Alt+Down move the selected
    // person. True when the key was taken.
    bool ListBox1KeyDown(int key, Qt::KeyboardModifiers modifiers);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Exchanges the selected person with its neighbour `step` places away
    // in the document.
    void moveSelected(int step);
    // Puts the rows in the order the list's header asks for, keeping the
    // selected person selected.
    void sortRows();
    // The persons in the order the rows show them.
    std::vector<int> sortedOrder() const;
    // The person a row shows, or -1.
    int personAt(int row) const;
    // Whether person a comes before person b in the sorted list.
    bool shownBefore(int a, int b) const;

    PersonListWidget& list_;
    Document& doc_;
    Dialogs& dialogs_;
    Hooks hooks_;
    // The person of each row while the list is sorted; empty in the
    // document's order, where row and person are the same.
    std::vector<int> rowPerson_;
};

} // namespace lw::app
