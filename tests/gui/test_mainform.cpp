#include "app/pages/ArrangePage.h"
#include "app/pages/PersonsPage.h"
#include "app/pages/PrintPage.h"
#include "app/pages/SettingsPage.h"
#include "app/widgets/ColorChooser.h"
#include "app/widgets/ImageButton.h"
#include "app/widgets/IntSpinEdit.h"
#include "app/widgets/StatusProgress.h"
#include "app/window/AboutBox.h"
#include "app/window/MainForm.h"
#include "chart/gui/AreaForm.h"
#include "document/StaFile.h"
#include "document/gui/EditPForm.h"
#include "gui/MainWindowFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using lw::TMainForm;
using lw::test::ScriptedDialogs;

namespace {

const QString kQuestion = QStringLiteral("Wollen Sie die Änderungen speichern?");
// The raw title: Qt shows "[*]" as a star while the window is modified.
const QString kNoFileTitle = QStringLiteral("Morvane Lindwerk 3.0 - Keine Datei[*]");

lw::TPerson person(const char* surname) {
    lw::TPerson p;
    p.NachName = surname;
    return p;
}

class MainFormTest : public lw::test::MainWindowTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        openWindow([this](TMainForm& f) {
            f.setAboutHandler([this] { ++aboutRequests; });
            f.setUrlOpener([this](const QUrl& url) { openedUrls.push_back(url); });
        });
    }

    // A family tree file with the given persons, written beside the test.
    QString writeTree(const char* name, std::initializer_list<const char*> surnames,
                      const lw::BoxLayout& box = {}, const char* heading = "Familie Huber") {
        return lw::test::writeTree(path(name), surnames, box, heading, 20.5);
    }

    // The surnames stored in a family tree file.
    std::vector<std::string> surnamesIn(const QString& p) {
        lw::StaReadResult r = lw::loadSta(p, lw::BoxLayout{});
        std::vector<std::string> names;
        if (!r.file) {
            ADD_FAILURE() << "cannot read " << p.toStdString() << ": " << r.error.toStdString();
            return names;
        }
        for (const lw::TPerson& p : r.file->doc.Persons())
            names.push_back(p.NachName);
        return names;
    }

    void expectQuestion(size_t index, const QString& caption) {
        ASSERT_GT(dialogs.messages().size(), index);
        const auto& m = dialogs.messages()[index];
        EXPECT_EQ(m.text, kQuestion);
        EXPECT_EQ(m.caption, caption);
        EXPECT_EQ(m.flags, unsigned(lw::MB_YESNOCANCEL | lw::MB_ICONSTOP));
    }

    void expectError(size_t index, const QString& text) {
        ASSERT_GT(dialogs.messages().size(), index);
        const auto& m = dialogs.messages()[index];
        EXPECT_EQ(m.text, text);
        EXPECT_EQ(m.caption, QStringLiteral("Fehler"));
        EXPECT_EQ(m.flags, unsigned(lw::MB_OK | lw::MB_ICONSTOP));
    }

    int aboutRequests = 0;
    std::vector<QUrl> openedUrls;
};

// ------------------------------------------------------------ the frame

TEST_F(MainFormTest, StartsEmptyWithTheNoFileTitle) {
    EXPECT_EQ(form->windowTitle(), kNoFileTitle);
    EXPECT_EQ(doc().PersonCount(), 0);
    EXPECT_TRUE(doc().FileName.isEmpty());
    EXPECT_FALSE(doc().Modified);
    EXPECT_EQ(form->aboutBox()->windowTitle(), QStringLiteral("Info"));
    EXPECT_EQ(form->aboutBox()->size(), QSize(664, 453));
    EXPECT_EQ(form->editPForm()->windowTitle(), QStringLiteral("Personendaten bearbeiten"));
    EXPECT_EQ(form->areaForm()->windowTitle(), QStringLiteral("Größe der Fläche ändern"));
    EXPECT_FALSE(form->aboutBox()->isVisible());
}

