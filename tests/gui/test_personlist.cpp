// The person list page through the real window: rows, selection, deleting,
// moving, and the edit dialog opened from the list.
#include "app/pages/PersonListController.h"
#include "app/pages/PersonsPage.h"
#include "app/window/MainForm.h"
#include "document/gui/EditPForm.h"
#include "gui/MainWindowFixture.h"
#include "session/DocumentHistory.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

lw::TPerson person(const char* nach, const char* vor, int vater = -1, int mutter = -1) {
    lw::TPerson p;
    p.NachName = nach;
    p.VorName = vor;
    p.Vater = vater;
    p.Mutter = mutter;
    return p;
}

struct Relations {
    std::string name;
    int vater;
    int mutter;
    std::int32_t x;
    std::int32_t y;
    bool operator==(const Relations&) const = default;
};

class PersonListTest : public lw::test::MainWindowTest {
  protected:
    QListWidget* list() { return form->personsPage()->ListBox1(); }
    lw::app::PersonsPage* page() { return form->personsPage(); }

    // Adds persons on the cells (0, 0), (1, 0) ... and shows them in the list.
    void add(std::initializer_list<lw::TPerson> persons) {
        for (lw::TPerson p : persons) {
            p.GridX = doc().PersonCount();
            p.GridY = 0;
            doc().addPerson(p);
        }
        form->UpdatePersonList();
    }

    std::vector<Relations> relations() {
        std::vector<Relations> r;
        for (const lw::TPerson& p : doc().Persons())
            r.push_back({p.NachName, p.Vater, p.Mutter, p.GridX, p.GridY});
        return r;
    }

    QStringList rows() {
        QStringList r;
        for (int i = 0; i < list()->count(); ++i)
            r << list()->item(i)->text();
        return r;
    }

    int selected() { return form->personList()->selectedRow(); }

    // The user's part while the edit dialog is open.
    void whileEditing(lw::TEditPForm::Runner runner) {
        form->editPForm()->setRunner(std::move(runner));
    }
};

const QString kDeleteText = QStringLiteral("Hiermit löschen Sie die Person unwiederruflich.");

} // namespace

// ------------------------------------------------------------------- rows

TEST_F(PersonListTest, RowsShowSurnameSemicolonFirstNameAndNothingIsSelected) {
    add({person("Lind", "Anna"), person("", ""), person("Gr\u00F6\u00DF", "")});
    EXPECT_EQ(rows(), (QStringList{"Lind; Anna", "; ", QStringLiteral("Größ; ")}));
    EXPECT_EQ(selected(), -1);

    list()->setCurrentRow(1);
    EXPECT_EQ(selected(), 1);
    form->UpdatePersonList(); // refilling clears the selection
    EXPECT_EQ(selected(), -1);
    EXPECT_EQ(list()->count(), 3);
}

TEST_F(PersonListTest, ACurrentRowThatIsNotSelectedCountsAsNoSelection) {
    add({person("A", "1"), person("B", "2")});
    list()->setCurrentRow(1);
    list()->clearSelection(); // the row keeps the focus frame only
    ASSERT_EQ(list()->currentRow(), 1);
    EXPECT_EQ(selected(), -1);

    page()->DelBtn()->click();
    page()->MoveUpToBtn()->click();
    EXPECT_EQ(dialogs.questionCount(), 0);
    EXPECT_EQ(doc().PersonCount(), 2);
    EXPECT_EQ(doc().person(1).NachName, "B");
    EXPECT_FALSE(doc().Modified);
}

// ----------------------------------------------------------------- delete

TEST_F(PersonListTest, DeletingFirstOfThreeKeepsTheMotherOfTheLast) {
    add({person("A", ""), person("B", ""), person("C", "", -1, 1)});
    list()->setCurrentRow(0);
    dialogs.answerMessage(lw::IDOK);
    page()->DelBtn()->click();

    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, kDeleteText);
    EXPECT_EQ(dialogs.messages()[0].caption, QStringLiteral("Löschen bestätigen"));
    EXPECT_EQ(dialogs.messages()[0].flags, unsigned(lw::MB_OKCANCEL | lw::MB_ICONSTOP));
    // The others keep their cells; C's mother is still B, now at index 0.
    EXPECT_EQ(relations(), (std::vector<Relations>{{"B", -1, -1, 1, 0}, {"C", -1, 0, 2, 0}}));
    EXPECT_FALSE(doc().GridBesetzt(0, 0));
    EXPECT_TRUE(doc().Modified);
    EXPECT_EQ(rows(), (QStringList{"B; ", "C; "}));
    EXPECT_EQ(selected(), -1);
}

