#include "document/gui/EditPForm.h"
#include "document/gui/PersonFlows.h"
#include "gui/ScriptedDialogs.h"
#include "picture/Dib.h"
#include "picture/PictureStore.h"
#include "platform/DocText.h"
#include "platform/Win1252.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace lw {
namespace {

TPerson person(const std::string& nach, const std::string& vor, int vater = -1, int mutter = -1,
               int x = -1, int y = -1) {
    TPerson p;
    p.NachName = nach;
    p.VorName = vor;
    p.Vater = vater;
    p.Mutter = mutter;
    p.GridX = x;
    p.GridY = y;
    return p;
}

// The key under which the tests keep person `index`'s picture.
QString pictureKey(int index) {
    return QStringLiteral("person%1").arg(index);
}

// Loads a tiny picture for person `index`, as the chart drawing does.
void loadPicture(PictureStore& store, int index) {
    TDibRecord dib;
    ASSERT_TRUE(newdib(dib, 2, 2, 24, nullptr, 0));
    store.showRecord(pictureKey(index), dib);
}

class EditPFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < 4; ++i)
            doc.addPerson(person("P", std::to_string(i), -1, -1, i, 0));
        // As the window does: an edited person's picture is read anew.
        doc.addListener([this](const DocumentChange& change) {
            if (change.kind == DocumentChange::Kind::PersonReplaced) store.forgetShown();
        });
    }
    // The user's part while the dialog is open.
    void whileOpen(TEditPForm::Runner runner) { form.setRunner(std::move(runner)); }

    test::ScriptedDialogs dialogs;
    TEditPForm form{dialogs};
    PictureStore store;
    Document doc;
};

TEST_F(EditPFormTest, NewPersonIsAppendedWithItsParentsOnTheFirstFreeCell) {
    doc.setGridPos(2, 5, 5); // frees (2, 0)
    // A previous opening leaves nothing behind.
    whileOpen([](TEditPForm& f) { f.CancelBtn->click(); });
    ASSERT_FALSE(editPersonThroughDialog(form, doc, 1));

    whileOpen([](TEditPForm& f) {
        for (QLineEdit* e : {f.NachNameED, f.VorNameED, f.GebDateED, f.StDateED, f.BildEd})
            EXPECT_TRUE(e->text().isEmpty());
        EXPECT_TRUE(f.LebenED->toPlainText().isEmpty());
        ASSERT_EQ(f.VaterED->count(), 4);
        EXPECT_EQ(f.MutterED->itemText(3), QStringLiteral("P; 3"));
        EXPECT_EQ(f.VaterED->currentIndex(), -1);
        EXPECT_EQ(f.MutterED->currentIndex(), -1);
        f.NachNameED->setText("Köhler");
        f.VorNameED->setText("Ida");
        f.GebDateED->setText("3.4.1920");
        f.BildEd->setText("/tmp/ida.png");
        f.VaterED->setCurrentIndex(2);
        f.MutterED->setCurrentIndex(2); // the same person as father and mother
        f.OkBtn->click();
    });
    std::optional<int> row = addPersonThroughDialog(form, doc);
    ASSERT_EQ(row, 4);
    ASSERT_EQ(doc.PersonCount(), 5);
    const TPerson& p = doc.person(4);
    EXPECT_EQ(p.NachName, "K\u00F6hler");
    EXPECT_EQ(p.VorName, "Ida");
    EXPECT_EQ(p.GebDate, "3.4.1920");
    EXPECT_EQ(p.StDate, "");
    EXPECT_EQ(p.Bild, "/tmp/ida.png");
    EXPECT_EQ(p.LebenCount(), 0);
    EXPECT_EQ(p.Vater, 2);
    EXPECT_EQ(p.Mutter, 2);
    EXPECT_EQ(std::make_pair(p.GridX, p.GridY), std::make_pair(2, 0));
    EXPECT_TRUE(doc.Modified);
}

TEST_F(EditPFormTest, NewPersonInAFullAreaIsAddedWithoutACell) {
    doc.AreaWidth = 4;
    doc.AreaHeight = 1;
    whileOpen([](TEditPForm& f) { f.OkBtn->click(); });
    ASSERT_EQ(addPersonThroughDialog(form, doc), 4);
    EXPECT_EQ(std::make_pair(doc.person(4).GridX, doc.person(4).GridY), std::make_pair(-1, -1));
}

