#include "session/DocumentHistory.h"

#include <QAction>

namespace lw::app {
namespace {

bool sameData(const TPerson& a, const TPerson& b) {
    return a.Bild == b.Bild && a.NachName == b.NachName && a.VorName == b.VorName &&
           a.StDate == b.StDate && a.GebDate == b.GebDate && a.Vater == b.Vater &&
           a.Mutter == b.Mutter && a.Leben == b.Leben && a.GridX == b.GridX && a.GridY == b.GridY &&
           a.sex == b.sex && a.birthPlace == b.birthPlace && a.deathPlace == b.deathPlace &&
           a.baptism == b.baptism && a.burial == b.burial && a.fatherRelation == b.fatherRelation &&
           a.motherRelation == b.motherRelation;
}

QString withKeys(const QString& what, const QString& step, const char* keys) {
    const QString name = step.isEmpty() ? what : what + QStringLiteral(": ") + step;
    return name + QStringLiteral(" (") + QString::fromUtf8(keys) + QLatin1Char(')');
}

} // namespace

DocumentHistory::DocumentHistory(UndoContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    undoAction_ = new QAction(QIcon(QStringLiteral(":/images/glyph_undo.png")),
                              QStringLiteral("Rückgängig"), this);
    undoAction_->setObjectName(QStringLiteral("UndoAction"));
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = new QAction(QIcon(QStringLiteral(":/images/glyph_redo.png")),
                              QStringLiteral("Wiederholen"), this);
    redoAction_->setObjectName(QStringLiteral("RedoAction"));
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    for (QAction* a : {undoAction_, redoAction_}) {
        a->setEnabled(false);
        a->setShortcutContext(Qt::WindowShortcut);
    }
    connect(undoAction_, &QAction::triggered, this, &DocumentHistory::undo);
    connect(redoAction_, &QAction::triggered, this, &DocumentHistory::redo);
    connect(&stack_, &QUndoStack::canUndoChanged, undoAction_, &QAction::setEnabled);
    connect(&stack_, &QUndoStack::canRedoChanged, redoAction_, &QAction::setEnabled);
    connect(&stack_, &QUndoStack::indexChanged, this, &DocumentHistory::sync);
    connect(&stack_, &QUndoStack::cleanChanged, this, &DocumentHistory::sync);
    connect(&stack_, &QUndoStack::undoTextChanged, this, &DocumentHistory::updateTooltips);
    connect(&stack_, &QUndoStack::redoTextChanged, this, &DocumentHistory::updateTooltips);
    updateTooltips();
}

DocumentHistory::~DocumentHistory() {
    // The stack clears itself as it goes and would report that to a window
    // that is being destroyed.
    stack_.disconnect();
}

void DocumentHistory::sync() {
    if (resetting_) return;
    context_.doc.Modified = !stack_.isClean();
    emit documentChanged();
}

void DocumentHistory::updateTooltips() {
    undoAction_->setToolTip(withKeys(QStringLiteral("Rückgängig"), stack_.undoText(), "Strg+Z"));
    redoAction_->setToolTip(
        withKeys(QStringLiteral("Wiederholen"), stack_.redoText(), "Strg+Y, Strg+Umschalt+Z"));
}

void DocumentHistory::undo() {
    if (beforeStep_) beforeStep_();
    ++session_;
    stack_.undo();
}

void DocumentHistory::redo() {
    if (beforeStep_) beforeStep_();
    ++session_;
    stack_.redo();
}

void DocumentHistory::push(std::unique_ptr<QUndoCommand> command) {
    if (command) stack_.push(command.release());
}

void DocumentHistory::reset(bool modified) {
    resetting_ = true;
    stack_.clear();
    if (modified) stack_.resetClean();
    resetting_ = false;
    ++session_;
    context_.doc.Modified = modified;
    emit documentChanged();
}

void DocumentHistory::markSaved() {
    stack_.setClean();
    context_.doc.Modified = false;
}

// ------------------------------------------------------------ recording

void DocumentHistory::personAdded(int index, PartnershipChange partnerships) {
    push(std::make_unique<PersonPresenceCommand>(context_, PersonPresenceCommand::Added, index,
                                                 std::move(partnerships)));
}

void DocumentHistory::personEdited(int index, const TPerson& before,
                                   PartnershipChange partnerships) {
    const TPerson& after = context_.doc.person(index);
    if (sameData(before, after) && partnerships.empty()) return;
    push(std::make_unique<EditPersonCommand>(context_, index, before, after,
                                             std::move(partnerships)));
}

void DocumentHistory::personMoved(int index, int oldX, int oldY, int newX, int newY) {
    if (oldX == newX && oldY == newY) return;
    push(std::make_unique<CellMovesCommand>(context_, QStringLiteral("Person verschieben"),
                                            std::vector<CellMove>{{index, oldX, oldY, newX, newY}},
                                            true));
}

void DocumentHistory::areaChanged(AreaSize before) {
    if (before == AreaSize{context_.doc.AreaWidth, context_.doc.AreaHeight}) return;
    push(areaStep(context_, before));
}

void DocumentHistory::chartLayoutChanged(const ChartLayout& before, const QString& text,
                                         int field) {
    if (before == context_.doc.chart) return;
    push(chartLayoutStep(context_, text, before, field, session_));
}

void DocumentHistory::boxLayoutChanged(const BoxLayout& before, const QString& text, int field) {
    if (before == context_.box) return;
    push(boxLayoutStep(context_, text, before, field, session_));
}

void DocumentHistory::deletePerson(int index) {
    push(std::make_unique<PersonPresenceCommand>(context_, PersonPresenceCommand::Deleted, index));
}

void DocumentHistory::exchangePersons(int i, int j) {
    push(std::make_unique<ExchangePersonsCommand>(context_, i, j));
}

} // namespace lw::app