TEST_F(PersonListTest, CancellingTheDeleteChangesNothing) {
    add({person("A", ""), person("B", "", 0)});
    list()->setCurrentRow(0);
    const auto before = relations();
    dialogs.answerMessage(lw::IDCANCEL);
    page()->DelBtn()->click();
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(relations(), before);
    EXPECT_FALSE(doc().Modified);
    EXPECT_EQ(selected(), 0);
}

TEST_F(PersonListTest, DeletingTheOnlyPersonLeavesAnEmptyModifiedDocument) {
    add({person("A", "")});
    list()->setCurrentRow(0);
    dialogs.answerMessage(lw::IDOK);
    form->DelBtnClick();
    EXPECT_EQ(doc().PersonCount(), 0);
    EXPECT_EQ(list()->count(), 0);
    EXPECT_TRUE(doc().Modified);

    form->DelBtnClick(); // nothing left to delete: no question
    EXPECT_EQ(dialogs.messages().size(), 1u);
}

// ------------------------------------------------------------------- move

TEST_F(PersonListTest, MovingDownAndUpRestoresEveryRelation) {
    add({person("A", "", -1, 3), person("B", "", 0, 2), person("C", "", 1, 1),
         person("D", "", 2, 0)});
    const auto before = relations();

    list()->setCurrentRow(1);
    page()->MoveDownToBtn()->click();
    EXPECT_EQ(rows(), (QStringList{"A; ", "C; ", "B; ", "D; "}));
    EXPECT_EQ(selected(), 2);
    EXPECT_TRUE(doc().Modified);
    // Every parent still names the same person, and the chart looks the same.
    EXPECT_EQ(relations(),
              (std::vector<Relations>{
                  {"A", -1, 3, 0, 0}, {"C", 2, 2, 2, 0}, {"B", 0, 1, 1, 0}, {"D", 1, 0, 3, 0}}));
    EXPECT_EQ(doc().GridNr(1, 0), 2);

    page()->MoveUpToBtn()->click();
    EXPECT_EQ(selected(), 1);
    EXPECT_EQ(relations(), before);
    EXPECT_EQ(doc().GridNr(1, 0), 1);
}

TEST_F(PersonListTest, ParentAndChildExchangingPlacesKeepTheirRelation) {
    add({person("Vater", ""), person("Sohn", "", 0, 0)});
    list()->setCurrentRow(0);
    form->MoveDownToBtnClick();
    EXPECT_EQ(relations(), (std::vector<Relations>{{"Sohn", 1, 1, 1, 0}, {"Vater", -1, -1, 0, 0}}));
    EXPECT_EQ(selected(), 1);
}

TEST_F(PersonListTest, MovesAtTheEndsOrWithoutSelectionChangeNothing) {
    add({person("A", ""), person("B", "", 0)});
    const auto before = relations();

    list()->setCurrentRow(0);
    form->MoveUpToBtnClick();
    EXPECT_EQ(selected(), 0);
    list()->setCurrentRow(1);
    form->MoveDownToBtnClick();
    EXPECT_EQ(selected(), 1);
    form->UpdatePersonList(); // no selection
    form->MoveUpToBtnClick();
    form->MoveDownToBtnClick();

    EXPECT_EQ(relations(), before);
    EXPECT_FALSE(doc().Modified);
}

// ----------------------------------------------------- the edit dialog

