#include "picture/DrawDib.h"
#include "platform/QPainterCanvas.h"
#include "platform/RecordingCanvas.h"
#include "platform/TextShapes.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

using namespace lw;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

// A white image with a painter and a canvas on it; finish() ends painting.
class ImageCanvas {
  public:
    ImageCanvas(int w, int h) : image(w, h, QImage::Format_RGB32) {
        image.fill(Qt::white);
        painter = std::make_unique<QPainter>(&image);
        canvas = std::make_unique<QPainterCanvas>(*painter, DeviceCaps{});
    }
    const QImage& finish() {
        canvas.reset();
        painter.reset();
        return image;
    }
    QImage image;
    std::unique_ptr<QPainter> painter;
    std::unique_ptr<QPainterCanvas> canvas;
};

// The columns (or rows) of `row` (or column) that are not white, as a string
// of '#' and '.'.
std::string rowPattern(const QImage& image, int y) {
    std::string s;
    for (int x = 0; x < image.width(); ++x)
        s += image.pixel(x, y) == kWhite ? '.' : '#';
    return s;
}

// Bounding box of the pixels of colour `c`, or an empty rect.
QRect boundsOf(const QImage& image, QRgb c) {
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == c) r |= QRect(x, y, 1, 1);
    return r;
}

QRect boundsOfInk(const QImage& image) {
    QRect r;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kWhite) r |= QRect(x, y, 1, 1);
    return r;
}

TEST(QPainterCanvas, RectangleCoversLeftToRightMinusOne) {
    ImageCanvas ic(12, 10);
    ic.canvas->setPen(rgb(0, 0, 0), PenStyle::Solid, 1);
    ic.canvas->setBrush(rgb(255, 0, 0));
    ic.canvas->rectangle(2, 3, 8, 7);
    const QImage& im = ic.finish();

    EXPECT_EQ(boundsOfInk(im), QRect(QPoint(2, 3), QPoint(7, 6)));
    const QRgb black = qRgb(0, 0, 0), red = qRgb(255, 0, 0);
    for (int x = 2; x <= 7; ++x) {
        EXPECT_EQ(im.pixel(x, 3), black) << x;
        EXPECT_EQ(im.pixel(x, 6), black) << x;
    }
    for (int y = 3; y <= 6; ++y) {
        EXPECT_EQ(im.pixel(2, y), black) << y;
        EXPECT_EQ(im.pixel(7, y), black) << y;
    }
    EXPECT_EQ(boundsOf(im, red), QRect(QPoint(3, 4), QPoint(6, 5)));
}

TEST(QPainterCanvas, PenWidthZeroIsOnePixelAndWidePensAreWider) {
    ImageCanvas ic(40, 20);
    ic.canvas->setBrush(rgb(255, 255, 255));
    ic.canvas->setPen(rgb(0, 0, 255), PenStyle::Solid, 0);
    ic.canvas->rectangle(1, 1, 11, 11);
    ic.canvas->setPen(rgb(0, 128, 0), PenStyle::Solid, 4);
    ic.canvas->moveTo(20, 10);
    ic.canvas->lineTo(36, 10);
    const QImage& im = ic.finish();

    EXPECT_EQ(boundsOf(im, qRgb(0, 0, 255)), QRect(QPoint(1, 1), QPoint(10, 10)));
    EXPECT_EQ(im.pixel(2, 2), kWhite);
    const QRect wide = boundsOf(im, qRgb(0, 128, 0));
    EXPECT_GE(wide.height(), 4);
    EXPECT_LE(wide.height(), 5);
}

TEST(QPainterCanvas, LineToLeavesOutItsEndPointInEveryDirection) {
    ImageCanvas ic(12, 12);
    ic.canvas->setPen(rgb(0, 0, 0), PenStyle::Solid, 1);
    ic.canvas->moveTo(0, 0);
    ic.canvas->lineTo(5, 0); // right: 0 ... 4
    ic.canvas->moveTo(11, 2);
    ic.canvas->lineTo(7, 2); // left: 11 ... 8
    ic.canvas->moveTo(0, 4);
    ic.canvas->lineTo(4, 8); // diagonal: (0,4) ... (3,7)
    ic.canvas->moveTo(10, 11);
    ic.canvas->lineTo(10, 6); // up: 11 ... 7
    const QImage& im = ic.finish();

    EXPECT_EQ(rowPattern(im, 0), "#####.......");
    EXPECT_EQ(rowPattern(im, 2), "........####");
    for (int i = 0; i < 4; ++i)
        EXPECT_NE(im.pixel(i, 4 + i), kWhite) << i;
    EXPECT_EQ(im.pixel(4, 8), kWhite);
    EXPECT_EQ(im.pixel(10, 6), kWhite);
    for (int y = 7; y <= 11; ++y)
        EXPECT_NE(im.pixel(10, y), kWhite) << y;
}