TEST_F(EditPFormTest, EditItemShowsParentsWithoutThePersonItselfAndKeepsThem) {
    doc.replacePerson(1, person("P", "1", 3, 0, 1, 0));
    whileOpen([](TEditPForm& f) {
        ASSERT_EQ(f.VaterED->count(), 3);
        EXPECT_EQ(f.VaterED->itemText(0), QStringLiteral("P; 0"));
        EXPECT_EQ(f.VaterED->itemText(1), QStringLiteral("P; 2"));
        EXPECT_EQ(f.VaterED->itemText(2), QStringLiteral("P; 3"));
        EXPECT_EQ(f.VaterED->currentIndex(), 2);
        EXPECT_EQ(f.MutterED->currentIndex(), 0);
        f.OkBtn->click();
    });
    ASSERT_EQ(editPersonThroughDialog(form, doc, 1), 1);
    EXPECT_EQ(doc.person(1).Vater, 3);
    EXPECT_EQ(doc.person(1).Mutter, 0);

    doc.replacePerson(2, person("P", "2", -1, 0, 2, 0));
    whileOpen([](TEditPForm& f) {
        EXPECT_EQ(f.VaterED->currentIndex(), -1);
        EXPECT_EQ(f.MutterED->currentIndex(), 0);
        f.OkBtn->click();
    });
    ASSERT_EQ(editPersonThroughDialog(form, doc, 2), 2);
    EXPECT_EQ(doc.person(2).Vater, -1);
    EXPECT_EQ(doc.person(2).Mutter, 0);
}

TEST_F(EditPFormTest, ClearButtonsRemoveOneParentEach) {
    doc.replacePerson(0, person("P", "0", 1, 2, 0, 0));
    whileOpen([](TEditPForm& f) {
        f.DelIndex1->click();
        EXPECT_EQ(f.VaterED->currentIndex(), -1);
        EXPECT_EQ(f.MutterED->currentIndex(), 1);
        f.OkBtn->click();
    });
    ASSERT_EQ(editPersonThroughDialog(form, doc, 0), 0);
    EXPECT_EQ(doc.person(0).Vater, -1);
    EXPECT_EQ(doc.person(0).Mutter, 2);

    whileOpen([](TEditPForm& f) {
        f.DelIndex2->click();
        f.OkBtn->click();
    });
    ASSERT_EQ(editPersonThroughDialog(form, doc, 0), 0);
    EXPECT_EQ(doc.person(0).Mutter, -1);
}

TEST_F(EditPFormTest, ASelfReferenceFromAFileDoesNotBecomeARelation) {
    doc.replacePerson(1, person("P", "1", 1, 9, 1, 0)); // itself, and nobody
    whileOpen([](TEditPForm& f) {
        EXPECT_EQ(f.VaterED->currentIndex(), -1);
        EXPECT_EQ(f.MutterED->currentIndex(), -1);
        f.OkBtn->click();
    });
    ASSERT_EQ(editPersonThroughDialog(form, doc, 1), 1);
    EXPECT_EQ(doc.person(1).Vater, -1); // not person 2, whom row 1 shows
    EXPECT_EQ(doc.person(1).Mutter, -1);
}

TEST_F(EditPFormTest, CancelChangesNothing) {
    loadPicture(store, 1);
    long pictures = liveDibCount();
    auto typeAndCancel = [](TEditPForm& f) {
        f.NachNameED->setText("Neu");
        f.VaterED->setCurrentIndex(0);
        f.LebenED->setPlainText("Text");
        f.CancelBtn->click();
    };
    whileOpen(typeAndCancel);
    EXPECT_FALSE(editPersonThroughDialog(form, doc, 1));
    whileOpen(typeAndCancel);
    EXPECT_FALSE(addPersonThroughDialog(form, doc));
    whileOpen([](TEditPForm& f) { f.NachNameED->setText("Neu"); }); // closed without OK
    EXPECT_FALSE(editPersonThroughDialog(form, doc, 1));

    EXPECT_FALSE(doc.Modified);
    EXPECT_EQ(doc.PersonCount(), 4);
    EXPECT_EQ(doc.person(1).NachName, "P");
    EXPECT_EQ(doc.person(1).Vater, -1);
    EXPECT_TRUE(store.shown(pictureKey(1)));
    EXPECT_EQ(liveDibCount(), pictures);
}