TEST_F(PersonListTest, NewPersonGoesOnTheFirstFreeCellAndIsSelected) {
    add({person("A", ""), person("B", "")}); // on (0, 0) and (1, 0)
    whileEditing([](lw::TEditPForm& f) {
        EXPECT_EQ(f.VaterED->count(), 2);
        f.NachNameED->setText(QStringLiteral("Müller"));
        f.VorNameED->setText(QStringLiteral("Eva"));
        f.VaterED->setCurrentIndex(1);
        f.OkBtn->click();
    });
    page()->NewBtn()->click();

    ASSERT_EQ(doc().PersonCount(), 3);
    const lw::TPerson& eva = doc().person(2);
    EXPECT_EQ(eva.NachName, "M\u00FCller");
    EXPECT_EQ(eva.Vater, 1);
    EXPECT_EQ(eva.GridX, 2);
    EXPECT_EQ(eva.GridY, 0);
    EXPECT_TRUE(doc().Modified);
    EXPECT_EQ(rows().last(), QStringLiteral("Müller; Eva"));
    EXPECT_EQ(selected(), 2);
}

TEST_F(PersonListTest, CancelledNewOrEditChangesNothing) {
    add({person("A", "")});
    whileEditing([](lw::TEditPForm& f) {
        f.NachNameED->setText("X");
        f.CancelBtn->click();
    });
    form->NewBtnClick();
    list()->setCurrentRow(0);
    form->EditBtnClick();
    EXPECT_EQ(doc().PersonCount(), 1);
    EXPECT_EQ(doc().person(0).NachName, "A");
    EXPECT_FALSE(doc().Modified);
}

TEST_F(PersonListTest, EditKeepsTheFatherThroughTheRowMapping) {
    add({person("P0", ""), person("P1", "", 3), person("P2", ""), person("P3", "")});
    list()->setCurrentRow(1);
    int openings = 0;
    whileEditing([&](lw::TEditPForm& f) {
        ++openings;
        // Person 1 is missing from its own parent lists: rows 0, 2, 3.
        EXPECT_EQ(f.VaterED->count(), 3);
        EXPECT_EQ(f.VaterED->currentIndex(), 2);
        EXPECT_EQ(f.VaterED->currentText(), QStringLiteral("P3; "));
        f.VorNameED->setText("Neu");
        f.OkBtn->click();
    });
    page()->EditBtn()->click();
    ASSERT_EQ(openings, 1);
    EXPECT_EQ(doc().person(1).Vater, 3);
    EXPECT_EQ(doc().person(1).GridX, 1);
    EXPECT_EQ(rows()[1], QStringLiteral("P1; Neu"));
    EXPECT_EQ(selected(), 1);
    EXPECT_TRUE(doc().Modified);
}

TEST_F(PersonListTest, EnterAndDoubleClickEditTheSelectedRow) {
    add({person("A", ""), person("B", "")});
    std::vector<QString> opened;
    whileEditing([&](lw::TEditPForm& f) {
        opened.push_back(f.NachNameED->text());
        f.CancelBtn->click();
    });

    QTest::keyClick(list(), Qt::Key_Return); // nothing selected yet
    EXPECT_TRUE(opened.empty());

    list()->setCurrentRow(1);
    QTest::keyClick(list(), Qt::Key_Return);
    list()->setCurrentRow(0);
    QTest::keyClick(list(), Qt::Key_Enter);
    QTest::keyClick(list(), Qt::Key_A); // other keys do not edit
    QTest::keyClick(list(), Qt::Key_Return, Qt::ControlModifier);

    list()->setCurrentRow(1);
    const QRect rowRect = list()->visualItemRect(list()->item(1));
    // What the window system sends for a double click: click, double click, release.
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rowRect.center());
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, rowRect.center());
    QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, rowRect.center());
    EXPECT_EQ(opened, (std::vector<QString>{"B", "A", "B"}));
}

TEST_F(PersonListTest, NameBeyondWindows1252IsKeptAndListed) {
    whileEditing([&](lw::TEditPForm& f) {
        f.NachNameED->setText(QStringLiteral("Wang \u738B"));
        f.OkBtn->click();
    });
    form->NewBtnClick();
    ASSERT_EQ(doc().PersonCount(), 1);
    EXPECT_EQ(doc().person(0).NachName, "Wang \xE7\x8E\x8B");
    EXPECT_TRUE(list()->item(0)->text().startsWith(QStringLiteral("Wang \u738B;")));
    EXPECT_TRUE(dialogs.messages().empty());
}