TEST(QPainterCanvas, DottedPenLeavesGaps) {
    ImageCanvas ic(30, 3);
    ic.canvas->setPen(rgb(0, 0, 0), PenStyle::Dot, 1);
    ic.canvas->moveTo(0, 1);
    ic.canvas->lineTo(30, 1);
    const QImage& im = ic.finish();
    const std::string row = rowPattern(im, 1);
    const auto dots = std::count(row.begin(), row.end(), '#');
    EXPECT_GE(dots, 5) << row;
    EXPECT_LE(dots, 20) << row;
    EXPECT_EQ(row[0], '#');
}

TEST(QPainterCanvas, LinesFarOutsideTheImageAreCheap) {
    ImageCanvas ic(10, 10);
    ic.canvas->setPen(rgb(0, 0, 0), PenStyle::Solid, 1);
    ic.canvas->moveTo(-2000000000, 5);
    ic.canvas->lineTo(2000000000, 5);
    ic.canvas->moveTo(-2000000000, -2000000000);
    ic.canvas->lineTo(2000000000, 2000000000);
    const QImage& im = ic.finish();
    EXPECT_EQ(rowPattern(im, 5), "##########");
    for (int i = 0; i < 10; ++i)
        EXPECT_NE(im.pixel(i, i), kWhite) << i;
    EXPECT_EQ(im.pixel(1, 0), kWhite);
}

TEST(QPainterCanvas, DrawTextClipsAlignsAndFillsOnlyBehindTheText) {
    TFontInfo font;
    font.Name = "DejaVu Sans";
    font.Height = -12;
    font.Color = rgb(0, 0, 0);
    const QRgb green = qRgb(0, 255, 0);
    const QRect rect(20, 10, 100, 30);

    QRect inkOf[3];
    for (int a = 0; a < 3; ++a) {
        ImageCanvas ic(140, 60);
        ic.canvas->setFont(font);
        ic.canvas->setTextBackground(rgb(0, 255, 0));
        ic.canvas->drawText("Ab\r\nCd\rEf\rGh\rIj\rKl", rect, TextAlign(a));
        const QImage& im = ic.finish();
        const QRect ink = boundsOfInk(im);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_TRUE(rect.contains(ink)) << "alignment " << a; // clipped
        EXPECT_EQ(ink.top(), rect.top());
        EXPECT_EQ(ink.bottom(), rect.bottom()); // lines run off the bottom
        // The background covers the text, not the whole rectangle.
        const QRect back = boundsOf(im, green);
        EXPECT_LT(back.width(), rect.width() / 2) << "alignment " << a;
        inkOf[a] = ink;
    }
    EXPECT_LE(inkOf[0].left(), rect.left() + 1);
    EXPECT_GE(inkOf[2].right(), rect.right() - 1);
    const int middle = (inkOf[1].left() + inkOf[1].right()) / 2;
    EXPECT_NEAR(middle, rect.center().x(), 3);

    ImageCanvas none(140, 60);
    none.canvas->setFont(font);
    none.canvas->drawText("Ab", rect, TextAlign(3));
    EXPECT_TRUE(boundsOfInk(none.finish()).isEmpty());
}

