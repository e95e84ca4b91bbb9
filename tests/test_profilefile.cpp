#include "platform/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lw;

namespace {

const QByteArray kSample = "; Einstellungen\r\n"
                           "top=vor jeder Sektion\r\n"
                           "[Andere]\r\n"
                           "Farbe = blau \r\n"
                           "\r\n"
                           "[TMainForm]\r\n"
                           "  FormVersion = 0\r\n"
                           "Name=\"'Arial'\"\r\n"
                           "Leer=\r\n"
                           "ohne Gleichheitszeichen\r\n"
                           "\r\n"
                           "[tmainform]\r\n"
                           "Zweite=aus der zweiten Sektion\r\n"
                           "FormVersion=7\r\n";

} // namespace

TEST(ProfileFile, ReadsNamesIgnoringCaseAndTrimsValues) {
    ProfileFile f = ProfileFile::parse(kSample);
    EXPECT_EQ(f.value("andere", "FARBE"), "blau");
    EXPECT_EQ(f.value("TMainForm", "formversion"), "0"); // the first of two keys wins
    EXPECT_EQ(f.value("TMainForm", "Leer"), "");
    EXPECT_EQ(f.value("TMainForm", "Zweite"), "aus der zweiten Sektion");
    EXPECT_EQ(f.value("TMainForm", "top"), std::nullopt);   // before any section
    EXPECT_EQ(f.value("TMainForm", "ohne Gleichheitszeichen"), std::nullopt);
    EXPECT_EQ(f.value("Fehlt", "Farbe"), std::nullopt);
    EXPECT_EQ(f.value("Andere", "FormVersion"), std::nullopt);
}

TEST(ProfileFile, ReaderStripsOnePairOfEqualQuotes) {
    ProfileFile f = ProfileFile::parse("[S]\n"
                                       "a=\"'Arial'\"\n"
                                       "b='x'\n"
                                       "c=\"\"x\"\"\n"
                                       "d=\"x'\n"
                                       "e=\"\n"
                                       "f=\"\"\n"
                                       "g= \" innen \" \n");
    EXPECT_EQ(f.value("S", "a"), "'Arial'");
    EXPECT_EQ(f.value("S", "b"), "x");
    EXPECT_EQ(f.value("S", "c"), "\"x\"");
    EXPECT_EQ(f.value("S", "d"), "\"x'");
    EXPECT_EQ(f.value("S", "e"), "\"");
    EXPECT_EQ(f.value("S", "f"), "");
    EXPECT_EQ(f.value("S", "g"), " innen ");
}

TEST(ProfileFile, QuotedValuesComeBackUnchanged) {
    const std::vector<std::string> values = {
        "plain", "\"x\"", "'x'", "\"", "'", "\"\"", "''", "\"a'", "'a\"", "\"\"x\"\"",
        "\"erst\" und \"dann\"", "Arial", "", "x\"", "\"x"};
    ProfileFile f;
    for (size_t i = 0; i < values.size(); ++i)
        f.setValue("S", "k" + std::to_string(i), profileQuoted(values[i]));
    ProfileFile back = ProfileFile::parse(f.text());
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(back.value("S", "k" + std::to_string(i)), values[i]) << values[i];

    EXPECT_EQ(profileQuoted("'abc'"), "\"'abc'\"");
    EXPECT_EQ(profileQuoted("\"abc\""), "\"\"abc\"\"");
    EXPECT_EQ(profileQuoted("abc"), "abc");
    EXPECT_EQ(profileQuoted("'abc\""), "'abc\"");
}

TEST(ProfileFile, WritingKeepsEverythingElseInPlace) {
    ProfileFile f = ProfileFile::parse(kSample);
    f.setValue("TMAINFORM", "formVERSION", "0");  // existing key: its line only
    f.setValue("TMainForm", "Neu", "1");         // new key: after the section's last key
    f.setValue("Andere", "Zweiter", "2");
    f.setValue("Dritte", "x", "3");              // new section at the end
    const QByteArray expected = "; Einstellungen\r\n"
                                "top=vor jeder Sektion\r\n"
                                "[Andere]\r\n"
                                "Farbe = blau \r\n"
                                "Zweiter=2\r\n"
                                "\r\n"
                                "[TMainForm]\r\n"
                                "FormVersion=0\r\n"
                                "Name=\"'Arial'\"\r\n"
                                "Leer=\r\n"
                                "ohne Gleichheitszeichen\r\n"
                                "Neu=1\r\n"
                                "\r\n"
                                "[tmainform]\r\n"
                                "Zweite=aus der zweiten Sektion\r\n"
                                "FormVersion=7\r\n"
                                "\r\n"
                                "[Dritte]\r\n"
                                "x=3\r\n";
    EXPECT_EQ(f.text(), expected);
}

