// GEDCOM families both ways: partnerships, marriages, divorces, pedigrees,
// sex, places, baptism and burial through export and import; and what the
// import report counts of what it did not take over.
#include "gedcom/GedcomExport.h"
#include "gedcom/GedcomImport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace lw;
using namespace lw::gedcom;

namespace {

// Every field of two documents' persons and partnerships.
void expectSameTree(const Document& a, const Document& b) {
    ASSERT_EQ(a.PersonCount(), b.PersonCount());
    for (int i = 0; i < a.PersonCount(); ++i) {
        SCOPED_TRACE(i);
        const TPerson &x = a.person(i), &y = b.person(i);
        EXPECT_EQ(x.VorName, y.VorName);
        EXPECT_EQ(x.NachName, y.NachName);
        EXPECT_EQ(x.GebDate, y.GebDate);
        EXPECT_EQ(x.StDate, y.StDate);
        EXPECT_EQ(x.birthPlace, y.birthPlace);
        EXPECT_EQ(x.deathPlace, y.deathPlace);
        EXPECT_EQ(x.baptism, y.baptism);
        EXPECT_EQ(x.burial, y.burial);
        EXPECT_EQ(x.sex, y.sex);
        EXPECT_EQ(x.Vater, y.Vater);
        EXPECT_EQ(x.Mutter, y.Mutter);
        EXPECT_EQ(x.fatherRelation, y.fatherRelation);
        EXPECT_EQ(x.motherRelation, y.motherRelation);
        EXPECT_EQ(x.Leben, y.Leben);
        EXPECT_EQ(x.Bild, y.Bild);
        EXPECT_EQ(x.GridX, y.GridX);
        EXPECT_EQ(x.GridY, y.GridY);
    }
    EXPECT_EQ(a.Partnerships(), b.Partnerships());
}

} // namespace

