// Posters: the scale modes, empty sheets left out, the glue margin, marks
// and labels, the assembly map, the poster page, the options in the
// settings file, and a print cancelled by the user.
#include "document/Document.h"
#include "document/Layout.h"
#include "picture/DibImage.h"
#include "platform/Dialogs.h"
#include "platform/DocText.h"
#include "platform/ProfileFile.h"
#include "platform/Progress.h"
#include "platform/RecordingCanvas.h"
#include "print/PdfPrintJob.h"
#include "print/Poster.h"
#include "print/PrintCommand.h"
#include "print/PrintJob.h"
#include "print/SheetDecor.h"
#include "print/SheetPlan.h"
#include "print/SvgCanvas.h"
#include "tests/PdfPages.h"
#include "tests/TestPersons.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace lw;
using lw::test::personAt;

namespace {

// Answers every question with `answer` and keeps the texts asked.
class RecordingDialogs : public AnsweringDialogs {
  public:
    int answer = IDOK;
    std::vector<QString> texts;
    int messageBox(const QString& text, const QString&, unsigned) override {
        texts.push_back(text);
        return answer;
    }
};

// Records every page; the printable page is 4760 × 6779 at 600 dpi.
class PagesJob : public PrintJob {
  public:
    bool beginDocument(const QString&) override { return newPage(); }
    PrinterFacts facts() const override { return {600, 600, 4760, 6779}; }
    Canvas& canvas() override { return pages.back(); }
    void clipTo(const QRect& area) override { clips.push_back(area); }
    bool newPage() override {
        pages.emplace_back(RecordingCanvas::printerCaps(600));
        return true;
    }
    bool endDocument() override { return ended = true; }
    void abort() override { aborted = true; }
    std::vector<RecordingCanvas> pages;
    std::vector<QRect> clips;
    bool ended = false, aborted = false;
};

class CancelAt : public SheetProgress {
  public:
    explicit CancelAt(std::int64_t n) : n_(n) {}
    bool sheetStarting(std::int64_t number, std::int64_t count) override {
        told.push_back(PrintProgressText{number, count});
        return number < n_;
    }
    struct PrintProgressText {
        std::int64_t number, count;
    };
    std::vector<PrintProgressText> told;

  private:
    std::int64_t n_;
};

class PosterTest : public ::testing::Test {
  protected:
    PrintOutcome print(PrintJob& job, const PrintOptions& options,
                       SheetProgress* progress = nullptr) {
        PrintContext context{doc, box, margins, 96, dialogs, nullptr};
        context.options = options;
        context.sheetProgress = progress;
        return printChart(job, context);
    }
    // Column 9 and row 4 occupied: 10975 × 3368 printer pixels at the screen scale.
    void placeToColumnNineRowFour() {
        doc.addPerson(personAt(9, 0));
        doc.addPerson(personAt(0, 4));
    }

    QTemporaryDir dir;
    Document doc;
    BoxLayout box;
    ChartMargins margins;
    RecordingDialogs dialogs;
};

PrintOptions scaled(ScaleMode mode, int value) {
    PrintOptions o;
    o.scaleMode = mode;
    (mode == ScaleMode::Percent ? o.percent : o.sheetsWide) = value;
    return o;
}

} // namespace