TEST_F(MainFormTest, PagesAndNamedControlsAreInPlace) {
    QTabWidget* tabs = form->PageControl1();
    ASSERT_EQ(tabs->count(), 4);
    const char* captions[] = {"Personen verwalten", "Personen anordnen", "Drucken",
                              "Einstellungen"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(tabs->tabText(i), QString::fromUtf8(captions[i]));
        EXPECT_FALSE(tabs->tabIcon(i).isNull());
    }
    for (const char* name :
         {"ListBox1",      "NewBtn",         "EditBtn",        "DelBtn",       "MoveUpToBtn",
          "MoveDownToBtn", "AreaBtn",        "CaptionEd",      "Font2Btn",     "RandLEd",
          "RandOEd",       "RandOED2",       "ScrollBox1",     "GoBtn1",       "SetupBtn",
          "LeblaufBtn",    "PrintScrollBox", "wwwBtn",         "ueberbtn",     "EndeBtn",
          "StatusBar1",    "bkColorBox",     "BorderColorBox", "FontSpeedBtn", "BreitEd",
          "HochEd",        "BildEd",         "Textausricht",   "LeblaufCheck", "UndoValBtn"})
        child(name);

    for (const char* name : {"SpeedButton1", "OpenBtn", "SaveBtn", "SaveAsBtn"})
        EXPECT_FALSE(child<QAbstractButton>(name)->icon().isNull()) << name;
}

TEST_F(MainFormTest, StaysUsableWhenMadeSmallOrLarge) {
    for (QSize size : {QSize(400, 300), QSize(638, 512), QSize(1200, 900)}) {
        form->resize(size);
        QCoreApplication::processEvents();
        // Never smaller than its contents need, and the pages fill the window.
        EXPECT_GE(form->width(), form->minimumSizeHint().width());
        EXPECT_GT(form->PageControl1()->height(), 200);
        EXPECT_LE(form->PageControl1()->geometry().right(), form->width());
    }
}

// ------------------------------------------------- New, and closing

TEST_F(MainFormTest, NewOnAnUnmodifiedDocumentClearsWithoutAsking) {
    doc().addPerson(person("Bauer"));
    doc().chart.Caption = "Alt";
    form->Neu1Click();
    EXPECT_EQ(dialogs.questionCount(), 0);
    EXPECT_EQ(doc().PersonCount(), 0);
    EXPECT_EQ(doc().chart.Caption, "Stammbaum der Familie X");
    EXPECT_EQ(form->arrangePage()->CaptionEd()->text(), QStringLiteral("Stammbaum der Familie X"));
}

