// GEDCOM reading and writing: encodings, line ends, the mapping to
// persons and families, the import report, damaged files and the
// export–import round trips.
#include "document/StaFile.h"
#include "gedcom/GedcomDate.h"
#include "gedcom/GedcomExport.h"
#include "gedcom/GedcomImport.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <random>

using namespace lw;
using namespace lw::gedcom;

namespace {

QByteArray latin(const char* s) {
    return QByteArray(s);
}

// A document from GEDCOM bytes; fails the test when it is refused.
Document read(const QByteArray& bytes, const QString& folder = {}) {
    GedcomImportResult r = importGedcom(bytes, folder);
    EXPECT_TRUE(r.doc.has_value()) << r.error.toStdString();
    return r.doc ? std::move(*r.doc) : Document{};
}

QString text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QByteArray utf16(const QString& s, bool little) {
    QByteArray out(little ? "\xFF\xFE" : "\xFE\xFF", 2);
    for (QChar c : s) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        out += little ? lo : hi;
        out += little ? hi : lo;
    }
    return out;
}

} // namespace

TEST(GedcomRead, EncodingsAndLineEnds) {
    const QString unicodeFile =
        QStringLiteral("0 HEAD\r1 CHAR UNICODE\r0 @I1@ INDI\r1 NAME Jürgen /Straße/\r0 TRLR\r");
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* given; // UTF-8
        const char* surname;
    };
    const Case cases[] = {
        {"UTF-8, LF",
         latin("0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME J\xC3\xBCrgen /M\xC3\xBCller/\n0 TRLR\n"),
         "Jürgen", "Müller"},
        {"UTF-8 with BOM, CRLF",
         latin("\xEF\xBB\xBF"
               "0 HEAD\r\n1 CHAR UTF-8\r\n0 @I1@ INDI\r\n1 NAME \xC3\x89mile /Zola/\r\n0 TRLR\r\n"),
         "Émile", "Zola"},
        {"UTF-16 LE, CR", utf16(unicodeFile, true), "Jürgen", "Straße"},
        {"UTF-16 BE, CR", utf16(unicodeFile, false), "Jürgen", "Straße"},
        {"ANSEL composes",
         latin("0 HEAD\n1 CHAR ANSEL\n0 @I1@ INDI\n1 NAME J\xE8urgen /\xE2"
               "Elise/\n0 TRLR\n"),
         "Jürgen", "Élise"},
        {"ANSEL signs",
         latin("0 HEAD\n1 CHAR ANSEL\n0 @I1@ INDI\n1 NAME \xE8"
               "a\xCF /\xB2re/\n0 TRLR\n"),
         "äß", "øre"},
        {"ANSI", latin("0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME J\xFCrgen /M\xFCller/\n0 TRLR\n"),
         "Jürgen", "Müller"},
        {"ASCII, leading blanks",
         latin("0 HEAD\n  1 CHAR ASCII\n0 @I1@ INDI\n   1 NAME Ann /Lee/\n0 TRLR\n"), "Ann", "Lee"},
        {"ANSI that is really UTF-8",
         latin("0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME J\xC3\xBCrgen /Ro\xC3\x9F/\n0 TRLR\n"),
         "Jürgen", "Roß"},
        {"ANSEL that is really UTF-8",
         latin("0 HEAD\n1 CHAR ANSEL\n0 @I1@ INDI\n1 NAME J\xC3\xBCrgen /Ro\xC3\x9F/\n0 TRLR\n"),
         "Jürgen", "Roß"},
        {"no CHAR line, Windows-1252", latin("0 HEAD\n0 @I1@ INDI\n1 NAME J\xFCrgen /X/\n0 TRLR\n"),
         "Jürgen", "X"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Document doc = read(c.bytes);
        ASSERT_EQ(doc.PersonCount(), 1);
        EXPECT_EQ(text(doc.person(0).VorName), QString::fromUtf8(c.given));
        EXPECT_EQ(text(doc.person(0).NachName), QString::fromUtf8(c.surname));
    }
}