TEST_F(PosterTest, ScaleModesGiveTheirSheetCountsAndPositions) {
    placeToColumnNineRowFour();
    const PrinterFacts page{600, 600, 4760, 6779};
    const Point64 extent = countedExtent(168, 96, {9, 4}, {45, 68}); // 1756 × 539
    struct Case {
        PrintOptions options;
        std::int64_t cols, rows;
    };
    PrintOptions glue;
    glue.glueMm = 10; // 236 pixels: step 4524
    PrintOptions marks;
    marks.marks = true; // 141 pixels on each side: step 4478
    const Case cases[] = {
        {{}, 3, 1},
        {scaled(ScaleMode::Percent, 50), 2, 1},   // 5487
        {scaled(ScaleMode::Percent, 200), 5, 1},  // 21950
        {scaled(ScaleMode::Percent, 400), 10, 2}, // 43900 × 13475
        {scaled(ScaleMode::SheetsWide, 1), 1, 1},
        {scaled(ScaleMode::SheetsWide, 2), 2, 1},
        {scaled(ScaleMode::SheetsWide, 7), 7, 2},
        {scaled(ScaleMode::SheetsWide, 40), 40, 9},
        {glue, 3, 1},
        {marks, 3, 1},
    };
    for (const Case& c : cases) {
        QString error;
        const std::optional<SheetPlan> plan = planSheets(c.options, extent, 96, page, &error);
        ASSERT_TRUE(plan) << error.toStdString();
        EXPECT_EQ(plan->grid.cols, c.cols)
            << int(c.options.scaleMode) << " " << c.options.percent << " " << c.options.sheetsWide;
        EXPECT_EQ(plan->grid.rows, c.rows)
            << int(c.options.scaleMode) << " " << c.options.sheetsWide;
        if (c.options.scaleMode == ScaleMode::SheetsWide) {
            EXPECT_EQ(plan->scale.x(extent.x), c.options.sheetsWide * plan->grid.stepX - 1);
        }
    }
    QString error;
    PrintOptions tooWide;
    tooWide.glueMm = 50;
    EXPECT_FALSE(planSheets(tooWide, extent, 96, {600, 600, 2000, 2000}, &error));
    EXPECT_FALSE(error.isEmpty());

    // At 50 % the box at (0, 4) lands at half its place, on the first sheet;
    // the one at (9, 0) at 9731 / 2 = 4865 less the sheet's 4760.
    PagesJob job;
    EXPECT_EQ(print(job, scaled(ScaleMode::Percent, 50)).status, PrintStatus::Printed);
    ASSERT_EQ(job.pages.size(), 2u);
    ASSERT_EQ(job.pages[0].rectangles().size(), 1u);
    EXPECT_EQ(job.pages[0].rectangles()[0].left, 140); // 45·600·50 div (96·100)
    EXPECT_EQ(job.pages[0].rectangles()[0].top, 1412); // (4·96 + 68)·3.125
    EXPECT_EQ(job.pages[0].rectangles()[0].pen.width, 3);
    ASSERT_EQ(job.pages[1].rectangles().size(), 1u);
    EXPECT_EQ(job.pages[1].rectangles()[0].left, 1557 * 600 * 50 / 9600 - 4760);
}

TEST_F(PosterTest, EmptySheetsAreLeftOutAndTheRestKeepTheirNumbers) {
    // Sheets (row, col): (0,0) heading and the first box, (0,3) and (2,1);
    // a chart of 4 × 3 sheets with holes.
    doc.AreaWidth = doc.AreaHeight = 200;
    doc.addPerson(personAt(0, 0));
    doc.addPerson(personAt(90, 0));
    doc.addPerson(personAt(30, 151));
    PrintOptions o;
    o.skipEmpty = true;
    o.marks = true;
    PagesJob job;
    const PrintOutcome outcome = print(job, o);
    ASSERT_EQ(outcome.status, PrintStatus::Printed);
    EXPECT_EQ(outcome.sheets, 3);
    ASSERT_EQ(dialogs.texts.size(), 1u);
    ASSERT_EQ(job.pages.size(), 3u);

    QString error;
    const SheetPlan plan =
        *planSheets(o, countedExtent(168, 96, {90, 151}, {45, 68}), 96, job.facts(), &error);
    const std::int64_t total = plan.total();
    EXPECT_EQ(dialogs.texts[0], QStringLiteral("Es werden bis zu 3 Blätter benötigt – %1 leere "
                                               "Blätter werden ausgelassen")
                                    .arg(total - 3));
    // Every sheet's label names its place in the whole grid; the chart is
    // clipped to the chart area, and the marks and label lie outside it.
    const QRect area(141, 141, 4760 - 282, 6779 - 282);
    std::vector<std::string> labels;
    for (const RecordingCanvas& page : job.pages) {
        const std::vector<DrawnText> texts = page.texts();
        ASSERT_FALSE(texts.empty());
        const DrawnText& label = texts.back();
        labels.push_back(label.text);
        EXPECT_GE(label.y, area.bottom()) << label.text;
        for (const DrawnSegment& s : page.segments()) {
            if (s.pen.color != rgb(0, 0, 0)) continue;
            EXPECT_FALSE(area.contains(s.x1, s.y1) ||
                         area.contains(s.x2 - (s.x2 > s.x1), s.y2 - (s.y2 > s.y1)))
                << s.x1 << "," << s.y1 << " " << s.x2 << "," << s.y2;
        }
    }
    const std::int64_t col3 = plan.scale.x(168 * 90 + 45) / plan.grid.stepX;
    const std::int64_t row2 = plan.scale.y(96 * 151 + 68) / plan.grid.stepY;
    const std::int64_t col1 = plan.scale.x(168 * 30 + 45) / plan.grid.stepX;
    auto label = [](std::int64_t r, std::int64_t c, int n) {
        return toDocText(sheetLabel({r, c}, n, 3, QStringLiteral("Stammbaum")));
    };
    EXPECT_EQ(labels,
              (std::vector<std::string>{label(0, 0, 1), label(0, col3, 2), label(row2, col1, 3)}));
    EXPECT_EQ(job.clips, (std::vector<QRect>{area, QRect(), area, QRect(), area, QRect()}));
}

