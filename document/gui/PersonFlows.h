#pragma once
// Entering a new person and changing an existing one through the person data
// dialog. Both return the list row to select afterwards, or nothing when the
// dialog was cancelled (or could not open) and the document is unchanged.
// The caller refreshes the person list and the views.
#include "document/Document.h"
#include "document/gui/EditPForm.h"

#include <optional>

namespace lw {

// Opens the dialog empty; on OK appends the person on the first free cell.
std::optional<int> NewPerson(TEditPForm& form, Document& doc);

// Opens the dialog with person `index` (0 <= index < PersonCount); on OK
// replaces its data, keeps its cell and frees its loaded picture. A stored
// picture name with a forbidden character is reported and the dialog opens
// with the picture field empty.
std::optional<int> EditItem(TEditPForm& form, Document& doc, int index);

} // namespace lw
