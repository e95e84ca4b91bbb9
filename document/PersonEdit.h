#pragma once
// What the person edit dialog needs from the document, without any widgets:
// the rows of the father and mother lists, the mapping between list rows and
// person indices, the cell of a new person, and the checks of the edited
// texts before they are stored.
#include "document/Document.h"
#include "document/Person.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace lw {

// A person as the person list and the parent lists show it: surname, "; ",
// first name.
QString personListText(const TPerson& person);

// The rows of the father and mother lists: every person in index order except
// person `editing` (-1 when a new person is being entered).
QStringList parentRows(const Document& doc, int editing);

// While person i is edited, its own row is missing from the parent lists:
// row r stands for person r below i and for person r + 1 from i on.
// A parent that does not name another person of the document shows as no
// row (-1), so that confirming the dialog cannot turn it into a relation.
int shownParentRow(const Document& doc, int i, int parent);
// The parent index a chosen row stands for; -1 (no row) stays -1.
int storedParent(int row, int i);

// Puts a new person on the first free cell, row by row, or on -1, -1 when
// every cell of the area is taken.
void placeNewPerson(const Document& doc, TPerson& person);

// A text as searches compare it: lower case, accents dropped ("Müller"
// gives "muller", "ß" "ss").
QString searchKey(const QString& text);

// A picture file name must not contain < > | or a double quote (brackets
// are ordinary characters of file names: "Foto [1].jpg").
bool isValidPictureName(const QString& name);
// "Ungültiger Dateiname - <name>"
QString invalidPictureNameMessage(const QString& name);

// The texts of the dialog as the user left them. `Leben` holds the
// biography lines as the memo shows them.
struct EditedTexts {
    QString NachName;
    QString VorName;
    QString GebDate;
    QString StDate;
    QStringList Leben;
    QString Bild;
};

// Copies the texts into `person` as UTF-8. When a picture name holds a
// forbidden character, `person` is left as it was and the message for the
// user is returned.
std::optional<QString> storeEditedTexts(const EditedTexts& texts, TPerson& person);

} // namespace lw