TEST_F(PosterTest, GlueMarginRepeatsTheEdgeStripOnTheNeighbour) {
    // The box at column 4 (4481 … 5475) crosses the first sheet's right edge.
    doc.addPerson(personAt(4, 0));
    const QString path = dir.filePath(QStringLiteral("glue.pdf"));
    PrintOptions o;
    o.glueMm = 10;
    {
        PdfPrintJob pdf(path, PrinterFacts{600, 600, 4760, 6779});
        ASSERT_EQ(print(pdf, o).status, PrintStatus::Printed);
    }
    const std::vector<QByteArray> pages = lw::test::pdfContentStreams(path);
    ASSERT_EQ(pages.size(), 2u);
    const std::vector<lw::test::PdfRect> first = lw::test::pdfStrokedRects(pages[0]);
    const std::vector<lw::test::PdfRect> second = lw::test::pdfStrokedRects(pages[1]);
    ASSERT_EQ(first.size(), 1u);
    ASSERT_GE(second.size(), 1u);
    // The same box, one step of 4760 − 236 pixels further left on the second
    // sheet: the sheets overlap by exactly the 236 pixels (10 mm) of glue.
    const double pointsPerPixel = 72.0 / 600.0;
    EXPECT_NEAR(first[0].left - second[0].left, (4760 - 236) * pointsPerPixel, 1e-6);
    EXPECT_NEAR(first[0].width, second[0].width, 1e-6);
    // The printable page is centred on the A4 sheet: 99 pixels from its edge.
    EXPECT_NEAR(first[0].left, (99 + 4481) * pointsPerPixel, 1e-6);
}

