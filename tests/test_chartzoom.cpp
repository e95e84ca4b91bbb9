// The zoom arithmetic, the zoomed canvas, finding persons and long text
// lines on the QPainter canvas.
#include "chart/ChartPainter.h"
#include "chart/ChartZoom.h"
#include "chart/ZoomedCanvas.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "document/PersonSearch.h"
#include "picture/Dib.h"
#include "platform/QPainterCanvas.h"
#include "platform/RecordingCanvas.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace lw;

TEST(ChartZoom, MapsBothWaysStepsAndFits) {
    for (int percent : {5, 33, 50, 67, 100, 150, 200, 400}) {
        const ChartZoom z(percent);
        for (std::int64_t v = -500; v <= 500; ++v) {
            // A view pixel stands for a chart pixel that shows on it.
            const std::int64_t x = z.toChart(v);
            ASSERT_LE(z.toView(x), v) << percent << " at " << v;
            ASSERT_GT(z.toView(x + 1), v) << percent << " at " << v;
            ASSERT_LE(z.toView(v), z.toView(v + 1)) << percent;
        }
        const std::int64_t far = std::int64_t(1) << 40; // beyond 32 bits
        EXPECT_LE(z.toView(z.toChart(far)), far) << percent;
        EXPECT_GT(z.toView(z.toChart(far) + 1), far) << percent;
        EXPECT_GE(z.viewExtent(1001) * 100, std::int64_t(1001) * percent) << percent;
        // The chart pixels of view pixels 0 … 9, no more and no fewer.
        const Rect64 shown = z.chartRect({0, 0, 10, 10});
        EXPECT_LE(shown.left, z.toChart(0)) << percent;
        EXPECT_GT(shown.right, z.toChart(9)) << percent;
        EXPECT_LE(z.toView(shown.left), 0) << percent;
        EXPECT_LT(z.toView(shown.left - 1), 0) << percent;
        EXPECT_GE(z.toView(shown.right), 10) << percent;
        EXPECT_LT(z.toView(shown.right - 1), 10) << percent;
    }
    EXPECT_TRUE(ChartZoom().identity());
    EXPECT_EQ(ChartZoom(1).percent(), ChartZoom::kMin);
    EXPECT_EQ(ChartZoom(9999).percent(), ChartZoom::kMax);

    std::vector<int> up{ChartZoom::kMin};
    while (up.back() != ChartZoom::kMax)
        up.push_back(ChartZoom(up.back()).stepIn().percent());
    EXPECT_EQ(up,
              (std::vector<int>{5, 10, 15, 20, 25, 33, 50, 67, 75, 100, 125, 150, 200, 300, 400}));
    EXPECT_EQ(ChartZoom(5).stepOut().percent(), 5);
    EXPECT_EQ(ChartZoom(400).stepIn().percent(), 400);
    EXPECT_EQ(ChartZoom(14).stepIn().percent(), 15); // from a fitted zoom
    EXPECT_EQ(ChartZoom(14).stepOut().percent(), 10);

    EXPECT_EQ(ChartZoom::fitting({16800, 9600}, {1600, 1000}).percent(), 9);
    EXPECT_EQ(ChartZoom::fitting({800, 600}, {1600, 1000}).percent(), 100); // never enlarged
    EXPECT_EQ(ChartZoom::fitting({1LL << 40, 10}, {1600, 1000}).percent(), ChartZoom::kMin);
}

