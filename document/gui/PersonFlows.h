#pragma once
// Entering a new person and changing an existing one through the person data
// dialog. Both return the list row to select afterwards, or nothing when the
// dialog was cancelled (or could not open) and the document is unchanged.
// The caller refreshes the person list and the views.
#include "document/Document.h"
#include "document/PartnershipEdit.h"
#include "document/gui/EditPForm.h"

#include <optional>

namespace lw {

// Opens the dialog empty; on OK appends the person on the first free cell,
// with its partnerships. `change` (when given) receives how the
// partnerships changed.
std::optional<int> addPersonThroughDialog(TEditPForm& form, Document& doc,
                                          PartnershipChange* change = nullptr);

// Opens the dialog with person `index` (0 <= index < PersonCount); on OK
// replaces its data, keeps its cell and frees its loaded picture. A stored
// picture name with a forbidden character is reported and the dialog opens
// with the picture field empty. The person's partnerships become those of
// the dialog; `change` (when given) receives how they changed.
std::optional<int> editPersonThroughDialog(TEditPForm& form, Document& doc, int index,
                                           PartnershipChange* change = nullptr);

} // namespace lw