TEST_F(PosterTest, GlueEdgesAreMarkedWhereTheNeighbourIsGluedOn) {
    // Three sheets across; the middle one is empty.
    placeToColumnNineRowFour();
    const struct {
        int glueMm;
        bool skipEmpty;
        std::vector<std::set<std::int64_t>> lines; // per sheet: x of the dashed lines
    } cases[] = {
        {0, false, {{}, {}, {}}},
        {10, false, {{4760 - 236}, {236, 4760 - 236}, {236}}},
        {25, false, {{4760 - 590}, {590, 4760 - 590}, {590}}},
        // Left out, the middle sheet is glued to nothing.
        {10, true, {{}, {}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.glueMm);
        PrintOptions o;
        o.glueMm = c.glueMm;
        o.skipEmpty = c.skipEmpty;
        PagesJob job;
        ASSERT_EQ(print(job, o).status, PrintStatus::Printed);
        ASSERT_EQ(job.pages.size(), c.lines.size());
        for (std::size_t i = 0; i < job.pages.size(); ++i) {
            std::set<std::int64_t> xs;
            int dashes = 0;
            for (const DrawnSegment& seg : job.pages[i].segments()) {
                if (seg.pen.color != rgb(128, 128, 128)) continue;
                EXPECT_EQ(seg.x1, seg.x2); // no neighbour above or below
                xs.insert(seg.x1);
                ++dashes;
            }
            EXPECT_EQ(xs, c.lines[i]) << "sheet " << i;
            int labels = 0;
            for (const DrawnText& t : job.pages[i].texts())
                labels += t.text == "Klebekante " + std::to_string(c.glueMm) + " mm";
            EXPECT_EQ(labels, int(c.lines[i].size()));
            // Dashed: many short pieces down the sheet.
            if (!xs.empty()) {
                EXPECT_GT(dashes, 20 * int(xs.size()));
            }
        }
    }
}

TEST_F(PosterTest, MapSheetShowsTheGridNumbersAndTheBar) {
    placeToColumnNineRowFour();
    PrintOptions o;
    o.map = true;
    o.glueMm = 5;
    PagesJob job;
    CancelAt never(1000);
    ASSERT_EQ(print(job, o, &never).sheets, 4);
    ASSERT_EQ(job.pages.size(), 4u);
    EXPECT_EQ(never.told.front().count, 4);
    const RecordingCanvas& map = job.pages[0];
    int vertical = 0, horizontal = 0, bar = 0;
    for (const DrawnSegment& s : map.segments()) {
        if (s.pen.color == rgb(0, 0, 160)) (s.x1 == s.x2 ? vertical : horizontal) += 1;
        if (s.pen.color == rgb(0, 0, 0) && s.y1 == s.y2 && s.x2 - s.x1 == mmToPixels(100, 600))
            ++bar;
    }
    EXPECT_EQ(vertical, 2 * 3); // both edges of each of the 3 sheets
    EXPECT_EQ(horizontal, 2 * 1);
    EXPECT_EQ(bar, 1);
    std::set<std::string> numbers;
    for (const DrawnText& t : map.texts())
        numbers.insert(t.text);
    for (const char* n : {"1", "2", "3", "100 mm"})
        EXPECT_TRUE(numbers.count(n)) << n;
    // The chart itself is drawn reduced on the map.
    EXPECT_EQ(map.rectangles().size(), 2u);
}

TEST_F(PosterTest, AbbrechenAndCancelledProgressPrintNothing) {
    placeToColumnNineRowFour();
    dialogs.answer = IDCANCEL;
    PagesJob asked;
    EXPECT_EQ(print(asked, {}).status, PrintStatus::Cancelled);
    EXPECT_TRUE(asked.aborted);
    EXPECT_EQ(asked.pages.size(), 1u); // the begun page, nothing drawn on it
    EXPECT_TRUE(asked.pages[0].calls().empty());

    dialogs.answer = IDOK;
    const QString path = dir.filePath(QStringLiteral("cancelled.pdf"));
    CancelAt second(2);
    {
        PdfPrintJob pdf(path, PrinterFacts{600, 600, 4760, 6779});
        EXPECT_EQ(print(pdf, {}, &second).status, PrintStatus::Cancelled);
    }
    ASSERT_EQ(second.told.size(), 2u);
    EXPECT_EQ(second.told[1].number, 2);
    EXPECT_EQ(second.told[1].count, 3);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(PosterTest, MoreSheetsThanAllowedAreRefusedBeforeTheQuestion) {
    placeToColumnNineRowFour();
    PagesJob job;
    PrintContext context{doc, box, margins, 96, dialogs, nullptr};
    context.maxSheets = 2;
    EXPECT_EQ(printChart(job, context).status, PrintStatus::Failed);
    EXPECT_TRUE(job.aborted);
    ASSERT_EQ(dialogs.texts.size(), 1u);
    EXPECT_EQ(dialogs.texts[0], tooManySheetsMessage(3, 2));
}

TEST_F(PosterTest, PosterPageIsTheChartAtTheScaleAndTheSvgHasAFrameForEachBox) {
    doc.addPerson(personAt(9, 0));
    doc.addPerson(personAt(2, 3));
    TPerson child = personAt(4, 5);
    child.Vater = 0;
    child.Mutter = 1;
    doc.addPerson(child);
    doc.chart.Caption = "X";
    // Boxes reach 4·168 + 84 + 45 + 159 + 1 = 961 across, 5·96 + 68 + 87 + 1
    // = 636 down; 20 more each: 981 × 656 screen pixels.
    const Point64 extent = posterExtent(doc, box, chartMargins(doc, 96), 22);
    EXPECT_EQ(extent, (Point64{9 * 168 + 45 + 159 + 1 + 20, 5 * 96 + 68 + 87 + 1 + 20}));

    const QString pdf = dir.filePath(QStringLiteral("poster.pdf"));
    const PosterOutcome half = exportPoster(doc, box, margins, 96, PosterRequest{50, 100, 0}, pdf);
    ASSERT_TRUE(half.written) << half.error.toStdString();
    EXPECT_TRUE(half.notice.isEmpty());
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    // Points: pixels / 96 · 72 · 0.5, rounded up to whole points.
    const QRegularExpressionMatch media =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"))
            .match(QString::fromLatin1(bytes));
    ASSERT_TRUE(media.hasMatch());
    EXPECT_NEAR(media.captured(1).toDouble(), extent.x * 72.0 / 96 * 0.5, 1.0);
    EXPECT_NEAR(media.captured(2).toDouble(), extent.y * 72.0 / 96 * 0.5, 1.0);
    EXPECT_EQ(lw::test::pdfPageCount(pdf), 1);

    // Wider than a PDF page may be: reduced, with a notice.
    const PosterOutcome huge = exportPoster(doc, box, margins, 96, PosterRequest{1, 1, 9000}, pdf);
    ASSERT_TRUE(huge.written);
    EXPECT_FALSE(huge.notice.isEmpty());
    EXPECT_LE(huge.widthMm, kMaxPdfPageMm);
    EXPECT_GT(huge.widthMm, kMaxPdfPageMm - 2);

    const QString svg = dir.filePath(QStringLiteral("poster.svg"));
    ASSERT_TRUE(exportPoster(doc, box, margins, 96, PosterRequest{}, svg).written);
    QFile s(svg);
    ASSERT_TRUE(s.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&s);
    // Each element's style is a class of the style sheet; a box's frame is
    // the one rectangle with a stroke.
    std::map<QString, bool> stroked;
    std::vector<QString> rects;
    int texts = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QStringLiteral("style")) {
            const QString css = xml.readElementText();
            const QRegularExpression rule(QStringLiteral("\\.(s\\d+)\\{([^}]*)\\}"));
            for (auto it = rule.globalMatch(css); it.hasNext();) {
                const QRegularExpressionMatch m = it.next();
                stroked[m.captured(1)] = m.captured(2).contains(QStringLiteral("stroke:#"));
            }
        } else if (xml.name() == QStringLiteral("rect")) {
            rects.push_back(xml.attributes().value(QStringLiteral("class")).toString());
        } else if (xml.name() == QStringLiteral("text")) {
            ++texts;
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(texts, 1 + 3 * 1); // the heading and each box's one line
    EXPECT_EQ(
        std::count_if(rects.begin(), rects.end(), [&](const QString& c) { return stroked[c]; }), 3);
}

TEST(PrintOptionsFile, OptionsKeepTheirSectionAndForeignSectionsStay) {
    ProfileFile file = ProfileFile::parse("[Fremd]\r\nA=1\r\n[Druckoptionen]\r\nProzent=999\r\n");
    PrintOptions o;
    readPrintOptions(file, o);
    EXPECT_EQ(o, PrintOptions{}); // out of range: the default stays
    o.scaleMode = ScaleMode::SheetsWide;
    o.sheetsWide = 12;
    o.percent = 25;
    o.skipEmpty = o.marks = o.map = true;
    o.glueMm = 8;
    writePrintOptions(file, o);
    const ProfileFile again = ProfileFile::parse(file.text());
    PrintOptions read;
    readPrintOptions(again, read);
    EXPECT_EQ(read, o);
    EXPECT_EQ(again.value("Fremd", "A"), std::optional<std::string>("1"));
}

TEST(PdfPictures, DrawingsStayLosslessAndPhotographsMayBeJpeg) {
    QTemporaryDir dir;
    for (const bool palette : {true, false}) {
        QImage image(40, 30, QImage::Format_RGB32);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                image.setPixel(x, y, (x / 4 + y / 3) % 2 ? qRgb(255, 255, 255) : qRgb(200, 0, 0));
        if (palette) image = image.convertToFormat(QImage::Format_Indexed8);
        const QString picture = dir.filePath(QStringLiteral("b%1.png").arg(palette));
        ASSERT_TRUE(image.save(picture));
        Document doc;
        TPerson p = personAt(0, 0);
        p.Bild = toDocText(picture);
        doc.addPerson(p);
        BoxLayout box;
        ChartMargins margins;
        RecordingDialogs dialogs;
        const QString pdf = dir.filePath(QStringLiteral("b%1.pdf").arg(palette));
        {
            PdfPrintJob job(pdf, PrinterFacts::a4(600));
            ASSERT_EQ(printChart(job, PrintContext{doc, box, margins, 96, dialogs, nullptr}).status,
                      PrintStatus::Printed);
        }
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        EXPECT_TRUE(bytes.contains("/Subtype /Image"));
        EXPECT_EQ(bytes.contains("/DCTDecode"), !palette) << "palette " << palette;
    }
}

// Each picture file is one image object of the PDF, however many boxes
// show it and however many sheets a box crosses.
TEST(PdfPictures, EachPictureFileIsEmbeddedOnce) {
    QTemporaryDir dir;
    QStringList files;
    for (int i = 0; i < 2; ++i) {
        QImage image(60, 80, QImage::Format_RGB32);
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 60; ++x)
                image.setPixel(x, y, qRgb((x * 4 + i * 90) % 256, y * 3, 100));
        files << dir.filePath(QStringLiteral("p%1.png").arg(i));
        ASSERT_TRUE(image.save(files.back()));
    }
    // Twelve boxes over three sheets, some across a sheet's edge, two files.
    Document doc;
    for (int col = 0; col < 12; ++col) {
        TPerson p = personAt(col, col % 2);
        p.Bild = toDocText(files[col % 2]);
        doc.addPerson(p);
    }
    BoxLayout box;
    ChartMargins margins;
    RecordingDialogs dialogs;
    const QString pdf = dir.filePath(QStringLiteral("p.pdf"));
    PrintOutcome outcome;
    {
        PdfPrintJob job(pdf, PrinterFacts::a4(600));
        outcome = printChart(job, PrintContext{doc, box, margins, 96, dialogs, nullptr});
    }
    ASSERT_EQ(outcome.status, PrintStatus::Printed);
    EXPECT_EQ(outcome.sheets, 3);
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes.count("/Subtype /Image"), 2);
    // Some box's picture is drawn on two sheets.
    int drawn = 0;
    for (const QByteArray& page : lw::test::pdfContentStreams(pdf))
        drawn += int(page.count(" Do"));
    EXPECT_GT(drawn, 12);
}

