#include "document/gui/PersonFlows.h"

#include "platform/DocText.h"

namespace lw {
namespace {

// The partner list holds the same rows as the parent lists.
std::vector<PartnerEntry> shownPartners(const Document& doc, int index) {
    std::vector<PartnerEntry> entries = partnerEntries(doc, index);
    for (PartnerEntry& e : entries)
        e.partner = shownParentRow(doc, index, e.partner);
    return entries;
}

// Gives person `index` the partnerships of the dialog; `change` receives
// what changed.
void storePartners(Document& doc, int index, const TEditPForm::Result& confirmed,
                   PartnershipChange* change) {
    std::vector<PartnerEntry> entries = confirmed.partners;
    for (PartnerEntry& e : entries)
        e.partner = e.partner < 0 ? -1 : storedParent(e.partner, index);
    PartnershipChange made = partnershipChange(doc, index, doc.person(index).sex, entries);
    made.apply(doc);
    if (change) *change = std::move(made);
}

} // namespace

std::optional<int> addPersonThroughDialog(TEditPForm& form, Document& doc,
                                          PartnershipChange* change) {
    form.fillEmpty(parentRows(doc, -1));
    if (!form.execDialog()) return std::nullopt;

    const TEditPForm::Result& confirmed = *form.confirmed();
    TPerson person = confirmed.texts;
    person.Vater = confirmed.vaterRow;
    person.Mutter = confirmed.mutterRow;
    placeNewPerson(doc, person);
    doc.Modified = true;
    const int index = doc.addPerson(std::move(person));
    // Every person was offered as partner: row r is person r.
    std::vector<PartnerEntry> entries = confirmed.partners;
    for (PartnerEntry& e : entries)
        if (e.partner >= index) e.partner = -1;
    PartnershipChange made = partnershipChange(doc, index, doc.person(index).sex, entries);
    made.apply(doc);
    if (change) *change = std::move(made);
    return index;
}

std::optional<int> editPersonThroughDialog(TEditPForm& form, Document& doc, int index,
                                           PartnershipChange* change) {
    const TPerson& old = doc.person(index);
    QString bild = fromDocText(old.Bild);
    form.fillFrom(old, parentRows(doc, index), shownParentRow(doc, index, old.Vater),
                  shownParentRow(doc, index, old.Mutter), shownPartners(doc, index));
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
    // How the person is a child of its parents stays while they stay.
    if (person.Vater == old.Vater) person.fatherRelation = old.fatherRelation;
    if (person.Mutter == old.Mutter) person.motherRelation = old.motherRelation;
    person.GridX = old.GridX;
    person.GridY = old.GridY;
    doc.Modified = true;
    doc.replacePerson(index, std::move(person)); // frees the loaded picture
    storePartners(doc, index, confirmed, change);
    return index;
}

} // namespace lw
