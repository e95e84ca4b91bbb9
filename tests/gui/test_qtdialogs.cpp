#include "platform/gui/FontColorDialog.h"
#include "platform/gui/QtDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(QtNameFilters, PairsBecomeDescriptionsWithTheirPatterns) {
    EXPECT_EQ(lw::toQtNameFilters(QStringLiteral("Stammbäume|*.sta")),
              QStringList{QStringLiteral("Stammbäume (*.sta)")});
    EXPECT_EQ(lw::toQtNameFilters(QStringLiteral("Bilder|*.bmp;*.jpg; *.png|Alle Dateien|*.*")),
              (QStringList{QStringLiteral("Bilder (*.bmp *.jpg *.png)"),
                           QStringLiteral("Alle Dateien (*.*)")}));
}

TEST(QtNameFilters, PatternsAlreadyNamedAreNotRepeated) {
    EXPECT_EQ(lw::toQtNameFilters(QStringLiteral("Textdateien (*.txt)|*.txt")),
              QStringList{QStringLiteral("Textdateien (*.txt)")});
    // Brackets that name something else still get the patterns.
    EXPECT_EQ(lw::toQtNameFilters(QStringLiteral("Bilder (alle)|*.bmp")),
              QStringList{QStringLiteral("Bilder (alle) (*.bmp)")});
}

TEST(QtNameFilters, ADescriptionWithoutPatternsIsDropped) {
    EXPECT_EQ(lw::toQtNameFilters(QStringLiteral("Stammbäume|*.sta|Rest")),
              QStringList{QStringLiteral("Stammbäume (*.sta)")});
    EXPECT_TRUE(lw::toQtNameFilters(QString()).isEmpty());
}

} // namespace

TEST(FontColorDialog, TheFontDialogOffersAndReturnsTheFontColour) {
    // The colour row sits with the effects, and the colour dialog it opens
    // starts from the font's colour; Cancel there keeps the colour.
    lw::FontColorDialog dialog(QFont(QStringLiteral("Liberation Sans"), 12), QColor(0, 0, 128));
    auto* group = qobject_cast<QGroupBox*>(dialog.colorButton()->parentWidget()->parentWidget());
    ASSERT_NE(group, nullptr);
    EXPECT_FALSE(group->findChildren<QCheckBox*>().isEmpty());
    std::vector<QColor> offered;
    std::vector<QColor> answers{QColor(Qt::red), QColor()};
    dialog.setColorPicker([&](const QColor& start, QWidget*) {
        offered.push_back(start);
        QColor answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    });
    dialog.colorButton()->click();
    dialog.colorButton()->click();
    EXPECT_EQ(offered, (std::vector<QColor>{QColor(0, 0, 128), QColor(Qt::red)}));
    EXPECT_EQ(dialog.color(), QColor(Qt::red));

    // Through the seam: the colour chosen reaches the font, as do name and size.
    lw::QtDialogs dialogs;
    lw::TFontInfo font = lw::defaultBoxFont();
    QTimer::singleShot(0, [] {
        auto* open = qobject_cast<lw::FontColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(open, nullptr);
        EXPECT_EQ(open->color(), QColor(0, 0, 0)); // the box font's colour
        open->setColor(QColor(0, 128, 0));
        open->setCurrentFont(QFont(QStringLiteral("Liberation Serif"), 14));
        open->accept();
    });
    ASSERT_TRUE(dialogs.chooseFont(font));
    EXPECT_EQ(font.Color, lw::fromQColor(QColor(0, 128, 0)));
    EXPECT_EQ(font.Name, "Liberation Serif");
    EXPECT_EQ(font.Size(), 14);
}
