// The window's GEDCOM commands and "Automatisch anordnen".
#include "app/pages/ArrangePage.h"
#include "app/pages/SettingsPage.h"
#include "app/window/MainForm.h"
#include "gedcom/GedcomImport.h"
#include "gui/MainWindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace {

class GedcomCommandsTest : public lw::test::MainWindowTest {
  protected:
    void trigger(const char* action) {
        QAction* a = form->findChild<QAction*>(QLatin1String(action));
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
    }
};

const QByteArray kFamily = "0 HEAD\n1 CHAR UTF-8\n0 @A@ INDI\n1 NAME Ida /Łoś/\n1 OCCU Ärztin\n"
                           "0 @B@ INDI\n1 NAME Paul /Roth/\n1 _LWPOS 7 0\n"
                           "0 @C@ INDI\n1 NAME Eva /Roth/\n1 FAMC @F@\n"
                           "0 @F@ FAM\n1 HUSB @B@\n1 WIFE @A@\n1 CHIL @C@\n0 TRLR\n";

} // namespace

TEST_F(GedcomCommandsTest, ImportAsksLikeOpenArrangesAndReports) {
    makeModified();
    const QString ged = writeFile("family.ged", kFamily);
    dialogs.answerMessage(lw::IDNO).answerOpen(ged).answerMessage(lw::IDOK);
    trigger("ImportGedcomAction");
    EXPECT_TRUE(dialogs.allAnswersUsed());
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[0].caption, QStringLiteral("GEDCOM importieren"));
    EXPECT_TRUE(dialogs.fileQuestions().at(0).request.filter.contains(QLatin1String("*.ged")));
    const auto& report = dialogs.messages()[1];
    EXPECT_TRUE(report.text.contains(QStringLiteral("3 Personen")));
    // What the import left behind is shown; names are no longer transliterated.
    EXPECT_TRUE(report.text.contains(QStringLiteral("1 Familien")));
    EXPECT_TRUE(report.text.contains(QStringLiteral("OCCU 1")));
    EXPECT_EQ(doc().person(0).NachName, "Łoś");

    ASSERT_EQ(doc().PersonCount(), 3);
    EXPECT_TRUE(doc().FileName.isEmpty());
    EXPECT_TRUE(doc().Modified);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Morvane Lindwerk 3.0 - Keine Datei[*]"));
    // The cell the file brought stays; the others join beside and below it.
    EXPECT_EQ(doc().person(1).GridX, 7);
    EXPECT_EQ(doc().person(1).GridY, 0);
    EXPECT_EQ(doc().person(0).GridY, 0);
    EXPECT_EQ(doc().person(2).GridY, 1);
    // An imported tree shows its couples as families; both pages say so.
    EXPECT_EQ(doc().chart.lineStyle, lw::LineStyle::FamilyLines);
    EXPECT_EQ(form->arrangePage()->LineStyleBox()->currentIndex(), 1);
    EXPECT_EQ(form->settingsPage()->LineStyleBox()->currentIndex(), 1);
}

TEST_F(GedcomCommandsTest, ImportRefusedOrCancelledKeepsTheTree) {
    makeModified();
    dialogs.answerMessage(lw::IDCANCEL);
    trigger("ImportGedcomAction");
    EXPECT_EQ(dialogs.questionCount(), 1);

    const QString junk = writeFile("junk.ged", "not a family");
    dialogs.reset();
    dialogs.answerMessage(lw::IDNO).answerOpen(junk).answerMessage(lw::IDOK);
    trigger("ImportGedcomAction");
    EXPECT_TRUE(dialogs.allAnswersUsed());
    EXPECT_EQ(dialogs.messages().back().text, lw::gedcom::kMsgNotGedcom);
    EXPECT_EQ(dialogs.messages().back().caption, QStringLiteral("Fehler"));
    ASSERT_EQ(doc().PersonCount(), 1);
    EXPECT_EQ(doc().person(0).NachName, "Bauer");
}

TEST_F(GedcomCommandsTest, ExportWritesTheTree) {
    makeModified();
    const QString out = dir.filePath("out.ged");
    dialogs.answerSave(out);
    trigger("ExportGedcomAction");
    lw::gedcom::GedcomImportResult back = lw::gedcom::loadGedcom(out);
    ASSERT_TRUE(back.doc);
    ASSERT_EQ(back.doc->PersonCount(), 1);
    EXPECT_EQ(back.doc->person(0).NachName, "Bauer");
    EXPECT_TRUE(doc().Modified); // exporting is not saving

    dialogs.reset();
    dialogs.answerSave(dir.filePath("missing/folder/out.ged")).answerMessage(lw::IDOK);
    trigger("ExportGedcomAction");
    EXPECT_EQ(dialogs.messages().at(0).caption, QStringLiteral("Fehler"));
}

TEST_F(GedcomCommandsTest, AutoArrangeAllOrOnlyUnplaced) {
    for (int i = 0; i < 3; ++i) {
        lw::TPerson p;
        p.Vater = i == 2 ? 0 : -1;
        p.Mutter = i == 2 ? 1 : -1;
        p.GridX = i == 0 ? 9 : -1;
        p.GridY = i == 0 ? 9 : -1;
        doc().addPerson(p);
    }
    auto* button = form->arrangePage()->AutoArrangeBtn();
    ASSERT_EQ(button->text(), QStringLiteral("Automatisch anordnen"));

    dialogs.answerMessage(lw::IDCANCEL);
    button->click();
    EXPECT_EQ(doc().person(1).GridX, -1);
    EXPECT_FALSE(doc().Modified);

    dialogs.answerMessage(lw::IDNO); // only the unplaced ones
    button->click();
    EXPECT_EQ(doc().person(0).GridX, 9);
    EXPECT_EQ(doc().person(1).GridY, 9);
    EXPECT_EQ(doc().person(2).GridY, 10);
    EXPECT_TRUE(doc().Modified);

    dialogs.answerMessage(lw::IDYES); // everyone
    button->click();
    EXPECT_EQ(doc().person(0).GridY, 0);
    EXPECT_EQ(doc().person(2).GridY, 1);
    EXPECT_TRUE(dialogs.allAnswersUsed());
}