// ---------------------------------------------------------- date columns

// The dates stand in columns of their own; a click on a column's header
// sorts by it (dates by time, other texts after them), a second turns the
// order round, a third brings back the document's order. Deleting, undoing
// and moving work on the persons the rows show, in the document's order.
TEST_F(PersonListTest, DateColumnsSortByTimeWhileTheOperationsKeepTheDocumentOrder) {
    auto dated = [](const char* nach, const char* geb, const char* st, int vater = -1) {
        lw::TPerson p = person(nach, "", vater);
        p.GebDate = geb;
        p.StDate = st;
        return p;
    };
    add({dated("A", "1.1.1900", "1970"), dated("B", "gestern", "ca. 1950", 0),
         dated("C", "vor 1850", "1900"), dated("D", "", ""),
         dated("E", "12.3.1875", "32.13.1930", 2)});
    lw::app::PersonListWidget* w = form->personsPage()->ListBox1();
    QHeaderView* header = w->header();
    ASSERT_TRUE(header->isVisible());
    EXPECT_EQ(header->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Geburt"));
    EXPECT_EQ(header->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Tod"));
    auto column = [&](lw::app::PersonListWidget::Column c) {
        QStringList texts;
        for (int row = 0; row < w->count(); ++row)
            texts << w->columnText(row, c);
        return texts;
    };
    auto clickHeader = [&](int section) {
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
        QCoreApplication::processEvents();
    };
    const QStringList documentOrder{"A; ", "B; ", "C; ", "D; ", "E; "};
    EXPECT_EQ(rows(), documentOrder);
    EXPECT_EQ(column(lw::app::PersonListWidget::BirthColumn),
              (QStringList{"1.1.1900", "gestern", "vor 1850", "", "12.3.1875"}));

    clickHeader(1);
    EXPECT_EQ(rows(), (QStringList{"C; ", "E; ", "A; ", "B; ", "D; "}));
    EXPECT_EQ(column(lw::app::PersonListWidget::BirthColumn),
              (QStringList{"vor 1850", "12.3.1875", "1.1.1900", "gestern", ""}));
    clickHeader(1);
    EXPECT_EQ(rows(), (QStringList{"A; ", "E; ", "C; ", "B; ", "D; "}));
    clickHeader(1);
    EXPECT_EQ(rows(), documentOrder);
    clickHeader(2); // by death: 1900, ca. 1950, 1970, then the wrong date, then none
    EXPECT_EQ(rows(), (QStringList{"C; ", "B; ", "A; ", "E; ", "D; "}));

    // Deleting the selected row deletes the person it shows.
    list()->setCurrentRow(1); // B
    EXPECT_EQ(selected(), 1);
    dialogs.answerMessage(lw::IDOK);
    page()->DelBtn()->click();
    EXPECT_EQ(
        relations(),
        (std::vector<Relations>{
            {"A", -1, -1, 0, 0}, {"C", -1, -1, 2, 0}, {"D", -1, -1, 3, 0}, {"E", 1, -1, 4, 0}}));
    EXPECT_EQ(rows(), (QStringList{"C; ", "A; ", "E; ", "D; "}));
    // Undone, B comes back into its sorted row, selected.
    form->history()->undo();
    EXPECT_EQ(doc().PersonCount(), 5);
    EXPECT_EQ(rows(), (QStringList{"C; ", "B; ", "A; ", "E; ", "D; "}));
    EXPECT_EQ(selected(), 1);
    EXPECT_EQ(list()->currentRow(), 1);

    // A move is one in the document's order, which the list shows again.
    list()->setCurrentRow(3); // E, person 4
    ASSERT_EQ(selected(), 4);
    page()->MoveUpToBtn()->click();
    EXPECT_EQ(w->sortColumn(), -1);
    EXPECT_EQ(rows(), (QStringList{"A; ", "B; ", "C; ", "E; ", "D; "}));
    EXPECT_EQ(selected(), 3);
    EXPECT_EQ(doc().person(3).Vater, 2); // still C
}
