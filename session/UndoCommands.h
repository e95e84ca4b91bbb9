#pragma once
// The steps of the document history: each change of the document, and of
// the box values that the family tree file carries, as a command that can be
// taken back and done again.
//
// Most changes are made by the controls themselves (a drag, typing in a
// field, a dialog); their command is made afterwards, knows the value before
// and after, and skips the first redo that QUndoStack::push calls. Deleting
// and moving persons in the list are done by their command.
#include "document/Document.h"
#include "document/Layout.h"
#include "document/PartnershipEdit.h"

#include <QUndoCommand>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace lw::app {

// What the commands change, and how the window shows each kind of change
// after an undo or redo.
struct UndoContext {
    Document& doc;
    BoxLayout& box;
    // The person list is refilled with `row` selected (-1: none); both views
    // are repainted.
    std::function<void(int row)> showPersons;
    // Person `index` left the list, or came (back) into it and is selected:
    // only its row changes (a list may hold a hundred thousand); both views
    // are repainted.
    std::function<void(int index)> showRemoved;
    std::function<void(int index)> showInserted;
    // Both views are repainted (cells or area changed).
    std::function<void()> showCells;
    // The heading and margin fields show the document; both views repainted.
    std::function<void()> showChartLayout;
    // The settings page shows the box values; both views repainted.
    std::function<void()> showBoxLayout;
};

// One cell change of one person.
struct CellMove {
    int index;
    std::int32_t fromX, fromY;
    std::int32_t toX, toY;
    bool operator==(const CellMove&) const = default;
};

// The cells of all persons in index order, for cellMovesSince.
std::vector<std::pair<std::int32_t, std::int32_t>> cellSnapshot(const Document& doc);

class DocumentCommand : public QUndoCommand {
  public:
    void redo() final;
    void undo() final { revert(); }

  protected:
    DocumentCommand(UndoContext& context, const QString& text, bool alreadyDone)
        : QUndoCommand(text), ctx_(context), skipRedo_(alreadyDone) {}
    virtual void apply() = 0;
    virtual void revert() = 0;

    UndoContext& ctx_;

  private:
    bool skipRedo_;
};

// A person entered (already at `index`, the end of the list, with the
// partnerships `partnerships` made for it), or a person to delete. Undoing a
// delete puts the person back at its index with every parent reference that
// named it.
class PersonPresenceCommand : public DocumentCommand {
  public:
    enum Kind { Added, Deleted };
    PersonPresenceCommand(UndoContext& context, Kind kind, int index,
                          PartnershipChange partnerships = {});

  protected:
    void apply() override { kind_ == Added ? put() : take(); }
    void revert() override { kind_ == Added ? take() : put(); }

  private:
    void take();
    void put();

    Kind kind_;
    int index_;
    RemovedPerson removed_;
    PartnershipChange partnerships_;
};

// The data of person `index` and the partnerships replaced by the edit
// dialog (already done), as one step.
class EditPersonCommand : public DocumentCommand {
  public:
    EditPersonCommand(UndoContext& context, int index, const TPerson& before, const TPerson& after,
                      PartnershipChange partnerships = {});

  protected:
    void apply() override;
    void revert() override;

  private:
    void set(const TPerson& person);

    int index_;
    TPerson before_;
    TPerson after_;
    PartnershipChange partnerships_;
};

// Persons `i` and `j` (neighbours) change places in the list.
class ExchangePersonsCommand : public DocumentCommand {
  public:
    ExchangePersonsCommand(UndoContext& context, int i, int j);

  protected:
    void apply() override { exchange(j_); }
    void revert() override { exchange(i_); }

  private:
    void exchange(int selectAfter);
    int i_, j_;
};

using AreaSize = std::pair<std::int32_t, std::int32_t>;

// Persons moved to other cells: one drag, or a whole arrangement (which may
// also have grown the area).
class CellMovesCommand : public DocumentCommand {
  public:
    CellMovesCommand(UndoContext& context, const QString& text, std::vector<CellMove> moves,
                     bool alreadyDone);
    const std::vector<CellMove>& moves() const { return moves_; }
    void setAreaChange(AreaSize before, AreaSize after) {
        areaBefore_ = before;
        areaAfter_ = after;
    }

  protected:
    void apply() override;
    void revert() override;

  private:
    std::vector<CellMove> moves_;
    std::optional<AreaSize> areaBefore_, areaAfter_;
};

// The moves that lead from `before` (a cellSnapshot) to the document's cells
// now, and the area from `areaBefore` to now, as one step already done;
// null when nothing changed.
std::unique_ptr<CellMovesCommand>
cellMovesSince(UndoContext& context, const QString& text,
               const std::vector<std::pair<std::int32_t, std::int32_t>>& before,
               std::optional<AreaSize> areaBefore = std::nullopt);

// A value changed as a whole (already done): the area size, the heading and
// margins, the box values. Commands with the same merge key (>= 0) and
// session merge into one step, so that typing in a field is one step; a step
// that ends where it began disappears.
template <class Value> class ValueCommand : public DocumentCommand {
  public:
    using Setter = std::function<void(UndoContext&, const Value&)>;
    ValueCommand(UndoContext& context, const QString& text, Value before, Value after, Setter set,
                 int mergeKey = -1, quint64 session = 0)
        : DocumentCommand(context, text, true), before_(std::move(before)),
          after_(std::move(after)), set_(std::move(set)), mergeKey_(mergeKey), session_(session) {}

    int id() const override { return mergeKey_; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = dynamic_cast<const ValueCommand*>(other);
        if (!next || next->session_ != session_) return false;
        after_ = next->after_;
        setObsolete(after_ == before_);
        return true;
    }

  protected:
    void apply() override { set_(ctx_, after_); }
    void revert() override { set_(ctx_, before_); }

  private:
    Value before_;
    Value after_;
    Setter set_;
    int mergeKey_;
    quint64 session_;
};

// The document's area now, after `before`.
std::unique_ptr<QUndoCommand> areaStep(UndoContext& context, AreaSize before);
// The document's heading and margins now, after `before`.
std::unique_ptr<QUndoCommand> chartLayoutStep(UndoContext& context, const QString& text,
                                              const ChartLayout& before, int mergeKey = -1,
                                              quint64 session = 0);
// The box values now, after `before`.
std::unique_ptr<QUndoCommand> boxLayoutStep(UndoContext& context, const QString& text,
                                            const BoxLayout& before, int mergeKey = -1,
                                            quint64 session = 0);

} // namespace lw::app
