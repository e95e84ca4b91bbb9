#include "document/BioExport.h"
#include "platform/DocText.h"
#include "tests/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace lw;
using lw::test::FileSizeLimit;

namespace {

TPerson person(std::string nach, std::string vor, std::int32_t vater = -1,
               std::int32_t mutter = -1) {
    TPerson p;
    p.NachName = std::move(nach);
    p.VorName = std::move(vor);
    p.Vater = vater;
    p.Mutter = mutter;
    return p;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<unreadable>";
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

Document bauerFamily() {
    Document doc;
    TPerson anna = person("Bauer", "Anna", 1);
    anna.GebDate = "1.2.1900";
    anna.Leben = {"Lebte in Ulm."};
    doc.addPerson(std::move(anna));
    doc.addPerson(person("Bauer", "Karl"));
    return doc;
}

} // namespace

TEST(BioExport, ExampleBlockByteForByte) {
    const QByteArray expected = "Bauer Anna\r\n"
                                "*1.2.1900\r\n"
                                "Vater: Bauer Karl\r\n"
                                "Lebenslauf:\r\n"
                                "Lebte in Ulm.\r\n"
                                "\r\n"
                                "\r\n"
                                "Bauer Karl\r\n"
                                "\r\n"
                                "\r\n";
    EXPECT_EQ(biographyText(bauerFamily()), expected);
}

TEST(BioExport, AllLinesInOrderWithEmptyNamesAndBiographyLines) {
    Document doc;
    doc.addPerson(person("", ""));     // 0
    doc.addPerson(person("Roth", "")); // 1
    TPerson child = person("Roth", "Emil", 1, 0);
    child.GebDate = "3.4.1920";
    child.StDate = "5.6.1990";
    child.Leben = {"erste", "", "dritte"};
    doc.addPerson(std::move(child));
    const QByteArray expected = " \r\n\r\n\r\n"
                                "Roth \r\n\r\n\r\n"
                                "Roth Emil\r\n"
                                "*3.4.1920\r\n"
                                "+5.6.1990\r\n"
                                "Vater: Roth \r\n"
                                "Mutter:  \r\n"
                                "Lebenslauf:\r\n"
                                "erste\r\n"
                                "\r\n"
                                "dritte\r\n"
                                "\r\n\r\n";
    EXPECT_EQ(biographyText(doc), expected);
}

TEST(BioExport, InvalidParentsGiveNoParentLine) {
    Document doc;
    doc.addPerson(person("A", "a", -1, -1));
    doc.addPerson(person("B", "b", 1, 1));  // itself
    doc.addPerson(person("C", "c", 4, 99)); // = PersonCount, beyond
    doc.addPerson(person("D", "d", -5, 0)); // only the mother is valid
    const QByteArray text = biographyText(doc);
    EXPECT_EQ(text.count("Vater:"), 0);
    EXPECT_EQ(text.count("Mutter:"), 1);
    EXPECT_TRUE(text.endsWith("D d\r\nMutter: A a\r\n\r\n\r\n")) << text.constData();
}

TEST(BioExport, OwnSurnameAndDatesAreCutButParentNamesAndBiographyAreNot) {
    const std::string longName = std::string(299, 'N') + 'Z';
    const std::string longFirst = std::string(299, 'v') + 'w';
    Document doc;
    TPerson father = person(longName, longFirst);
    father.GebDate = std::string(300, '1');
    father.StDate = std::string(300, '2');
    father.Leben = {std::string(300, 'L')};
    doc.addPerson(std::move(father));
    doc.addPerson(person("Kind", "Klara", 0, 0));

    const QByteArray text = biographyText(doc);
    const QByteArray cut = QByteArray(255, 'N');
    const QByteArray first = QByteArray::fromStdString(longFirst);
    const QByteArray full = QByteArray::fromStdString(longName);
    EXPECT_TRUE(text.startsWith(cut + ' ' + first + "\r\n"));
    EXPECT_TRUE(text.contains("\r\n*" + QByteArray(255, '1') + "\r\n"));
    EXPECT_TRUE(text.contains("\r\n+" + QByteArray(255, '2') + "\r\n"));
    EXPECT_TRUE(text.contains("\r\n" + QByteArray(300, 'L') + "\r\n"));
    EXPECT_TRUE(text.contains("Vater: " + full + ' ' + first + "\r\n"));
    EXPECT_TRUE(text.contains("Mutter: " + full + ' ' + first + "\r\n"));
}

// The file is Windows-1252 as ever when every letter has a byte there, and
// UTF-8 behind its byte order mark otherwise.
TEST(BioExport, TextsAreWindows1252WhenTheyFitAndUtf8Otherwise) {
    struct Case {
        const char* surname;
        QByteArray expected;
    };
    const Case cases[] = {
        {"M\u00FCller", QByteArray("M\xFCller J\xF6rg \"der \xC4ltere\"\r\n"
                                   "Lebenslauf:\r\n"
                                   "Stra\xDF"
                                   "e; \x80 100,\t% \\n\r\n\r\n\r\n")},
        {"Zeln\u00ED\u010Dkov\u00E1",
         QByteArray("\xEF\xBB\xBFZeln\u00ED\u010Dkov\u00E1 J\u00F6rg \"der \u00C4ltere\"\r\n"
                    "Lebenslauf:\r\n"
                    "Stra\u00DF"
                    "e; \u20AC 100,\t% \\n\r\n\r\n\r\n")},
    };
    for (const Case& c : cases) {
        Document doc;
        TPerson p = person(c.surname, "J\u00F6rg \"der \u00C4ltere\"");
        p.Leben = {"Stra\u00DF"
                   "e; \u20AC 100,\t% \\n"};
        doc.addPerson(std::move(p));
        EXPECT_EQ(biographyText(doc), c.expected) << c.surname;
    }
}

// Places follow their dates; baptism and burial follow birth and death;
// the partners follow the parents in the person's order.
TEST(BioExport, PlacesBaptismBurialAndPartnersInTheirLines) {
    struct Case {
        const char* name;
        std::function<void(TPerson&, Document&)> fill; // person 0, Lind Eva
        QByteArray block;                              // person 0's lines
        QByteArray elsewhere = {};                     // in the others' blocks
    };
    auto partnership = [](int first, int second, int firstRank, int secondRank) {
        Partnership p;
        p.first = first;
        p.second = second;
        p.firstRank = firstRank;
        p.secondRank = secondRank;
        return p;
    };
    const Case cases[] = {
        {"places after the dates",
         [](TPerson& p, Document&) {
             p.GebDate = "1.2.1900";
             p.birthPlace = "Brookline";
             p.StDate = "3.4.1970";
             p.deathPlace = "Köln";
         },
         "*1.2.1900 in Brookline\r\n+3.4.1970 in Köln\r\n"},
        {"a place without its date", [](TPerson& p, Document&) { p.birthPlace = "Ulm"; },
         "*in Ulm\r\n"},
        {"baptism and burial",
         [](TPerson& p, Document&) {
             p.GebDate = "1.2.1900";
             p.baptism = {"4.2.1900", "St. Anna"};
             p.StDate = "1970";
             p.burial = {"", "Ulm"};
         },
         "*1.2.1900\r\nTaufe: 4.2.1900 in St. Anna\r\n+1970\r\nBestattung: in Ulm\r\n"},
        {"partners in her order, after the father",
         [&](TPerson& p, Document& doc) {
             p.Vater = 2;
             Partnership first = partnership(1, 0, 0, 1); // Berg Otto, her second
             first.marriage = {"5.5.1920", "Ulm"};
             first.divorced = true;
             first.divorce.date = "1930";
             doc.addPartnership(first);
             Partnership second = partnership(2, 0, 0, 0); // Stein Paul, her first
             second.marriage.date = "1935";
             doc.addPartnership(second);
             doc.addPartnership(partnership(-1, 0, 0, 2)); // not known, nothing known
             Partnership divorced = partnership(0, -1, 3, 0);
             divorced.divorced = true;
             doc.addPartnership(divorced);
             doc.addPartnership(partnership(1, 2, 0, 0)); // not hers
         },
         "Vater: Stein Paul\r\n"
         "Partner: Stein Paul (\u26AD 1935)\r\n"
         "Partner: Berg Otto (\u26AD 5.5.1920 in Ulm, geschieden 1930)\r\n"
         "Partner: unbekannt\r\n"
         "Partner: unbekannt (geschieden)\r\n",
         // Her partner names her in his order.
         "Berg Otto\r\nPartner: Lind Eva (\u26AD 5.5.1920 in Ulm, geschieden 1930)\r\n"
         "Partner: Stein Paul\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Document doc;
        for (const char* name : {"Lind Eva", "Berg Otto", "Stein Paul"}) {
            const QList<QByteArray> names = QByteArray(name).split(' ');
            doc.addPerson(person(names[0].toStdString(), names[1].toStdString()));
        }
        TPerson eva = doc.person(0);
        c.fill(eva, doc);
        doc.replacePerson(0, std::move(eva));
        // Partners' marriage signs make the file UTF-8; read it as text.
        QByteArray text = biographyText(doc);
        if (text.startsWith("\xEF\xBB\xBF"))
            text.remove(0, 3);
        else
            text = QByteArray::fromStdString(ansiToDocText(text.toStdString()));
        EXPECT_TRUE(text.startsWith("Lind Eva\r\n" + c.block + "\r\n\r\nBerg Otto\r\n"))
            << text.constData();
        EXPECT_TRUE(text.contains(c.elsewhere)) << text.constData();
    }
}

TEST(BioExportFile, EmptyDocumentGivesEmptyFileAndReplacesOldContent) {
    QTemporaryDir dir;
    const QString path = dir.filePath("leer.txt");
    writeFile(path, "alter Inhalt, viel l\xE4nger als nichts");
    QString error;
    ASSERT_TRUE(exportBiographies(path, Document(), &error)) << error.toStdString();
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(QFileInfo(path).size(), 0);
}

TEST(BioExportFile, FileHoldsExactlyTheText) {
    QTemporaryDir dir;
    const QString path = dir.filePath("bauer.txt");
    writeFile(path, QByteArray(5000, 'x'));
    Document doc = bauerFamily();
    doc.FileName = "/irgendwo/bauer.sta";
    ASSERT_TRUE(exportBiographies(path, doc, nullptr));
    EXPECT_EQ(readAll(path), biographyText(doc));
    EXPECT_EQ(doc.FileName, "/irgendwo/bauer.sta");
    EXPECT_FALSE(doc.Modified);
}

TEST(BioExportFile, MissingFolderIsReported) {
    QTemporaryDir dir;
    const QString path = dir.filePath("fehlt/bauer.txt");
    QString error;
    EXPECT_FALSE(exportBiographies(path, bauerFamily(), &error));
    EXPECT_EQ(error, QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden.")
                         .arg(QDir::toNativeSeparators(path)));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(BioExportFile, UnwritableFolderKeepsTheExistingFile) {
    if (geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
    QTemporaryDir dir;
    const QString path = dir.filePath("bauer.txt");
    writeFile(path, "gute alte Datei");
    // A writable file in a read-only folder is written in place; this one
    // may not be changed at all.
    QFile::setPermissions(path, QFile::ReadOwner);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    QString error;
    const bool ok = exportBiographies(path, bauerFamily(), &error);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(path), QByteArray("gute alte Datei"));
}

TEST(BioExportFile, FailureWhileWritingKeepsTheExistingFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("bauer.txt");
    const QByteArray old = "gute alte Datei\r\n";
    writeFile(path, old);
    Document doc;
    TPerson p = person("Lang", "Leben");
    p.Leben.assign(100, std::string(80, 'x')); // about 8 kB
    doc.addPerson(std::move(p));

    QString error;
    bool ok = true;
    {
        FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.active());
        ok = exportBiographies(path, doc, &error);
    }
    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(readAll(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"bauer.txt"}); // no leftovers
}