TEST(SheetIndex, ListsEveryLineWhereItIsDrawn) {
    // Long lines in every direction, past their parent's column and back:
    // each sheet drawn from the index shows what the whole chart drawn on it
    // shows.
    Document doc;
    doc.AreaWidth = doc.AreaHeight = 400;
    const std::pair<int, int> cells[] = {{0, 0},    {60, 300}, {3, 250}, {45, 2},
                                         {20, 180}, {21, 181}, {59, 0},  {30, 299}};
    for (int i = 0; i < int(std::size(cells)); ++i) {
        TPerson p = personAt(cells[i].first, cells[i].second);
        if (i % 2 == 1) {
            p.Vater = i - 1;
            p.Mutter = (i + 1) % int(std::size(cells));
        }
        doc.addPerson(p);
    }
    BoxLayout box;
    for (const std::int64_t percent : {100, 37}) {
        SheetSetup setup;
        setup.doc = &doc;
        setup.box = &box;
        setup.margins = {45, 68};
        setup.scale = {96, 600, 600, percent, 100};
        setup.pageWidth = 4760;
        setup.pageHeight = 6779;
        const SheetGrid grid{4500, 6500, setup.scale.x(61 * 168) / 4500 + 1,
                             setup.scale.y(302 * 96) / 6500 + 1};
        SheetPrinter indexed(setup), whole(setup);
        indexed.indexSheets(grid);
        int drawn = 0;
        for (std::int64_t r = 0; r < grid.rows; ++r) {
            for (std::int64_t c = 0; c < grid.cols; ++c) {
                RecordingCanvas a(RecordingCanvas::printerCaps()),
                    b(RecordingCanvas::printerCaps());
                indexed.PrintIndexedSheet(a, {r, c});
                whole.PrintSheet(b, c * grid.stepX, r * grid.stepY);
                const std::vector<DrawnSegment> sa = a.segments(), sb = b.segments();
                ASSERT_EQ(sa.size(), sb.size()) << "sheet " << r << "," << c << " at " << percent;
                for (std::size_t i = 0; i < sa.size(); ++i)
                    EXPECT_TRUE(sa[i].x1 == sb[i].x1 && sa[i].y1 == sb[i].y1 &&
                                sa[i].x2 == sb[i].x2 && sa[i].y2 == sb[i].y2);
                EXPECT_EQ(a.rectangles().size(), b.rectangles().size());
                drawn += int(sa.size());
            }
        }
        EXPECT_GT(drawn, 100);
    }
}

