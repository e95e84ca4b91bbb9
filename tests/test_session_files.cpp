// What a run keeps beside the document, without a window: the start
// arguments and the list of recently opened trees.
#include "platform/ProfileFile.h"
#include "session/RecentFiles.h"
#include "session/StartArguments.h"

#include <gtest/gtest.h>

using Kind = lw::app::StartRequest::Kind;

TEST(StartArguments, HelpVersionFileAndMistakes) {
    struct Case {
        QStringList args;
        Kind kind;
        QString file;
    } cases[] = {
        {{}, Kind::Window, {}},
        {{"a.sta"}, Kind::Window, "a.sta"},
        {{"--", "-a.sta"}, Kind::Window, "-a.sta"},
        {{"--help"}, Kind::Help, {}},
        {{"a.sta", "-h"}, Kind::Help, {}},
        {{"--version", "--help"}, Kind::Version, {}},
        {{"x", "--version"}, Kind::Version, {}},
        {{"--zaubern"}, Kind::Wrong, {}},
        {{"a.sta", "b.sta"}, Kind::Wrong, {}},
    };
    for (const Case& c : cases) {
        const lw::app::StartRequest r = lw::app::parseStartArguments(c.args);
        EXPECT_EQ(r.kind, c.kind) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.file, c.file) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.problem.isEmpty(), c.kind != Kind::Wrong);
    }
}

TEST(RecentFilesList, NewestFirstWithoutRepeatsAndKeptApartFromOtherSections) {
    QStringList files;
    for (int i = 0; i < 10; ++i)
        files = lw::app::withRecentFile(files, QStringLiteral("/b/%1.sta").arg(i));
    files = lw::app::withRecentFile(files, QStringLiteral("/b/5.sta"));
    EXPECT_EQ(files, (QStringList{"/b/5.sta", "/b/9.sta", "/b/8.sta", "/b/7.sta", "/b/6.sta",
                                  "/b/4.sta", "/b/3.sta", "/b/2.sta"}));

    lw::ProfileFile file = lw::ProfileFile::parse(
        "[TMainForm]\r\nFlags=0\r\n[RecentFiles]\r\nFile1=/alt.sta\r\nFile9=/fremd\r\n");
    const QStringList named{QStringLiteral("/Bäume/\"Oma\".sta"), QStringLiteral("/x y.sta")};
    lw::app::writeRecentFiles(file, named);
    const lw::ProfileFile back = lw::ProfileFile::parse(file.text());
    EXPECT_EQ(lw::app::readRecentFiles(back), named);
    EXPECT_EQ(back.value("TMainForm", "Flags"), "0");
    EXPECT_EQ(back.value("RecentFiles", "File9"), "/fremd"); // not ours: kept
    lw::app::writeRecentFiles(file, {QStringLiteral("/x y.sta")});
    EXPECT_EQ(lw::app::readRecentFiles(lw::ProfileFile::parse(file.text())),
              QStringList{"/x y.sta"});
}
