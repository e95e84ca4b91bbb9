#include "document/gui/PersonFlows.h"

#include "platform/Win1252.h"

namespace lw {

std::optional<int> NewPerson(TEditPForm& form, Document& doc) {
    form.fillEmpty(parentRows(doc, -1));
    if (!form.execDialog()) return std::nullopt;

    const TEditPForm::Result& confirmed = *form.confirmed();
    TPerson person = confirmed.texts;
    person.Vater = confirmed.vaterRow;
    person.Mutter = confirmed.mutterRow;
    placeNewPerson(doc, person);
    doc.Modified = true;
    return doc.addPerson(std::move(person));
}

std::optional<int> EditItem(TEditPForm& form, Document& doc, int index) {
    const TPerson& old = doc.person(index);
    QString bild = fromAnsi(old.Bild);
    form.fillFrom(old, parentRows(doc, index), shownParentRow(doc, index, old.Vater),
                  shownParentRow(doc, index, old.Mutter));
    // A stored name the dialog cannot take is said so; the person can still
    // be edited, with the picture field empty (Cancel keeps the stored name).
    if (!isValidPictureName(bild)) {
        showError(form.dialogs(), invalidPictureNameMessage(bild));
        form.clearPictureName();
    }
    if (!form.execDialog()) return std::nullopt;

    const TEditPForm::Result& confirmed = *form.confirmed();
    TPerson person = confirmed.texts;
    person.Vater = storedParent(confirmed.vaterRow, index);
    person.Mutter = storedParent(confirmed.mutterRow, index);
    person.GridX = old.GridX;
    person.GridY = old.GridY;
    doc.Modified = true;
    doc.replacePerson(index, std::move(person)); // frees the loaded picture
    return index;
}

} // namespace lw