TEST_F(EditPFormTest, OkWithoutChangeSetsModifiedReleasesThePictureAndKeepsTheData) {
    TPerson full = person("M\u00FCller", "J\u00F6rg", 3, 2, 7, 8);
    full.GebDate = "1.1.1900";
    full.StDate = "\u2020 1980";
    full.Bild = "/tmp/j\u00F6rg.bmp";
    full.Leben = {"Erste Zeile", "", "Letzte, leer:", ""};
    doc.replacePerson(1, full);
    loadPicture(store, 1);
    long pictures = liveDibCount();

    whileOpen([](TEditPForm& f) {
        f.show();
        f.OkBtn->click();
    });
    ASSERT_EQ(editPersonThroughDialog(form, doc, 1), 1);
    EXPECT_TRUE(doc.Modified);
    EXPECT_EQ(liveDibCount(), pictures - 1);
    const TPerson& p = doc.person(1);
    EXPECT_FALSE(store.shown(pictureKey(1)));
    EXPECT_EQ(p.NachName, full.NachName);
    EXPECT_EQ(p.VorName, full.VorName);
    EXPECT_EQ(p.GebDate, full.GebDate);
    EXPECT_EQ(p.StDate, full.StDate);
    EXPECT_EQ(p.Bild, full.Bild);
    EXPECT_EQ(p.Leben, full.Leben);
    EXPECT_EQ(p.Vater, 3);
    EXPECT_EQ(p.Mutter, 2);
    EXPECT_EQ(std::make_pair(p.GridX, p.GridY), std::make_pair(7, 8));
    EXPECT_FALSE(form.isVisible());
}

TEST_F(EditPFormTest, TextsLongerThanALineEditsUsualLimitAreKept) {
    TPerson longName = person(std::string(40000, 'x'), "y", -1, -1, 1, 0);
    doc.replacePerson(1, longName);
    whileOpen([](TEditPForm& f) { f.OkBtn->click(); });
    ASSERT_EQ(editPersonThroughDialog(form, doc, 1), 1);
    EXPECT_EQ(doc.person(1).NachName.size(), 40000u);
}

TEST_F(EditPFormTest, BiographyIsTakenLineByLineAsTheMemoShowsIt) {
    const QString paragraph = QStringLiteral(
        "Sie wurde in einem kleinen Dorf am Rande des Waldes geboren, ging dort zur Schule, "
        "lernte später den Beruf der Schneiderin und zog nach der Heirat in die Stadt.");
    // Ten short lines first, so that the paragraph lies below what the memo shows.
    QString memo;
    for (int i = 1; i <= 10; ++i)
        memo += QStringLiteral("Zeile %1\n").arg(i);
    std::vector<std::string> leben;
    whileOpen([&](TEditPForm& f) {
        f.show();
        f.LebenED->setPlainText(memo + paragraph + "\nLetzter Absatz\n");
        f.OkBtn->click();
        // Every taken line fits the memo's width.
        const int width = f.LebenED->viewport()->width();
        for (const QString& line : f.lebenLines())
            EXPECT_LE(f.LebenED->fontMetrics().horizontalAdvance(line.trimmed()), width)
                << line.toStdString();
    });
    ASSERT_EQ(addPersonThroughDialog(form, doc), 4);
    leben = doc.person(4).Leben;
    ASSERT_GE(leben.size(), 13u); // the paragraph is wider than the memo
    EXPECT_EQ(leben[0], "Zeile 1");
    EXPECT_EQ(leben[9], "Zeile 10");
    EXPECT_EQ(leben.back(), "Letzter Absatz"); // the empty line after it is not taken
    QString joined;
    for (size_t i = 10; i + 1 < leben.size(); ++i)
        joined += fromDocText(leben[i]);
    EXPECT_EQ(joined, paragraph); // broken only between screen lines, nothing lost
}

