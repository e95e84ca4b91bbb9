// lindwerk-cli import-gedcom, export-gedcom and arrange, run as a user would.
#include "document/StaFile.h"
#include "gedcom/GedcomImport.h"
#include "tests/CliProcess.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lw;

namespace {

constexpr auto cli = lw::test::runCli;

// Grandparents, parents and a child, in ANSEL, with an adoptive family.
const char kFamily[] =
    "0 HEAD\r1 CHAR ANSEL\r"
    "0 @K@ INDI\r1 NAME J\xE8urgen /Kind/\r1 FAMC @P@\r1 FAMC @A@\r2 PEDI adopted\r"
    "0 @V@ INDI\r1 NAME Vater /Kind/\r1 FAMC @G@\r"
    "0 @M@ INDI\r1 NAME Mutter /Berg/\r"
    "0 @GV@ INDI\r1 NAME Opa /Kind/\r"
    "0 @GM@ INDI\r1 NAME Oma /Kind/\r"
    "0 @X@ INDI\r1 NAME Pflege /Mutter/\r"
    "0 @P@ FAM\r1 HUSB @V@\r1 WIFE @M@\r1 CHIL @K@\r"
    "0 @G@ FAM\r1 HUSB @GV@\r1 WIFE @GM@\r1 CHIL @V@\r"
    "0 @A@ FAM\r1 WIFE @X@\r1 CHIL @K@\r0 TRLR\r";

} // namespace

TEST(CliGedcom, ImportArrangeAndExport) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ged = dir.filePath("family.ged"), sta = dir.filePath("family.sta");
    {
        QFile f(ged);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kFamily);
    }
    lw::test::CliResult r = cli({"import-gedcom", ged, sta});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("GEDCOM-Import: 6 Personen, 3 Familien")));
    EXPECT_TRUE(r.err.contains(QStringLiteral("Person 1 (Jürgen Kind)"))); // several families

    StaReadResult read = loadSta(sta, BoxLayout{});
    ASSERT_TRUE(read.file);
    Document& doc = read.file->doc;
    ASSERT_EQ(doc.PersonCount(), 6);
    EXPECT_EQ(doc.person(0).VorName, "Jürgen"); // texts are UTF-8 in memory
    EXPECT_EQ(doc.person(0).Vater, 1);
    EXPECT_EQ(doc.person(0).Mutter, 2);
    // Arranged: three generations in three rows.
    EXPECT_EQ(doc.person(3).GridY + 1, doc.person(1).GridY);
    EXPECT_EQ(doc.person(1).GridY + 1, doc.person(0).GridY);
    EXPECT_EQ(doc.chart.lineStyle, LineStyle::FamilyLines); // its couples are known

    // The user lost the child's cell and chose parent lines; only the child
    // is placed again, and the arrangement chooses family lines again.
    doc.setGridPos(0, -1, -1);
    doc.chart.lineStyle = LineStyle::ParentLines;
    const std::int32_t fatherX = doc.person(1).GridX, fatherY = doc.person(1).GridY;
    ASSERT_TRUE(saveSta(sta, doc, read.file->box, nullptr));
    r = cli({"arrange", sta, sta, "--only-unplaced"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    read = loadSta(sta, BoxLayout{});
    ASSERT_TRUE(read.file);
    EXPECT_EQ(read.file->doc.person(1).GridX, fatherX);
    EXPECT_EQ(read.file->doc.person(1).GridY, fatherY);
    EXPECT_EQ(read.file->doc.person(0).GridY, fatherY + 1);
    EXPECT_EQ(read.file->doc.chart.lineStyle, LineStyle::FamilyLines);

    const QString out = dir.filePath("out.ged");
    r = cli({"export-gedcom", sta, out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    gedcom::GedcomImportResult back = gedcom::loadGedcom(out);
    ASSERT_TRUE(back.doc);
    ASSERT_EQ(back.doc->PersonCount(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(back.doc->person(i).GridX, read.file->doc.person(i).GridX) << i;
        EXPECT_EQ(back.doc->person(i).GridY, read.file->doc.person(i).GridY) << i;
        EXPECT_EQ(back.doc->person(i).Vater, read.file->doc.person(i).Vater) << i;
    }

    // GEDCOM straight to GEDCOM: the families as the file had them, the
    // report on the error output.
    const QString direct = dir.filePath("direct.ged");
    r = cli({"export-gedcom", ged, direct});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("6 Personen, 3 Familien")));
    back = gedcom::loadGedcom(direct);
    ASSERT_TRUE(back.doc);
    EXPECT_EQ(back.doc->Partnerships().size(), 3u);
    EXPECT_EQ(back.doc->person(0).Mutter, 2);

    // Refused and wrong usage.
    r = cli({"import-gedcom", sta, dir.filePath("x.sta")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(gedcom::kMsgNotGedcom));
    EXPECT_FALSE(QFile::exists(dir.filePath("x.sta")));
    EXPECT_EQ(cli({"import-gedcom", ged}).exitCode, 2);
    EXPECT_EQ(cli({"arrange", sta, "--only-unplaced"}).exitCode, 2);
    EXPECT_EQ(cli({"export-gedcom", dir.filePath("missing.sta"), out}).exitCode, 1);
}