TEST(ZoomedCanvas, ScalesCoordinatesKeepsThinPensAndDropsSmallTexts) {
    RecordingCanvas inner;
    // Canvas pixel 0 shows chart pixel 1000, which lands on view pixel 500 − 480.
    ZoomedCanvas zoomed(inner, ChartZoom(50), {1000, 2000}, {480, 990});
    zoomed.setPen(rgb(1, 2, 3), PenStyle::Dot, 1);
    zoomed.rectangle(0, 0, 101, 41);
    zoomed.moveTo(-3, 4);
    zoomed.lineTo(10, 4);
    TFontInfo font;
    font.Height = -12;
    zoomed.setFont(font); // 6 pixels: still drawn
    zoomed.drawText("a", QRect(2, 2, 20, 10), TextAlign::Center);
    font.Height = -8;
    zoomed.setFont(font); // 4 pixels: left out
    zoomed.drawText("b", QRect(2, 2, 20, 10), TextAlign::Center);
    zoomed.textOut(0, 0, "c");
    font.Height = 20;
    zoomed.setFont(font); // a cell height stays one
    zoomed.textOut(4, 6, "d");

    const auto rects = inner.rectangles();
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ((std::vector<int>{rects[0].left, rects[0].top, rects[0].right, rects[0].bottom}),
              (std::vector<int>{20, 10, 70, 30}));
    EXPECT_EQ(rects[0].pen.width, 1);
    const auto segments = inner.segments();
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_EQ((std::vector<int>{segments[0].x1, segments[0].y1, segments[0].x2, segments[0].y2}),
              (std::vector<int>{18, 12, 25, 12}));
    const auto texts = inner.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "a");
    EXPECT_EQ(texts[0].rect, QRect(21, 11, 10, 5));
    EXPECT_EQ(texts[0].font.Height, -6);
    EXPECT_EQ(texts[1].text, "d");
    EXPECT_EQ(texts[1].font.Height, 10);
    EXPECT_EQ(ZoomedCanvas::scaledFontHeight(0, ChartZoom(400)), -44); // 0 means 11 pixels

    // Pictures go to their zoomed place in one stretched output; rows the
    // zoom shrinks to nothing are skipped.
    TDibRecord dib;
    ASSERT_TRUE(newdib(dib, 8, 6, 24, nullptr, 0));
    RecordingCanvas pictures;
    ZoomedCanvas twice(pictures, ChartZoom(200), {0, 0}, {0, 0});
    EXPECT_EQ(twice.setDIBitsToDevice(3, 4, 5, 2, 1, 3, dib), 2);
    const auto stretched = pictures.callsOf<StretchDIBitsCall>();
    ASSERT_EQ(stretched.size(), 1u);
    EXPECT_EQ((std::vector<int>{stretched[0].x, stretched[0].y, stretched[0].w, stretched[0].h,
                                stretched[0].srcX, stretched[0].srcY, stretched[0].srcW,
                                stretched[0].srcH}),
              (std::vector<int>{6, 8, 10, 4, 0, 2, 5, 2}));
    ZoomedCanvas tiny(pictures, ChartZoom(5), {0, 0}, {0, 0});
    EXPECT_EQ(tiny.stretchDIBits(0, 0, 8, 6, 0, 0, 8, 6, dib), 6);
    EXPECT_EQ(pictures.countOf<StretchDIBitsCall>(), 1);
    deldib(dib);
}

TEST(PersonSearch, MatchesWordsAcrossFieldsAndWrapsBothWays) {
    Document doc;
    auto add = [&](const char* surname, const char* first, const char* born) {
        TPerson p;
        p.NachName = surname;
        p.VorName = first;
        p.GebDate = born;
        return doc.addPerson(p);
    };
    add("M\u00FCller", "Anna", "1.2.1900"); // 0
    add("Stra\u00DF"
        "er",
        "Bernd", "");                     // 1
    add("Lind", "\u00C9lise", "um 1850"); // 2
    add("MUELLER", "anna", "");           // 3
    add("Muller", "Carl", "12.3.1901");   // 4
    const struct {
        const char* query;
        int current;
        SearchFrom from;
        int expected;
    } cases[] = {
        {"muller", -1, SearchFrom::Here, 0},     {"muller", 0, SearchFrom::Here, 0},
        {"muller", 0, SearchFrom::After, 4},     {"muller", 4, SearchFrom::After, 0},
        {"muller", 0, SearchFrom::Before, 4},    {"muller", -1, SearchFrom::Before, 4},
        {"MÜLLER", 1, SearchFrom::Here, 4},      {"strasser", -1, SearchFrom::Here, 1},
        {"elise", -1, SearchFrom::Here, 2},      {"1850", -1, SearchFrom::Here, 2},
        {"anna m", 1, SearchFrom::After, 3},     {"  anna   1900 ", -1, SearchFrom::Here, 0},
        {"anna carl", -1, SearchFrom::Here, -1}, {"", -1, SearchFrom::Here, -1},
        {"   ", 2, SearchFrom::After, -1},       {"lind", 2, SearchFrom::After, 2}, // the only one
    };
    for (const auto& c : cases)
        EXPECT_EQ(findPerson(doc, PersonQuery(QString::fromUtf8(c.query)), c.current, c.from),
                  c.expected)
            << c.query << " from " << c.current;
    // Only eligible persons count.
    EXPECT_EQ(findPerson(doc, PersonQuery(QStringLiteral("muller")), -1, SearchFrom::Here,
                         [](int i) { return i != 0; }),
              4);
    EXPECT_EQ(findPerson(Document(), PersonQuery(QStringLiteral("a")), -1, SearchFrom::Here), -1);
}