TEST(SheetIndex, HoldsOneEntryPerItemHoweverManySheetsItsLinesCross) {
    // One couple and 400 children in the row below: 800 lines, most of them
    // across dozens of sheets.
    Document doc;
    doc.AreaWidth = 500;
    doc.AreaHeight = 10;
    doc.chart.Caption = "Familie";
    doc.addPerson(personAt(0, 0));
    doc.addPerson(personAt(1, 0));
    constexpr int kChildren = 400;
    for (int i = 0; i < kChildren; ++i) {
        TPerson child = personAt(i, 1);
        child.Vater = 0;
        child.Mutter = 1;
        doc.addPerson(child);
    }
    BoxLayout box;
    SheetSetup setup;
    setup.doc = &doc;
    setup.box = &box;
    setup.margins = {45, 68};
    setup.scale = {96, 600, 600, 1, 1};
    setup.pageWidth = 4760;
    setup.pageHeight = 6779;
    const SheetGrid grid{4500, 6500, setup.scale.x(kChildren * 168) / 4500 + 1, 3};
    SheetPrinter printer(setup);
    printer.indexSheets(grid);
    EXPECT_EQ(printer.indexEntries(), std::size_t(1 + (kChildren + 2) + 2 * kChildren));
    // Every sheet of the first row is reached, as one run; the rows below
    // are empty.
    EXPECT_EQ(printer.occupiedSheets(), (std::vector<SheetRun>{{0, 0, grid.cols - 1}}));
    EXPECT_EQ(printer.occupiedCount(), grid.cols);
    EXPECT_TRUE(printer.occupiedComplete());
    // Asked to find no more than a limit, it stops once past it.
    SheetPrinter limited(setup);
    limited.indexSheets(grid, 5);
    EXPECT_FALSE(limited.occupiedComplete());
    EXPECT_GT(limited.occupiedCount(), 5);
    limited.indexSheets(grid, grid.cols);
    EXPECT_TRUE(limited.occupiedComplete());
    EXPECT_EQ(limited.occupiedCount(), grid.cols);

    // Asked in any order, a sheet shows the same.
    auto segmentsOf = [&](SheetKey key) {
        RecordingCanvas canvas(RecordingCanvas::printerCaps());
        printer.PrintIndexedSheet(canvas, key);
        return canvas.segments().size();
    };
    std::vector<std::size_t> forward, backward;
    for (std::int64_t c = 0; c < grid.cols; ++c)
        forward.push_back(segmentsOf({0, c}));
    for (std::int64_t c = grid.cols - 1; c >= 0; --c)
        backward.insert(backward.begin(), segmentsOf({0, c}));
    EXPECT_EQ(forward, backward);
    EXPECT_GT(forward.back(), 0u);
    EXPECT_EQ(segmentsOf({1, 0}), 0u);
    EXPECT_EQ(segmentsOf({0, 3}), forward[3]);
}

