#include "platform/gui/QtDialogs.h"

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
