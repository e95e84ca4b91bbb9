// The print command on a fake job (the order of the job's steps, the
// sheets, the failures) and on a real PDF file.
#include "document/Document.h"
#include "document/Layout.h"
#include "platform/Dialogs.h"
#include "platform/RecordingCanvas.h"
#include "print/PdfPrintJob.h"
#include "print/PrintCommand.h"
#include "print/PrintJob.h"
#include "tests/PdfPages.h"
#include "tests/TestPersons.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace lw;
using lw::test::pdfPageCount;
using lw::test::personAt;

namespace {

using Events = std::vector<std::string>;

// Message boxes go into the job's event list, "caption: text".
class LoggingDialogs : public Dialogs {
  public:
    explicit LoggingDialogs(Events& events) : events_(events) {}
    int messageBox(const QString& text, const QString& caption, unsigned flags) override {
        events_.push_back((caption + QStringLiteral(": ") + text).toStdString());
        flags_.push_back(flags);
        return IDOK;
    }
    QString openFileName(const FileDialogRequest&) override { return {}; }
    QString saveFileName(const FileDialogRequest&) override { return {}; }
    bool chooseFont(TFontInfo&) override { return false; }
    bool chooseColor(TColor&) override { return false; }
    std::vector<unsigned> flags_;

  private:
    Events& events_;
};

class FakePrintJob : public PrintJob {
  public:
    explicit FakePrintJob(Events& events) : events_(events) {}

    PrinterFacts page{600, 600, 4760, 6779};
    bool failBegin = false;
    bool failEnd = false;
    int failNewPage = 0; // the n-th new page fails (from 1); 0: none
    std::vector<RecordingCanvas> pages;

    bool beginDocument(const QString& title) override {
        events_.push_back("begin " + title.toStdString());
        if (failBegin) return false;
        pages.emplace_back(RecordingCanvas::printerCaps(page.dpiX));
        return true;
    }
    PrinterFacts facts() const override { return page; }
    Canvas& canvas() override { return pages.back(); }
    void clipTo(const QRect& area) override {
        clips.push_back(area);
        events_.push_back(area.isNull() ? "unclip" : "clip");
    }
    std::vector<QRect> clips;
    bool newPage() override {
        events_.push_back("newPage");
        if (++newPages_ == failNewPage) return false;
        pages.emplace_back(RecordingCanvas::printerCaps(page.dpiX));
        return true;
    }
    bool endDocument() override {
        events_.push_back("end");
        return !failEnd;
    }
    void abort() override { events_.push_back("abort"); }

  private:
    Events& events_;
    int newPages_ = 0;
};

const std::string kInfoThree = "Information: Es werden bis zu 3 Blätter benötigt";

class PrintCommandTest : public ::testing::Test {
  protected:
    PrintOutcome run(PrintJob& job) {
        return printChart(job, PrintContext{doc, box, margins, 96, dialogs, nullptr});
    }
    // A chart reaching column 9 and row 4: three sheets across on 4760 × 6779.
    void placeToColumnNineRowFour() {
        doc.addPerson(personAt(9, 0));
        doc.addPerson(personAt(0, 4));
    }

    Events events;
    LoggingDialogs dialogs{events};
    FakePrintJob job{events};
    Document doc;
    BoxLayout box;
    ChartMargins margins; // 30, 30 as before the first painting
};

} // namespace

TEST_F(PrintCommandTest, ThreeSheetsArePrintedLeftToRight) {
    placeToColumnNineRowFour();
    const PrintOutcome outcome = run(job);
    EXPECT_EQ(outcome.status, PrintStatus::Printed);
    EXPECT_EQ(outcome.sheets, 3);
    EXPECT_EQ(events, (Events{"begin Stammbaum", kInfoThree, "newPage", "newPage", "end"}));
    // A question: Abbrechen prints nothing.
    EXPECT_EQ(dialogs.flags_.at(0), unsigned(MB_OKCANCEL | MB_ICONINFORMATION));
    EXPECT_EQ(margins, (ChartMargins{45, 68}));

    ASSERT_EQ(job.pages.size(), 3u);
    // (0, 4) on the first sheet; (9, 0) at 1557·6.25 = 9731, on the third
    // at 9731 − 2·4760.
    const auto first = job.pages[0].rectangles();
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].left, 281);
    EXPECT_EQ(first[0].top, 2825);
    EXPECT_TRUE(job.pages[1].rectangles().empty());
    const auto third = job.pages[2].rectangles();
    ASSERT_EQ(third.size(), 1u);
    EXPECT_EQ(third[0].left, 211);
    EXPECT_EQ(third[0].top, 425);
}

