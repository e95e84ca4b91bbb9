// The main window keeps its box settings in the settings file between runs.
#include "app/pages/SettingsPage.h"
#include "app/widgets/IntSpinEdit.h"
#include "app/window/MainForm.h"
#include "session/DocumentHistory.h"
#include "session/FormStorage.h"
#include "tests/gui/MainWindowFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using lw::TMainForm;
using lw::test::ScriptedDialogs;

TEST(MainFormSettings, ClosingWritesTheBoxValuesAndTheNextRunStartsWithThem) {
    const QString file = lw::defaultFormSettingsPath();
    ASSERT_FALSE(QFile::exists(file));
    {
        ScriptedDialogs dialogs;
        auto form = lw::test::showMainWindow(dialogs);
        EXPECT_EQ(form->boxLayout(), lw::BoxLayout{}); // no file: the initial values
        lw::BoxLayout box = form->boxLayout();
        box.resetToStandard();
        box.setBreit(200);
        form->setBoxLayout(box);
        EXPECT_TRUE(form->close()); // nothing modified: no question
    }
    ASSERT_TRUE(QFile::exists(file));
    const QByteArray text = lw::test::readFile(file);
    EXPECT_TRUE(text.contains("[TMainForm]"));
    EXPECT_TRUE(text.contains("bkColorBox_ColorValue=-2147483624"));
    EXPECT_TRUE(text.contains("BreitEd_Value=200"));

    ScriptedDialogs dialogs;
    auto next = lw::test::showMainWindow(dialogs);
    EXPECT_EQ(next->boxLayout().BreitEd, 200);
    EXPECT_EQ(next->boxLayout().bkColor, lw::clInfoBk);
}

TEST(MainFormSettings, AWindowDestroyedWithoutClosingStillSaves) {
    const QString file = lw::defaultFormSettingsPath();
    {
        ScriptedDialogs dialogs;
        auto form = lw::test::showMainWindow(dialogs);
        lw::BoxLayout box = form->boxLayout();
        box.setHoch(50);
        form->setBoxLayout(box);
    }
    EXPECT_TRUE(lw::test::readFile(file).contains("HochEd_Value=50"));
}

namespace {

// Answers the printer set-up with the given poster options.
class SetupAnswer : public lw::PrinterDialogs {
  public:
    explicit SetupAnswer(lw::PrintOptions options) : options_(options) {}
    bool printDialog(QPrinter&) override { return false; }
    void setupDialog(QPrinter&, lw::PrintOptions& options) override { options = options_; }

  private:
    lw::PrintOptions options_;
};

} // namespace

// A crash keeps what was set: the file is written a moment after each change
// of the box values or the printer set-up, while the window stays open.
TEST(MainFormSettings, ChangesReachTheFileWithoutClosingTheWindow) {
    const QString file = lw::defaultFormSettingsPath();
    ScriptedDialogs dialogs;
    auto form = lw::test::showMainWindow(dialogs);
    QApplication::processEvents();
    EXPECT_FALSE(QFile::exists(file)); // nothing changed yet

    form->settingsPage()->BreitEd()->setValue(210); // as the user types it
    EXPECT_TRUE(form->settingsTimer().isActive());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return lw::test::readFile(file).contains("BreitEd_Value=210"); },
                        4 * TMainForm::kSettingsDelayMs));

    lw::PrintOptions options;
    options.scaleMode = lw::ScaleMode::SheetsWide;
    options.sheetsWide = 4;
    options.skipEmpty = true;
    options.glueMm = 10;
    options.marks = true;
    options.map = true;
    form->setPrinterDialogs(std::make_unique<SetupAnswer>(options));
    form->SetupBtnClick();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const QByteArray text = lw::test::readFile(file);
            return text.contains("BlaetterBreit=4") && text.contains("LeereAuslassen=1") &&
                   text.contains("KlebeRandMm=10") && text.contains("Schnittmarken=1") &&
                   text.contains("Uebersicht=1");
        },
        4 * TMainForm::kSettingsDelayMs));

    // Undoing the box change is a change of the settings too.
    form->history()->undo();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !lw::test::readFile(file).contains("BreitEd_Value=210"); },
                        4 * TMainForm::kSettingsDelayMs));
    EXPECT_TRUE(dialogs.allAnswersUsed());
    EXPECT_EQ(dialogs.questionCount(), 0);
}

// A pipe or a device in the settings file's place: the window comes up with
// the initial values, says once that the file is not read, and never
// replaces it.
TEST(MainFormSettings, ASettingsFileThatIsNoPlainFileIsNeitherReadNorReplaced) {
    const QString file = lw::defaultFormSettingsPath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
    for (const bool pipe : {true, false}) {
        SCOPED_TRACE(pipe ? "pipe" : "/dev/zero");
        QFile::remove(file);
        ASSERT_EQ(pipe ? ::mkfifo(QFile::encodeName(file).constData(), 0600)
                       : ::symlink("/dev/zero", QFile::encodeName(file).constData()),
                  0);
        ScriptedDialogs dialogs;
        // The file is not read; the box change leaves the tree changed: not saved.
        dialogs.answerMessage(lw::IDOK).answerMessage(lw::IDNO);
        {
            auto form = lw::test::showMainWindow(dialogs);
            QApplication::processEvents();
            EXPECT_EQ(form->boxLayout(), lw::BoxLayout{});
            form->settingsPage()->BreitEd()->setValue(210);
            QTest::qWait(2 * TMainForm::kSettingsDelayMs);
            EXPECT_TRUE(form->close());
        }
        ASSERT_EQ(dialogs.messages().size(), 2u); // the trouble is told once
        EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("keine gewöhnliche Datei")));
        EXPECT_EQ(dialogs.messages()[1].caption, QStringLiteral("Programm beenden"));
        const QFileInfo after(file);
        EXPECT_TRUE(pipe ? !after.isFile() && after.exists() : after.isSymLink());
    }
    QFile::remove(file);
}
