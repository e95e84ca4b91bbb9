#include "app/commands/BioExportCommand.h"
#include "document/BioExport.h"

#include "ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lw;

namespace {

Document twoPersons() {
    Document doc;
    TPerson karl;
    karl.NachName = "Bauer";
    karl.VorName = "Karl";
    doc.addPerson(karl);
    TPerson anna;
    anna.NachName = "Bauer";
    anna.VorName = "Anna";
    anna.Vater = 0;
    anna.Leben = {"Lebte in Ulm."};
    doc.addPerson(anna);
    return doc;
}

} // namespace

TEST(BioExportCommand, AsksForATextFileAndDoesNothingOnCancel) {
    QTemporaryDir dir;
    test::ScriptedDialogs dialogs;
    dialogs.answerSave(QString());
    EXPECT_FALSE(runBioExport(dialogs, twoPersons()));
    ASSERT_EQ(dialogs.fileQuestions().size(), 1u);
    const FileDialogRequest& r = dialogs.fileQuestions()[0].request;
    EXPECT_EQ(r.title, QStringLiteral("Lebensläufe exportieren"));
    EXPECT_EQ(r.filter, QStringLiteral("Textdateien (*.txt)|*.txt"));
    EXPECT_EQ(r.defaultSuffix, QStringLiteral("txt"));
    EXPECT_TRUE(r.overwritePrompt);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(BioExportCommand, WritesTheChosenFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("bauer.txt");
    Document doc = twoPersons();
    doc.FileName = "bauer.sta";
    doc.Modified = true;
    test::ScriptedDialogs dialogs;
    dialogs.answerSave(path);
    EXPECT_TRUE(runBioExport(dialogs, doc));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), biographyText(doc));
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(doc.FileName, "bauer.sta");
    EXPECT_TRUE(doc.Modified);
}

TEST(BioExportCommand, ShowsTheErrorWhenTheFileCannotBeWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath("fehlt/bauer.txt");
    test::ScriptedDialogs dialogs;
    dialogs.answerSave(path).answerMessage(IDOK);
    EXPECT_FALSE(runBioExport(dialogs, twoPersons()));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, cannotWriteMessage(path));
    EXPECT_EQ(dialogs.messages()[0].caption, QStringLiteral("Fehler"));
    EXPECT_EQ(dialogs.messages()[0].flags, unsigned(MB_OK | MB_ICONSTOP));
    EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST(BioExportCommand, StartsBesideTheTreeWithItsName) {
    struct Case {
        QString tree;
        QString proposed;
    } cases[] = {
        {"/daten/Familie/huber.sta", "/daten/Familie/huber.txt"},
        {"/daten/Familie/huber.alt.STA", "/daten/Familie/huber.alt.txt"},
        {"", QDir::home().filePath("Lebensläufe.txt")},
    };
    for (const Case& c : cases) {
        Document doc;
        doc.FileName = c.tree;
        EXPECT_EQ(bioExportRequest(doc).fileName, c.proposed) << c.tree.toStdString();
    }
}