// New, Open and closing ask first when there are unsaved changes: "Nein"
// goes on without saving, "Abbrechen" stops, "Ja" saves first (asking for
// a name), and a save that is cancelled or fails stops with nothing lost.
TEST_F(MainFormTest, UnsavedChangesQuestionGoesOnOnlyWhenNothingIsLost) {
    const QString tree = writeTree("tree.sta", {"Huber"});
    struct Command {
        const char* caption;
        std::function<void(MainFormTest&)> run;
    };
    const Command commands[] = {
        {"Neuer Stammbaum", [](MainFormTest& t) { t.form->Neu1Click(); }},
        {"Stammbaum öffnen", [](MainFormTest& t) { t.form->ffnen1Click(); }},
        {"Programm beenden", [](MainFormTest& t) { t.form->close(); }},
    };
    enum Answer { No, Cancel, Saved, SaveCancelled, SaveFails };
    for (const Command& command : commands) {
        const QString caption = QString::fromUtf8(command.caption);
        const bool opens = caption == QStringLiteral("Stammbaum öffnen");
        const bool exits = caption == QStringLiteral("Programm beenden");
        for (Answer answer : {No, Cancel, Saved, SaveCancelled, SaveFails}) {
            SCOPED_TRACE(std::string(command.caption) + ", answer " + std::to_string(answer));
            openWindow();
            dialogs.reset();
            makeModified();
            const QString saved = path(QStringLiteral("saved%1.sta").arg(answer));
            const bool goesOn = answer == No || answer == Saved;
            dialogs.answerMessage(answer == No       ? lw::IDNO
                                  : answer == Cancel ? lw::IDCANCEL
                                                     : lw::IDYES);
            if (answer == Saved) dialogs.answerSave(saved);
            if (answer == SaveCancelled) dialogs.answerSave(QString());
            if (answer == SaveFails) dialogs.answerSave(path("gone/x.sta")).answerMessage(lw::IDOK);
            if (opens && goesOn) dialogs.answerOpen(tree);
            command.run(*this);

            EXPECT_TRUE(dialogs.allAnswersUsed());
            expectQuestion(0, caption);
            EXPECT_EQ(form->isVisible(), !(exits && goesOn));
            const size_t saveDialogs = answer == No || answer == Cancel ? 0 : 1;
            ASSERT_EQ(dialogs.fileQuestions().size(), saveDialogs + (opens && goesOn ? 1 : 0));
            if (saveDialogs) {
                EXPECT_EQ(dialogs.fileQuestions()[0].kind, ScriptedDialogs::FileKind::Save);
            }
            if (answer == Saved) {
                EXPECT_EQ(surnamesIn(saved), std::vector<std::string>{"Bauer"});
            }
            if (answer == SaveFails)
                expectError(1, QStringLiteral("Datei konnte nicht erstellt werden."));
            if (!goesOn) {
                ASSERT_EQ(doc().PersonCount(), 1);
                EXPECT_EQ(doc().person(0).NachName, "Bauer");
                EXPECT_TRUE(doc().Modified);
                EXPECT_TRUE(doc().FileName.isEmpty());
                EXPECT_EQ(form->windowTitle(), kNoFileTitle);
            } else if (opens) {
                ASSERT_EQ(doc().PersonCount(), 1);
                EXPECT_EQ(doc().person(0).NachName, "Huber");
                EXPECT_EQ(doc().FileName, tree);
                EXPECT_FALSE(doc().Modified);
            } else { // cleared, also when the window closed
                EXPECT_EQ(doc().PersonCount(), 0);
                EXPECT_FALSE(doc().Modified);
                EXPECT_EQ(form->windowTitle(), kNoFileTitle);
            }
        }
    }
}

TEST_F(MainFormTest, NewAnsweredYesSavesUnderTheFileNameThenClears) {
    QString p = writeTree("old.sta", {"Alt"});
    dialogs.answerOpen(p);
    form->ffnen1Click();
    makeModified("Neu");
    dialogs.answerMessage(lw::IDYES);
    form->Neu1Click();
    EXPECT_EQ(dialogs.fileQuestions().size(), 1u); // only the open dialog
    EXPECT_EQ(surnamesIn(p), (std::vector<std::string>{"Alt", "Neu"}));
    EXPECT_EQ(doc().PersonCount(), 0);
    EXPECT_EQ(form->windowTitle(), kNoFileTitle);
}

TEST_F(MainFormTest, NewKeepsTheBoxLayout) {
    form->settingsPage()->BreitEd()->setValue(200);
    form->settingsPage()->BorderColorBox()->setColorValue(lw::rgb(0, 0, 255));
    dialogs.answerMessage(lw::IDNO); // the box values are saved with the tree
    form->Neu1Click();
    expectQuestion(0, QStringLiteral("Neuer Stammbaum"));
    EXPECT_EQ(form->boxLayout().BreitEd, 200);
    EXPECT_EQ(form->boxLayout().borderColor, lw::rgb(0, 0, 255));
}

// --------------------------------------------------------------- Open

