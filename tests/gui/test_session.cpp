// The commands of the window run on a session without a window: what they
// change goes through the session, and the document is replaced only
// through its one replace function.
#include "app/commands/ArrangeCommands.h"
#include "app/commands/GedcomCommands.h"
#include "gui/ScriptedDialogs.h"
#include "session/DocumentHistory.h"
#include "session/Session.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

using lw::test::ScriptedDialogs;

class FakeSession : public lw::Session {
  public:
    lw::Document& document() override { return doc_; }
    const lw::Document& document() const override { return doc_; }
    lw::app::DocumentHistory* history() const override { return &history_; }
    lw::BoxLayout& boxLayout() override { return box_; }
    lw::Dialogs& dialogs() override { return dialogs_; }
    void replaceDocument(lw::Document doc, Origin origin, const QString& source = {}) override {
        doc_ = std::move(doc);
        replaced.emplace_back(origin, source);
        history_.reset(origin == Origin::ImportedGedcom || origin == Origin::RecoveredWork);
    }
    bool askToSaveChanges(const QString&) override {
        ++questions;
        return goOn;
    }
    void UpdatePersonList() override { ++listUpdates; }
    void showChartLayout() override {}
    void repaintViews() override {}
    void showPerson(int) override {}
    void tellExport(const QString&, bool, const QString&) override {}

    ScriptedDialogs dialogs_;
    bool goOn = true;
    int questions = 0;
    int listUpdates = 0;
    std::vector<std::pair<Origin, QString>> replaced;

  private:
    lw::Document doc_;
    lw::BoxLayout box_;
    mutable lw::app::DocumentHistory history_{
        {doc_, box_, [](int) {}, [](int) {}, [](int) {}, [] {}, [] {}, [] {}}};
};

} // namespace

TEST(Session, GedcomImportAndArrangementNeedNoWindow) {
    QTemporaryDir dir;
    const QString ged = dir.filePath(QStringLiteral("paar.ged"));
    QFile file(ged);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("0 HEAD\n1 CHAR UTF-8\n0 @A@ INDI\n1 NAME Ida /Roth/\n"
               "0 @B@ INDI\n1 NAME Paul /Roth/\n0 TRLR\n");
    file.close();

    FakeSession session;
    session.goOn = false; // the unsaved-changes question says Cancel
    lw::app::importGedcomFile(session, ged);
    EXPECT_TRUE(session.replaced.empty());

    session.goOn = true;
    session.dialogs_.answerMessage(lw::IDOK); // the import report
    lw::app::importGedcomFile(session, ged);
    ASSERT_EQ(session.replaced.size(), 1u);
    EXPECT_EQ(session.replaced[0].first, lw::Session::Origin::ImportedGedcom);
    EXPECT_EQ(session.replaced[0].second, ged);
    EXPECT_EQ(session.questions, 2);
    ASSERT_EQ(session.document().PersonCount(), 2);
    EXPECT_GE(session.document().person(1).GridX, 0); // arranged on the way in

    // All persons anew: one step of the session's history, and the list
    // is told.
    lw::Document& doc = session.document();
    for (int i = 0; i < 2; ++i)
        doc.setGridPos(i, 20 + i, 20 + i);
    session.dialogs_.answerMessage(lw::IDYES);
    lw::app::autoArrangeCommand(session);
    EXPECT_EQ(doc.person(0).GridY, 0);
    EXPECT_EQ(session.listUpdates, 1);
    ASSERT_EQ(session.history()->stack().count(), 1);
    session.history()->undo();
    EXPECT_EQ(doc.person(1).GridX, 21);
    EXPECT_TRUE(session.dialogs_.allAnswersUsed());
}
