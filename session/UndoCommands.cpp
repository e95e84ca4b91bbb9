#include "session/UndoCommands.h"

#include <algorithm>
#include <tuple>

namespace lw::app {
namespace {

// A copy of a person's data.
TPerson dataOf(const TPerson& person) {
    return person;
}

bool validIndex(const Document& doc, int index) {
    return index >= 0 && index < doc.PersonCount();
}

} // namespace

std::vector<std::pair<std::int32_t, std::int32_t>> cellSnapshot(const Document& doc) {
    std::vector<std::pair<std::int32_t, std::int32_t>> cells;
    cells.reserve(size_t(doc.PersonCount()));
    for (const TPerson& p : doc.Persons())
        cells.emplace_back(p.GridX, p.GridY);
    return cells;
}

void DocumentCommand::redo() {
    if (skipRedo_) {
        skipRedo_ = false;
        return;
    }
    apply();
}

// ------------------------------------------------------------- persons

PersonPresenceCommand::PersonPresenceCommand(UndoContext& context, Kind kind, int index,
                                             PartnershipChange partnerships)
    : DocumentCommand(context,
                      kind == Added ? QStringLiteral("Person hinzufügen")
                                    : QStringLiteral("Person löschen"),
                      kind == Added),
      kind_(kind), index_(index), partnerships_(std::move(partnerships)) {}

void PersonPresenceCommand::take() {
    if (!validIndex(ctx_.doc, index_)) return;
    partnerships_.revert(ctx_.doc);         // before the person goes: they name it
    removed_ = ctx_.doc.takePerson(index_); // frees its picture; parents follow
    ctx_.showRemoved(index_);
}

void PersonPresenceCommand::put() {
    if (removed_.index != index_ || index_ > ctx_.doc.PersonCount()) return;
    ctx_.doc.restorePerson(std::move(removed_));
    removed_ = RemovedPerson{};
    partnerships_.apply(ctx_.doc);
    ctx_.showInserted(index_);
}

EditPersonCommand::EditPersonCommand(UndoContext& context, int index, const TPerson& before,
                                     const TPerson& after, PartnershipChange partnerships)
    : DocumentCommand(context, QStringLiteral("Person ändern"), true), index_(index),
      before_(dataOf(before)), after_(dataOf(after)), partnerships_(std::move(partnerships)) {}

void EditPersonCommand::apply() {
    if (!validIndex(ctx_.doc, index_)) return;
    partnerships_.apply(ctx_.doc);
    set(after_);
}

void EditPersonCommand::revert() {
    if (!validIndex(ctx_.doc, index_)) return;
    partnerships_.revert(ctx_.doc);
    set(before_);
}

void EditPersonCommand::set(const TPerson& person) {
    ctx_.doc.replacePerson(index_, dataOf(person)); // frees the loaded picture
    ctx_.showPersons(index_);
}

ExchangePersonsCommand::ExchangePersonsCommand(UndoContext& context, int i, int j)
    : DocumentCommand(context,
                      j < i ? QStringLiteral("Person nach oben verschieben")
                            : QStringLiteral("Person nach unten verschieben"),
                      false),
      i_(i), j_(j) {}

void ExchangePersonsCommand::exchange(int selectAfter) {
    if (!validIndex(ctx_.doc, i_) || !validIndex(ctx_.doc, j_)) return;
    ctx_.doc.exchangeNeighbours(i_, j_);
    ctx_.showPersons(selectAfter);
}

// --------------------------------------------------------------- cells

CellMovesCommand::CellMovesCommand(UndoContext& context, const QString& text,
                                   std::vector<CellMove> moves, bool alreadyDone)
    : DocumentCommand(context, text, alreadyDone), moves_(std::move(moves)) {}

void CellMovesCommand::apply() {
    if (areaAfter_) std::tie(ctx_.doc.AreaWidth, ctx_.doc.AreaHeight) = *areaAfter_;
    std::vector<CellPlacement> placements;
    for (const CellMove& m : moves_)
        if (validIndex(ctx_.doc, m.index)) placements.push_back({m.index, m.toX, m.toY});
    ctx_.doc.setGridPositions(placements);
    ctx_.showCells();
}

void CellMovesCommand::revert() {
    std::vector<CellPlacement> placements;
    for (auto m = moves_.rbegin(); m != moves_.rend(); ++m)
        if (validIndex(ctx_.doc, m->index)) placements.push_back({m->index, m->fromX, m->fromY});
    ctx_.doc.setGridPositions(placements);
    if (areaBefore_) std::tie(ctx_.doc.AreaWidth, ctx_.doc.AreaHeight) = *areaBefore_;
    ctx_.showCells();
}

std::unique_ptr<CellMovesCommand>
cellMovesSince(UndoContext& context, const QString& text,
               const std::vector<std::pair<std::int32_t, std::int32_t>>& before,
               std::optional<AreaSize> areaBefore) {
    std::vector<CellMove> moves;
    const int n = std::min(context.doc.PersonCount(), int(before.size()));
    for (int i = 0; i < n; ++i) {
        const TPerson& p = context.doc.person(i);
        const auto [x, y] = before[size_t(i)];
        if (p.GridX != x || p.GridY != y) moves.push_back({i, x, y, p.GridX, p.GridY});
    }
    const AreaSize areaNow{context.doc.AreaWidth, context.doc.AreaHeight};
    const bool grown = areaBefore && *areaBefore != areaNow;
    if (moves.empty() && !grown) return nullptr;
    auto command = std::make_unique<CellMovesCommand>(context, text, std::move(moves), true);
    if (grown) command->setAreaChange(*areaBefore, areaNow);
    return command;
}

// -------------------------------------------------------------- values

std::unique_ptr<QUndoCommand> areaStep(UndoContext& context, AreaSize before) {
    return std::make_unique<ValueCommand<AreaSize>>(
        context, QStringLiteral("Größe der Fläche ändern"), before,
        AreaSize{context.doc.AreaWidth, context.doc.AreaHeight},
        [](UndoContext& c, const AreaSize& size) {
            c.doc.AreaWidth = size.first;
            c.doc.AreaHeight = size.second;
            c.showCells();
        });
}

std::unique_ptr<QUndoCommand> chartLayoutStep(UndoContext& context, const QString& text,
                                              const ChartLayout& before, int mergeKey,
                                              quint64 session) {
    return std::make_unique<ValueCommand<ChartLayout>>(
        context, text, before, context.doc.chart,
        [](UndoContext& c, const ChartLayout& chart) {
            c.doc.chart = chart;
            c.showChartLayout();
        },
        mergeKey, session);
}

std::unique_ptr<QUndoCommand> boxLayoutStep(UndoContext& context, const QString& text,
                                            const BoxLayout& before, int mergeKey,
                                            quint64 session) {
    return std::make_unique<ValueCommand<BoxLayout>>(
        context, text, before, context.box,
        [](UndoContext& c, const BoxLayout& box) {
            c.box = box;
            c.showBoxLayout();
        },
        mergeKey, session);
}

} // namespace lw::app