// A family with all that a file can say about it: a father with two
// marriages (named in the other order than the families stand in the file),
// a divorce, an adopted child, a child adopted by its mother only, a
// childless couple, places, baptism, burial, every sex and names beyond
// Windows-1252. GEDCOM → document → GEDCOM → document keeps every field,
// and the second export is the first one again.
TEST(GedcomWrite, FamiliesComeBackWithEverything) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkpath(QStringLiteral("fotos"));
    QFile photo(dir.filePath(QStringLiteral("fotos/jan.jpg")));
    ASSERT_TRUE(photo.open(QIODevice::WriteOnly));
    photo.write("x");
    photo.close();
    const QByteArray file =
        "0 HEAD\n1 GEDC\n2 VERS 5.5.1\n1 CHAR UTF-8\n"
        "0 @I1@ INDI\n1 NAME Jan /Zelníček/\n1 SEX M\n1 BIRT\n2 DATE 2 MAR 1820\n2 PLAC Brno\n"
        "1 CHR\n2 DATE 4 MAR 1820\n2 PLAC Brno, St. Jakob\n1 DEAT\n2 DATE 1890\n2 PLAC Wien\n"
        "1 BURI\n2 PLAC Wien, Zentralfriedhof\n1 FAMS @F2@\n1 FAMS @F1@\n"
        "1 OBJE\n2 FILE fotos/jan.jpg\n3 FORM jpg\n"
        "0 @I2@ INDI\n1 NAME Marie /Zelníčková/\n1 SEX F\n1 BAPM\n2 DATE 1825\n1 FAMS @F1@\n"
        "0 @I3@ INDI\n1 NAME Anna /Berg/\n1 SEX F\n1 FAMS @F2@\n"
        "0 @I4@ INDI\n1 NAME Karel /Zelníček/\n1 SEX M\n1 FAMC @F1@\n2 _FREL Adopted\n"
        "0 @I5@ INDI\n1 NAME Alex /Zelníček/\n1 SEX X\n1 FAMC @F1@\n2 PEDI adopted\n"
        "0 @I6@ INDI\n1 NAME Börte /Qaɣan/\n1 SEX U\n1 FAMS @F3@\n"
        "0 @I7@ INDI\n1 NAME Temür /Qaɣan/\n1 FAMS @F3@\n"
        "0 @I8@ INDI\n1 NAME Eva /Berg/\n1 FAMC @F2@\n"
        "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 MARR\n2 DATE 1 MAY 1845\n2 PLAC Brno\n"
        "1 DIV\n2 DATE 1855\n2 PLAC Wien\n1 CHIL @I4@\n1 CHIL @I5@\n"
        "0 @F2@ FAM\n1 HUSB @I1@\n1 WIFE @I3@\n1 MARR\n2 DATE 1860\n1 DIV Y\n"
        "1 CHIL @I8@\n2 _FREL Natural\n2 _MREL Adopted\n"
        "0 @F3@ FAM\n1 HUSB @I7@\n1 WIFE @I6@\n1 MARR\n2 PLAC Karakorum\n0 TRLR\n";
    const GedcomImportResult r = importGedcom(file, dir.path());
    ASSERT_TRUE(r.doc);
    const Document& first = *r.doc;
    ASSERT_EQ(first.PersonCount(), 8);
    const TPerson& jan = first.person(0);
    EXPECT_EQ(jan.NachName, "Zelníček");
    EXPECT_EQ(jan.sex, Sex::Male);
    EXPECT_EQ(jan.GebDate, "02.03.1820");
    EXPECT_EQ(jan.birthPlace, "Brno");
    EXPECT_EQ(jan.baptism, (LifeEvent{"04.03.1820", "Brno, St. Jakob"}));
    EXPECT_EQ(jan.StDate, "1890");
    EXPECT_EQ(jan.deathPlace, "Wien");
    EXPECT_EQ(jan.burial, (LifeEvent{"", "Wien, Zentralfriedhof"}));
    EXPECT_EQ(jan.Bild, QDir(dir.path()).filePath(QStringLiteral("fotos/jan.jpg")).toStdString());
    EXPECT_EQ(first.person(1).NachName, "Zelníčková");
    EXPECT_EQ(first.person(1).baptism.date, "1825");
    EXPECT_EQ(first.person(5).NachName, "Qaɣan");
    const Sex sexes[] = {Sex::Male,  Sex::Female,  Sex::Female,  Sex::Male,
                         Sex::Other, Sex::Unknown, Sex::Unknown, Sex::Unknown};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(first.person(i).sex, sexes[i]) << i;
    // The father's relation under the FAMC line, as some programs write it.
    EXPECT_EQ(first.person(3).fatherRelation, ParentRelation::Adopted);
    EXPECT_EQ(first.person(3).motherRelation, ParentRelation::Birth);
    EXPECT_EQ(first.person(4).Vater, 0);
    EXPECT_EQ(first.person(4).fatherRelation, ParentRelation::Adopted);
    EXPECT_EQ(first.person(4).motherRelation, ParentRelation::Adopted);
    EXPECT_EQ(first.person(7).Mutter, 2);
    EXPECT_EQ(first.person(7).fatherRelation, ParentRelation::Birth);
    EXPECT_EQ(first.person(7).motherRelation, ParentRelation::Adopted);
    ASSERT_EQ(first.Partnerships().size(), 3u);
    const Partnership& f1 = first.Partnerships()[0];
    EXPECT_EQ(std::pair(f1.first, f1.second), std::pair(0, 1));
    EXPECT_EQ(f1.marriage, (LifeEvent{"01.05.1845", "Brno"}));
    EXPECT_TRUE(f1.divorced);
    EXPECT_EQ(f1.divorce, (LifeEvent{"1855", "Wien"}));
    EXPECT_TRUE(first.Partnerships()[1].divorced);
    EXPECT_TRUE(first.Partnerships()[1].divorce.empty());
    EXPECT_FALSE(first.Partnerships()[2].divorced);
    EXPECT_EQ(first.Partnerships()[2].marriage.place, "Karakorum");
    EXPECT_EQ(first.partnershipsOf(0), (std::vector<int>{1, 0})); // his FAMS order
    EXPECT_EQ(r.report.families, 3);
    EXPECT_EQ(r.report.pictures, 1);
    EXPECT_TRUE(r.report.untaken.empty()) << r.report.text().toStdString();

    const QByteArray exported = exportGedcom(first, dir.path());
    EXPECT_TRUE(exported.contains("2 FILE fotos/jan.jpg\r\n")); // relative as it came
    EXPECT_TRUE(exported.contains("1 FAMS @F2@\r\n1 FAMS @F1@\r\n"));
    const GedcomImportResult back = importGedcom(exported, dir.path());
    ASSERT_TRUE(back.doc);
    expectSameTree(first, *back.doc);
    EXPECT_EQ(exportGedcom(*back.doc, dir.path()), exported);
}