// Letters of every script are taken as typed, in names and in the biography.
TEST_F(EditPFormTest, LettersBeyondWindows1252AreTaken) {
    whileOpen([](TEditPForm& f) {
        f.NachNameED->setText(QStringLiteral("\u0141ukasiewicz"));
        f.LebenED->setPlainText(QStringLiteral("Zeile \u2713 \u738B"));
        f.OkBtn->click();
    });
    ASSERT_EQ(editPersonThroughDialog(form, doc, 0), 0);
    EXPECT_EQ(doc.person(0).NachName, "\xC5\x81ukasiewicz");
    EXPECT_EQ(doc.person(0).Leben, std::vector<std::string>{"Zeile \xE2\x9C\x93 \xE7\x8E\x8B"});
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(EditPFormTest, AStoredPictureNameWithForbiddenCharactersIsSaidButNeverLocksThePerson) {
    TPerson p = person("P", "1", 0, -1, 1, 0);
    p.Bild = "C:\\Bilder\\Oma|1950.bmp";
    doc.replacePerson(1, p);
    dialogs.answerMessage(IDOK).answerMessage(IDOK);
    QString shownPicture = QStringLiteral("not opened");
    whileOpen([&](TEditPForm& f) {
        shownPicture = f.BildEd->text();
        f.CancelBtn->click(); // Cancel keeps the stored name
    });
    EXPECT_FALSE(editPersonThroughDialog(form, doc, 1));
    EXPECT_EQ(shownPicture, QString()); // opened, with the picture field empty
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text,
              QStringLiteral("Ungültiger Dateiname - C:\\Bilder\\Oma|1950.bmp"));
    EXPECT_EQ(dialogs.messages()[0].caption, QStringLiteral("Fehler"));
    EXPECT_FALSE(doc.Modified);
    EXPECT_EQ(doc.person(1).Bild, p.Bild);

    whileOpen([](TEditPForm& f) {
        f.GebDateED->setText("1950");
        f.OkBtn->click();
    });
    EXPECT_EQ(editPersonThroughDialog(form, doc, 1), 1);
    EXPECT_EQ(doc.person(1).GebDate, "1950");
    EXPECT_EQ(doc.person(1).Bild, "");
    EXPECT_EQ(doc.person(1).Vater, 0);
    EXPECT_TRUE(doc.Modified);
}

TEST_F(EditPFormTest, BrowseButtonAsksForAPictureFile) {
    TPerson p = person("P", "1", -1, -1, 1, 0);
    p.Bild = "/tmp/alt.bmp";
    doc.replacePerson(1, p);
    dialogs.answerOpen("/tmp/neu.png").answerOpen("").answerOpen("/tmp/a|1.png");
    dialogs.answerOpen("/tmp/Foto [1].png");
    dialogs.answerMessage(IDOK);
    whileOpen([](TEditPForm& f) {
        f.BildBrowseBtn->click();
        EXPECT_EQ(f.BildEd->text(), QStringLiteral("/tmp/neu.png"));
        f.BildBrowseBtn->click(); // cancelled
        EXPECT_EQ(f.BildEd->text(), QStringLiteral("/tmp/neu.png"));
        f.BildBrowseBtn->click(); // a name the program refuses
        EXPECT_EQ(f.BildEd->text(), QStringLiteral("/tmp/neu.png"));
        f.BildBrowseBtn->click(); // brackets are ordinary in file names
        EXPECT_EQ(f.BildEd->text(), QStringLiteral("/tmp/Foto [1].png"));
        f.OkBtn->click();
    });
    ASSERT_EQ(editPersonThroughDialog(form, doc, 1), 1);
    EXPECT_EQ(doc.person(1).Bild, "/tmp/Foto [1].png");
    ASSERT_EQ(dialogs.fileQuestions().size(), 4u);
    const FileDialogRequest& asked = dialogs.fileQuestions()[0].request;
    EXPECT_EQ(asked.filter, fromAnsi(GetDIBOpenFilter()));
    EXPECT_EQ(asked.fileName, QStringLiteral("/tmp/alt.bmp"));
    EXPECT_EQ(dialogs.messages().at(0).text, QStringLiteral("Ungültiger Dateiname - /tmp/a|1.png"));
}