// Lines kept between paintings change nothing: the same pixels the first
// time, again from the store, and after the font changed back and forth, in
// every face, size and style (underlined and struck-out text is drawn as
// text, the rest from kept glyphs).
TEST(QPainterCanvas, KeptTextLinesPaintTheSamePixels) {
    for (const char* face : {"DejaVu Sans", "Liberation Sans", "Liberation Serif", "Lato"}) {
        for (const int style : {0, int(fsBold), int(fsItalic), fsBold | fsItalic, int(fsUnderline),
                                fsBold | fsStrikeOut}) {
            TFontInfo small, large;
            small.Name = large.Name = face;
            small.Style = large.Style = std::uint8_t(style);
            small.Height = -11;
            large.Height = 19; // a cell height
            auto paint = [&](TextShapes* kept) {
                ImageCanvas ic(230, 120);
                ic.canvas->setTextShapes(kept);
                for (const TFontInfo& font : {small, large, small}) {
                    ic.canvas->setFont(font);
                    for (int a = 0; a < 3; ++a)
                        ic.canvas->drawText(
                            "M\u00FCller \u20AC\rWij Tj AV fi\r*1.2.1900 \u201Ex\u201C",
                            QRect(5, 5 + 38 * a, 220, 37), TextAlign(a));
                }
                return ic.finish();
            };
            const QImage drawnAsText = paint(nullptr);
            TextShapes kept;
            EXPECT_EQ(paint(&kept), drawnAsText) << face << ' ' << style;
            EXPECT_EQ(paint(&kept), drawnAsText) << face << ' ' << style;
        }
    }
}

TEST(QPainterCanvas, DrawTextBreaksOnlyAtCarriageReturns) {
    TFontInfo font;
    font.Height = -12;
    ImageCanvas oneLine(300, 60), twoLines(300, 60);
    const QRect rect(0, 0, 300, 60);
    oneLine.canvas->setFont(font);
    twoLines.canvas->setFont(font);
    oneLine.canvas->drawText("Wort Wort Wort Wort", rect, TextAlign::Left);
    twoLines.canvas->drawText("Wort\rWort", rect, TextAlign::Left);
    const QRect a = boundsOfInk(oneLine.finish());
    const QRect b = boundsOfInk(twoLines.finish());
    EXPECT_LT(a.height(), 16);
    EXPECT_GT(b.height(), 16);
    EXPECT_LT(b.width(), a.width() / 2);
}

TEST(QPainterCanvas, TextOutWritesOnItsBackgroundAtTheTopLeft) {
    TFontInfo font;
    font.Height = -14;
    font.Color = rgb(0, 0, 255);
    ImageCanvas ic(100, 40);
    ic.canvas->setFont(font);
    ic.canvas->setTextBackground(rgb(255, 255, 0));
    ic.canvas->textOut(10, 5, "Hallo \u00E4");
    const QImage& im = ic.finish();
    const QRect back = boundsOf(im, qRgb(255, 255, 0));
    EXPECT_EQ(back.topLeft(), QPoint(10, 5));
    EXPECT_EQ(boundsOfInk(im).topLeft(), QPoint(10, 5));
    EXPECT_FALSE(boundsOf(im, qRgb(0, 0, 255)).isEmpty());
}

TEST(QPainterCanvas, FontHeights) {
    TFontInfo f;
    f.Name = "DejaVu Sans";
    f.Height = -19;
    f.Style = fsBold | fsItalic | fsUnderline;
    QFont q = QPainterCanvas::toQFont(f);
    EXPECT_EQ(q.pixelSize(), 19);
    EXPECT_TRUE(q.bold());
    EXPECT_TRUE(q.italic());
    EXPECT_TRUE(q.underline());
    EXPECT_FALSE(q.strikeOut());
    EXPECT_EQ(q.family(), QStringLiteral("DejaVu Sans"));

    f.Height = 0;
    EXPECT_EQ(QPainterCanvas::toQFont(f).pixelSize(), 11);

    f.Height = 40; // a cell height: the line height comes out near 40
    q = QPainterCanvas::toQFont(f);
    EXPECT_LT(q.pixelSize(), 40);
    EXPECT_NEAR(QFontMetricsF(q).height(), 40, 2);

    f.Height = std::numeric_limits<std::int32_t>::min();
    EXPECT_GE(QPainterCanvas::toQFont(f).pixelSize(), 1);
}

TEST(QPainterCanvas, CapsForTakesTheDeviceResolution) {
    QImage page(10, 10, QImage::Format_RGB32);
    page.setDotsPerMeterX(23622); // 600 per inch
    page.setDotsPerMeterY(11811); // 300 per inch
    const DeviceCaps caps = QPainterCanvas::capsFor(page, true);
    EXPECT_EQ(caps.logPixelsX, 600);
    EXPECT_EQ(caps.logPixelsY, 300);
    EXPECT_TRUE(caps.rasterPrinter);
    EXPECT_FALSE(QPainterCanvas::capsFor(page, false).rasterPrinter);
}