// What the report says about what stayed behind, and the forms it reads
// that other programs write.
TEST(GedcomRead, ReportCountsWhatWasNotTakenOver) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile there(dir.filePath(QStringLiteral("da.png")));
    ASSERT_TRUE(there.open(QIODevice::WriteOnly));
    there.write("x");
    there.close();
    QByteArray titles;
    for (int i = 0; i < 1398; ++i)
        titles += "1 TITL Dr.\n";
    struct Case {
        const char* what;
        QByteArray file;
        std::vector<const char*> said;    // in the report text
        std::vector<const char*> notSaid; // not in it
        std::function<void(const Document&, const ImportReport&)> check;
    };
    const std::vector<Case> cases = {
        {"tags counted, the header and submitter are not",
         "0 HEAD\n1 SOUR X\n2 VERS 1\n1 NOTE Kopf\n0 @U@ SUBM\n1 NAME Wer\n"
         "0 @S1@ SOUR\n1 TITL Kirchenbuch\n0 @I1@ INDI\n1 NAME Jan /Lind/\n2 NICK Janek\n"
         "1 OCCU Bauer\n1 OCCU Müller\n2 DATE 1850\n1 BIRT\n2 DATE 1820\n2 SOUR @S1@\n" +
             titles + "0 TRLR\n",
         {"Nicht übernommen wurden 1.403 Angaben", "TITL 1.398, OCCU 2, SOUR 2, NICK 1"},
         {"SUBM", "HEAD"},
         [](const Document& d, const ImportReport&) { EXPECT_EQ(d.person(0).GebDate, "1820"); }},
        {"missing picture named, not counted",
         "0 HEAD\n0 @I1@ INDI\n1 OBJE\n2 FILE fehlt.jpg\n0 @I2@ INDI\n1 OBJE\n2 FILE da.png\n"
         "0 TRLR\n",
         {"1 Personen mit Bild", "1 Bilddateien wurden nicht gefunden", "  fehlt.jpg"},
         {"Nicht übernommen"},
         [&](const Document& d, const ImportReport& r) {
             EXPECT_EQ(r.pictures, 1);
             EXPECT_EQ(d.person(0).Bild, dir.filePath(QStringLiteral("fehlt.jpg")).toStdString());
         }},
        {"dangling references",
         "0 HEAD\n0 @I1@ INDI\n1 FAMC @F9@\n1 NOTE @N9@\n0 @F1@ FAM\n1 HUSB @I1@\n"
         "1 CHIL @I8@\n1 CHIL @I9@\n0 TRLR\n",
         {"4 Verweise nennen einen Datensatz", "Zeile 3: FAMC @F9@", "Zeile 4: NOTE @N9@",
          "Zeile 7: CHIL @I8@", "Zeile 8: CHIL @I9@", "1 Familien gelesen"},
         {"Nicht übernommen"},
         nullptr},
        {"GEDCOM 7: no CHAR, @VOID@, SNOTE, upper-case pedigree",
         "0 HEAD\n1 GEDC\n2 VERS 7.0\n0 @I1@ INDI\n1 NAME Ana /Ruiz/\n1 SEX X\n1 FAMS @F1@\n"
         "1 SNOTE @N1@\n0 @I2@ INDI\n1 NAME Eva /Ruiz/\n1 FAMC @F1@\n2 PEDI ADOPTED\n"
         "0 @F1@ FAM\n1 HUSB @VOID@\n1 WIFE @I1@\n1 CHIL @I2@\n"
         "0 @N1@ SNOTE Ñandú @@ Ruiz\n1 CONT zweite\n0 TRLR\n",
         {"2 Personen, 1 Familien gelesen (Zeichensatz UTF-8)"},
         {"Verweise", "Nicht übernommen"},
         [](const Document& d, const ImportReport&) {
             EXPECT_EQ(d.person(0).sex, Sex::Other);
             EXPECT_EQ(d.person(0).Leben, (std::vector<std::string>{"Ñandú @@ Ruiz", "zweite"}));
             EXPECT_EQ(d.person(1).Vater, -1);
             EXPECT_EQ(d.person(1).Mutter, 0);
             EXPECT_EQ(d.person(1).motherRelation, ParentRelation::Adopted);
             ASSERT_EQ(d.Partnerships().size(), 1u);
             EXPECT_EQ(d.Partnerships()[0].first, -1);
             EXPECT_EQ(d.Partnerships()[0].second, 0);
         }},
        {"chart cell as a custom event",
         "0 HEAD\n0 @I1@ INDI\n1 EVEN 3 5\n2 TYPE _LWPOS\n1 EVEN Reise\n2 TYPE Auswanderung\n"
         "0 @I2@ INDI\n1 _LWPOS 4 6\n0 TRLR\n",
         {"2 Personen mit gespeicherter Position", "EVEN 1"},
         {"_LWPOS"},
         [](const Document& d, const ImportReport&) {
             EXPECT_EQ(std::pair(d.person(0).GridX, d.person(0).GridY), std::pair(3, 5));
             EXPECT_EQ(std::pair(d.person(1).GridX, d.person(1).GridY), std::pair(4, 6));
         }},
        {"a marriage and a divorce without date or place, an empty sex",
         "0 HEAD\n0 @I1@ INDI\n1 SEX\n1 FAMS @F1@\n0 @I2@ INDI\n1 FAMS @F1@\n1 FAMS @F2@\n"
         "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 MARR\n1 DIV\n"
         "0 @F2@ FAM\n1 WIFE @I2@\n1 MARR N\n0 TRLR\n",
         {"2 Personen, 2 Familien gelesen"},
         {"Nicht übernommen"},
         [](const Document& d, const ImportReport&) {
             EXPECT_EQ(d.person(0).sex, Sex::Unknown);
             ASSERT_EQ(d.Partnerships().size(), 2u);
             EXPECT_TRUE(d.Partnerships()[0].married);
             EXPECT_TRUE(d.Partnerships()[0].divorced);
             EXPECT_FALSE(d.Partnerships()[1].married); // "N": not married
             // Both come back from an export, and the second export is the first.
             const QByteArray exported = exportGedcom(d, QString());
             EXPECT_TRUE(exported.contains("1 WIFE @I2@\r\n1 MARR Y\r\n1 DIV Y\r\n"));
             const GedcomImportResult back = importGedcom(exported, QString());
             ASSERT_TRUE(back.doc);
             EXPECT_EQ(back.doc->Partnerships(), d.Partnerships());
             EXPECT_EQ(exportGedcom(*back.doc, QString()), exported);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const GedcomImportResult r = importGedcom(c.file, dir.path());
        ASSERT_TRUE(r.doc);
        const QString text = r.report.text();
        for (const char* s : c.said)
            EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s << "\n" << text.toStdString();
        for (const char* s : c.notSaid)
            EXPECT_FALSE(text.contains(QString::fromUtf8(s))) << s << "\n" << text.toStdString();
        if (c.check) c.check(*r.doc, r.report);
    }
}