// The poster's SVG: a picture drawn twice is embedded once; a box's text
// that would leave its rectangle is clipped to it and a long line is cut;
// backgrounds that cannot be seen are left out; markup in names is escaped.
TEST(SvgCanvas, PictureOnceTextClippedCutAndEscaped) {
    SvgCanvas canvas(2000, 1000, 96, QStringLiteral("T"));
    QImage photo(40, 30, QImage::Format_RGB32);
    photo.fill(qRgb(10, 200, 30));
    TDibRecord dib;
    ASSERT_TRUE(imageToDib(photo, dib));
    canvas.setBrush(rgb(255, 255, 225));
    canvas.setPen(clBlack);
    canvas.rectangle(100, 100, 300, 200);
    canvas.setTextBackground(rgb(255, 255, 225));
    canvas.drawText("A<&>\r" + std::string(5000, 'W'), QRect(110, 110, 180, 80), TextAlign::Left);
    canvas.setTextBackground(clWhite); // another colour: its background shows
    canvas.drawText("kurz", QRect(110, 150, 180, 40), TextAlign::Center);
    for (int x : {400, 600})
        EXPECT_EQ(canvas.stretchDIBits(x, 100, 80, 60, 0, 0, 40, 30, dib), 30);
    deldib(dib);

    const QByteArray svg = canvas.svg();
    QXmlStreamReader xml(svg);
    std::map<QString, int> count;
    std::vector<QString> texts, clipped;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        ++count[xml.name().toString()];
        if (xml.name() == QStringLiteral("text")) {
            if (xml.attributes().hasAttribute(QStringLiteral("clip-path")))
                clipped.push_back(xml.attributes().value(QStringLiteral("clip-path")).toString());
            texts.push_back(xml.readElementText());
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(count["image"], 1);
    EXPECT_EQ(count["use"], 1);
    EXPECT_EQ(count["rect"], 1 + 1 + 1); // the box, the white background, the clip
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], QStringLiteral("A<&>"));
    EXPECT_LT(texts[1].size(), 100); // the part of 5,000 W that reaches the box
    EXPECT_EQ(clipped, std::vector<QString>{QStringLiteral("url(#c0)")});
    EXPECT_EQ(count["clipPath"], 1);
}

