// The main window keeps its box settings in the settings file between runs.
#include "app/MainForm.h"
#include "document/FormStorage.h"
#include "tests/gui/ScriptedDialogs.h"

#include <QApplication>
#include <QFile>
#include <gtest/gtest.h>

using lw::test::ScriptedDialogs;

TEST(MainFormSettings, ClosingWritesTheBoxValuesAndTheNextRunStartsWithThem) {
    QApplication::setQuitOnLastWindowClosed(false);
    const QString file = lw::defaultFormSettingsPath();
    ASSERT_FALSE(QFile::exists(file));
    {
        ScriptedDialogs dialogs;
        TMainForm form(dialogs);
        form.show();
        EXPECT_EQ(form.boxLayout(), lw::BoxLayout{}); // no file: the initial values
        lw::BoxLayout box = form.boxLayout();
        box.resetToStandard();
        box.setBreit(200);
        form.setBoxLayout(box);
        EXPECT_TRUE(form.close()); // nothing modified: no question
    }
    ASSERT_TRUE(QFile::exists(file));
    QFile ini(file);
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    EXPECT_TRUE(text.contains("[TMainForm]"));
    EXPECT_TRUE(text.contains("bkColorBox_ColorValue=-2147483624"));
    EXPECT_TRUE(text.contains("BreitEd_Value=200"));

    ScriptedDialogs dialogs;
    TMainForm next(dialogs);
    next.show();
    EXPECT_EQ(next.boxLayout().BreitEd, 200);
    EXPECT_EQ(next.boxLayout().bkColor, lw::clInfoBk);
}

TEST(MainFormSettings, AWindowDestroyedWithoutClosingStillSaves) {
    const QString file = lw::defaultFormSettingsPath();
    {
        ScriptedDialogs dialogs;
        TMainForm form(dialogs);
        form.show();
        lw::BoxLayout box = form.boxLayout();
        box.setHoch(50);
        form.setBoxLayout(box);
    }
    QFile ini(file);
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("HochEd_Value=50"));
}