// Pictures of 24, 8, 4 or 1 bits with every pixel different.
TDibRecord patternPicture(int w, int h, int bits) {
    BITMAPINFO colors;
    for (int i = 0; i < 256; ++i)
        colors.bmiColors[i] =
            RGBQUAD{std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 7), 0};
    TDibRecord dib;
    EXPECT_TRUE(newdib(dib, w, h, bits, &colors, bits <= 8 ? 1 << bits : 0));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            setpixel(dib, x, y,
                     std::uint32_t(x * 37 + y * 101 + x * y) &
                         ((bits >= 24) ? 0xFFFFFF : (1u << bits) - 1));
    return dib;
}

// The colour a picture shows at column x, row y from the top.
QRgb colourAt(const TDibRecord& dib, int x, int yFromTop) {
    const std::uint32_t v = getpixel(dib, x, dib.height() - 1 - yFromTop);
    if (dib.bitCount() == 24) return qRgb(int(v >> 16) & 0xFF, int(v >> 8) & 0xFF, int(v) & 0xFF);
    const RGBQUAD& q = dib.info->bmiColors[v];
    return qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

TEST(QPainterCanvas, PicturesAtTheirOwnSizeArePixelExactOnEveryPath) {
    for (const int bits : {24, 8, 4, 1}) {
        TDibRecord dib = patternPicture(13, 7, bits);
        // DrawDib: screen path for 24 and 8 bits, stretched output otherwise.
        ImageCanvas drawn(20, 12);
        DrawDib(*drawn.canvas, 3, 2, 13, 7, dib, nullptr);
        // The last way, by hand.
        ImageCanvas copied(20, 12);
        auto bitmap = copied.canvas->createCompatibleBitmap(13, 7);
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(copied.canvas->setDIBits(*bitmap, 0, 7, dib), 7);
        EXPECT_TRUE(copied.canvas->stretchBlt(3, 2, 13, 7, *bitmap, 0, 0, 13, 7));

        for (const QImage* im : {&drawn.finish(), &copied.finish()}) {
            for (int y = 0; y < 7; ++y)
                for (int x = 0; x < 13; ++x)
                    ASSERT_EQ(im->pixel(3 + x, 2 + y), colourAt(dib, x, y))
                        << bits << " bits at " << x << "," << y;
            EXPECT_EQ(im->pixel(2, 2), kWhite);
            EXPECT_EQ(im->pixel(16, 8), kWhite);
        }
        deldib(dib);
    }
}

TEST(QPainterCanvas, StretchedPicturesScaleNearestNeighbour) {
    TDibRecord dib = patternPicture(4, 3, 24);
    ImageCanvas ic(8, 9);
    EXPECT_EQ(ic.canvas->stretchDIBits(0, 0, 8, 9, 0, 0, 4, 3, dib), 3);
    const QImage& im = ic.finish();
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(im.pixel(x, y), colourAt(dib, x / 2, y / 3)) << x << "," << y;
    deldib(dib);

    ImageCanvas empty(4, 4);
    EXPECT_EQ(empty.canvas->stretchDIBits(0, 0, 4, 4, 0, 0, 1, 1, TDibRecord{}), GDI_ERROR);
    EXPECT_EQ(empty.canvas->setDIBitsToDevice(0, 0, 4, 4, 0, 1, TDibRecord{}), 0);
    EXPECT_EQ(empty.canvas->createCompatibleBitmap(0, 4), nullptr);
}

TEST(QPainterCanvas, SetDIBitsToDeviceDrawsTheChosenStoredRows) {
    TDibRecord dib = patternPicture(5, 6, 24);
    ImageCanvas ic(5, 6);
    // Stored rows 1 and 2 (rows 4 and 3 from the top), the higher one on top.
    EXPECT_EQ(ic.canvas->setDIBitsToDevice(0, 0, 5, 2, 1, 2, dib), 2);
    const QImage& im = ic.finish();
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(im.pixel(x, 0), colourAt(dib, x, 3));
        EXPECT_EQ(im.pixel(x, 1), colourAt(dib, x, 4));
        EXPECT_EQ(im.pixel(x, 2), kWhite);
    }
    deldib(dib);
}

} // namespace

