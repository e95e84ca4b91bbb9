// The window on the desktop: the first window size, trees opened from the
// command line, by a drop or from the recent list, and the toolkit's texts.
#include "app/window/AboutBox.h"
#include "app/window/FormStorageWindow.h"
#include "app/window/MainForm.h"
#include "app/window/ToolkitTexts.h"
#include "document/StaFile.h"
#include "gui/MainWindowFixture.h"
#include "platform/FontSubstitutes.h"
#include "platform/ProfileFile.h"
#include "session/RecentFiles.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QTranslator>
#include <QUrl>
#include <gtest/gtest.h>

using lw::TAboutBox;
using lw::TMainForm;
using lw::test::ScriptedDialogs;

namespace {

class HomeTest : public lw::test::MainWindowTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        openWindow([this](TMainForm& f) { f.FormStorage1().setPath(path("settings.ini")); });
    }
    QString writeTree(const QString& name, const char* surname) {
        return lw::test::writeTree(path(name), {surname});
    }
    std::string firstSurname() {
        return form->document().PersonCount() ? form->document().person(0).NachName : "";
    }
    // Drags `urls` onto the window and drops them; true when the window
    // accepted the drag.
    bool drop(const QList<QUrl>& urls, QWidget* on = nullptr) {
        QWidget* target = on ? on : form.get();
        QMimeData data;
        data.setUrls(urls);
        if (!urls.isEmpty()) data.setText(urls.front().toString()); // as file managers do
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        QCoreApplication::processEvents();
        return dropped.isAccepted();
    }
};

} // namespace

TEST(FirstWindow, SizeAndPlaceWithoutASettingsFile) {
    EXPECT_EQ(lw::firstWindowGeometry(QRect(0, 0, 1920, 1080)), QRect(448, 180, 1024, 720));
    EXPECT_EQ(lw::firstWindowGeometry(QRect(100, 0, 1000, 700)), QRect(200, 70, 800, 560));
    EXPECT_EQ(lw::firstWindowGeometry(QRect()).size(), QSize(1024, 720));

    ScriptedDialogs dialogs;
    auto fresh = lw::test::showMainWindow(dialogs); // no settings file in this test
    const QRect available = fresh->screen()->availableGeometry();
    EXPECT_EQ(fresh->geometry(), lw::firstWindowGeometry(available));
    fresh->close();
}

TEST(ToolkitTexts, GermanTranslationIsInstalledAndLoads) {
    QTranslator translator;
    ASSERT_TRUE(lw::app::loadGermanToolkitTexts(translator))
        << "the German toolkit translation (qt6-translations-l10n) is missing";
    EXPECT_EQ(translator.translate("QFileDialog", "Save As"), QStringLiteral("Speichern unter"));
}

