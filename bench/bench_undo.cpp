// Undo and redo on a tree of 100,000 persons through the window's history:
// one drag and one delete, each taken back and done again with the person
// list and the views brought up to date as the user sees them (the views
// only schedule their painting; what painting costs, the chart benchmark
// says).
#include "app/DocumentHistory.h"
#include "app/MainForm.h"
#include "bench/Bench.h"
#include "platform/Dialogs.h"

namespace lw::bench {
namespace {

// Confirms every question (the delete asks first).
class YesDialogs : public Dialogs {
  public:
    int messageBox(const QString&, const QString&, unsigned) override { return IDOK; }
    QString openFileName(const FileDialogRequest&) override { return {}; }
    QString saveFileName(const FileDialogRequest&) override { return {}; }
    bool chooseFont(TFontInfo&) override { return false; }
    bool chooseColor(TColor&) override { return false; }
};

} // namespace

void benchUndo() {
    constexpr int kPersons = 100000;
    YesDialogs dialogs;
    TMainForm form(dialogs);
    form.document() = generationsChart(kPersons, 400);
    form.document().AreaWidth = form.document().AreaHeight = 400;
    form.UpdatePersonList();
    app::DocumentHistory& history = *form.history();
    history.reset();
    Document& doc = form.document();

    // A drag of a person in the middle to a free cell below the tree.
    const int dragged = kPersons / 2;
    std::int32_t x, y;
    doc.GetGridPos(dragged, x, y);
    doc.setGridPos(dragged, 10, 300);
    history.personMoved(dragged, x, y, 10, 300);
    const double dragUndo = bestMs(5, [&] {
        history.undo();
        history.redo();
    });

    // A delete of a person with children in the middle of the list.
    const double deleteMs = bestMs(1, [&] { history.deletePerson(dragged); });
    const double deleteUndo = bestMs(5, [&] {
        history.undo();
        history.redo();
    });
    history.undo();
    const double documentOnly = bestMs(5, [&] { doc.restorePerson(doc.takePerson(dragged)); });
    const bool whole = doc.PersonCount() == kPersons && doc.person(dragged + 400).Vater == dragged;

    std::printf("undo: %d persons through the window's history (undo + redo each)\n", kPersons);
    std::printf("  drag   undo+redo %8.2f ms\n", dragUndo);
    std::printf("  delete           %8.2f ms\n", deleteMs);
    std::printf("  delete undo+redo %8.2f ms%s\n", deleteUndo, whole ? "" : "  WRONG RESULT");
    std::printf("  of which the document (take + restore) %8.2f ms\n", documentOnly);
}

} // namespace lw::bench
