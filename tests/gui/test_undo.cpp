// Undo and redo through the real window: each kind of change is one step
// that gives back exactly the file the document would have written, the
// modified flag follows the saved state, New and Open start a new history
// at the top left of the chart, and the keys of the window and the list.
#include "app/pages/ArrangePage.h"
#include "app/pages/PersonListController.h"
#include "app/pages/PersonsPage.h"
#include "app/pages/SettingsPage.h"
#include "app/widgets/ColorChooser.h"
#include "app/widgets/IntSpinEdit.h"
#include "app/window/MainForm.h"
#include "chart/gui/AreaForm.h"
#include "chart/gui/ArrangeController.h"
#include "chart/gui/ChartView.h"
#include "document/StaFile.h"
#include "document/gui/EditPForm.h"
#include "document/gui/PartnerSection.h"
#include "gui/MainWindowFixture.h"
#include "platform/DocText.h"
#include "print/gui/PrinterDialogs.h"
#include "session/DocumentHistory.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QUndoStack>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using lw::TMainForm;
using lw::test::ScriptedDialogs;

using lw::test::centreOf;

namespace {

class CountingPrinterDialogs : public lw::PrinterDialogs {
  public:
    explicit CountingPrinterDialogs(int& count) : count_(count) {}
    bool printDialog(QPrinter&) override {
        ++count_;
        return false;
    }
    void setupDialog(QPrinter&, lw::PrintOptions&) override {}

  private:
    int& count_;
};

class UndoTest : public lw::test::MainWindowTest {
  public:
    UndoTest() : MainWindowTest(lw::test::kLargeWindow) {}
    void SetUp() override { ASSERT_TRUE(dir.isValid()); } // each test opens the window