TEST_F(EditPFormTest, KeyboardMatchesTheDialogsLayout) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Personendaten bearbeiten"));
    EXPECT_EQ(form.minimumSize(), form.maximumSize()); // fixed size
    EXPECT_TRUE(form.OkBtn->isDefault());
    EXPECT_EQ(form.findChild<QLineEdit*>("NachNameED"), form.NachNameED);
    EXPECT_EQ(form.findChild<QComboBox*>("MutterED"), form.MutterED);
    EXPECT_TRUE(form.VaterED->isEditable()); // typing filters the rows

    std::vector<QString> visited;
    whileOpen([&](TEditPForm& f) {
        f.show();
        QApplication::setActiveWindow(&f);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
        EXPECT_EQ(QApplication::focusWidget(), f.NachNameED); // FormShow
        f.OkBtn->setFocus();
        for (int i = 0; i < 19; ++i) {
            visited.push_back(QApplication::focusWidget()->objectName());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        EXPECT_EQ(QApplication::focusWidget(), f.OkBtn); // round again
        f.GebDateED->setFocus();
        QTest::keyClick(f.GebDateED, Qt::Key_Return); // Enter in a one-line edit is OK
    });
    EXPECT_TRUE(addPersonThroughDialog(form, doc));
    // The fields of old in their order; each place after its date.
    EXPECT_EQ(visited, (std::vector<QString>{"OkBtn", "CancelBtn", "NachNameED", "VorNameED",
                                             "SexED", "GebDateED", "BirthPlaceED", "BaptismDateED",
                                             "BaptismPlaceED", "StDateED", "DeathPlaceED",
                                             "BurialDateED", "BurialPlaceED", "VaterED", "MutterED",
                                             "LebenED", "BildEd", "DelIndex1", "DelIndex2"}));

    whileOpen([](TEditPForm& f) {
        f.show();
        f.NachNameED->setText("Neu");
        QTest::keyClick(f.NachNameED, Qt::Key_Escape);
        EXPECT_FALSE(f.isVisible());
    });
    EXPECT_FALSE(editPersonThroughDialog(form, doc, 0));
    EXPECT_EQ(doc.person(0).NachName, "P");
}

TEST_F(EditPFormTest, ParentListsFilterAsTheUserTypesIgnoringCaseAndAccents) {
    auto named = [](const char* nach, const char* vor) { return person(std::string(nach), vor); };
    doc.replacePerson(0, named("Müller", "Hans"));
    doc.replacePerson(2, named("Mueller", "Grete"));
    doc.addPerson(named("Straße", "Eva"));
    doc.addPerson(named("MÜLLER", "Anna"));
    // The rows while person 1 is edited: 0 Müller, 1 Mueller, 2 P; 3,
    // 3 Straße, 4 MÜLLER.
    whileOpen([&](TEditPForm& f) {
        f.show();
        auto* completer = f.VaterED->completer();
        ASSERT_NE(completer, nullptr);
        auto typed = [&](QComboBox* list, const QString& text) {
            list->setFocus();
            list->lineEdit()->clear();
            for (QChar c : text) { // as typed, umlauts too
                QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
                QApplication::sendEvent(list->lineEdit(), &press);
            }
            QStringList rows;
            for (int i = 0; completer->setCurrentRow(i); ++i)
                rows << completer->currentCompletion();
            return rows;
        };
        EXPECT_EQ(typed(f.VaterED, "muller"), (QStringList{"Müller; Hans", "MÜLLER; Anna"}));
        EXPECT_EQ(typed(f.VaterED, "STRASS"), QStringList{"Straße; Eva"});
        EXPECT_EQ(typed(f.VaterED, "ans"), QStringList{"Müller; Hans"}); // anywhere in the row
        EXPECT_TRUE(typed(f.VaterED, "xyz").isEmpty());

        // Choosing a filtered row chooses that person.
        typed(f.VaterED, "müll");
        ASSERT_TRUE(completer->popup()->isVisible());
        completer->popup()->setCurrentIndex(completer->completionModel()->index(1, 0));
        QTest::keyClick(completer->popup(), Qt::Key_Return);
        EXPECT_EQ(f.VaterED->currentIndex(), 4);
        EXPECT_EQ(f.VaterED->currentText(), QStringLiteral("MÜLLER; Anna"));
        // Text that names no row falls back to the chosen one; an emptied
        // list means no parent.
        typed(f.VaterED, "Niemand");
        f.MutterED->lineEdit()->setText(QStringLiteral("Mueller; Grete"));
        f.OkBtn->click();
    });
    ASSERT_EQ(editPersonThroughDialog(form, doc, 1), 1);
    EXPECT_EQ(doc.person(1).Vater, 5);  // row 4 stands for person 5
    EXPECT_EQ(doc.person(1).Mutter, 2); // row 1 stands for person 2

    whileOpen([](TEditPForm& f) {
        f.VaterED->lineEdit()->clear();
        f.OkBtn->click();
    });
    ASSERT_EQ(editPersonThroughDialog(form, doc, 1), 1);
    EXPECT_EQ(doc.person(1).Vater, -1);
    EXPECT_EQ(doc.person(1).Mutter, 2);
}