TEST_F(HomeTest, OpenedAndSavedTreesAreOfferedAndAGoneOneIsDropped) {
    const QString a = writeTree("a.sta", "Alt");
    const QString b = writeTree("b.sta", "Bauer");
    ASSERT_TRUE(form->openFile(a));
    ASSERT_TRUE(form->openFile(b));
    ASSERT_TRUE(form->SaveItNow(path("c.sta")));
    EXPECT_EQ(form->recentFiles().files(), (QStringList{path("c.sta"), b, a}));

    // The menu of the open button offers them, newest first.
    emit form->recentMenu()->aboutToShow();
    QList<QAction*> actions = form->recentMenu()->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[2]->text(), QStringLiteral("&3 a.sta"));
    form->document().Modified = true;
    dialogs.answerMessage(lw::IDNO); // do not save the changes
    actions[2]->trigger();
    EXPECT_EQ(firstSurname(), "Alt");
    EXPECT_EQ(dialogs.messages().back().caption, QStringLiteral("Stammbaum öffnen"));
    EXPECT_EQ(form->recentFiles().files().front(), a);

    // The list survives the window's own settings and a new window.
    form->close();
    lw::ProfileFile settings;
    ASSERT_TRUE(settings.load(path("settings.ini"), nullptr));
    EXPECT_TRUE(settings.value(lw::kFormSection, "NormPos"));
    EXPECT_EQ(lw::app::readRecentFiles(settings), (QStringList{a, path("c.sta"), b}));

    ASSERT_TRUE(QFile::remove(b));
    dialogs.answerMessage(lw::IDOK);
    EXPECT_FALSE(form->openRecentFile(b));
    EXPECT_TRUE(dialogs.messages().back().text.contains(QStringLiteral("gibt es nicht mehr")));
    EXPECT_EQ(form->recentFiles().files(), (QStringList{a, path("c.sta")}));
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(HomeTest, ADroppedTreeOpensAfterTheUnsavedChangesQuestion) {
    const QString tree = writeTree("fallen.STA", "Fall");
    const QString other = path("bild.png");
    EXPECT_FALSE(drop({QUrl::fromLocalFile(other)}));
    EXPECT_FALSE(drop({QUrl::fromLocalFile(tree), QUrl::fromLocalFile(tree)}));
    EXPECT_FALSE(drop({QUrl(QStringLiteral("https://example.org/a.sta"))}));

    form->document().Modified = true;
    dialogs.answerMessage(lw::IDCANCEL);
    EXPECT_TRUE(drop({QUrl::fromLocalFile(tree)}));
    EXPECT_EQ(form->document().PersonCount(), 0); // cancelled: nothing opened
    EXPECT_TRUE(form->document().Modified);

    dialogs.answerMessage(lw::IDNO);
    EXPECT_TRUE(drop({QUrl::fromLocalFile(tree)}));
    EXPECT_EQ(firstSurname(), "Fall");
    EXPECT_EQ(form->document().FileName, tree);
    EXPECT_EQ(dialogs.messages().size(), 2u);

    // Dropped on a text field of the window, a tree opens; its path is no text.
    QLineEdit* field = nullptr;
    for (QLineEdit* edit : form->findChildren<QLineEdit*>())
        if (!edit->isReadOnly() && edit->acceptDrops() && edit->window() == form.get())
            field = edit;
    ASSERT_NE(field, nullptr);
    const QString before = field->text();
    EXPECT_TRUE(drop({QUrl::fromLocalFile(writeTree("feld.sta", "Feld"))}, field));
    EXPECT_EQ(firstSurname(), "Feld");
    EXPECT_EQ(field->text(), before);

    // A GEDCOM file is imported: a new, changed tree without a name.
    const QString ged = writeFile(
        "familie.GED", "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Eva /Gedcom/\n0 TRLR\n");
    dialogs.answerMessage(lw::IDOK); // the import report
    EXPECT_TRUE(drop({QUrl::fromLocalFile(ged)}));
    EXPECT_EQ(firstSurname(), "Gedcom");
    EXPECT_TRUE(form->document().FileName.isEmpty());
    EXPECT_TRUE(form->document().Modified);
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST(FontSubstitutes, TheAboutHeadingIsDrawnInANarrowFaceAndFitsWhole) {
    lw::installFontSubstitutes();
    ScriptedDialogs dialogs;
    TMainForm form(dialogs);
    TAboutBox& about = *form.aboutBox();
    about.show();
    QCoreApplication::processEvents();
    auto* heading = about.findChild<QLabel*>(QStringLiteral("ProductName"));
    ASSERT_NE(heading, nullptr);
    const QFontInfo face(heading->font());
    EXPECT_EQ(face.family(), QStringLiteral("Liberation Sans Narrow"));
    EXPECT_LE(heading->fontMetrics().horizontalAdvance(heading->text()),
              heading->contentsRect().width());
    // The heading font of the arrange page is a black face, not a regular one.
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Arial Black"))).family(),
              QStringLiteral("Lato Black"));
    about.close();
}
