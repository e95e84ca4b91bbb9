// Undo and redo on a tree of 100,000 persons through the window's history:
// one drag and one delete, each taken back and done again with the person
// list and the views brought up to date as the user sees them (the views
// only schedule their painting; what painting costs, the chart benchmark
// says).
#include "app/window/MainForm.h"
#include "bench/Bench.h"
#include "platform/Dialogs.h"
#include "session/DocumentHistory.h"

#include <algorithm>
#include <utility>

namespace lw::bench {

void benchUndo() {
    constexpr int kPersons = 100000;
    AnsweringDialogs dialogs;
    TMainForm form(dialogs);
    form.document() = generationsChart(kPersons, 400);
    form.document().AreaWidth = form.document().AreaHeight = 400;
    form.UpdatePersonList();
    app::DocumentHistory& history = *form.history();
    history.reset();
    Document& doc = form.document();

    // Best of five undo and redo pairs, each timed on its own.
    auto undoRedo = [&history] {
        double undoMs = 1e300, redoMs = 1e300;
        for (int run = 0; run < 5; ++run) {
            undoMs = std::min(undoMs, bestMs(1, [&] { history.undo(); }));
            redoMs = std::min(redoMs, bestMs(1, [&] { history.redo(); }));
        }
        return std::pair{undoMs, redoMs};
    };

    // A drag of a person in the middle to a free cell below the tree.
    const int dragged = kPersons / 2;
    std::int32_t x, y;
    doc.GetGridPos(dragged, x, y);
    doc.setGridPos(dragged, 10, 300);
    history.personMoved(dragged, x, y, 10, 300);
    const auto [dragUndo, dragRedo] = undoRedo();

    // A delete of a person with children in the middle of the list.
    const double deleteMs = bestMs(1, [&] { history.deletePerson(dragged); });
    const auto [deleteUndo, deleteRedo] = undoRedo();
    history.undo();
    const bool whole = doc.PersonCount() == kPersons && doc.person(dragged + 400).Vater == dragged;

    std::printf("undo: %d persons through the window's history\n", kPersons);
    std::printf("  drag    undo %8.2f ms   redo %8.2f ms\n", dragUndo, dragRedo);
    std::printf("  delete  undo %8.2f ms   redo %8.2f ms   (the delete itself %.2f ms)%s\n",
                deleteUndo, deleteRedo, deleteMs, whole ? "" : "  WRONG RESULT");
}

} // namespace lw::bench
