#include "app/window/FormStorageWindow.h"

#include "ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

using namespace lw;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

BoxLayout changedBox() {
    BoxLayout box;
    box.BreitEd = 220;
    box.BildEd = 40;
    box.font.Name = "Courier New";
    box.font.setSize(12);
    box.LeblaufCheck = false;
    return box;
}

} // namespace

TEST(FormStorageWindow, SavedWindowAndBoxComeBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("neu/lindwerk.INI"); // the folder is made
    test::ScriptedDialogs dialogs;
    QWidget saved;
    saved.setGeometry(50, 60, 400, 300);
    saved.show();
    ASSERT_TRUE(FormStorage(path).save(saved, changedBox(), dialogs));
    const ProfileFile file = ProfileFile::parse(readAll(path));
    EXPECT_EQ(file.value(kFormSection, "NormPos"), "50,60,450,360");
    EXPECT_EQ(file.value(kFormSection, "ShowCmd"), "1");
    EXPECT_EQ(file.value(kFormSection, "Flags"), "0");

    QWidget restored;
    restored.setGeometry(0, 0, 100, 100);
    BoxLayout box;
    ASSERT_TRUE(FormStorage(path).restore(restored, box, dialogs));
    EXPECT_EQ(restored.geometry(), QRect(50, 60, 400, 300));
    EXPECT_EQ(box, changedBox());
    EXPECT_EQ(dialogs.questionCount(), 0);
}

TEST(FormStorageWindow, MaximisedWindowKeepsItsNormalRectangle) {
    QTemporaryDir dir;
    const QString path = dir.filePath("lindwerk.INI");
    test::ScriptedDialogs dialogs;
    QWidget saved;
    saved.setGeometry(20, 30, 300, 200);
    saved.showMaximized();
    ASSERT_TRUE(saved.isMaximized());
    ASSERT_TRUE(FormStorage(path).save(saved, BoxLayout{}, dialogs));
    const ProfileFile file = ProfileFile::parse(readAll(path));
    EXPECT_EQ(file.value(kFormSection, "ShowCmd"), "3");
    EXPECT_EQ(file.value(kFormSection, "NormPos"), "20,30,320,230");

    QWidget restored;
    BoxLayout box;
    ASSERT_TRUE(FormStorage(path).restore(restored, box, dialogs));
    EXPECT_TRUE(restored.windowState() & Qt::WindowMaximized);
    restored.showNormal();
    EXPECT_EQ(restored.geometry(), QRect(20, 30, 300, 200));
}

TEST(FormStorageWindow, FixedSizeAndOffScreenWindows) {
    FormRestore r;
    r.restored = true;
    r.placement = WindowPlacement{};
    r.placement->normalPosition = {40, 50, 640, 450};

    QWidget fixed;
    fixed.setFixedSize(200, 100);
    applyRestore(fixed, r);
    EXPECT_EQ(fixed.geometry(), QRect(40, 50, 200, 100));

    QWidget lost;
    lost.setGeometry(10, 20, 100, 100);
    r.placement->normalPosition = {90000, 90000, 90400, 90300}; // a screen no longer there
    applyRestore(lost, r);
    EXPECT_EQ(lost.geometry(), QRect(10, 20, 400, 300));
}

TEST(FormStorageWindow, SavingKeepsWhatElseTheFileHolds) {
    QTemporaryDir dir;
    const QString path = dir.filePath("lindwerk.INI");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Fremd]\r\nSchluessel=Wert\r\n[TMainForm]\r\nEigenes=1\r\nBildEd_Value=10\r\n");
    f.close();
    test::ScriptedDialogs dialogs;
    QWidget window;
    FormStorage storage(path);
    EXPECT_FALSE(storage.hasSaved());
    ASSERT_TRUE(storage.save(window, BoxLayout{}, dialogs, true));
    EXPECT_TRUE(storage.hasSaved());
    const QByteArray text = readAll(path);
    EXPECT_TRUE(text.startsWith("[Fremd]\r\nSchluessel=Wert\r\n[TMainForm]\r\nEigenes=1\r\n"
                                "BildEd_Value=50\r\n"));
    EXPECT_TRUE(text.contains("\r\nVisible=1\r\n"));
}

TEST(FormStorageWindow, MissingFileChangesNothing) {
    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    QWidget window;
    window.setGeometry(10, 20, 300, 200);
    BoxLayout box = changedBox();
    EXPECT_TRUE(FormStorage(dir.filePath("fehlt.INI")).restore(window, box, dialogs));
    EXPECT_EQ(box, changedBox());
    EXPECT_EQ(window.geometry(), QRect(10, 20, 300, 200));
    EXPECT_EQ(dialogs.questionCount(), 0);
}

TEST(FormStorageWindow, FileTroubleIsShownAndChangesNothing) {
    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    dialogs.answerMessage(IDOK).answerMessage(IDOK);
    QWidget window;
    BoxLayout box = changedBox();
    EXPECT_FALSE(FormStorage(dir.path()).restore(window, box, dialogs)); // a folder
    EXPECT_EQ(box, changedBox());

    QFile blocker(dir.filePath("datei"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = dir.filePath("datei/lindwerk.INI"); // its folder is a file
    EXPECT_FALSE(FormStorage(path).save(window, box, dialogs));

    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[0].caption, QStringLiteral("Fehler"));
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("nicht gelesen")));
    EXPECT_TRUE(dialogs.messages()[1].text.contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(dialogs.messages()[1].text.contains(QStringLiteral("nicht geschrieben")));
}
