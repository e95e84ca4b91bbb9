#include "chart/gui/AreaForm.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace lw {
namespace {

QString labelFor(QWidget* field) {
    for (QLabel* label : field->parentWidget()->findChildren<QLabel*>())
        if (label->buddy() == field) return label->text();
    return {};
}

TEST(AreaForm, ShowsTheAreaAndTakesTheNewSizeOnOk) {
    TAreaForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Größe der Fläche ändern"));
    EXPECT_EQ(labelFor(form.breited), QStringLiteral("Breite in möglichen Positonen:"));
    EXPECT_EQ(labelFor(form.hoched), QStringLiteral("Höhe in möglichen Positionen:"));

    Document doc;
    doc.Modified = true;
    form.setRunner([](TAreaForm& f) {
        EXPECT_EQ(f.breited->value(), 60);
        EXPECT_EQ(f.hoched->value(), 60);
        f.breited->setValue(12);
        f.hoched->setValue(345);
        f.OkBtn->click();
    });
    EXPECT_TRUE(askAndApplyArea(form, doc));
    EXPECT_EQ(doc.AreaWidth, 12);
    EXPECT_EQ(doc.AreaHeight, 345);
    EXPECT_TRUE(doc.Modified); // neither set nor cleared
    doc.Modified = false;

    form.setRunner([](TAreaForm& f) { f.OkBtn->click(); });
    EXPECT_FALSE(askAndApplyArea(form, doc)); // OK without change: nothing to repaint
    EXPECT_EQ(doc.AreaWidth, 12);
    EXPECT_FALSE(doc.Modified);
}

TEST(AreaForm, CancelKeepsTheArea) {
    TAreaForm form;
    Document doc;
    doc.AreaWidth = 7;
    doc.AreaHeight = 9;
    form.setRunner([](TAreaForm& f) {
        f.breited->setValue(100);
        f.CancelBtn->click();
    });
    EXPECT_FALSE(askAndApplyArea(form, doc));
    form.setRunner([](TAreaForm& f) { f.hoched->setValue(100); }); // closed without OK
    EXPECT_FALSE(askAndApplyArea(form, doc));
    EXPECT_EQ(doc.AreaWidth, 7);
    EXPECT_EQ(doc.AreaHeight, 9);
}

TEST(AreaForm, SizesAreWholePositionsFromOneToAMillion) {
    TAreaForm form;
    Document doc;
    doc.AreaWidth = 0; // sizes from a file may lie outside the range
    doc.AreaHeight = 5000000;
    form.setRunner([](TAreaForm& f) {
        EXPECT_EQ(f.breited->value(), 1);
        EXPECT_EQ(f.hoched->value(), 1000000);
        f.OkBtn->click();
    });
    EXPECT_TRUE(askAndApplyArea(form, doc));
    EXPECT_EQ(doc.AreaWidth, 1);
    EXPECT_EQ(doc.AreaHeight, 1000000);

    // Typing: digits beyond the range and anything but digits are not taken.
    form.setRunner([](TAreaForm& f) {
        f.show();
        QLineEdit* text = f.breited->findChild<QLineEdit*>();
        ASSERT_TRUE(text);
        text->selectAll();
        QTest::keyClicks(text, "25000000");
        EXPECT_EQ(f.breited->value(), 250000);
        text->selectAll();
        QTest::keyClicks(text, "4x2-5");
        EXPECT_EQ(f.breited->value(), 425);
        QTest::keyClick(text, Qt::Key_Return); // Enter confirms the dialog
    });
    EXPECT_TRUE(askAndApplyArea(form, doc));
    EXPECT_EQ(doc.AreaWidth, 425);
    EXPECT_EQ(doc.AreaHeight, 1000000);
}

} // namespace
} // namespace lw