namespace {

TEST(RecordingCanvas, QueriesCarryTheStateEachThingWasDrawnWith) {
    RecordingCanvas c;
    c.setPen(rgb(0, 128, 0), PenStyle::Solid, 6);
    c.moveTo(1, 2);
    c.lineTo(3, 4);
    c.setBrush(rgb(1, 2, 3));
    c.rectangle(0, 0, 10, 10);
    c.setPen(rgb(255, 0, 0), PenStyle::Dot, 1);
    c.lineTo(5, 4); // continues from (3, 4)
    c.rectangle(5, 5, 6, 6);
    TFontInfo font;
    font.Height = -68;
    c.setFont(font);
    c.setTextBackground(rgb(9, 9, 9));
    c.textOut(7, 8, "Kopf");
    c.drawText("a\rb", QRect(1, 2, 30, 40), TextAlign::Right);

    const auto segments = c.segments();
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ((std::vector<int>{segments[0].x1, segments[0].y1, segments[0].x2, segments[0].y2}),
              (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(segments[0].pen.color, rgb(0, 128, 0));
    EXPECT_EQ(segments[0].pen.width, 6);
    EXPECT_EQ((std::vector<int>{segments[1].x1, segments[1].y1, segments[1].x2, segments[1].y2}),
              (std::vector<int>{3, 4, 5, 4}));
    EXPECT_EQ(segments[1].pen.style, PenStyle::Dot);

    const auto rects = c.rectangles();
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].pen.color, rgb(0, 128, 0));
    EXPECT_EQ(rects[0].brush, rgb(1, 2, 3));
    EXPECT_EQ(rects[1].pen.color, rgb(255, 0, 0));
    EXPECT_EQ(rects[1].right, 6);

    const auto texts = c.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_FALSE(texts[0].formatted);
    EXPECT_EQ(texts[0].text, "Kopf");
    EXPECT_EQ(texts[0].font.Height, -68);
    EXPECT_EQ(texts[0].background, rgb(9, 9, 9));
    EXPECT_TRUE(texts[1].formatted);
    EXPECT_EQ(texts[1].rect, QRect(1, 2, 30, 40));
    EXPECT_EQ(texts[1].align, TextAlign::Right);

    EXPECT_EQ(c.countOf<LineToCall>(), 2);
    EXPECT_NE(c.dump().find("drawText(\"a\rb\", 1, 2, 31, 42, align 2)"), std::string::npos)
        << c.dump();
}

TEST(RecordingCanvas, ResultsFollowTheFailureSwitches) {
    TDibRecord dib;
    ASSERT_TRUE(newdib(dib, 4, 3, 8, nullptr, 0));
    dib.bits[dib.stride * 2] = 42; // first pixel of the top stored row

    RecordingCanvas c(RecordingCanvas::printerCaps(300));
    EXPECT_TRUE(c.deviceCaps().rasterPrinter);
    EXPECT_EQ(c.deviceCaps().logPixelsY, 300);
    EXPECT_EQ(c.stretchDIBits(0, 0, 8, 6, 0, 0, 4, 3, dib), 3);
    EXPECT_EQ(c.setDIBitsToDevice(0, 0, 4, 2, 1, 2, dib), 2);
    auto bitmap = c.createCompatibleBitmap(4, 3);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(c.setDIBits(*bitmap, 0, 3, dib), 3);
    EXPECT_TRUE(c.stretchBlt(0, 0, 8, 6, *bitmap, 0, 0, 4, 3));
    const auto rows = c.callsOf<SetDIBitsToDeviceCall>()[0].rows;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][0], 42);

    c.failStretchDIBits = c.failSetDIBitsToDevice = c.failCreateCompatibleBitmap = true;
    c.failSetDIBits = c.failStretchBlt = true;
    EXPECT_EQ(c.stretchDIBits(0, 0, 8, 6, 0, 0, 4, 3, dib), GDI_ERROR);
    EXPECT_EQ(c.setDIBitsToDevice(0, 0, 4, 2, 1, 2, dib), 0);
    EXPECT_EQ(c.createCompatibleBitmap(4, 3), nullptr);
    EXPECT_EQ(c.setDIBits(*bitmap, 0, 3, dib), 0);
    EXPECT_FALSE(c.stretchBlt(0, 0, 8, 6, *bitmap, 0, 0, 4, 3));
    EXPECT_EQ(c.callsOf<StretchDIBitsCall>().back().result, GDI_ERROR);
    deldib(dib);
}

} // namespace
