#pragma once
// The history of the open document: every change as one step that
// "Rückgängig" (Ctrl+Z) takes back and "Wiederholen" (Ctrl+Y, Ctrl+Shift+Z)
// does again, and the modified flag that follows it: the document is
// modified exactly when the history stands elsewhere than at the last save.
//
// The window reports each change it made (or asks for the change) through
// the methods below; the history keeps the commands and the undo and redo
// actions. Each document that replaces the open one starts the history
// anew.
#include "session/UndoCommands.h"

#include <QObject>
#include <QUndoStack>
#include <functional>
#include <memory>

class QAction;

namespace lw::app {

class DocumentHistory : public QObject {
    Q_OBJECT
  public:
    // Typing in one of these fields, without leaving it, is one step.
    enum Field { CaptionField = 1, RandLField, RandOField, RandOED2Field, FirstBoxField = 100 };

    explicit DocumentHistory(UndoContext context, QObject* parent = nullptr);
    ~DocumentHistory() override;

    QUndoStack& stack() { return stack_; }
    UndoContext& context() { return context_; }
    QAction* undoAction() const { return undoAction_; }
    QAction* redoAction() const { return redoAction_; }
    // What must end before a step is undone or redone (a drag in progress).
    void setBeforeStep(std::function<void()> beforeStep) { beforeStep_ = std::move(beforeStep); }

    void undo();
    void redo();
    // Takes the command and does it (unless it was done already); a null
    // command is ignored.
    void push(std::unique_ptr<QUndoCommand> command);
    // After the document was replaced: no steps to undo or redo.
    // `modified`: no file holds the document as it stands (an import,
    // recovered work), so no step leads back to an unmodified state.
    void reset(bool modified = false);
    // The document was saved as it stands now.
    void markSaved();
    // The keyboard focus moved: typing on in a field is a step of its own.
    // The window calls this on every change of focus.
    void focusMoved() { ++session_; }

    // --- changes the window made ---------------------------------------
    // `partnerships`: what the dialog changed in the partnerships with the
    // person's data, part of the same step.
    void personAdded(int index, PartnershipChange partnerships = {});
    // Person `index` was edited; nothing is recorded when its data and the
    // partnerships are as before.
    void personEdited(int index, const TPerson& before, PartnershipChange partnerships = {});
    void personMoved(int index, int oldX, int oldY, int newX, int newY);
    void areaChanged(AreaSize before);
    // The heading or margins changed; `field` merges typing (or -1).
    void chartLayoutChanged(const ChartLayout& before, const QString& text, int field = -1);
    void boxLayoutChanged(const BoxLayout& before, const QString& text, int field = -1);

    // --- changes the history makes -----------------------------------------
    void deletePerson(int index);
    void exchangePersons(int i, int j);

  signals:
    // After every change of the document: a step done, undone or redone, or
    // a new history.
    void documentChanged();

  private:
    void sync();
    void updateTooltips();

    UndoContext context_;
    QUndoStack stack_;
    QAction* undoAction_;
    QAction* redoAction_;
    std::function<void()> beforeStep_;
    // Typing merges only within one session; leaving the field, undo and
    // redo start a new one.
    quint64 session_ = 0;
    bool resetting_ = false;
};

} // namespace lw::app
