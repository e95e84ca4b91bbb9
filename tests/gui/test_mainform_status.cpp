// What the window tells without being asked: the star of unsaved changes in
// the title, what an export wrote where, why a drop did not land, and the
// name an imported tree is first saved under.
#include "app/commands/GedcomCommands.h"
#include "app/pages/ArrangePage.h"
#include "app/window/MainForm.h"
#include "chart/gui/ArrangeController.h"
#include "chart/gui/ChartView.h"
#include "document/StaFile.h"
#include "gui/MainWindowFixture.h"
#include "session/DocumentHistory.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

class MainFormStatusTest : public lw::test::MainWindowTest {
  protected:
    MainFormStatusTest() : MainWindowTest(lw::test::kLargeWindow) {}

    // A tree "huber.sta" of two persons side by side, opened.
    void openTree() {
        lw::Document d;
        for (const char* name : {"Huber", "Maier"}) {
            lw::TPerson p;
            p.VorName = "Anna";
            p.NachName = name;
            p.GridX = d.PersonCount();
            p.GridY = 0;
            d.addPerson(p);
        }
        ASSERT_TRUE(lw::saveSta(path("huber.sta"), d, lw::BoxLayout{}, nullptr));
        ASSERT_TRUE(form->openFile(path("huber.sta")));
    }

    // The title the window system shows, with "[*]" resolved.
    QString shownTitle() const { return form->windowHandle()->title(); }
    QString message() const { return form->statusBar()->currentMessage(); }
};

} // namespace

