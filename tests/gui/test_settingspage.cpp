#include "app/pages/SettingsPage.h"
#include "app/widgets/ColorChooser.h"
#include "app/widgets/IntSpinEdit.h"
#include "app/window/Resources.h"
#include "gui/ScriptedDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using lw::app::ColorChooser;
using lw::app::IntSpinEdit;
using lw::test::ScriptedDialogs;

namespace {

class SettingsPageTest : public ::testing::Test {
  protected:
    void SetUp() override { lw::app::initAppResources(); }

    // The colour of the swatch in front of an entry.
    static QColor swatchColor(const ColorChooser* chooser, int index) {
        QImage img = chooser->itemIcon(index).pixmap(QSize(16, 12)).toImage();
        return img.pixelColor(img.width() / 2, img.height() / 2);
    }

    // Types `text` into a spin edit as the user would, replacing its text.
    static void type(IntSpinEdit* edit, const QString& text) {
        edit->findChild<QLineEdit*>()->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    static void leave(QWidget* w) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
    }
    static QString text(IntSpinEdit* edit) { return edit->findChild<QLineEdit*>()->text(); }

    lw::BoxLayout box;
    ScriptedDialogs dialogs;
    lw::app::SettingsPage page{box, dialogs};
};

TEST_F(SettingsPageTest, StartsWithTheInitialValues) {
    EXPECT_EQ(page.bkColorBox()->colorValue(), lw::rgb(0xFF, 0xFF, 0xE1));
    EXPECT_EQ(page.bkColorBox()->currentIndex(), ColorChooser::kMoreIndex);
    EXPECT_EQ(swatchColor(page.bkColorBox(), ColorChooser::kMoreIndex), QColor(0xFF, 0xFF, 0xE1));
    EXPECT_EQ(page.BorderColorBox()->currentIndex(), 0);
    EXPECT_EQ(page.BreitEd()->value(), 168);
    EXPECT_EQ(page.HochEd()->value(), 96);
    EXPECT_EQ(page.BildEd()->value(), 50);
    EXPECT_TRUE(page.textausrichtButton(1)->isChecked());
    EXPECT_TRUE(page.LeblaufCheck()->isChecked());
    EXPECT_EQ(box, lw::BoxLayout{});
}

TEST_F(SettingsPageTest, ColorChooserListsSeventeenEntries) {
    ColorChooser* c = page.BorderColorBox();
    ASSERT_EQ(c->count(), 17);
    const char* names[] = {"Black", "Maroon",  "Green",  "Olive", "Navy",   "Purple",
                           "Teal",  "Gray",    "Silver", "Red",   "Lime",   "Yellow",
                           "Blue",  "Fuchsia", "Aqua",   "White", "More..."};
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(c->itemText(i), QLatin1String(names[i]));
    EXPECT_EQ(swatchColor(c, 3), QColor(0x80, 0x80, 0x00));
    EXPECT_EQ(swatchColor(c, 13), QColor(0xFF, 0x00, 0xFF));
}

TEST_F(SettingsPageTest, ColorSetByTheProgramIsLookedUp) {
    ColorChooser* c = page.bkColorBox();
    c->setColorValue(lw::rgb(0x00, 0x80, 0x80)); // Teal
    EXPECT_EQ(c->currentIndex(), 6);
    EXPECT_EQ(box.bkColor, lw::rgb(0x00, 0x80, 0x80));

    c->setColorValue(lw::rgb(0x12, 0x34, 0x56)); // no named colour
    EXPECT_EQ(c->currentIndex(), ColorChooser::kMoreIndex);
    EXPECT_EQ(c->moreColor(), lw::rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(swatchColor(c, ColorChooser::kMoreIndex), QColor(0x12, 0x34, 0x56));

    // A system colour is never one of the named ones, even when it looks the
    // same as one (window text is black).
    c->setColorValue(lw::clWindowText);
    EXPECT_EQ(c->currentIndex(), ColorChooser::kMoreIndex);
    EXPECT_EQ(c->colorValue(), lw::clWindowText);
    EXPECT_EQ(swatchColor(c, ColorChooser::kMoreIndex), QColor(0, 0, 0));
    c->setColorValue(lw::clInfoBk);
    EXPECT_EQ(swatchColor(c, ColorChooser::kMoreIndex), QColor(0xFF, 0xFF, 0xE1));
    EXPECT_EQ(box.bkColor, lw::clInfoBk);
}

TEST_F(SettingsPageTest, MoreOpensTheColourDialogPresetToTheCurrentColour) {
    ColorChooser* c = page.BorderColorBox();
    c->setColorValue(lw::rgb(0x80, 0x00, 0x00));
    dialogs.answerColor(lw::rgb(0xAB, 0xCD, 0xEF)).answerColor(std::nullopt);

    QTest::keyClick(c, Qt::Key_End); // the user picks "More..."
    ASSERT_EQ(dialogs.colorsOffered().size(), 1u);
    EXPECT_EQ(dialogs.colorsOffered()[0], lw::rgb(0x80, 0x00, 0x00));
    EXPECT_EQ(c->colorValue(), lw::rgb(0xAB, 0xCD, 0xEF));
    EXPECT_EQ(c->currentIndex(), ColorChooser::kMoreIndex);
    EXPECT_EQ(box.borderColor, lw::rgb(0xAB, 0xCD, 0xEF));

    QTest::keyClick(c, Qt::Key_Home); // Black
    EXPECT_EQ(c->colorValue(), lw::clBlack);
    QTest::keyClick(c, Qt::Key_End); // "More..." again, then Cancel
    EXPECT_EQ(dialogs.colorsOffered().at(1), lw::clBlack);
    EXPECT_EQ(c->colorValue(), lw::clBlack);
    EXPECT_EQ(c->currentIndex(), 0);
    EXPECT_EQ(box.borderColor, lw::clBlack);
}

TEST_F(SettingsPageTest, ColourChosenInTheDialogThatHasANameSelectsIt) {
    page.bkColorBox()->setColorValue(lw::rgb(0xFF, 0x00, 0x00));
    dialogs.answerColor(lw::rgb(0x00, 0x00, 0xFF));
    QTest::keyClick(page.bkColorBox(), Qt::Key_End);
    EXPECT_EQ(page.bkColorBox()->currentIndex(), 12); // Blue
}

TEST_F(SettingsPageTest, ValuesSetByTheProgramAreClampedAndRounded) {
    IntSpinEdit* breit = page.BreitEd();
    breit->setValue(5);
    EXPECT_EQ(breit->value(), 10);
    EXPECT_EQ(text(breit), QStringLiteral("10"));
    breit->setValue(1200);
    EXPECT_EQ(breit->value(), 1000);
    EXPECT_EQ(box.BreitEd, 1000);
    breit->setValue(99.5);
    EXPECT_EQ(breit->value(), 100);
    page.BildEd()->setValue(120);
    EXPECT_EQ(box.BildEd, 90);
    page.HochEd()->setValue(-3);
    EXPECT_EQ(box.HochEd, 10);
}

TEST_F(SettingsPageTest, TypedValuesAreClampedWhenTheFieldIsLeft) {
    IntSpinEdit* breit = page.BreitEd();
    type(breit, QStringLiteral("3"));
    EXPECT_EQ(text(breit), QStringLiteral("3")); // still as typed
    EXPECT_EQ(box.BreitEd, 10);                  // but read within the range
    leave(breit);
    EXPECT_EQ(text(breit), QStringLiteral("10"));
    EXPECT_EQ(breit->value(), 10);

    type(breit, QStringLiteral("1500"));
    EXPECT_EQ(box.BreitEd, 1000);
    leave(breit);
    EXPECT_EQ(text(breit), QStringLiteral("1000"));

    type(breit, QStringLiteral("250"));
    QTest::keyClick(breit, Qt::Key_Return);
    EXPECT_EQ(text(breit), QStringLiteral("250"));
    EXPECT_EQ(box.BreitEd, 250);
}

TEST_F(SettingsPageTest, TextThatIsNoNumberReadsAsTheLowerBound) {
    type(page.BreitEd(), QStringLiteral("abc"));
    EXPECT_EQ(page.BreitEd()->value(), 10);
    leave(page.BreitEd());
    EXPECT_EQ(text(page.BreitEd()), QStringLiteral("10"));

    type(page.BildEd(), QStringLiteral("12x"));
    leave(page.BildEd());
    EXPECT_EQ(box.BildEd, 0);
    EXPECT_EQ(text(page.BildEd()), QStringLiteral("0"));

    type(page.HochEd(), QString());
    leave(page.HochEd());
    EXPECT_EQ(box.HochEd, 10);
}

TEST_F(SettingsPageTest, ArrowsStepWithinTheRange) {
    page.BildEd()->setValue(89);
    QTest::keyClick(page.BildEd(), Qt::Key_Up);
    EXPECT_EQ(box.BildEd, 90);
    QTest::keyClick(page.BildEd(), Qt::Key_Up);
    EXPECT_EQ(box.BildEd, 90);
    page.BildEd()->setValue(0);
    QTest::keyClick(page.BildEd(), Qt::Key_Down);
    EXPECT_EQ(box.BildEd, 0);
}

TEST_F(SettingsPageTest, AlignmentAndBiographySwitchFollowTheControls) {
    page.textausrichtButton(0)->click();
    EXPECT_EQ(box.Textausricht, 0);
    page.textausrichtButton(2)->click();
    EXPECT_EQ(box.Textausricht, 2);
    page.LeblaufCheck()->click();
    EXPECT_FALSE(box.LeblaufCheck);
}

TEST_F(SettingsPageTest, ResetGivesTheStandardValuesWithTheTooltipColour) {
    page.bkColorBox()->setColorValue(lw::rgb(0xFF, 0, 0));
    page.BorderColorBox()->setColorValue(lw::rgb(0, 0, 0xFF));
    page.BreitEd()->setValue(500);
    page.HochEd()->setValue(20);
    page.BildEd()->setValue(0);
    page.textausrichtButton(2)->click();
    page.LeblaufCheck()->setChecked(false);
    box.font.Name = "Courier New";
    QSignalSpy repaints(&page, &lw::app::SettingsPage::repaintViewsRequested);

    QTest::mouseClick(page.UndoValBtn(), Qt::LeftButton);

    EXPECT_EQ(box.bkColor, lw::clInfoBk);
    EXPECT_EQ(page.bkColorBox()->currentIndex(), ColorChooser::kMoreIndex);
    EXPECT_EQ(swatchColor(page.bkColorBox(), ColorChooser::kMoreIndex), QColor(0xFF, 0xFF, 0xE1));
    EXPECT_EQ(page.BorderColorBox()->currentIndex(), 0);
    EXPECT_EQ(box.borderColor, lw::clBlack);
    EXPECT_EQ(box.font, lw::defaultBoxFont());
    EXPECT_EQ(page.BreitEd()->value(), 168);
    EXPECT_EQ(page.HochEd()->value(), 96);
    EXPECT_EQ(page.BildEd()->value(), 50);
    EXPECT_TRUE(page.textausrichtButton(1)->isChecked());
    EXPECT_TRUE(page.LeblaufCheck()->isChecked());
    EXPECT_EQ(box.BreitEd, 168);
    EXPECT_EQ(box.Textausricht, 1);
    EXPECT_TRUE(box.LeblaufCheck);
    EXPECT_EQ(repaints.count(), 0);
}

TEST_F(SettingsPageTest, FontButtonRepaintsWhateverTheAnswer) {
    QSignalSpy repaints(&page, &lw::app::SettingsPage::repaintViewsRequested);
    lw::TFontInfo chosen = lw::defaultBoxFont();
    chosen.Name = "Verdana";
    chosen.setSize(10);
    dialogs.answerFont(chosen).answerFont(std::nullopt);

    QTest::mouseClick(page.FontSpeedBtn(), Qt::LeftButton);
    EXPECT_EQ(dialogs.fontsOffered().at(0), lw::defaultBoxFont());
    EXPECT_EQ(box.font, chosen);
    EXPECT_EQ(repaints.count(), 1);

    QTest::mouseClick(page.FontSpeedBtn(), Qt::LeftButton);
    EXPECT_EQ(box.font, chosen);
    EXPECT_EQ(repaints.count(), 2);
}

TEST_F(SettingsPageTest, ShowingAReplacedLayoutKeepsItWithinTheRanges) {
    box.BreitEd = 5000; // set around the controls
    box.BildEd = -4;
    box.Textausricht = 7;
    box.borderColor = lw::rgb(0xFF, 0xFF, 0x00);
    box.font.Name = "Georgia";
    page.showBoxLayout();
    EXPECT_EQ(box.BreitEd, 1000);
    EXPECT_EQ(box.BildEd, 0);
    EXPECT_EQ(box.Textausricht, 2);
    EXPECT_EQ(page.BorderColorBox()->currentIndex(), 11); // Yellow
    EXPECT_EQ(box.font.Name, "Georgia");
}

} // namespace
