// Copies of unsaved changes: written after a change and the timer, offered
// by the next window after a crash, restored exactly, removed by save and by
// a normal exit; never taken from a program that is still running.
#include "app/pages/PersonListController.h"
#include "app/window/MainForm.h"
#include "document/StaFile.h"
#include "gui/MainWindowFixture.h"
#include "session/DocumentHistory.h"
#include "session/RecoveryKeeper.h"
#include "tests/ChildProcess.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using lw::TMainForm;
using lw::app::RecoveryKeeper;
using lw::test::ScriptedDialogs;

namespace {

class RecoveryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tree = lw::test::writeTree(dir.filePath("familie.sta"), {"Huber", "M\u00FCller", "Lind"},
                                   {}, "Familie");
    }

    std::unique_ptr<TMainForm> window(ScriptedDialogs& dialogs) {
        auto form = lw::test::showMainWindow(
            dialogs, {}, [](TMainForm& f) { f.recoveryKeeper()->setDelays(20, 300); });
        QApplication::processEvents(); // the offer comes after the first show
        return form;
    }

    // Opens the tree and changes it as a user does: a person moves down.
    void openAndChange(TMainForm& form, ScriptedDialogs& dialogs) {
        dialogs.answerOpen(tree);
        form.ffnen1Click();
        change(form);
    }
    void change(TMainForm& form) {
        form.personList()->selectRow(0);
        form.MoveDownToBtnClick();
        ASSERT_TRUE(form.document().Modified);
    }

    QStringList copies() const {
        return QDir(RecoveryKeeper::defaultFolder()).entryList({"*.lwrec"}, QDir::Files);
    }

    QTemporaryDir dir;
    QString tree;
};

} // namespace

TEST_F(RecoveryTest, CopyAfterTheTimerIsOfferedRestoredAndRemoved) {
    ScriptedDialogs first;
    auto crashed = window(first);
    openAndChange(*crashed, first);
    const QString copy = crashed->recoveryKeeper()->copyPath();
    EXPECT_FALSE(QFileInfo::exists(copy)) << "only after the timer";
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(copy); }, 3000));
    const QByteArray unsaved = lw::serializeSta(crashed->document(), crashed->boxLayout());
    EXPECT_NE(unsaved, lw::test::readFile(tree)) << "the user's file is not touched";
    const QDateTime written = QFileInfo(copy).lastModified();
    crashed.reset(); // gone without closing, as in a crash

    ScriptedDialogs second;
    second.answerMessage(lw::IDYES);
    auto next = window(second);
    ASSERT_EQ(second.messages().size(), 1u);
    const auto& offer = second.messages()[0];
    EXPECT_TRUE(offer.text.startsWith(QStringLiteral(
        "Die Sitzung wurde nicht ordnungsgemäß beendet. Nicht gespeicherte Änderungen am "
        "Stammbaum ")));
    EXPECT_EQ(offer.text.toStdString(),
              RecoveryKeeper::question(written, tree, QStringLiteral("Familie")).toStdString());
    EXPECT_TRUE(offer.text.contains(
        QStringLiteral("am Stammbaum „%1“ vom ").arg(QDir::toNativeSeparators(tree))));
    EXPECT_TRUE(offer.text.endsWith(written.toString("dd.MM.yyyy, HH:mm") + " wiederherstellen?"));
    EXPECT_EQ(offer.flags, unsigned(lw::MB_YESNO | lw::MB_ICONQUESTION));
    EXPECT_EQ(lw::serializeSta(next->document(), next->boxLayout()), unsaved);
    EXPECT_TRUE(next->document().Modified);
    EXPECT_EQ(next->document().FileName, tree);
    EXPECT_TRUE(next->windowTitle().endsWith("familie.sta[*]"));
    EXPECT_EQ(copies(), QStringList{QFileInfo(next->recoveryKeeper()->copyPath()).fileName()});

    next->Speichern1Click(); // where the user expects it, without a question
    EXPECT_TRUE(second.allAnswersUsed());
    EXPECT_EQ(lw::loadSta(tree, lw::BoxLayout{}).file->doc.person(1).NachName, "Huber");
    EXPECT_EQ(copies(), QStringList());

    change(*next);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !copies().isEmpty(); }, 3000));
    second.answerMessage(lw::IDNO); // do not save: a normal exit all the same
    next->close();
    EXPECT_EQ(copies(), QStringList());
}