TEST_F(MainFormTest, OpenReplacesTheDocumentAndShowsItsLayout) {
    lw::BoxLayout box;
    box.setBreit(222);
    box.setBild(30);
    box.Textausricht = 2;
    box.LeblaufCheck = false;
    box.bkColor = lw::rgb(255, 0, 0);
    QString p = writeTree("huber.sta", {"Huber", "Maier"}, box);
    dialogs.answerOpen(p);
    form->ffnen1Click();

    ASSERT_EQ(dialogs.fileQuestions().size(), 1u);
    const auto& request = dialogs.fileQuestions()[0].request;
    EXPECT_EQ(dialogs.fileQuestions()[0].kind, ScriptedDialogs::FileKind::Open);
    EXPECT_EQ(request.filter, QStringLiteral("Stammbäume|*.sta"));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("sta"));

    EXPECT_EQ(doc().PersonCount(), 2);
    EXPECT_EQ(doc().FileName, p);
    EXPECT_FALSE(doc().Modified);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Morvane Lindwerk 3.0 - huber.sta[*]"));
    EXPECT_EQ(form->boxLayout(), box);
    lw::app::SettingsPage* page = form->settingsPage();
    EXPECT_EQ(page->BreitEd()->value(), 222);
    EXPECT_EQ(page->BildEd()->value(), 30);
    EXPECT_TRUE(page->textausrichtButton(2)->isChecked());
    EXPECT_FALSE(page->LeblaufCheck()->isChecked());
    EXPECT_EQ(page->bkColorBox()->currentIndex(), 9); // Red
    EXPECT_EQ(form->arrangePage()->CaptionEd()->text(), QStringLiteral("Familie Huber"));
    EXPECT_DOUBLE_EQ(form->arrangePage()->RandLEd()->value(), 20.5);
    EXPECT_DOUBLE_EQ(doc().chart.RandLEd, 20.5);
}

TEST_F(MainFormTest, OpenCancelledInTheDialogChangesNothing) {
    doc().addPerson(person("Bauer"));
    dialogs.answerOpen(QString());
    form->ffnen1Click();
    EXPECT_EQ(doc().PersonCount(), 1);
    EXPECT_EQ(form->windowTitle(), kNoFileTitle);
}

TEST_F(MainFormTest, OpenOfABadFileLeavesTheDocumentUntouched) {
    const QString garbage = writeFile("garbage.sta", "Dies ist kein Stammbaum, nur Text.");
    const QByteArray whole = lw::test::readFile(writeTree("whole.sta", {"Huber", "Maier"}));
    ASSERT_FALSE(whole.isEmpty());
    const QString truncated = writeFile("truncated.sta", whole.left(whole.size() / 2));
    struct {
        QString file;
        QString message;
    } cases[] = {
        {garbage, QStringLiteral("Datei enthält keinen Stammbaum.")},
        {truncated, lw::kMsgDamaged},
        {path("does-not-exist.sta"), QStringLiteral("Datei konnte nicht geöffnet werden.")},
    };
    QString current = writeTree("current.sta", {"Bauer"});
    dialogs.answerOpen(current);
    form->ffnen1Click();
    makeModified("Schmidt");
    form->settingsPage()->HochEd()->setValue(123);
    form->arrangePage()->CaptionEd()->setText(QStringLiteral("Meine Familie"));

    for (const auto& c : cases) {
        dialogs.reset();
        dialogs.answerOpen(c.file).answerMessage(lw::IDOK);
        form->OpenItNow();
        expectError(0, c.message);
        EXPECT_EQ(doc().PersonCount(), 2) << c.file.toStdString();
        EXPECT_EQ(doc().person(1).NachName, "Schmidt");
        EXPECT_TRUE(doc().Modified);
        EXPECT_EQ(doc().FileName, current);
        EXPECT_EQ(doc().chart.Caption, "Meine Familie");
        EXPECT_EQ(form->boxLayout().HochEd, 123);
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Morvane Lindwerk 3.0 - current.sta[*]"));
    }
}

// --------------------------------------------------------- Save, Save as