TEST(ProfileFile, KeepsLineFeedFilesAndStartsNewFilesWithCrLf) {
    ProfileFile lf = ProfileFile::parse("[A]\nk=1\n");
    lf.setValue("A", "k", "2");
    EXPECT_EQ(lf.text(), QByteArray("[A]\nk=2\n"));

    ProfileFile fresh;
    fresh.setValue("TMainForm", "FormVersion", "0");
    EXPECT_EQ(fresh.text(), QByteArray("[TMainForm]\r\nFormVersion=0\r\n"));
}

TEST(ProfileFile, LineBreaksInAValueCannotAddKeys) {
    ProfileFile f;
    using namespace std::string_view_literals;
    f.setValue("TMainForm", "FontDialog1_FontName", "Arial\r\n[X]\nFormVersion=-1\0z"sv);
    ProfileFile back = ProfileFile::parse(f.text());
    EXPECT_EQ(back.value("TMainForm", "FontDialog1_FontName"), "Arial  [X] FormVersion=-1 z");
    EXPECT_EQ(back.value("X", "FormVersion"), std::nullopt);
    EXPECT_EQ(f.text().count('\n'), 2);
}

TEST(ProfileFile, LoadAndSave) {
    QTemporaryDir dir;
    const QString path = dir.filePath("lindwerk.INI");
    ProfileFile f;
    QString error;
    ASSERT_TRUE(f.load(path, &error)); // missing: empty
    EXPECT_EQ(f.text(), QByteArray());

    f = ProfileFile::parse(kSample);
    f.setValue("TMainForm", "Neu", "\xE4\xF6\xFC");
    ASSERT_TRUE(f.save(path, &error));
    ProfileFile back;
    ASSERT_TRUE(back.load(path, &error));
    EXPECT_EQ(back.text(), f.text());
    EXPECT_EQ(back.value("TMAINFORM", "neu"), "\xE4\xF6\xFC");
}

TEST(ProfileFile, FailuresAreReported) {
    QTemporaryDir dir;
    QString error;
    ProfileFile f = ProfileFile::parse("[A]\nk=1\n");
    EXPECT_FALSE(f.load(dir.path(), &error)); // a folder is no file
    EXPECT_EQ(error, QStringLiteral("Die Einstellungsdatei „%1“ konnte nicht gelesen werden.")
                         .arg(QDir::toNativeSeparators(dir.path())));

    QFile blocker(dir.filePath("datei"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = dir.filePath("datei/lindwerk.INI"); // its folder is a file
    error.clear();
    EXPECT_FALSE(f.save(path, &error));
    EXPECT_EQ(error, QStringLiteral("Die Einstellungsdatei „%1“ konnte nicht geschrieben werden.")
                         .arg(QDir::toNativeSeparators(path)));
}

// A line that ends in a lone CR keeps a line feed file a line feed file,
// through any number of saves.
TEST(ProfileFile, LoneCarriageReturnsDoNotChangeTheLineEnds) {
    for (const QByteArray& text : {QByteArray("[A]\nk=1\r\r"), QByteArray("[A]\r\r\nk=1\n")}) {
        SCOPED_TRACE(text.toStdString());
        QByteArray saved = ProfileFile::parse(text).text();
        for (int round = 0; round < 3; ++round) {
            ProfileFile again = ProfileFile::parse(saved);
            EXPECT_EQ(again.value("A", "k"), "1");
            EXPECT_EQ(again.text(), saved);
            saved = again.text();
        }
    }
    EXPECT_EQ(ProfileFile::parse("[A]\nk=1\r\r").text(), QByteArray("[A]\nk=1\n"));
}