TEST(QPainterCanvas, LongLinesDrawOnlyWhatCanShowAndAsTheShortOnes) {
    TFontInfo font;
    font.Height = -12;
    font.Color = rgb(0, 0, 0);
    const std::string head = "Stammbaum der Familie Lind ";
    const std::string longTail(4'000'000, 'x');
    auto draw = [&](auto&& paint) {
        QImage image(200, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterCanvas canvas(painter, DeviceCaps{});
        canvas.setFont(font);
        canvas.setTextBackground(rgb(255, 255, 0));
        paint(canvas);
        painter.end();
        return image;
    };
    // Left: the visible start is the same as that of a short line, also when
    // the line starts far to the left of the image.
    const std::string shortLine = head + std::string(60, 'x');
    ASSERT_LE(shortLine.size(), QPainterCanvas::kLongLine);
    EXPECT_EQ(draw([&](Canvas& c) { c.textOut(5, 3, head + longTail); }),
              draw([&](Canvas& c) { c.textOut(5, 3, shortLine); }));
    EXPECT_EQ(draw([&](Canvas& c) {
                  c.drawText(std::string(3000, 'x') + head + longTail + "\rZwei",
                             QRect(-4000, 0, 4400, 60), TextAlign::Left);
              }).pixel(150, 5) != qRgb(255, 255, 255),
              true);
    // Centred and right: placed by the width of the whole line, so a long
    // line covers the rectangle on its background.
    for (TextAlign align : {TextAlign::Center, TextAlign::Right}) {
        const QImage image = draw(
            [&](Canvas& c) { c.drawText(longTail + "\rZwei", QRect(10, 10, 180, 40), align); });
        EXPECT_NE(image.pixel(12, 12), qRgb(255, 255, 255)) << int(align);
        EXPECT_NE(image.pixel(187, 12), qRgb(255, 255, 255)) << int(align);
        EXPECT_EQ(image.pixel(5, 12), qRgb(255, 255, 255)) << int(align); // clipped
    }
}

TEST(QPainterCanvas, BoxTextsInThinStripsPaintAsInTheWholeChart) {
    // A scrolled view paints strips a few pixels high; only the text lines
    // that reach a strip are laid out, with the same pixels.
    Document doc;
    doc.AreaWidth = 3;
    doc.AreaHeight = 2;
    for (int i = 0; i < 6; ++i) {
        TPerson p;
        p.NachName = "Lind";
        p.VorName = "Anna Maria Jgpqy";
        p.GebDate = "1.2.1900";
        p.Leben = {"gjpqy Zeile eins", "gjpqy zwei", "gjpqy drei", "gjpqy vier"};
        p.GridX = i % 3;
        p.GridY = i / 3;
        doc.addPerson(p);
    }
    for (int align : {0, 1, 2}) {
        BoxLayout box;
        box.Textausricht = align;
        const ChartPaintInput in{&doc, &box, 96, PrinterFacts::a4(600), nullptr, nullptr};
        ChartMargins margins = chartMargins(doc, 96);
        const Point64 size = chartExtent(doc, box, margins);
        auto render = [&](const Rect64& part) {
            QImage image(int(size.x), int(size.y), QImage::Format_RGB32);
            image.fill(Qt::gray);
            QPainter painter(&image);
            painter.setClipRect(QRect(int(part.left), int(part.top), int(part.right - part.left),
                                      int(part.bottom - part.top)));
            QPainterCanvas canvas(painter, DeviceCaps{});
            ChartMargins m = margins;
            ChartPainter(in, ChartMode::Arrange).paint(canvas, m, part, {0, 0});
            painter.end();
            return image;
        };
        const QImage whole = render({0, 0, size.x, size.y});
        QImage strips(whole.size(), QImage::Format_RGB32);
        strips.fill(Qt::gray);
        for (std::int64_t top = 0; top < size.y; top += 7) {
            const Rect64 strip{0, top, size.x, std::min(size.y, top + 7)};
            const QImage piece = render(strip);
            QPainter p(&strips);
            p.drawImage(QPoint(0, int(top)), piece,
                        QRect(0, int(top), int(size.x), int(strip.bottom - top)));
        }
        EXPECT_EQ(strips, whole) << "alignment " << align;
    }
}