TEST_F(MainFormTest, SaveWithoutFileNameActsAsSaveAs) {
    makeModified();
    QString p = path("neu.sta");
    dialogs.answerSave(p);
    form->Speichern1Click();
    ASSERT_EQ(dialogs.fileQuestions().size(), 1u);
    const auto& request = dialogs.fileQuestions()[0].request;
    EXPECT_EQ(request.filter, QStringLiteral("Stammbäume|*.sta"));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("sta"));
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(surnamesIn(p), std::vector<std::string>{"Bauer"});
    EXPECT_FALSE(doc().Modified);
    EXPECT_EQ(doc().FileName, p);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Morvane Lindwerk 3.0 - neu.sta[*]"));
}

TEST_F(MainFormTest, SaveWithFileNameWritesWithoutAnyDialog) {
    makeModified("Bauer");
    QString p = path("tree.sta");
    dialogs.answerSave(p);
    form->Speichernunter1Click();
    doc().addPerson(person("Huber"));
    doc().Modified = true;
    form->Speichern1Click();
    EXPECT_EQ(dialogs.fileQuestions().size(), 1u);
    EXPECT_EQ(surnamesIn(p), (std::vector<std::string>{"Bauer", "Huber"}));
    EXPECT_FALSE(doc().Modified);
}

TEST_F(MainFormTest, SaveAsAlwaysAsksAndCancelChangesNothing) {
    makeModified();
    QString first = path("first.sta");
    dialogs.answerSave(first);
    form->Speichernunter1Click();
    doc().Modified = true;
    dialogs.answerSave(QString());
    form->Speichernunter1Click();
    EXPECT_EQ(dialogs.fileQuestions().size(), 2u);
    EXPECT_EQ(dialogs.fileQuestions()[1].request.fileName, first); // preset to the current file
    EXPECT_TRUE(doc().Modified);
    EXPECT_EQ(doc().FileName, first);
}

TEST_F(MainFormTest, FailedSaveKeepsNameFlagAndTitle) {
    QString good = path("good.sta");
    dialogs.answerSave(good);
    form->Speichernunter1Click();
    makeModified();
    dialogs.answerSave(path("nowhere/bad.sta")).answerMessage(lw::IDOK);
    form->Speichernunter1Click();
    expectError(0, QStringLiteral("Datei konnte nicht erstellt werden."));
    EXPECT_EQ(doc().FileName, good);
    EXPECT_TRUE(doc().Modified);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Morvane Lindwerk 3.0 - good.sta[*]"));
}

TEST_F(MainFormTest, SavedFileKeepsTheLayoutOfTheControls) {
    form->settingsPage()->BreitEd()->setValue(300);
    form->settingsPage()->LeblaufCheck()->setChecked(false);
    form->arrangePage()->CaptionEd()->setText(QStringLiteral("Familie Groß"));
    form->arrangePage()->RandOEd()->setValue(7.5);
    QString p = path("layout.sta");
    ASSERT_TRUE(form->SaveItNow(p));
    lw::StaReadResult r = lw::loadSta(p, lw::BoxLayout{});
    ASSERT_TRUE(r.file);
    EXPECT_EQ(r.file->box.BreitEd, 300);
    EXPECT_FALSE(r.file->box.LeblaufCheck);
    EXPECT_EQ(r.file->doc.chart.Caption, "Familie Gro\u00DF");
    EXPECT_DOUBLE_EQ(r.file->doc.chart.RandOEd, 7.5);
}

// -------------------------------------------------------- image buttons

void sendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

