#pragma once
// The window's GEDCOM commands: "GEDCOM importieren..." and "GEDCOM
// exportieren..." (a menu button beside the file commands).
class QString;
class QToolButton;
class QWidget;

namespace lw {
class Session;
} // namespace lw

namespace lw::app {

// Asks about unsaved changes as Open does, reads the chosen file, arranges
// the persons without a cell and shows the import report. The new tree has
// no file name and counts as changed.
void importGedcomCommand(Session& session);
// The same for a file already chosen (dropped on the window, named at start).
void importGedcomFile(Session& session, const QString& path);
// Whether `path` names a GEDCOM file (by its ".ged" ending).
bool isGedcomFileName(const QString& path);
// Writes the document as a GEDCOM file chosen in the save dialog.
void exportGedcomCommand(Session& session);
// The "GEDCOM" button of the top bar with its menu of both commands.
QToolButton* makeGedcomButton(Session& session, QWidget* parent);

} // namespace lw::app