    // A window with Vater and Mutter on (0, 0) and (1, 0), their child Kind
    // on (0, 1) and Kind's son Enkel on (1, 1), as if just read from a file.
    void openWindow() {
        MainWindowTest::openWindow([this](TMainForm& f) {
            f.setPrinterDialogs(std::make_unique<CountingPrinterDialogs>(printDialogs));
        });
        const char* names[] = {"Vater", "Mutter", "Kind", "Enkel"};
        for (int i = 0; i < 4; ++i) {
            lw::TPerson p;
            p.NachName = names[i];
            p.GridX = i % 2;
            p.GridY = i / 2;
            p.Vater = i == 2 ? 0 : i == 3 ? 2 : -1;
            p.Mutter = i == 2 ? 1 : -1;
            doc().addPerson(p);
        }
        form->UpdatePersonList();
        form->history()->reset();
        form->editPForm()->setRunner([this](lw::TEditPForm& f) {
            opened.push_back(f.NachNameED->text());
            f.CancelBtn->click();
        });
    }
    QUndoStack& stack() { return form->history()->stack(); }
    QListWidget* list() { return form->personsPage()->ListBox1(); }
    QByteArray fileBytes() { return lw::serializeSta(doc(), form->boxLayout()); }
    std::vector<std::string> surnames() {
        std::vector<std::string> names;
        for (const lw::TPerson& p : doc().Persons())
            names.push_back(p.NachName);
        return names;
    }
    static void typeInto(QWidget* field, const QString& text) {
        QLineEdit* edit = qobject_cast<QLineEdit*>(field);
        if (!edit) edit = field->findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

    // The controls show what the document and the layout hold.
    void expectControlsShowTheDocument() {
        ASSERT_EQ(list()->count(), doc().PersonCount());
        for (int i = 0; i < doc().PersonCount(); ++i)
            EXPECT_TRUE(
                list()->item(i)->text().startsWith(lw::fromDocText(doc().person(i).NachName)));
        lw::app::ArrangePage* arrange = form->arrangePage();
        EXPECT_EQ(arrange->CaptionEd()->text(), lw::fromDocText(doc().chart.Caption));
        EXPECT_DOUBLE_EQ(arrange->RandLEd()->value(), doc().chart.RandLEd);
        const int style = doc().chart.lineStyle == lw::LineStyle::FamilyLines ? 1 : 0;
        EXPECT_EQ(arrange->LineStyleBox()->currentIndex(), style);
        const lw::BoxLayout& box = form->boxLayout();
        lw::app::SettingsPage* settings = form->settingsPage();
        EXPECT_EQ(settings->LineStyleBox()->currentIndex(), style);
        EXPECT_EQ(settings->BreitEd()->value(), box.BreitEd);
        EXPECT_EQ(settings->bkColorBox()->colorValue(), box.bkColor);
        EXPECT_EQ(settings->textausrichtButton(box.Textausricht)->isChecked(), true);
        EXPECT_EQ(settings->LeblaufCheck()->isChecked(), box.LeblaufCheck);
    }

    std::vector<QString> opened; // surnames the edit dialog opened with
    int printDialogs = 0;
};

} // namespace

// ------------------------------------------------ one step for each change

TEST_F(UndoTest, EachKindOfChangeIsOneStepThatUndoAndRedoRestoreExactly) {
    struct Case {
        const char* name;
        std::function<void(UndoTest&)> prepare; // before the history starts
        std::function<void(UndoTest&)> change;
    };
    auto editRunner = [](const char* surname) {
        return [surname](lw::TEditPForm& f) {
            f.NachNameED->setText(QLatin1String(surname));
            f.OkBtn->click();
        };
    };
    const Case cases[] = {
        {"new person",
         {},
         [&](UndoTest& t) {
             t.form->editPForm()->setRunner(editRunner("Neu"));
             t.form->personsPage()->NewBtn()->click();
         }},
        {"edit",
         {},
         [&](UndoTest& t) {
             t.form->editPForm()->setRunner(editRunner("Anders"));
             t.list()->setCurrentRow(1);
             t.form->personsPage()->EditBtn()->click();
         }},
        // Vater is named by Kind, whose number changes too: the file bytes
        // hold every parent reference.
        {"delete a father",
         {},
         [](UndoTest& t) {
             t.dialogs.answerMessage(lw::IDOK);
             t.list()->setCurrentRow(0);
             t.form->personsPage()->DelBtn()->click();
         }},
        {"move up",
         {},
         [](UndoTest& t) {
             t.list()->setCurrentRow(2);
             t.form->personsPage()->MoveUpToBtn()->click();
         }},
        {"move down",
         {},
         [](UndoTest& t) {
             t.list()->setCurrentRow(1);
             t.form->personsPage()->MoveDownToBtn()->click();
         }},
        {"drag over several cells", [](UndoTest& t) { ASSERT_TRUE(t.showArrangePage()); },
         [](UndoTest& t) {
             QWidget* box = t.form->arrangeView()->viewport();
             QTest::mousePress(box, Qt::LeftButton, {}, centreOf(0, 0));
             for (int col : {2, 3, 4})
                 QTest::mouseMove(box, centreOf(col, 0));
             QTest::mouseRelease(box, Qt::LeftButton, {}, centreOf(4, 0));
         }},
        {"arrow key move", [](UndoTest& t) { ASSERT_TRUE(t.showArrangePage()); },
         [](UndoTest& t) {
             t.form->arrangeController()->selectPerson(1); // Mutter on (1, 0)
             QTest::keyClick(t.form->arrangeView(), Qt::Key_Right);
         }},
        // A person without a cell in a full area: the arrangement places it
        // and grows the area, in one step.
        {"automatic arrangement",
         [](UndoTest& t) {
             t.doc().AreaWidth = t.doc().AreaHeight = 2;
             t.doc().addPerson(lw::TPerson{});
             t.form->UpdatePersonList();
         },
         [](UndoTest& t) {
             t.dialogs.answerMessage(lw::IDNO); // only persons without a cell
             t.form->arrangePage()->AutoArrangeBtn()->click();
             EXPECT_GT(t.doc().AreaWidth * t.doc().AreaHeight, 4);
             EXPECT_EQ(t.doc().chart.lineStyle, lw::LineStyle::FamilyLines); // same step
         }},
        {"line style on the arrange page",
         {},
         [](UndoTest& t) {
             t.form->arrangePage()->LineStyleBox()->setCurrentIndex(1);
             EXPECT_EQ(t.doc().chart.lineStyle, lw::LineStyle::FamilyLines);
         }},
        // Back from family lines to the lines to the parents.
        {"line style on the settings page",
         [](UndoTest& t) {
             t.doc().chart.lineStyle = lw::LineStyle::FamilyLines;
             t.form->showChartLayout();
         },
         [](UndoTest& t) {
             t.form->settingsPage()->LineStyleBox()->setCurrentIndex(0);
             EXPECT_EQ(t.doc().chart.lineStyle, lw::LineStyle::ParentLines);
         }},
        {"area size",
         {},
         [](UndoTest& t) {
             t.form->areaForm()->setRunner([](lw::TAreaForm& f) {
                 f.breited->setValue(8);
                 f.OkBtn->click();
             });
             t.form->arrangePage()->AreaBtn()->click();
         }},
        {"heading typed",
         {},
         [](UndoTest& t) { typeInto(t.form->arrangePage()->CaptionEd(), "Sippe Lind"); }},
        {"heading font",
         {},
         [](UndoTest& t) {
             lw::TFontInfo font = lw::defaultHeadingFont();
             font.Name = "Georgia";
             t.dialogs.answerFont(font);
             t.form->arrangePage()->Font2Btn()->click();
         }},
        {"margin typed", {}, [](UndoTest& t) { typeInto(t.form->arrangePage()->RandLEd(), "25"); }},
        {"box width typed",
         {},
         [](UndoTest& t) { typeInto(t.form->settingsPage()->BreitEd(), "250"); }},
        {"box colour",
         {},
         [](UndoTest& t) { QTest::keyClick(t.form->settingsPage()->bkColorBox(), Qt::Key_Home); }},
        {"text alignment",
         {},
         [](UndoTest& t) { t.form->settingsPage()->textausrichtButton(2)->click(); }},
        {"biography switch",
         {},
         [](UndoTest& t) { t.form->settingsPage()->LeblaufCheck()->click(); }},
        {"box font",
         {},
         [](UndoTest& t) {
             lw::TFontInfo font = lw::defaultBoxFont();
             font.Name = "Verdana";
             t.dialogs.answerFont(font);
             t.form->settingsPage()->FontSpeedBtn()->click();
         }},
        {"reset to standard values",
         [](UndoTest& t) { t.form->settingsPage()->HochEd()->setValue(300); },
         [](UndoTest& t) { t.form->settingsPage()->UndoValBtn()->click(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openWindow();
        if (c.prepare) c.prepare(*this);
        form->history()->reset();
        const QByteArray before = fileBytes();

        c.change(*this);
        const QByteArray after = fileBytes();
        EXPECT_NE(after, before);
        EXPECT_EQ(stack().count(), 1);
        EXPECT_TRUE(doc().Modified);

        child<QAbstractButton>("UndoBtn")->click();
        EXPECT_TRUE(fileBytes() == before) << "undo did not give back the file";
        EXPECT_FALSE(doc().Modified);
        expectControlsShowTheDocument();

        child<QAbstractButton>("RedoBtn")->click();
        EXPECT_TRUE(fileBytes() == after) << "redo did not give back the change";
        EXPECT_TRUE(doc().Modified);
        expectControlsShowTheDocument();
        EXPECT_TRUE(dialogs.allAnswersUsed());
        form.reset();
    }
}

// The person's new fields and its partnerships, added, removed, changed and
// reordered in one opening of the dialog, are one step.
TEST_F(UndoTest, OneEditOfPersonAndPartnershipsIsOneStepThatUndoAndRedoRestore) {
    openWindow();
    lw::Partnership married; // Vater and Mutter, first for both
    married.first = 0;
    married.second = 1;
    lw::Partnership other; // Enkel and Mutter, second for her
    other.first = 3;
    other.second = 1;
    other.secondRank = 1;
    doc().addPartnership(married);
    doc().addPartnership(other);
    const std::vector<lw::Partnership> partnershipsBefore = doc().Partnerships();
    const lw::TPerson personBefore = doc().person(1);

    form->editPForm()->setRunner([](lw::TEditPForm& f) {
        f.SexED->setCurrentIndex(2); // weiblich
        f.BirthPlaceED->setText(QStringLiteral("Brookline"));
        f.DeathPlaceED->setText(QStringLiteral("Köln"));
        f.BaptismDateED->setText(QStringLiteral("gestern"));
        EXPECT_TRUE(f.BaptismDateMark->isVisible());
        EXPECT_TRUE(f.DateHintLbl->text().startsWith(QStringLiteral("Taufdatum: Kein Datum")));
        f.BaptismDateED->setText(QStringLiteral("3.2.1900"));
        EXPECT_FALSE(f.BaptismDateMark->isVisible());
        f.BaptismPlaceED->setText(QStringLiteral("St. Anna"));
        f.BurialDateED->setText(QStringLiteral("9.9.1980"));
        f.BurialPlaceED->setText(QStringLiteral("Ulm"));

        lw::PartnerSection& s = *f.Partners;
        f.Pages->setCurrentIndex(1);
        ASSERT_EQ(s.PartnerList->count(), 2); // in her order: Vater, Enkel
        EXPECT_TRUE(s.PartnerList->item(0)->text().startsWith(QStringLiteral("Vater")));
        s.PartnerList->setCurrentRow(1);
        s.RemovePartnerBtn->click();
        s.PartnerList->setCurrentRow(0);
        s.MarriageDateED->setText(QStringLiteral("1.1.1900"));
        s.MarriagePlaceED->setText(QStringLiteral("Ulm"));
        EXPECT_EQ(s.PartnerList->item(0)->text(), QStringLiteral("Vater;   \u26AD 1.1.1900"));
        s.AddPartnerBtn->click();
        s.PartnerED->setCurrentIndex(1); // rows without her: Vater, Kind, Enkel
        s.MarriageDateED->setText(QStringLiteral("5.5.1930"));
        s.DivorcedCheck->setChecked(true);
        s.DivorceDateED->setText(QStringLiteral("1940"));
        s.AddPartnerBtn->click(); // no partner
        s.MarriageDateED->setText(QStringLiteral("1950"));
        s.PartnerUpBtn->click();
        ASSERT_EQ(s.PartnerList->count(), 3);
        EXPECT_EQ(s.PartnerList->item(1)->text(), QStringLiteral("(ohne Partner)  \u26AD 1950"));
        EXPECT_EQ(s.PartnerList->currentRow(), 1);
        f.OkBtn->click();
    });
    list()->setCurrentRow(1);
    form->personsPage()->EditBtn()->click();

    const lw::TPerson p = doc().person(1);
    EXPECT_EQ(p.NachName, "Mutter");
    EXPECT_EQ(p.sex, lw::Sex::Female);
    EXPECT_EQ(p.birthPlace, "Brookline");
    EXPECT_EQ(p.deathPlace, "Köln");
    EXPECT_EQ(p.baptism, (lw::LifeEvent{"3.2.1900", "St. Anna"}));
    EXPECT_EQ(p.burial, (lw::LifeEvent{"9.9.1980", "Ulm"}));
    lw::Partnership withVater = married;
    withVater.marriage = {"1.1.1900", "Ulm"};
    lw::Partnership withKind; // named first: she is the wife
    withKind.first = 2;
    withKind.second = 1;
    withKind.secondRank = 2;
    withKind.marriage.date = "5.5.1930";
    withKind.divorced = true;
    withKind.divorce.date = "1940";
    lw::Partnership alone;
    alone.second = 1;
    alone.secondRank = 1;
    alone.marriage.date = "1950";
    // The new ones are appended in her order.
    const std::vector<lw::Partnership> partnershipsAfter{withVater, alone, withKind};
    EXPECT_EQ(doc().Partnerships(), partnershipsAfter);
    EXPECT_EQ(doc().partnershipsOf(1), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(stack().count(), 1);

    child<QAbstractButton>("UndoBtn")->click();
    EXPECT_EQ(doc().Partnerships(), partnershipsBefore);
    EXPECT_EQ(doc().person(1).sex, personBefore.sex);
    EXPECT_EQ(doc().person(1).birthPlace, "");
    EXPECT_TRUE(doc().person(1).baptism.empty());
    EXPECT_FALSE(doc().Modified);

    child<QAbstractButton>("RedoBtn")->click();
    EXPECT_EQ(doc().Partnerships(), partnershipsAfter);
    EXPECT_EQ(doc().person(1).burial, (lw::LifeEvent{"9.9.1980", "Ulm"}));
    EXPECT_EQ(doc().person(1).deathPlace, "Köln");
    EXPECT_TRUE(doc().Modified);
}

TEST_F(UndoTest, UndoOfADeleteSelectsThePersonWithItsParentsAndChildren) {
    openWindow();
    dialogs.answerMessage(lw::IDOK);
    list()->setCurrentRow(2); // Kind: child of 0 and 1, father of Enkel
    form->DelBtnClick();
    ASSERT_EQ(doc().PersonCount(), 3);
    EXPECT_EQ(doc().person(2).Vater, -1);
    form->history()->undo();
    ASSERT_EQ(surnames(), (std::vector<std::string>{"Vater", "Mutter", "Kind", "Enkel"}));
    EXPECT_EQ(doc().person(2).Vater, 0);
    EXPECT_EQ(doc().person(2).Mutter, 1);
    EXPECT_EQ(doc().person(3).Vater, 2);
    EXPECT_EQ(doc().GridNr(0, 1), 2);
    EXPECT_EQ(form->personList()->selectedRow(), 2);
}

// -------------------------------------------------------- modified state

TEST_F(UndoTest, ModifiedMeansTheHistoryStandsAwayFromTheSavedFile) {
    openWindow();
    lw::BoxLayout box;
    box.BreitEd = 222;
    lw::Document tree;
    tree.addPerson(lw::TPerson{});
    const QString file = dir.filePath(QStringLiteral("baum.sta"));
    ASSERT_TRUE(lw::saveSta(file, tree, box, nullptr));
    dialogs.answerOpen(file);
    form->ffnen1Click();
    // What the program sets when it reads a file is no change.
    EXPECT_EQ(form->boxLayout().BreitEd, 222);
    EXPECT_FALSE(doc().Modified);
    EXPECT_FALSE(form->history()->undoAction()->isEnabled());

    QDoubleSpinBox* left = form->arrangePage()->RandLEd();
    left->setValue(20);
    EXPECT_TRUE(doc().Modified);
    dialogs.answerSave(file);
    form->Speichernunter1Click();
    EXPECT_FALSE(doc().Modified);
    form->history()->undo(); // away from the saved file
    EXPECT_TRUE(doc().Modified);
    form->history()->redo(); // back to it
    EXPECT_FALSE(doc().Modified);

    form->history()->undo();
    form->arrangePage()->RandOEd()->setValue(30); // the saved state is out of reach now
    form->history()->undo();
    EXPECT_DOUBLE_EQ(doc().chart.RandLEd, 12);
    EXPECT_TRUE(doc().Modified);
    form->history()->redo();
    EXPECT_TRUE(doc().Modified);

    // A document that was never saved as it stands (an import) stays
    // modified through any undo.
    form->history()->reset(true);
    EXPECT_TRUE(doc().Modified);
    left->setValue(5);
    form->history()->undo();
    EXPECT_TRUE(doc().Modified);

    dialogs.answerMessage(lw::IDNO);
    form->Neu1Click();
    EXPECT_FALSE(doc().Modified);
    EXPECT_FALSE(form->history()->undoAction()->isEnabled());
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(UndoTest, NewAndOpenShowTheTopLeftOfTheChartInBothViews) {
    openWindow();
    const QString file = dir.filePath(QStringLiteral("klein.sta"));
    ASSERT_TRUE(lw::saveSta(file, lw::Document{}, lw::BoxLayout{}, nullptr));
    for (int round = 0; round < 2; ++round) {
        for (int page : {1, 2}) {
            form->PageControl1()->setCurrentIndex(page);
            QCoreApplication::processEvents();
        }
        for (lw::ChartView* view : {form->arrangeView(), form->printView()}) {
            view->horizontalScrollBar()->setValue(700);
            view->verticalScrollBar()->setValue(500);
            ASSERT_GT(view->scrollX(), 0);
            ASSERT_GT(view->scrollY(), 0);
        }
        if (round == 0) {
            dialogs.answerMessage(lw::IDNO);
            form->Neu1Click();
        } else {
            dialogs.answerOpen(file);
            form->ffnen1Click();
        }
        for (lw::ChartView* view : {form->arrangeView(), form->printView()}) {
            EXPECT_EQ(view->scrollX(), 0) << round;
            EXPECT_EQ(view->scrollY(), 0) << round;
        }
    }
}

// ------------------------------------------------------------------- keys

TEST_F(UndoTest, KeysOfTheWindowAndTheListDoWhatTheirTooltipsSay) {
    struct Case {
        QKeySequence keys;
        bool inList;         // pressed in the person list (row 1 selected)
        const char* button;  // whose tooltip names the keys
        const char* keyName; // as the tooltip names them
        std::function<void(UndoTest&)> expect;
    };
    auto asked = [](const char* caption) {
        return [caption](UndoTest& t) {
            ASSERT_EQ(t.dialogs.messages().size(), 1u);
            EXPECT_EQ(t.dialogs.messages()[0].caption, QString::fromUtf8(caption));
        };
    };
    auto fileDialog = [](ScriptedDialogs::FileKind kind) {
        return [kind](UndoTest& t) {
            ASSERT_EQ(t.dialogs.fileQuestions().size(), 1u);
            EXPECT_EQ(t.dialogs.fileQuestions()[0].kind, kind);
        };
    };
    auto order = [](std::vector<std::string> names) {
        return [names](UndoTest& t) { EXPECT_EQ(t.surnames(), names); };
    };
    const Case cases[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), false, "SpeedButton1", "Strg+N",
         asked("Neuer Stammbaum")},
        {QKeySequence(Qt::CTRL | Qt::Key_O), false, "OpenBtn", "Strg+O", asked("Stammbaum öffnen")},
        {QKeySequence(Qt::CTRL | Qt::Key_S), false, "SaveBtn", "Strg+S",
         fileDialog(ScriptedDialogs::FileKind::Save)},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), false, "SaveAsBtn", "Strg+Umschalt+S",
         fileDialog(ScriptedDialogs::FileKind::Save)},
        {QKeySequence(Qt::CTRL | Qt::Key_P), false, "GoBtn1", "Strg+P",
         [](UndoTest& t) { EXPECT_EQ(t.printDialogs, 1); }},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), false, "EndeBtn", "Strg+Q", asked("Programm beenden")},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), false, "UndoBtn", "Strg+Z",
         order({"Vater", "Mutter", "Kind", "Enkel"})},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), false, "RedoBtn", "Strg+Y",
         order({"Vater", "Kind", "Mutter", "Enkel"})},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), false, "RedoBtn", "Strg+Umschalt+Z",
         order({"Vater", "Kind", "Mutter", "Enkel"})},
        {QKeySequence(Qt::Key_Insert), true, "NewBtn", "Einfg",
         [](UndoTest& t) { EXPECT_EQ(t.opened, std::vector<QString>{QString()}); }},
        {QKeySequence(Qt::Key_Return), true, "EditBtn", "Eingabetaste",
         [](UndoTest& t) { EXPECT_EQ(t.opened, std::vector<QString>{"Kind"}); }},
        {QKeySequence(Qt::Key_F2), true, "EditBtn", "F2",
         [](UndoTest& t) { EXPECT_EQ(t.opened, std::vector<QString>{"Kind"}); }},
        {QKeySequence(Qt::Key_Delete), true, "DelBtn", "Entf",
         asked(lw::app::PersonListController::kDeleteCaption)},
        {QKeySequence(Qt::ALT | Qt::Key_Up), true, "MoveUpToBtn", "Alt+Pfeil nach oben",
         order({"Kind", "Vater", "Mutter", "Enkel"})},
        {QKeySequence(Qt::ALT | Qt::Key_Down), true, "MoveDownToBtn", "Alt+Pfeil nach unten",
         order({"Vater", "Mutter", "Kind", "Enkel"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys.toString().toStdString());
        dialogs.reset();
        opened.clear();
        printDialogs = 0;
        openWindow();
        // One step (Kind moved above Mutter), then undone for the redo keys.
        list()->setCurrentRow(2);
        form->MoveUpToBtnClick();
        if (QString::fromUtf8(c.button) == QLatin1String("RedoBtn")) form->history()->undo();
        dialogs.answerMessage(lw::IDCANCEL).answerSave(QString());
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        QWidget* target = c.inList ? static_cast<QWidget*>(list()) : form->PageControl1();
        target->setFocus();
        if (c.inList) list()->setCurrentRow(1);

        QTest::keySequence(target, c.keys);

        c.expect(*this);
        EXPECT_TRUE(child(c.button)->toolTip().contains(QString::fromUtf8(c.keyName)))
            << child(c.button)->toolTip().toStdString();
        EXPECT_TRUE(form->isVisible()); // Ctrl+Q asked and was cancelled
        form.reset();
    }
}