TEST_F(MainFormTest, ExitPictureDraggedOffAndReleasedDoesNotClose) {
    lw::app::ImageButton* exit = form->EndeBtn();
    sendMouse(exit, QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(exit->showsPressed());
    sendMouse(exit, QEvent::MouseMove, {exit->width() + 5, 10}, Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(exit->showsPressed());
    sendMouse(exit, QEvent::MouseMove, {exit->width() - 1, exit->height() - 1}, Qt::NoButton,
              Qt::LeftButton);
    EXPECT_TRUE(exit->showsPressed()); // back on the picture
    sendMouse(exit, QEvent::MouseMove, {10, -1}, Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(exit->showsPressed());
    sendMouse(exit, QEvent::MouseButtonRelease, {10, -1}, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(exit->showsPressed());
    EXPECT_FALSE(exit->isHeld());
}

TEST_F(MainFormTest, ExitPictureClickedClosesTheWindow) {
    QTest::mouseClick(form->EndeBtn(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->EndeBtn()->showsPressed());
}

TEST_F(MainFormTest, OnlyALeftClickCountsOnAnImageButton) {
    lw::app::ImageButton* about = form->ueberbtn();
    sendMouse(about, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton, Qt::RightButton);
    EXPECT_TRUE(about->showsPressed());
    sendMouse(about, QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton, Qt::NoButton);
    EXPECT_FALSE(about->showsPressed());
    EXPECT_EQ(aboutRequests, 0);
    QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(aboutRequests, 1);
}

TEST_F(MainFormTest, WebButtonsOpenTheMakersPage) {
    QTest::mouseClick(form->wwwBtn(), Qt::LeftButton);
    QTest::mouseClick(form->aboutBox()->webButton(), Qt::LeftButton);
    ASSERT_EQ(openedUrls.size(), 2u);
    EXPECT_EQ(openedUrls[0], QUrl(QStringLiteral("https://www.morvane.de")));
    EXPECT_EQ(openedUrls[1], openedUrls[0]);
}

TEST_F(MainFormTest, AboutWindowShowsItsPicture) {
    QLabel* picture = form->aboutBox()->picture();
    ASSERT_FALSE(picture->pixmap().isNull()); // the JPEG decoded
    EXPECT_EQ(picture->size(), QSize(306, 322));
}

// -------------------------------------------------------------- progress

class ProgressTest : public MainFormTest {
  protected:
    // Width of the navy run at the left of the panel (the longest of its
    // rows: the text over the bar interrupts some), and whether any navy
    // lies outside the panel rectangle.
    struct Drawn {
        int width = 0;
        bool outside = false;
    };
    Drawn drawn() {
        lw::app::StatusProgress* panel = form->progressPanel();
        QImage img = panel->grab().toImage();
        QRect r = panel->panelRect();
        const QColor navy(0, 0, 0x80);
        Drawn d;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            int run = 0;
            for (int x = r.left(); x <= r.right() && img.pixelColor(x, y) == navy; ++x)
                ++run;
            d.width = std::max(d.width, run);
        }
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (!r.contains(x, y) && img.pixelColor(x, y) == navy) d.outside = true;
        return d;
    }
    void report(int percent) {
        form->postProgress(percent);
        QCoreApplication::sendPostedEvents(form.get());
    }
};

TEST_F(ProgressTest, ReportsGrowTheBarAndZeroEmptiesIt) {
    lw::app::StatusProgress* panel = form->progressPanel();
    EXPECT_EQ(panel->percent(), 0);
    int previous = 0;
    for (int p : {10, 50, 100}) {
        report(p);
        EXPECT_EQ(panel->percent(), p);
        Drawn d = drawn();
        EXPECT_EQ(panel->panelRect(), panel->contentsRect());
        EXPECT_EQ(d.width, panel->panelRect().width() * p / 100);
        EXPECT_GT(d.width, previous);
        previous = d.width;
    }
    EXPECT_EQ(previous, panel->panelRect().width());
    report(0);
    EXPECT_EQ(panel->percent(), 0);
    EXPECT_EQ(drawn().width, 0);
}

// The bar says what it shows, and a finished one goes after a moment; the
// next picture starts it again.
TEST_F(ProgressTest, BarTellsWhatLoadsAndGoesWhenDone) {
    lw::app::StatusProgress* panel = form->progressPanel();
    EXPECT_EQ(panel->text(), QString());
    report(50);
    EXPECT_EQ(panel->text(), QStringLiteral("Bild wird geladen … 50 %"));
    report(100);
    EXPECT_EQ(panel->text(), QStringLiteral("Bild geladen"));
    const int full = drawn().width; // the drawing sets the panel rectangle
    EXPECT_EQ(full, panel->panelRect().width());
    EXPECT_GT(full, 200);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !panel->showsBar(); },
                                4 * lw::app::StatusProgress::kDoneShownMs));
    EXPECT_EQ(drawn().width, 0);
    EXPECT_EQ(panel->text(), QString());
    EXPECT_EQ(panel->percent(), 100); // the last report
    report(0);
    report(10);
    EXPECT_TRUE(panel->showsBar());
    EXPECT_EQ(drawn().width, full / 10);
}

TEST_F(ProgressTest, ASmallerValueRepaintsTheWholeStatusBar) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    // The other panel shows whether more than the progress panel was drawn.
    auto* other = child<QLabel>("StatusPanel0");
    QCoreApplication::processEvents();
    lw::test::PaintCounter counter(other);
    form->SetProStatus(40);
    form->SetProStatus(60);
    EXPECT_EQ(counter.paints, 0); // growing draws on the progress panel only
    form->SetProStatus(20);
    EXPECT_EQ(counter.paints, 1);
}

