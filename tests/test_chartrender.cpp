// The chart as a PNG picture, painted and encoded band by band.
#include "chart/ChartPainter.h"
#include "chart/ChartRender.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "document/StaFile.h"
#include "platform/QPainterCanvas.h"
#include "tests/CliProcess.h"
#include "tests/FileSizeLimit.h"
#include "tests/TestPersons.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lw;

namespace {

// A chart with a heading, boxes on both kinds of rows and lines to both
// parents that cross many band edges.
Document familyChart() {
    Document doc;
    doc.AreaWidth = 5;
    doc.AreaHeight = 4;
    doc.chart.Caption = "Familie Lind";
    doc.addPerson(test::personAt(0, 0, "Vater"));
    doc.addPerson(test::personAt(4, 0, "Mutter"));
    for (int i = 0; i < 4; ++i) {
        TPerson child = test::personAt(i, 1 + i % 3, "Kind");
        child.Vater = 0;
        child.Mutter = 1;
        child.Leben = {"Eine Zeile", "noch eine"};
        doc.addPerson(child);
    }
    return doc;
}

// The picture painted whole into one image, as the view paints it.
QImage paintedWhole(Document& doc, const BoxLayout& box, Point64 size) {
    QImage image(int(size.x), int(size.y), QImage::Format_RGB32);
    QPainter painter(&image);
    QPainterCanvas canvas(painter, DeviceCaps{96, 96, false, true});
    ChartMargins margins = chartMargins(doc, 96);
    ChartPaintInput input{&doc, &box, 96, PrinterFacts::a4(600), nullptr, nullptr};
    PaintBox1Paint(canvas, input, margins, Rect64{0, 0, size.x, size.y});
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(ChartRender, BandsGiveTheSamePixelsAsOnePainting) {
    Document doc = familyChart();
    const BoxLayout box;
    ChartMargins margins = chartMargins(doc, 96);
    const Point64 size = chartExtent(doc, box, margins);
    const QImage whole = paintedWhole(doc, box, size);
    ChartPaintInput input{&doc, &box, 96, PrinterFacts::a4(600), nullptr, nullptr};
    // One band, bands that split boxes, text and lines, and single rows.
    for (int rows : {int(size.y), 97, 7, 1}) {
        QString error;
        const std::optional<QByteArray> png = renderChartPng(input, margins, size, rows, &error);
        ASSERT_TRUE(png) << error.toStdString();
        const QImage decoded = QImage::fromData(*png, "PNG").convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(decoded.size(), whole.size()) << rows;
        EXPECT_TRUE(decoded == whole) << "bands of " << rows << " rows";
    }
    EXPECT_GE(renderBandRows(100'000), 1);
    EXPECT_LE(std::int64_t(renderBandRows(20'000)) * 20'000 * 4, kRenderBandBytes);
}

TEST(ChartRender, RenderOntoAFullDiskFailsAndLeavesNoFile) {
    QTemporaryDir dir;
    Document doc = familyChart();
    doc.chart.Caption.clear(); // the command maps the heading's face; this test does not
    const QString in = dir.filePath(QStringLiteral("a.sta"));
    const QString out = dir.filePath(QStringLiteral("a.png"));
    ASSERT_TRUE(saveSta(in, doc, BoxLayout{}, nullptr));
    test::CliResult r;
    {
        test::FileSizeLimit limit(2000); // the picture takes several kilobytes
        ASSERT_TRUE(limit.active());
        r = test::runCli({QStringLiteral("render"), in, out});
    }
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("nicht vollständig geschrieben")))
        << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no temporary file left";

    r = test::runCli({QStringLiteral("render"), in, out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(
        QImage(out).convertToFormat(QImage::Format_RGB32) ==
        paintedWhole(doc, BoxLayout{}, chartExtent(doc, BoxLayout{}, chartMargins(doc, 96))));
}
