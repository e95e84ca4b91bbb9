#pragma once
// What the commands of the window work on: the open document with its undo
// history and the box values, the one way to replace the document, the
// unsaved-changes question, the dialogs, and the notices that make the
// window show what a command changed. The main window is the session of a
// run; a command written against this knows none of its widgets and runs
// as well on a session without a window.
#include "document/Document.h"
#include "document/Layout.h"

#include <QString>

namespace lw {

class Dialogs;
namespace app {
class DocumentHistory;
} // namespace app

class Session {
  public:
    virtual ~Session() = default;

    // Where a document that replaces the open one comes from.
    enum class Origin {
        New,            // the empty document
        OpenedFile,     // read from `source`, as saved there
        ImportedGedcom, // read from the GEDCOM file `source`; never saved
        RecoveredWork,  // a recovery copy of the unsaved tree in `source`
    };

    virtual Document& document() = 0;
    virtual const Document& document() const = 0;
    // Undo and redo of every change of the document; it keeps Modified.
    virtual app::DocumentHistory* history() const = 0;
    virtual BoxLayout& boxLayout() = 0;
    virtual Dialogs& dialogs() = 0;

    // The one way the open document is replaced (New, Open, an import,
    // recovered work): the undo history starts anew, the file name and the
    // modified flag follow `origin`, and everything shows the new document.
    virtual void replaceDocument(Document doc, Origin origin, const QString& source = {}) = 0;
    // The unsaved-changes question; true when the command may go on.
    virtual bool askToSaveChanges(const QString& caption) = 0;

    // After every change of the persons: the list and both views.
    virtual void UpdatePersonList() = 0;
    // The heading, margins and line style of the document in the controls
    // that show them.
    virtual void showChartLayout() = 0;
    // Both views are painted anew (cells or the area changed).
    virtual void repaintViews() = 0;
    // The arrange view brings person `index` into view.
    virtual void showPerson(int index) = 0;
    // After an export: "<what> gespeichert: <file>", or that it was not
    // (the error itself has been shown). Nothing when no file was chosen.
    virtual void tellExport(const QString& what, bool written, const QString& path) = 0;
};

} // namespace lw
