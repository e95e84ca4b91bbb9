// The print without any poster option draws exactly what it always drew:
// every rectangle, line, text and picture of every sheet of a chart that
// crosses sheet edges, summed up in one fingerprint taken before the poster
// options existed.
#include "document/Document.h"
#include "document/Layout.h"
#include "platform/Dialogs.h"
#include "platform/DocText.h"
#include "platform/RecordingCanvas.h"
#include "print/PrintCommand.h"
#include "print/PrintJob.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>

using namespace lw;

namespace {

class RecordingJob : public PrintJob {
  public:
    bool beginDocument(const QString&) override {
        pages.emplace_back(RecordingCanvas::printerCaps(600));
        return true;
    }
    PrinterFacts facts() const override { return {600, 600, 4760, 6779}; }
    Canvas& canvas() override { return pages.back(); }
    void clipTo(const QRect&) override { ADD_FAILURE() << "the default print clips nothing"; }
    bool newPage() override {
        pages.emplace_back(RecordingCanvas::printerCaps(600));
        return true;
    }
    bool endDocument() override { return true; }
    void abort() override {}
    std::vector<RecordingCanvas> pages;
};

// What a page shows, as text: each drawn thing with the state it was drawn
// with.
std::string drawingOf(const RecordingCanvas& page) {
    std::ostringstream out;
    for (const DrawnRectangle& r : page.rectangles())
        out << "R" << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ','
            << r.pen.color << ',' << r.pen.width << ',' << r.brush << ';';
    for (const DrawnSegment& s : page.segments())
        out << "L" << s.x1 << ',' << s.y1 << ',' << s.x2 << ',' << s.y2 << ',' << s.pen.color << ','
            << s.pen.width << ';';
    for (const DrawnText& t : page.texts())
        out << "T" << t.formatted << ',' << t.x << ',' << t.y << ',' << t.rect.width() << ','
            << t.rect.height() << ',' << int(t.align) << ',' << t.text << ',' << t.font.Name << ','
            << t.font.Height << ',' << t.font.Color << ',' << t.background << ';';
    for (const StretchDIBitsCall& p : page.callsOf<StretchDIBitsCall>())
        out << "P" << p.x << ',' << p.y << ',' << p.w << ',' << p.h << ',' << p.srcW << ','
            << p.srcH << ',' << p.dib.bitCount << ';';
    return out.str();
}

std::uint64_t fnv1a(const std::string& text) {
    std::uint64_t h = 1469598103934665603ULL;
    for (const unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    return h;
}

} // namespace

TEST(DefaultPrint, DrawsTheSameAsBeforeThePosterOptions) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage photo(60, 40, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    const QString picture = dir.filePath(QStringLiteral("bild.png"));
    ASSERT_TRUE(photo.save(picture));

    Document doc;
    doc.chart.Caption = "Stammbaum der Familie Lind";
    const std::pair<int, int> cells[] = {{0, 0}, {4, 0},  {9, 0},  {2, 3},  {6, 5},
                                         {9, 9}, {1, 12}, {13, 2}, {7, 14}, {3, 8}};
    for (int i = 0; i < int(std::size(cells)); ++i) {
        TPerson p;
        p.NachName = "Lind " + std::to_string(i);
        p.VorName = "Anna";
        p.GebDate = "1.2.1900";
        p.GridX = cells[i].first;
        p.GridY = cells[i].second;
        if (i >= 3) {
            p.Vater = i - 3;
            p.Mutter = i - 2;
        }
        if (i == 4) p.Bild = toDocText(picture);
        doc.addPerson(p);
    }
    BoxLayout box;
    ChartMargins margins;
    AnsweringDialogs dialogs;
    RecordingJob job;
    const PrintOutcome outcome =
        printChart(job, PrintContext{doc, box, margins, 96, dialogs, nullptr});
    ASSERT_EQ(outcome.status, PrintStatus::Printed);
    ASSERT_EQ(job.pages.size(), 8u);
    std::string all;
    for (const RecordingCanvas& page : job.pages)
        all += drawingOf(page) + "|";
    EXPECT_EQ(fnv1a(all), 240069593214045014u) << all;
}