TEST_F(MainFormStatusTest, TitleShowsUnsavedChangesUntilSavedOrUndone) {
    const QString saved = QStringLiteral("Morvane Lindwerk 3.0 - huber.sta");
    const QString changed = saved + u'*';
    openTree();
    EXPECT_EQ(shownTitle(), saved);

    lw::ArrangeController* arrange = form->arrangeController();
    arrange->selectPerson(1);
    ASSERT_TRUE(arrange->moveSelected(1, 0)); // a move, as a drag ends
    EXPECT_TRUE(form->isWindowModified());
    EXPECT_EQ(shownTitle(), changed);
    form->history()->undo(); // back to what the file holds
    EXPECT_EQ(shownTitle(), saved);
    form->history()->redo();
    EXPECT_EQ(shownTitle(), changed);
    form->Speichern1Click();
    EXPECT_EQ(shownTitle(), saved);

    form->arrangePage()->CaptionEd()->setText(QStringLiteral("Familie Huber"));
    EXPECT_EQ(shownTitle(), changed);
    dialogs.answerMessage(lw::IDNO); // New: do not save
    form->Neu1Click();
    EXPECT_EQ(shownTitle(), QStringLiteral("Morvane Lindwerk 3.0 - Keine Datei"));
    form->arrangePage()->CaptionEd()->setText(QStringLiteral("Neu"));
    EXPECT_EQ(shownTitle(), QStringLiteral("Morvane Lindwerk 3.0 - Keine Datei*"));
    dialogs.answerMessage(lw::IDNO); // Open: do not save
    ASSERT_TRUE(form->openFileAsked(path("huber.sta")));
    EXPECT_EQ(shownTitle(), saved);
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

// Each export says in the status bar what it wrote where; a failure says it
// did not (after its error box), and Cancel says nothing.
TEST_F(MainFormStatusTest, ExportsTellWhatWasWrittenWhere) {
    openTree();
    const struct {
        const char* what;
        const char* file;
        std::function<void()> run;
    } exports[] = {
        {"Poster", "poster.pdf", [this] { form->PosterBtnClick(); }},
        {"Poster", "poster.svg", [this] { form->PosterBtnClick(); }},
        {"GEDCOM-Datei", "export.ged", [this] { lw::app::exportGedcomCommand(*form); }},
        {"Lebensläufe", "leben.txt", [this] { form->LeblaufBtnClick(); }},
    };
    for (const auto& e : exports) {
        SCOPED_TRACE(e.file);
        const QString good = path(e.file);
        dialogs.answerSave(good);
        e.run();
        EXPECT_TRUE(QFile::exists(good));
        EXPECT_EQ(message(), QStringLiteral("%1 gespeichert: %2")
                                 .arg(QString::fromUtf8(e.what), QDir::toNativeSeparators(good)));

        const QString bad = dir.filePath(QStringLiteral("fehlt/") + QLatin1String(e.file));
        dialogs.answerSave(bad).answerMessage(lw::IDOK);
        e.run();
        EXPECT_FALSE(QFile::exists(bad));
        ASSERT_FALSE(dialogs.messages().empty());
        EXPECT_EQ(dialogs.messages().back().caption, QStringLiteral("Fehler"));
        EXPECT_EQ(message(), QStringLiteral("%1 nicht gespeichert: %2")
                                 .arg(QString::fromUtf8(e.what), QDir::toNativeSeparators(bad)));

        form->statusBar()->clearMessage();
        dialogs.answerSave(QString()); // Cancel
        e.run();
        EXPECT_EQ(message(), QString());
    }
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(MainFormStatusTest, ImportedTreeIsFirstSavedBesideItsGedcomFile) {
    const QString ged =
        writeFile("familie.ged", "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Anna /Lind/\n0 TRLR\n");
    dialogs.answerMessage(lw::IDOK); // the import report
    lw::app::importGedcomFile(*form, ged);
    ASSERT_EQ(doc().PersonCount(), 1);
    EXPECT_TRUE(doc().FileName.isEmpty());

    dialogs.answerSave(path("familie.sta"));
    form->Speichern1Click();
    ASSERT_EQ(dialogs.fileQuestions().size(), 1u);
    EXPECT_EQ(dialogs.fileQuestions()[0].request.fileName, path("familie.sta"));
    EXPECT_TRUE(QFile::exists(path("familie.sta")));
    EXPECT_EQ(message(), QStringLiteral("Stammbaum gespeichert: %1")
                             .arg(QDir::toNativeSeparators(path("familie.sta"))));

    // A new tree proposes nothing again.
    form->Neu1Click();
    dialogs.answerSave(QString());
    form->Speichernunter1Click();
    ASSERT_EQ(dialogs.fileQuestions().size(), 2u);
    EXPECT_EQ(dialogs.fileQuestions()[1].request.fileName, QString());
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(MainFormStatusTest, DropOnAnotherPersonSaysWhyItStays) {
    openTree();
    form->PageControl1()->setCurrentIndex(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->margins() == lw::ChartMargins{45, 68}; }));
    QWidget* paintBox = form->arrangeView()->viewport();
    // Box centres at the default settings (W 168, H 96, margins 45 and 68).
    const QPoint first(45 + 80, 68 + 44), second(168 + 45 + 80, 68 + 44);
    QTest::mousePress(paintBox, Qt::LeftButton, {}, first);
    QTest::mouseMove(paintBox, second);
    QTest::mouseRelease(paintBox, Qt::LeftButton, {}, second);
    EXPECT_EQ(doc().person(0).GridX, 0); // stayed
    EXPECT_FALSE(doc().Modified);
    EXPECT_EQ(message(), QStringLiteral("Dort steht schon „Anna Maier“: eine Person kann nur auf "
                                        "ein freies Feld gezogen werden. Sie bleibt auf dem "
                                        "letzten freien Feld."));

    // A drop on a free cell says nothing.
    form->statusBar()->clearMessage();
    const QPoint free(2 * 168 + 45 + 80, 68 + 44);
    QTest::mousePress(paintBox, Qt::LeftButton, {}, first);
    QTest::mouseMove(paintBox, free);
    QTest::mouseRelease(paintBox, Qt::LeftButton, {}, free);
    EXPECT_EQ(doc().person(0).GridX, 2);
    EXPECT_EQ(message(), QString());
}
