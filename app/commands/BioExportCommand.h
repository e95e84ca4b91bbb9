#pragma once
// "Lebensläufe exportieren...": asks for a text file and writes the
// biographies of all persons into it. The document is only read; its file
// name and modified flag stay as they are.
#include "document/Document.h"
#include "platform/Dialogs.h"

namespace lw {

// The save dialog of the export: it starts in the tree's folder with the
// tree's name and ".txt" (an unsaved tree: "Lebensläufe.txt" in the home
// folder).
FileDialogRequest bioExportRequest(const Document& doc);

// The work of the button LeblaufBtn. True when a file was written; false
// on Cancel (nothing happens) and on failure (the error box has been shown).
// `chosen`, when given, gets the file chosen in the dialog (empty on Cancel).
bool runBioExport(Dialogs& dialogs, const Document& doc, QString* chosen = nullptr);

} // namespace lw