// The reduction of a very large poster keeps its digits: never "0,0 %".
TEST(Poster, ReducedPercentagesShowTwoSignificantDigits) {
    const std::pair<double, const char*> cases[] = {
        {100.0, "100,0"}, {37.46, "37,5"},   {1.0, "1,0"},
        {0.5, "0,50"},    {0.0437, "0,044"}, {0.000123, "0,00012"},
    };
    for (const auto& [percent, text] : cases)
        EXPECT_EQ(percentText(percent), QString::fromUtf8(text)) << percent;
}

// The sheet count the print page shows counts the map sheet too.
TEST(SheetOverviewText, CountsTheMapSheet) {
    const struct {
        std::int64_t printed;
        bool map;
        const char* text;
    } cases[] = {
        {4, false, "Blätter: 4 × 1 = 4"},
        {4, true, "Blätter: 4 × 1 = 4 + Übersicht = 5"},
        {3, false, "Blätter: 4 × 1 = 4, davon 3 gedruckt, 1 leer ausgelassen"},
        {3, true, "Blätter: 4 × 1 = 4, davon 3 gedruckt + Übersicht = 4, 1 leer ausgelassen"},
    };
    for (const auto& c : cases) {
        SheetOverview o;
        o.plan.grid = SheetGrid{100, 100, 4, 1};
        o.printed = c.printed;
        o.map = c.map;
        EXPECT_EQ(sheetOverviewText(o), QString::fromUtf8(c.text));
    }
}

// Every font names a generic family to fall back on, and its weight, also the
// weight its name carries.
TEST(SvgCanvas, FontsFallBackToAGenericFamilyOfTheirWeight) {
    const struct {
        const char* family;
        int style; // 1: bold
        const char* expected;
    } cases[] = {
        {"Arial Black", 0, "font-family:'Arial Black',sans-serif;font-size:20px;font-weight:900"},
        {"Times New Roman", 1,
         "font-family:'Times New Roman',serif;font-size:20px;font-weight:700"},
        {"Courier New", 0, "font-family:'Courier New',monospace;font-size:20px"},
        {"Arial", 0, "font-family:'Arial',sans-serif;font-size:20px"},
    };
    for (const auto& c : cases) {
        SvgCanvas canvas(200, 100, 96, QStringLiteral("T"));
        TFontInfo font = defaultBoxFont();
        font.Name = c.family;
        font.Style = c.style;
        font.Height = -20;
        canvas.setFont(font);
        canvas.textOut(10, 10, "Anna");
        const QByteArray svg = canvas.svg();
        EXPECT_TRUE(svg.contains(c.expected)) << c.family << "\n" << svg.toStdString();
        if (!QByteArray(c.expected).contains("font-weight")) {
            EXPECT_FALSE(svg.contains("font-weight")) << c.family;
        }
    }
}

// Memory that runs out while the poster is drawn is a message; no file.
TEST(Poster, RunningOutOfMemoryWritesNothing) {
    class Starved : public ProgressSink {
      public:
        void postProgress(int) override { throw std::bad_alloc(); }
    };
    QTemporaryDir dir;
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    const QString picture = dir.filePath(QStringLiteral("p.png"));
    ASSERT_TRUE(image.save(picture));
    Document doc;
    TPerson p = personAt(0, 0);
    p.Bild = toDocText(picture);
    doc.addPerson(p);
    BoxLayout box;
    ChartMargins margins;
    for (const char* name : {"p.pdf", "p.svg"}) {
        Starved starved;
        const QString file = dir.filePath(QString::fromLatin1(name));
        const PosterOutcome out =
            exportPoster(doc, box, margins, 96, PosterRequest{}, file, nullptr, &starved);
        EXPECT_FALSE(out.written) << name;
        EXPECT_EQ(out.error, kMsgPosterNoMemory) << name;
        EXPECT_FALSE(QFile::exists(file)) << name;
    }
}
