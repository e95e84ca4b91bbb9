// Every way a document takes the place of the open one: the pictures being
// read for the old one are forgotten, the history starts anew, and the file
// name, the modified flag and the title are those of where it came from.
#include "app/commands/GedcomCommands.h"
#include "app/window/MainForm.h"
#include "chart/PictureLoader.h"
#include "gui/MainWindowFixture.h"
#include "session/DocumentHistory.h"
#include "session/RecoveryKeeper.h"

#include <QSignalSpy>

namespace {

class ReplaceDocumentTest : public lw::test::MainWindowTest {
  public:
    ReplaceDocumentTest() : MainWindowTest(lw::test::kLargeWindow) {}

    // A tree of persons with large photographs, open on the arrange page,
    // so that its pictures are being read, and with one change.
    void openPhotoTree() {
        ASSERT_TRUE(form->openFile(lw::test::writePhotoTree(dir, 8)));
        ASSERT_TRUE(showArrangePage());
        growArea();
    }
    // One step of the history: the area grows by a column.
    void growArea() {
        const lw::app::AreaSize before{doc().AreaWidth, doc().AreaHeight};
        ++doc().AreaWidth;
        form->history()->areaChanged(before);
        ASSERT_EQ(form->history()->stack().count(), 1);
    }
    // A copy of unsaved changes to "familie.sta", left by a program that
    // did not end normally.
    void leaveRecoveryCopy() {
        const QString tree = lw::test::writeTree(path("familie.sta"), {"Huber"});
        lw::test::ScriptedDialogs other;
        auto crashed = lw::test::showMainWindow(other);
        ASSERT_TRUE(crashed->openFile(tree));
        crashed->document().AreaWidth = 70;
        crashed->history()->areaChanged({60, 60});
        crashed->recoveryKeeper()->writeNow();
    }
};

constexpr const char* kTitle = "Morvane Lindwerk 3.0 - ";

} // namespace

TEST_F(ReplaceDocumentTest, EveryOriginForgetsPicturesAndHistoryAndSetsTheSavedState) {
    const QString ged =
        writeFile("family.ged", "0 HEAD\n1 CHAR UTF-8\n0 @A@ INDI\n1 NAME Ida /Roth/\n0 TRLR\n");
    const QString other = lw::test::writeTree(path("andere.sta"), {"Maier", "Huber"});
    struct Case {
        const char* origin;
        std::function<void(ReplaceDocumentTest&)> replace;
        bool modified;
        QString title;
    };
    const Case cases[] = {
        {"New",
         [](ReplaceDocumentTest& t) {
             t.dialogs.answerMessage(lw::IDNO); // the changes are not saved
             t.form->Neu1Click();
         },
         false, "Keine Datei"},
        {"Open",
         [&](ReplaceDocumentTest& t) {
             t.dialogs.answerMessage(lw::IDNO).answerOpen(other);
             t.form->ffnen1Click();
         },
         false, "andere.sta"},
        {"a file dropped",
         [&](ReplaceDocumentTest& t) {
             t.dialogs.answerMessage(lw::IDNO);
             t.form->openFileAsked(other);
         },
         false, "andere.sta"},
        {"a file at start", [&](ReplaceDocumentTest& t) { t.form->openFile(other); }, false,
         "andere.sta"},
        {"GEDCOM import",
         [&](ReplaceDocumentTest& t) {
             t.dialogs.answerMessage(lw::IDNO).answerMessage(lw::IDOK); // the report
             lw::app::importGedcomFile(*t.form, ged);
         },
         true, "Keine Datei"},
        {"recovered work",
         [](ReplaceDocumentTest& t) {
             t.leaveRecoveryCopy();
             t.dialogs.answerMessage(lw::IDYES);
             t.form->offerRecovery();
         },
         true, "familie.sta"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.origin);
        openPhotoTree();
        if (HasFatalFailure()) return;
        QSignalSpy cancelled(&form->pictureLoader(), &lw::PictureLoader::cancelled);
        c.replace(*this);
        EXPECT_TRUE(dialogs.allAnswersUsed());
        EXPECT_EQ(cancelled.count(), 1);
        EXPECT_TRUE(form->pictureLoader().idle());
        EXPECT_EQ(form->history()->stack().count(), 0);
        EXPECT_EQ(doc().Modified, c.modified);
        EXPECT_EQ(form->isWindowModified(), c.modified);
        EXPECT_EQ(form->windowTitle(), kTitle + c.title + "[*]");
        // A change and its undo come back to the state of the origin.
        growArea();
        form->history()->undo();
        EXPECT_EQ(doc().Modified, c.modified);
        // Nothing of the old tree is read any more.
        settle();
        EXPECT_TRUE(form->pictureLoader().idle());
    }
}