// Recovered work is in no file: a change and its undo leave it unsaved, so
// "Beenden" still asks, and "Abbrechen" keeps the window and the copy.
TEST_F(RecoveryTest, RecoveredWorkStaysUnsavedAfterAChangeAndItsUndo) {
    ScriptedDialogs first;
    auto crashed = window(first);
    openAndChange(*crashed, first);
    crashed->recoveryKeeper()->writeNow();
    crashed.reset();

    ScriptedDialogs second;
    second.answerMessage(lw::IDYES);
    auto next = window(second);
    ASSERT_EQ(second.messages().size(), 1u);
    EXPECT_EQ(next->history()->stack().count(), 0);
    change(*next);
    next->history()->undo();
    EXPECT_TRUE(next->document().Modified);
    EXPECT_TRUE(next->isWindowModified());

    second.answerMessage(lw::IDCANCEL);
    next->EndeBtnClick();
    ASSERT_EQ(second.messages().size(), 2u);
    EXPECT_EQ(second.messages()[1].caption, QStringLiteral("Programm beenden"));
    EXPECT_TRUE(next->isVisible());
    next->recoveryKeeper()->writeNow();
    EXPECT_EQ(copies(), QStringList{QFileInfo(next->recoveryKeeper()->copyPath()).fileName()});
    second.answerMessage(lw::IDNO);
    next->EndeBtnClick();
    EXPECT_TRUE(second.allAnswersUsed());
}

// A running program keeps its copy; one whose program was killed (its lock
// left behind) is offered, and "Nein" removes it.
TEST_F(RecoveryTest, OnlyCopiesOfEndedProgramsAreOffered) {
    ScriptedDialogs first;
    auto running = window(first);
    openAndChange(*running, first);
    running->recoveryKeeper()->writeNow();
    const QString copy = running->recoveryKeeper()->copyPath();
    ASSERT_TRUE(QFileInfo::exists(copy));

    ScriptedDialogs second;
    auto other = window(second);
    EXPECT_EQ(second.messages().size(), 0u);
    EXPECT_TRUE(QFileInfo::exists(copy));
    other.reset();

    // The running program dies: its copy stays with a lock of a process
    // that is gone.
    running.reset();
    const QString lockPath = copy.left(copy.size() - 6) + ".lock";
    ASSERT_EQ(lw::test::waitChild(lw::test::forkChild([&] {
                  QLockFile lock(lockPath);
                  if (!lock.tryLock(0)) return 1;
                  ::_exit(0); // killed: the lock file stays
              })),
              0);
    ASSERT_TRUE(QFileInfo::exists(lockPath));

    ScriptedDialogs third;
    third.answerMessage(lw::IDNO);
    auto after = window(third);
    EXPECT_EQ(third.messages().size(), 1u);
    EXPECT_FALSE(after->document().Modified);
    EXPECT_EQ(after->document().PersonCount(), 0);
    EXPECT_EQ(copies(), QStringList());
}

// The question names the tree: its file, or for a tree never saved its
// heading.
TEST(RecoveryQuestion, NamesTheTree) {
    const QDateTime at(QDate(2026, 3, 4), QTime(5, 6));
    EXPECT_EQ(RecoveryKeeper::question(at, QStringLiteral("/home/a/bach.sta"), QStringLiteral("X")),
              QStringLiteral("Die Sitzung wurde nicht ordnungsgemäß beendet. Nicht gespeicherte "
                             "Änderungen am Stammbaum „%1“ vom 04.03.2026, 05:06 "
                             "wiederherstellen?")
                  .arg(QDir::toNativeSeparators(QStringLiteral("/home/a/bach.sta"))));
    EXPECT_TRUE(RecoveryKeeper::question(at, QString(), QStringLiteral(" Familie Bach "))
                    .contains(QStringLiteral("am nie gespeicherten Stammbaum „Familie Bach“ vom")));
    EXPECT_TRUE(RecoveryKeeper::question(at, QString(), QStringLiteral("  "))
                    .contains(QStringLiteral("an einem nie gespeicherten Stammbaum ohne "
                                             "Überschrift vom")));
}