TEST_F(EditPFormTest, ALongBiographyScrollsAndKeepsEveryLine) {
    whileOpen([](TEditPForm& f) {
        f.show();
        QStringList lines;
        for (int i = 0; i < 20; ++i)
            lines << QStringLiteral("Zeile %1").arg(i);
        f.LebenED->setPlainText(lines.join('\n'));
        QCoreApplication::processEvents();
        EXPECT_TRUE(f.LebenED->verticalScrollBar()->isVisible());
        EXPECT_EQ(f.lebenLines(), lines);
        f.CancelBtn->click();
    });
    EXPECT_FALSE(addPersonThroughDialog(form, doc));
}

} // namespace
} // namespace lw

namespace lw {

// A date text that is none is marked and said, yet stored as written; the
// dialog keeps its width (the memo's width cuts the biography into lines).
TEST_F(EditPFormTest, DatesThatAreNoneAreMarkedWithTheReasonAndStoredAsWritten) {
    const int width = form.width();
    const int height = form.height();
    whileOpen([&](TEditPForm& f) {
        EXPECT_FALSE(f.GebDateMark->isVisible());
        EXPECT_TRUE(f.DateHintLbl->isHidden());
        f.GebDateED->setText(QStringLiteral("32.13.1900"));
        f.StDateED->setText(QStringLiteral("gestern"));
        EXPECT_TRUE(f.GebDateMark->isVisible());
        EXPECT_EQ(f.GebDateMark->toolTip(),
                  QStringLiteral("Kein gültiges Datum: Tag 32, Monat 13"));
        EXPECT_TRUE(f.StDateMark->isVisible());
        EXPECT_EQ(f.StDateMark->toolTip(), QStringLiteral("Kein Datum"));
        EXPECT_FALSE(f.DateHintLbl->isHidden());
        EXPECT_EQ(f.DateHintLbl->text(),
                  QStringLiteral("Geburtsdatum: Kein gültiges Datum: Tag 32, Monat 13\n"
                                 "Sterbedatum: Kein Datum (wird so gespeichert)"));
        EXPECT_EQ(f.width(), width);
        EXPECT_GT(f.height(), height); // room for the two lines
        f.OkBtn->click();
    });
    ASSERT_TRUE(editPersonThroughDialog(form, doc, 1));
    EXPECT_EQ(doc.person(1).GebDate, "32.13.1900");
    EXPECT_EQ(doc.person(1).StDate, "gestern");

    // Mended, or a date as files write it: no mark.
    whileOpen([&](TEditPForm& f) {
        EXPECT_TRUE(f.GebDateMark->isVisible()); // refilled from the person
        f.GebDateED->setText(QStringLiteral("um 1900"));
        f.StDateED->setText(QStringLiteral("12 MAR 1950"));
        EXPECT_FALSE(f.GebDateMark->isVisible());
        EXPECT_FALSE(f.StDateMark->isVisible());
        EXPECT_TRUE(f.DateHintLbl->isHidden());
        EXPECT_EQ(f.height(), height);
        f.CancelBtn->click();
    });
    EXPECT_FALSE(editPersonThroughDialog(form, doc, 1));
}

} // namespace lw