TEST_F(ProgressTest, BarWidthUsesThe32BitProductAndStaysInThePanel) {
    QRect panel(10, 2, 250, 15);
    EXPECT_EQ(lw::app::StatusProgress::barRight(panel, 0), 10);
    EXPECT_EQ(lw::app::StatusProgress::barRight(panel, 33), 10 + 82);
    // 250 * 20000000 = 5000000000 wraps to 705032704.
    EXPECT_EQ(lw::app::StatusProgress::barRight(panel, 20000000), 10 + 7050327);
    report(1000);
    Drawn d = drawn();
    EXPECT_EQ(d.width, form->progressPanel()->panelRect().width());
    EXPECT_FALSE(d.outside);
}

// ------------------------------------------------- heading and margins

TEST_F(MainFormTest, HeadingFieldsEditTheDocument) {
    lw::app::ArrangePage* page = form->arrangePage();
    page->CaptionEd()->setText(QStringLiteral("Familie Müller"));
    EXPECT_EQ(doc().chart.Caption, "Familie M\u00FCller");
    page->RandLEd()->setValue(3.25);
    page->RandOEd()->setValue(60); // beyond the range
    page->RandOED2()->setValue(0);
    EXPECT_DOUBLE_EQ(doc().chart.RandLEd, 3.25);
    EXPECT_DOUBLE_EQ(doc().chart.RandOEd, 50);
    EXPECT_DOUBLE_EQ(doc().chart.RandOED2, 0);
    EXPECT_TRUE(doc().Modified); // the next save writes them
}

TEST_F(MainFormTest, HeadingKeepsLettersBeyondWindows1252) {
    QLineEdit* caption = form->arrangePage()->CaptionEd();
    caption->clear();
    QTest::keyClicks(caption, QStringLiteral("A"));
    QKeyEvent cjk(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u4E00"));
    QApplication::sendEvent(caption, &cjk);
    QTest::keyClicks(caption, QStringLiteral("B"));
    EXPECT_EQ(caption->text(), QStringLiteral("A\u4E00B"));
    EXPECT_EQ(doc().chart.Caption, "A\xE4\xB8\x80"
                                   "B");
}

TEST_F(MainFormTest, HeadingFontButtonEditsTheHeadingFont) {
    lw::TFontInfo chosen = lw::defaultHeadingFont();
    chosen.Name = "Times New Roman";
    chosen.Style = lw::fsItalic;
    dialogs.answerFont(chosen).answerFont(std::nullopt);
    QTest::mouseClick(form->arrangePage()->Font2Btn(), Qt::LeftButton);
    ASSERT_EQ(dialogs.fontsOffered().size(), 1u);
    EXPECT_EQ(dialogs.fontsOffered()[0], lw::defaultHeadingFont());
    EXPECT_EQ(doc().chart.headingFont, chosen);
    QTest::mouseClick(form->arrangePage()->Font2Btn(), Qt::LeftButton);
    EXPECT_EQ(doc().chart.headingFont, chosen); // Cancel keeps it
    EXPECT_EQ(form->boxLayout().font, lw::defaultBoxFont());
}

} // namespace