TEST_F(PrintCommandTest, EmptyChartIsOneSheetWithTheHeading) {
    const PrintOutcome outcome = run(job);
    EXPECT_EQ(outcome.sheets, 1);
    EXPECT_EQ(events, (Events{"begin Stammbaum", "Information: Es werden bis zu 1 Blätter benötigt",
                              "end"}));
    ASSERT_EQ(job.pages.size(), 1u);
    EXPECT_EQ(job.pages[0].texts().size(), 1u);
    EXPECT_TRUE(job.pages[0].rectangles().empty());
}

TEST_F(PrintCommandTest, ExactMultipleOfThePageAddsAnEmptyColumn) {
    doc.addPerson(personAt(0, 0));
    job.page.pageWidth = 1525; // (159 + 45 + 40)·6.25
    job.page.pageHeight = 969;
    EXPECT_EQ(run(job).sheets, 2);
    ASSERT_EQ(job.pages.size(), 2u);
    EXPECT_EQ(job.pages[0].rectangles().size(), 1u);
    EXPECT_TRUE(job.pages[1].rectangles().empty());
}

TEST_F(PrintCommandTest, FailingBeginIsReportedAndAborted) {
    placeToColumnNineRowFour();
    job.failBegin = true;
    EXPECT_EQ(run(job).status, PrintStatus::Failed);
    EXPECT_EQ(events, (Events{"begin Stammbaum", "abort",
                              "Fehler: Der Druck konnte nicht begonnen werden."}));
    EXPECT_EQ(dialogs.flags_.at(0), unsigned(MB_OK | MB_ICONSTOP));

    // The program goes on: the next print works.
    events.clear();
    FakePrintJob next(events);
    EXPECT_EQ(run(next).status, PrintStatus::Printed);
    EXPECT_EQ(next.pages.size(), 3u);
}

// Memory that runs out while the sheets are drawn ends the job with a
// message, not the program.
TEST_F(PrintCommandTest, RunningOutOfMemoryIsReportedAndAborted) {
    class OutOfMemoryJob : public FakePrintJob {
      public:
        using FakePrintJob::FakePrintJob;
        Canvas& canvas() override { throw std::bad_alloc(); }
    };
    placeToColumnNineRowFour();
    OutOfMemoryJob starved(events);
    EXPECT_EQ(run(starved).status, PrintStatus::Failed);
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[events.size() - 2], "abort");
    EXPECT_EQ(events.back(), "Fehler: " + kMsgPrintNoMemory.toStdString());
}

TEST_F(PrintCommandTest, FailingNewPageAndEndAreReportedAndAborted) {
    placeToColumnNineRowFour();
    job.failNewPage = 2;
    EXPECT_EQ(run(job).status, PrintStatus::Failed);
    EXPECT_EQ(events, (Events{"begin Stammbaum", kInfoThree, "newPage", "newPage", "abort",
                              "Fehler: Die nächste Seite konnte nicht begonnen werden – der "
                              "Druck wurde abgebrochen."}));

    events.clear();
    FakePrintJob ending(events);
    ending.failEnd = true;
    EXPECT_EQ(run(ending).status, PrintStatus::Failed);
    EXPECT_EQ(events, (Events{"begin Stammbaum", kInfoThree, "newPage", "newPage", "end", "abort",
                              "Fehler: Der Druck konnte nicht abgeschlossen werden – der Druck "
                              "wurde abgebrochen."}));
}

TEST_F(PrintCommandTest, PrinterWithoutResolutionIsNotPrintedOn) {
    job.page.dpiX = 0;
    EXPECT_EQ(run(job).status, PrintStatus::Failed);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[1], "abort");
    EXPECT_EQ(QString::fromStdString(events[2]), QStringLiteral("Fehler: ") + kMsgPrinterFacts);
}

TEST_F(PrintCommandTest, PdfFileHasOnePageOfThePrintableSizePerSheet) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    placeToColumnNineRowFour();
    const QString path = dir.filePath(QStringLiteral("chart.pdf"));
    {
        PdfPrintJob pdf(path, PrinterFacts{600, 600, 4760, 6779});
        EXPECT_EQ(run(pdf).sheets, 3);
    }
    EXPECT_EQ(pdfPageCount(path), 3);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    // The page is the whole A4 sheet in whole points; the printable page
    // lies centred on it.
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 595.000000 842.000000]"));
}

TEST_F(PrintCommandTest, PdfThatCannotBeWrittenIsReportedAndLeavesNoFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/chart.pdf"));
    PdfPrintJob pdf(path, PrinterFacts::a4(600));
    EXPECT_EQ(run(pdf).status, PrintStatus::Failed);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "Fehler: Der Druck konnte nicht begonnen werden.");
    EXPECT_FALSE(QFile::exists(path));

    // A document thrown away after it began leaves no half-written file.
    const QString begun = dir.filePath(QStringLiteral("begun.pdf"));
    PdfPrintJob thrown(begun, PrinterFacts::a4(600));
    ASSERT_TRUE(thrown.beginDocument(kPrintTitle));
    thrown.abort();
    EXPECT_FALSE(QFile::exists(begun));
}
