// Chart painting: a 1600 × 1000 viewport of a chart of 10,000 persons with
// their parents, without and with pictures, a viewport at the far corner of
// a million by a million cells, and the scan of every cell of a 1000 × 1000
// area against visiting only the occupied cells.
#include "bench/Bench.h"
#include "chart/ChartPainter.h"
#include "chart/ZoomedCanvas.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "platform/QPainterCanvas.h"
#include "platform/Win1252.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

namespace lw::bench {

namespace {

constexpr int kViewW = 1600;
constexpr int kViewH = 1000;
constexpr int kColumns = 100; // persons per generation row

// 10,000 persons in rows of 100, each with a father and a mother in the row
// above.
Document familyChart(std::int32_t areaW, std::int32_t areaH, std::int32_t offsetX = 0,
                     std::int32_t offsetY = 0) {
    Document doc = generationsChart(10000, kColumns, offsetX, offsetY);
    doc.AreaWidth = areaW;
    doc.AreaHeight = areaH;
    return doc;
}

double paintMs(Document& doc, const BoxLayout& box, ChartMode mode, Point64 origin, int runs,
               int height = kViewH) {
    QImage image(kViewW, height, QImage::Format_RGB32);
    const ChartPaintInput in{&doc, &box, 96, PrinterFacts::a4(600), nullptr, nullptr};
    ChartMargins margins = chartMargins(doc, 96);
    return bestMs(runs, [&] {
        QPainter painter(&image);
        QPainterCanvas canvas(painter, DeviceCaps{});
        ChartPainter(in, mode).paint(
            canvas, margins, {origin.x, origin.y, origin.x + kViewW, origin.y + height}, origin);
    });
}

// One frame of the whole chart zoomed out so that it fits the viewport, as
// the arrange view paints it.
double zoomedOutMs(Document& doc, const BoxLayout& box, ChartZoom zoom, int runs) {
    QImage image(kViewW, kViewH, QImage::Format_RGB32);
    const ChartPaintInput in{&doc, &box, 96, PrinterFacts::a4(600), nullptr, nullptr};
    ChartMargins margins = chartMargins(doc, 96);
    const Rect64 view{0, 0, kViewW, kViewH};
    return bestMs(runs, [&] {
        QPainter painter(&image);
        QPainterCanvas canvas(painter, DeviceCaps{});
        ZoomedCanvas zoomed(canvas, zoom, {0, 0}, {0, 0});
        ChartPainter(in, ChartMode::Arrange).paint(zoomed, margins, zoom.chartRect(view), {0, 0});
    });
}

} // namespace

void benchChartView() {
    BoxLayout box;
    Document doc = familyChart(kColumns, 100);
    std::printf("chart-view: viewport %d x %d of 10,000 persons with parents\n", kViewW, kViewH);
    std::printf("  arrange view at 100 %%: %8.2f ms a paint (goal <= 5)\n",
                paintMs(doc, box, ChartMode::Arrange, {4000, 3000}, 50));
    std::printf("  one wheel notch of scrolling (a strip of %d x 20): %8.2f ms\n", kViewW,
                paintMs(doc, box, ChartMode::Arrange, {4000, 3030}, 50, 20));
    std::printf("  whole chart at   5 %%: %8.2f ms a frame (goal <= 30)\n",
                zoomedOutMs(doc, box, ChartZoom(5), 20));
}

void benchChart() {
    BoxLayout box;
    std::printf("chart: viewport %d x %d, 10,000 persons with parents\n", kViewW, kViewH);
    {
        Document doc = familyChart(kColumns, 100);
        const Point64 origin{4000, 3000};
        std::printf("  arrange view, no pictures:   %8.2f ms a paint (goal <= 10)\n",
                    paintMs(doc, box, ChartMode::Arrange, origin, 20));
        std::printf("  print preview, no pictures:  %8.2f ms a paint\n",
                    paintMs(doc, box, ChartMode::Preview, origin, 20));
        const ChartZoom fit =
            ChartZoom::fitting(chartExtent(doc, box, chartMargins(doc, 96)), {kViewW, kViewH});
        for (const ChartZoom zoom : {ChartZoom(5), fit, ChartZoom(25), ChartZoom(50)})
            std::printf("  whole chart at %3d %%, frame: %8.2f ms (goal <= 30)\n", zoom.percent(),
                        zoomedOutMs(doc, box, zoom, 10));

        QTemporaryDir dir;
        QImage photo(640, 480, QImage::Format_RGB32);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                photo.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
        const ChartGrid grid(box.BreitEd, box.HochEd, chartMargins(doc, 96));
        int pictures = 0;
        for (int i = 0; i < doc.PersonCount() && pictures < 100; ++i) {
            const TPerson& p = doc.person(i);
            const Rect64 cell{grid.Left(p.GridX, p.GridY), grid.Top(p.GridY),
                              grid.Right(p.GridX, p.GridY), grid.Bottom(p.GridY)};
            if (!cell.intersects({origin.x, origin.y, origin.x + kViewW, origin.y + kViewH}))
                continue;
            const QString path = dir.filePath(QStringLiteral("p%1.png").arg(pictures++));
            photo.save(path);
            TPerson withPicture = p;
            withPicture.Bild = toAnsi(path).value_or(std::string());
            doc.replacePerson(i, std::move(withPicture));
        }
        const double first = paintMs(doc, box, ChartMode::Arrange, origin, 1);
        std::printf("  %d pictures 640 x 480, first paint (opens them): %8.2f ms\n", pictures,
                    first);
        std::printf("  %d pictures 640 x 480, once opened: %8.2f ms a paint (goal <= 30)\n",
                    pictures, paintMs(doc, box, ChartMode::Arrange, origin, 10));
    }
    {
        Document doc = familyChart(1000000, 1000000, 1000000 - kColumns, 1000000 - 100);
        ChartMargins margins = chartMargins(doc, 96);
        const Point64 size = chartExtent(doc, box, margins);
        const Point64 origin{size.x - kViewW, size.y - kViewH};
        std::printf("  1,000,000 x 1,000,000 area, far corner: %8.2f ms a paint\n",
                    paintMs(doc, box, ChartMode::Arrange, origin, 20));
    }
    {
        Document doc = familyChart(1000, 1000);
        long occupied = 0;
        const double scan = bestMs(3, [&] {
            occupied = 0;
            for (std::int32_t r = 0; r < doc.AreaHeight; ++r)
                for (std::int32_t c = 0; c < doc.AreaWidth; ++c)
                    if (doc.GridBesetzt(c, r)) occupied += doc.GridNr(c, r) >= 0 ? 1 : 0;
        });
        const ChartPaintInput in{&doc, &box, 96, PrinterFacts::a4(600), nullptr, nullptr};
        const ChartPainter painter(in, ChartMode::Arrange);
        const ChartGrid grid(box.BreitEd, box.HochEd, chartMargins(doc, 96));
        size_t visited = 0;
        const double whole = bestMs(10, [&] {
            visited = painter.boxesIn(grid, {0, 0, 1LL << 40, 1LL << 40}).size();
        });
        const double view = bestMs(10, [&] {
            (void)painter.boxesIn(grid, {4000, 3000, 4000 + kViewW, 3000 + kViewH});
        });
        std::printf("  1000 x 1000 cells, GridBesetzt per cell: %8.2f ms (%ld occupied)\n", scan,
                    occupied);
        std::printf("  occupied cells only, whole chart:        %8.2f ms (%zu boxes)\n", whole,
                    visited);
        std::printf("  occupied cells only, one viewport:       %8.2f ms\n", view);
    }
}

} // namespace lw::bench
