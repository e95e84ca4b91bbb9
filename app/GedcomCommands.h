#pragma once
// The window's GEDCOM commands and the automatic arrangement: "GEDCOM
// importieren...", "GEDCOM exportieren..." (a menu button beside the file
// commands) and "Automatisch anordnen" on the arrange page.
class QString;
class QToolButton;
class QWidget;
class TMainForm;

namespace lw::app {

// Asks about unsaved changes as Open does, reads the chosen file, arranges
// the persons without a cell and shows the import report. The new tree has
// no file name and counts as changed.
void importGedcomCommand(TMainForm& form);
// The same for a file already chosen (dropped on the window, named at start).
void importGedcomFile(TMainForm& form, const QString& path);
// Whether `path` names a GEDCOM file (by its ".ged" ending).
bool isGedcomFileName(const QString& path);
// Writes the document as a GEDCOM file chosen in the save dialog.
void exportGedcomCommand(TMainForm& form);
// Asks whether all persons or only those without a cell are arranged, then
// arranges them in one change.
void autoArrangeCommand(TMainForm& form);

// The "GEDCOM" button of the top bar with its menu of both commands.
QToolButton* makeGedcomButton(TMainForm& form, QWidget* parent);

} // namespace lw::app
