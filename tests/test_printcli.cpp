// lindwerk-cli print, run as a user would run it.
#include "document/StaFile.h"
#include "print/PrintCommand.h"
#include "tests/CliProcess.h"
#include "tests/FileSizeLimit.h"
#include "tests/PdfPages.h"
#include "tests/TestPersons.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lw;
using lw::test::pdfPageCount;

namespace {

using CliRun = lw::test::CliResult;

class PrintCli : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const char* name) { return dir.filePath(QString::fromLatin1(name)); }
    void place(std::int32_t col, std::int32_t row) { doc.addPerson(lw::test::personAt(col, row)); }
    void save() {
        QFile f(path("a.sta"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(serializeSta(doc, BoxLayout{}));
    }
    CliRun print(QStringList args) {
        args.prepend(QStringLiteral("print"));
        return lw::test::runCli(args);
    }

    QTemporaryDir dir;
    Document doc;
};

} // namespace

TEST_F(PrintCli, PrintsOnePdfPagePerAnnouncedSheet) {
    place(9, 0);
    place(0, 4);
    save();
    const CliRun r = print(
        {path("a.sta"), path("a.pdf"), QStringLiteral("--page"), QStringLiteral("4760x6779")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Es werden bis zu 3 Blätter benötigt\n"));
    EXPECT_EQ(pdfPageCount(path("a.pdf")), 3);
}

TEST_F(PrintCli, ResolutionsChangeTheTiling) {
    place(9, 0);
    place(0, 4);
    save();
    // At twice the screen resolution the chart is half as large on paper:
    // (1512 + 159 + 90 + 40)·600 div 192 = 5628 div 4760 + 1 = 2 across.
    const CliRun r =
        print({path("a.sta"), path("b.pdf"), QStringLiteral("--screen-dpi"), QStringLiteral("192"),
               QStringLiteral("--page"), QStringLiteral("4760x6779")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("Es werden bis zu 2 Blätter benötigt\n"));
    EXPECT_EQ(pdfPageCount(path("b.pdf")), 2);

    // The default page is A4 less its margins at the printer's resolution
    // (2380 × 3407 at 300 dpi), on a whole A4 sheet of 595 × 842 points.
    const CliRun a4 = print(
        {path("a.sta"), path("c.pdf"), QStringLiteral("--printer-dpi"), QStringLiteral("300")});
    ASSERT_EQ(a4.exitCode, 0) << a4.err.toStdString();
    QFile f(path("c.pdf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("/MediaBox [0 0 595.000000 842.000000]"));
}

TEST_F(PrintCli, Failures) {
    CliRun r = print({path("missing.sta"), path("m.pdf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(kMsgCannotOpen)) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("m.pdf")));

    save();
    r = print({path("a.sta"), path("no/such/folder/x.pdf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Der Druck konnte nicht begonnen werden.")))
        << r.err.toStdString();

    EXPECT_EQ(print({path("a.sta")}).exitCode, 2);
    EXPECT_EQ(
        print({path("a.sta"), path("x.pdf"), QStringLiteral("--printer-dpi"), QStringLiteral("0")})
            .exitCode,
        2);
    EXPECT_EQ(print({path("a.sta"), path("x.pdf"), QStringLiteral("--page"), QStringLiteral("100")})
                  .exitCode,
              2);
    EXPECT_FALSE(QFile::exists(path("x.pdf")));
}

TEST_F(PrintCli, PosterOptionsLimitsAndAFullDisk) {
    // One person in the far corner of a huge area, no heading: one sheet of
    // some nineteen billion, found without visiting them.
    doc.AreaWidth = doc.AreaHeight = 1000000;
    doc.chart.Caption.clear();
    place(999999, 999999);
    save();
    CliRun r = print({path("a.sta"), path("far.pdf"), QStringLiteral("--skip-empty")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("Es werden bis zu 1 Blätter benötigt – ")));
    EXPECT_EQ(pdfPageCount(path("far.pdf")), 1);

    // Without --skip-empty the count is refused before anything is written.
    r = print({path("a.sta"), path("all.pdf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("mehr als die erlaubten 10000")))
        << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("all.pdf")));

    // A PDF that does not fit on the disk fails, and the old file stays.
    doc = Document();
    place(0, 0);
    save();
    {
        QFile old(path("keep.pdf"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    {
        lw::test::FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.active());
        r = print({path("a.sta"), path("keep.pdf"), QStringLiteral("--marks")});
    }
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(kMsgPrintEnd)) << r.err.toStdString();
    QFile kept(path("keep.pdf"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList({QStringLiteral("*keep*")}, QDir::Files).size(), 1);

    // The poster as PDF and SVG; wrong options are usage errors.
    for (const char* out : {"p.pdf", "p.svg"}) {
        r = lw::test::runCli({QStringLiteral("poster"), path("a.sta"), path(out),
                              QStringLiteral("--width-mm"), QStringLiteral("500")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_GT(QFileInfo(path(out)).size(), 0);
    }
    for (const QStringList& wrong :
         {QStringList{QStringLiteral("--scale"), QStringLiteral("5")},
          QStringList{QStringLiteral("--sheets-wide"), QStringLiteral("2"),
                      QStringLiteral("--scale"), QStringLiteral("50")},
          QStringList{QStringLiteral("--glue-mm")},
          QStringList{QStringLiteral("--paper"), QStringLiteral("210")}})
        EXPECT_EQ(print(QStringList{path("a.sta"), path("w.pdf")} + wrong).exitCode, 2)
            << wrong.join(' ').toStdString();
    EXPECT_FALSE(QFile::exists(path("w.pdf")));
}