TEST(GedcomRead, SharedSampleFiles) {
    const QDir dir(QStringLiteral(LINDWERK_GEDCOM_SAMPLES));
    if (!dir.exists()) GTEST_SKIP() << "no sample folder beside the repository";
    struct Case {
        const char* file;
        int persons;
        const char* encoding;
    };
    const Case cases[] = {
        {"TGC551.ged", 15, "ANSEL"}, {"TGC551LF.ged", 15, "ANSEL"},
        {"TGC55C.ged", 15, "ANSEL"}, {"TGC55CLF.ged", 15, "ANSEL"},
        {"basic.ged", 5, "UTF-8"},   {"washington.ged", 529, "ANSI"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        QFile f(dir.filePath(QLatin1String(c.file)));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        GedcomImportResult r = importGedcom(f.readAll(), dir.path());
        ASSERT_TRUE(r.doc);
        EXPECT_EQ(r.doc->PersonCount(), c.persons);
        EXPECT_TRUE(r.report.encoding.startsWith(QLatin1String(c.encoding)));
        EXPECT_FALSE(r.report.missingTrailer);
    }
    // CR and CR LF give the same tree; the ANSEL notes come out composed.
    auto load = [&](const char* name) {
        QFile f(dir.filePath(QLatin1String(name)));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return read(f.readAll(), dir.path());
    };
    const Document cr = load("TGC55C.ged"), crlf = load("TGC55CLF.ged");
    ASSERT_EQ(cr.PersonCount(), crlf.PersonCount());
    for (int i = 0; i < cr.PersonCount(); ++i) {
        EXPECT_EQ(cr.person(i).VorName, crlf.person(i).VorName);
        EXPECT_EQ(cr.person(i).Leben, crlf.person(i).Leben);
        EXPECT_EQ(cr.person(i).Vater, crlf.person(i).Vater);
    }
    const TPerson& lucy = cr.person(1);
    ASSERT_EQ(text(lucy.VorName), QStringLiteral("Lucy Special"));
    const auto has = [&](const TPerson& p, const QString& line) {
        for (const std::string& l : p.Leben)
            if (text(l) == line) return true;
        return false;
    };
    EXPECT_TRUE(has(lucy, QStringLiteral("A2 slash o - uppercase (Ø)")));
    EXPECT_TRUE(has(lucy, QStringLiteral("A1 slash l - uppercase (\u0141)")));
    EXPECT_TRUE(has(lucy, QStringLiteral("CF es zet (ß)")));
    // Every letter keeps its mark, composed where a composed letter exists.
    QString umlauts = QStringLiteral("     ");
    for (QChar c : QStringLiteral("abcdefghijklm")) {
        umlauts += c;
        umlauts += QChar(0x0308);
    }
    EXPECT_TRUE(has(cr.person(0), umlauts.normalized(QString::NormalizationForm_C)));
}

TEST(GedcomRead, PersonsFromRecords) {
    const QByteArray file =
        latin("0 HEAD\n1 CHAR UTF-8\n1 NOTE header note\n"
              "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n"
              "0 @I1@ INDI\n1 NAME Karl /Berg/\n1 CHR\n2 DATE 3 MAR 1801\n1 BURI\n2 DATE 1870\n"
              "0 @I2@ INDI\n1 NAME\n2 GIVN Anna\n2 SURN Tal\n1 BIRT\n2 PLAC Ulm\n1 BIRT\n2 DATE "
              "ABT 1805\n"
              "0 @I3@ INDI\n1 NAME Otto /Berg/ Jr.\n1 NAME Ignored /Name/\n"
              "1 FAMC @F2@\n2 PEDI adopted\n1 FAMC @F1@\n2 PEDI birth\n"
              "1 NOTE Erste Zeile, die weiter\n2 CONC geht\n2 CONT zweite Zeile mit @@ Zeichen\n"
              "1 NOTE @N1@\n"
              "1 OBJE\n2 FILE clip.mp3\n1 OBJE\n2 FORM jpeg\n2 FILE photos\\otto.jpg\n"
              "1 _CUSTOM whatever\n2 _MORE deeper\n"
              "this line is broken\n"
              "0 @I4@ INDI\n1 NAME Pflege /Vater/\n1 FAMS @F2@\n"
              "0 @I5@ INDI\n1 NAME Ohne /Verweis/\n"
              "0 @F2@ FAM\n1 HUSB @I4@\n1 CHIL @I3@\n"
              "0 @F3@ FAM\n1 HUSB @I3@\n1 CHIL @I5@\n"
              "0 @N1@ NOTE Aus dem\n1 CONT Notizsatz\n"
              "0 TRLR\n");
    GedcomImportResult r = importGedcom(file, QStringLiteral("/data/tree"));
    ASSERT_TRUE(r.doc);
    const Document& doc = *r.doc;
    ASSERT_EQ(doc.PersonCount(), 5);
    const TPerson& karl = doc.person(0);
    // A christening or burial date is no birth or death date: they were
    // taken as such once, which made a burial look like the day of death.
    EXPECT_EQ(karl.GebDate, "");
    EXPECT_EQ(karl.StDate, "");
    EXPECT_EQ(karl.baptism, (LifeEvent{"03.03.1801", ""}));
    EXPECT_EQ(karl.burial, (LifeEvent{"1870", ""}));
    EXPECT_EQ(doc.person(1).birthPlace, ""); // the dated birth is taken whole, not mixed
    EXPECT_EQ(doc.person(1).VorName, "Anna");
    EXPECT_EQ(doc.person(1).NachName, "Tal");
    EXPECT_EQ(doc.person(1).GebDate, "um 1805"); // the first birth with a date
    const TPerson& otto = doc.person(2);
    EXPECT_EQ(otto.VorName, "Otto");
    EXPECT_EQ(otto.NachName, "Berg Jr.");
    EXPECT_EQ(otto.Vater, 0); // the birth family, not the adoptive one
    EXPECT_EQ(otto.Mutter, 1);
    EXPECT_EQ(otto.Leben,
              (std::vector<std::string>{"Erste Zeile, die weitergeht", "zweite Zeile mit @ Zeichen",
                                        "Aus dem", "Notizsatz"}));
    EXPECT_EQ(otto.Bild, "/data/tree/photos/otto.jpg");
    EXPECT_EQ(doc.person(4).Vater, 2); // from the family's CHIL line alone
    EXPECT_EQ(r.report.severalParents.size(), 1);
    EXPECT_EQ(r.report.skippedLineCount, 1);
    EXPECT_TRUE(r.report.text().contains(QStringLiteral("this line is broken")));
    EXPECT_TRUE(doc.Modified);
    EXPECT_TRUE(doc.FileName.isEmpty());

    // Adopted only: the adoptive family is better than none.
    Document adopted = read(latin("0 HEAD\n0 @A@ INDI\n1 FAMC @F@\n2 PEDI adopted\n"
                                  "0 @B@ INDI\n0 @F@ FAM\n1 WIFE @B@\n1 CHIL @A@\n0 TRLR\n"));
    EXPECT_EQ(adopted.person(0).Mutter, 1);
}

// Texts are UTF-8 in memory: names that Windows-1252 cannot hold are kept
// as they are (they were transliterated once: "Łukasz" became "Lukasz").
TEST(GedcomRead, NamesOutsideWindows1252AreKept) {
    struct Case {
        const char* utf8;
        const char* kept;
    };
    const Case cases[] = {
        {"Łukasz", "Łukasz"},
        {"Dvořák", "Dvořák"},
        {"Иван", "Иван"},
        {"Ελένη", "Ελένη"},
        {"Müller", "Müller"},
        {"a\xE2\x99\xA5"
         "b",
         "a\xE2\x99\xA5"
         "b"},
    };
    QByteArray file("0 HEAD\n1 CHAR UTF-8\n");
    for (const Case& c : cases)
        file += QByteArray("0 INDI\n1 NAME ") + c.utf8 + " /X/\n";
    file += "0 TRLR\n";
    GedcomImportResult r = importGedcom(file);
    ASSERT_TRUE(r.doc);
    ASSERT_EQ(r.doc->PersonCount(), int(std::size(cases)));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(r.doc->person(int(i)).VorName, cases[i].kept) << i;
    EXPECT_FALSE(r.report.text().contains(QStringLiteral("angepasst")));
}

TEST(GedcomRead, DamagedFilesNeverCrash) {
    const QByteArray valid =
        latin("0 HEAD\r\n1 CHAR ANSEL\r\n0 @I1@ INDI\r\n1 NAME Ann /L\xE8"
              "ee/\r\n1 BIRT\r\n2 DATE 1 JAN 1900\r\n"
              "1 FAMC @F1@\r\n1 NOTE a\r\n2 CONT b\r\n2 CONC c\r\n0 @I2@ INDI\r\n1 FAMS @F1@\r\n"
              "0 @F1@ FAM\r\n1 HUSB @I2@\r\n1 CHIL @I1@\r\n0 TRLR\r\n");
    for (qsizetype n = 0; n <= valid.size(); ++n) {
        GedcomImportResult r = importGedcom(valid.left(n));
        if (!r.doc) {
            EXPECT_EQ(r.error, kMsgNotGedcom) << n;
            continue;
        }
        EXPECT_LE(r.doc->PersonCount(), 2) << n;
        EXPECT_EQ(r.report.missingTrailer, n < valid.size() - 2) << n; // "0 TRLR" read
    }
    EXPECT_EQ(read(valid).person(0).Vater, 1);
    // Bytes changed at random: read or refused, never more persons.
    std::mt19937 rng(12);
    for (int round = 0; round < 500; ++round) {
        QByteArray damaged = valid;
        for (int k = 0; k < 1 + int(rng() % 8); ++k)
            damaged[qsizetype(rng() % size_t(damaged.size()))] = char(rng() % 256);
        GedcomImportResult r = importGedcom(damaged);
        EXPECT_TRUE(r.doc ? r.doc->PersonCount() <= 3 : r.error == kMsgNotGedcom) << round;
    }
    for (const QByteArray& junk :
         {QByteArray(), latin("\x89PNG\r\n\x1A\n"), latin("1 HEAD\n0 TRLR\n"), latin("0 INDI\n"),
          QByteArray(1000, '\0'), latin("\xFF\xFE")}) {
        GedcomImportResult r = importGedcom(junk);
        EXPECT_FALSE(r.doc);
        EXPECT_EQ(r.error, kMsgNotGedcom);
    }
    // Levels that jump, pointers that lead nowhere, a person as its own
    // parent: read, never followed.
    Document odd = read(latin("0 HEAD\n0 @I1@ INDI\n3 NAME Deep /Jump/\n1 FAMC @NONE@\n"
                              "1 FAMC @F1@\n0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @@\n0 TRLR\n"));
    EXPECT_EQ(odd.person(0).Vater, -1);
    EXPECT_EQ(odd.person(0).Mutter, -1);
}

TEST(GedcomWrite, ExportThenImportGivesTheSameTree) {
    Document doc;
    doc.AreaWidth = 70;
    doc.AreaHeight = 65;
    auto add = [&](const char* given, const char* surname, int father, int mother, int x, int y) {
        TPerson p;
        p.VorName = given;
        p.NachName = surname;
        p.Vater = father;
        p.Mutter = mother;
        p.GridX = x;
        p.GridY = y;
        return doc.addPerson(std::move(p));
    };
    add("Jürgen", "Müller", -1, -1, 0, 0);
    add("Anna", "Groß-Öhler", -1, -1, 1, 0);
    add("Max @ Moritz", "a/b", 0, 1, 0, 1);
    add("", "Nur Nachname", 0, -1, 5, 3);
    add("Keine", "Zelle", 2, 3, -1, -1);
    const std::string longLine = std::string(300, 'x') + " " + std::string(300, 'y') + "  zz";
    struct Extra {
        const char* geb;
        const char* st;
        const char* bild;
        std::vector<std::string> leben;
        const char* gebBack = nullptr; // a typed date comes back as the date it means
    };
    const Extra extras[] = {
        {"12.02.1840", "um 1900", "/bilder/jürgen.jpg", {"Erste Zeile", "", "  eingerückt", ""}},
        {"zw. 1850 und 1860", "04.2000 – 05.03.2001", "", {longLine}},
        {"1.2.1870", "im Krieg (1916)", "rel/bild.png", {}, "01.02.1870"},
        {"ca. 1800", "", "", {""}},
        {"", "nach 03.03.2000", "", {"@@ und @"}},
    };
    for (int i = 0; i < doc.PersonCount(); ++i) {
        TPerson p = doc.person(i);
        p.GebDate = extras[i].geb;
        p.StDate = extras[i].st;
        p.Bild = extras[i].bild;
        p.Leben = extras[i].leben;
        doc.replacePerson(i, std::move(p));
    }
    const QByteArray bytes = exportGedcom(doc);
    EXPECT_TRUE(bytes.startsWith("0 HEAD\r\n"));
    EXPECT_TRUE(bytes.endsWith("0 TRLR\r\n"));
    for (const QByteArray& line : bytes.split('\n'))
        EXPECT_LE(line.size(), 255);

    Document back = read(bytes);
    ASSERT_EQ(back.PersonCount(), doc.PersonCount());
    EXPECT_EQ(back.AreaWidth, 70);
    EXPECT_EQ(back.AreaHeight, 65);
    for (int i = 0; i < doc.PersonCount(); ++i) {
        SCOPED_TRACE(i);
        const TPerson &a = doc.person(i), &b = back.person(i);
        EXPECT_EQ(a.VorName, b.VorName);
        EXPECT_EQ(a.NachName, b.NachName);
        EXPECT_EQ(extras[i].gebBack ? extras[i].gebBack : a.GebDate, b.GebDate);
        EXPECT_EQ(a.StDate, b.StDate);
        EXPECT_EQ(a.Bild, b.Bild);
        EXPECT_EQ(a.Leben, b.Leben);
        EXPECT_EQ(a.Vater, b.Vater);
        EXPECT_EQ(a.Mutter, b.Mutter);
        EXPECT_EQ(a.GridX, b.GridX);
        EXPECT_EQ(a.GridY, b.GridY);
    }
}

// Found by fuzzing: a lone ANSEL mark at the edge of a surname became a blank,
// and a date continued on a second line kept its line break; the first
// reading kept them and the reading of our own export did not.
TEST(GedcomRead, OddNamesAndDatesRoundTrip) {
    const Document first = read(latin("0 HEAD\n1 CHAR ANSEL\n0 @I1@ INDI\n"
                                      "1 NAME Karl\xE8/ Lind/\n1 BIRT\n2 DATE ABT 1900\n"
                                      "3 CONT nachts\n0 TRLR\n"));
    ASSERT_EQ(first.PersonCount(), 1);
    const std::string& surname = first.person(0).NachName;
    EXPECT_FALSE(surname.empty() || surname.front() == ' ' || surname.back() == ' ') << surname;
    const Document second = read(exportGedcom(first));
    ASSERT_EQ(second.PersonCount(), 1);
    EXPECT_EQ(second.person(0).NachName, first.person(0).NachName);
    EXPECT_EQ(second.person(0).VorName, first.person(0).VorName);
    EXPECT_EQ(first.person(0).GebDate.find('\n'), std::string::npos);
    EXPECT_EQ(second.person(0).GebDate, first.person(0).GebDate);
}

// Found by fuzzing: an ANSEL name "Anna" with three no-break blanks and
// three marks lost its blanks on the way back. Blanks at the edges of names
// and tabs in biographies now come back exactly, through GEDCOM and the tree
// file; other programs' files are still trimmed as before.
TEST(GedcomRead, BlanksAtNameEdgesAndTabsComeBackExactly) {
    const Document fuzzed =
        read(latin("0 HEAD\n1 CHAR ANSEL\n0 @I1@ INDI\n1 NAME Anna\xA0\xA0\xA0\xE8\xE8\xE8\n"
                   "0 TRLR\n"));
    ASSERT_EQ(fuzzed.PersonCount(), 1);
    Document doc;
    doc.addPerson(fuzzed.person(0));
    const char* const edges[] = {"Anna\u00A0\u00A0\u00A0",
                                 " Anna",
                                 "Anna  ",
                                 "\tAnna",
                                 "Anna\t",
                                 "\u00A0",
                                 " ",
                                 "Anna / Berta"};
    for (const char* name : edges) {
        TPerson p;
        p.VorName = name;
        p.NachName = std::string(name) + "x";
        p.Leben = {"\teingerückt\t", std::string(" ") + name + " ", "a\tb"};
        doc.addPerson(p);
    }
    const Document viaGedcom = read(exportGedcom(doc));
    StaReadResult tree = parseSta(serializeSta(doc, BoxLayout{}), BoxLayout{});
    ASSERT_TRUE(tree.file) << tree.error.toStdString();
    const Document& viaTree = tree.file->doc;
    ASSERT_EQ(viaGedcom.PersonCount(), doc.PersonCount());
    ASSERT_EQ(viaTree.PersonCount(), doc.PersonCount());
    for (int i = 0; i < doc.PersonCount(); ++i)
        for (const Document* back : {&viaGedcom, &viaTree}) {
            SCOPED_TRACE(testing::Message() << i << (back == &viaTree ? " tree file" : " GEDCOM"));
            EXPECT_EQ(back->person(i).VorName, doc.person(i).VorName);
            EXPECT_EQ(back->person(i).NachName, doc.person(i).NachName);
            EXPECT_EQ(back->person(i).Leben, doc.person(i).Leben);
        }
    // Another program's file keeps being read as before.
    const Document other = read(latin("0 HEAD\n1 SOUR OTHER\n0 @I1@ INDI\n1 NAME  Anna  /Lind/\n"
                                      "2 GIVN  Anna \n1 NOTE a\tb\n0 TRLR\n"));
    EXPECT_EQ(other.person(0).VorName, "Anna");
    EXPECT_EQ(other.person(0).Leben, std::vector<std::string>{"a b"});
}

TEST(GedcomRead, ReportNamesWhatWasLeftOutAndShowsNoControlCharacters) {
    const GedcomImportResult r = importGedcom(
        latin("0 HEAD\n0 @I1@ INDI\n0 @I2@ INDI\n0 @I3@ INDI\n0 @I1@ INDI\n1 NAME Zweiter /Eins/\n"
              "0 @F1@ FAM\n1 HUSB @I1@\n1 HUSB @I2@\n1 HUSB @I3@\n1 WIFE @I2@\n1 WIFE @I3@\n"
              "0 @F1@ FAM\n1 CHIL @I9@\n0 TRLR\n")
            .append(QByteArray("x\0y\x1B[31m\n", 10)));
    ASSERT_TRUE(r.doc);
    EXPECT_EQ(r.doc->PersonCount(), 4);
    const QString text = r.report.text();
    for (const char* expected :
         {"weggelassen wurden diese 3 Einträge", "Zeile 9: HUSB @I2@ in Familie @F1@",
          "Zeile 10: HUSB @I3@ in Familie @F1@", "Zeile 12: WIFE @I3@ in Familie @F1@",
          "2 Datensätze tragen eine Kennung, die schon ein früherer trägt",
          "Zeile 5: @I1@ INDI (zuerst in Zeile 2)", "Zeile 13: @F1@ FAM (zuerst in Zeile 7)",
          "1 Verweise nennen einen Datensatz, den die Datei nicht enthält", "Zeile 14: CHIL @I9@",
          "x␀y␛[31m"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                << text.toStdString();
    for (const QChar c : text)
        EXPECT_TRUE(c == u'\n' || c.unicode() >= 0x20) << int(c.unicode());

    // UTF-16 with one byte too many: the byte is named, not dropped quietly.
    QByteArray wide;
    for (const char c : QByteArray("0 HEAD\n0 @I1@ INDI\n0 TRLR\n")) {
        wide += c;
        wide += '\0';
    }
    EXPECT_FALSE(importGedcom(wide).report.oddLastByte);
    const GedcomImportResult odd = importGedcom(wide + 'Z');
    ASSERT_TRUE(odd.doc);
    EXPECT_TRUE(odd.report.text().contains(QStringLiteral("mitten in einem UTF-16-Zeichen")));
}
