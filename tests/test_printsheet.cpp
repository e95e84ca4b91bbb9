// One printed sheet: the chart mapped to printer pixels and shifted to the
// sheet, recorded on a canvas.
#include "document/Document.h"
#include "document/Layout.h"
#include "platform/DocText.h"
#include "platform/Progress.h"
#include "platform/RecordingCanvas.h"
#include "print/PrintSheet.h"
#include "tests/TestPictures.h"

#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using namespace lw;

namespace {

constexpr TColor kGreen = rgb(0, 128, 0);
constexpr TColor kRed = rgb(255, 0, 0);

// Every picture load starts with a report of 0 percent.
class OpenCounter : public ProgressSink {
  public:
    void postProgress(int percent) override { opens += percent == 0 ? 1 : 0; }
    int opens = 0;
};

TPerson at(const char* surname, std::int32_t col, std::int32_t row) {
    TPerson p;
    p.NachName = surname;
    p.VorName = "Anna";
    p.GebDate = "1.2.1900";
    p.Leben = {"Bäuerin"};
    p.GridX = col;
    p.GridY = row;
    return p;
}

class PrintSheetTest : public ::testing::Test {
  protected:
    SheetSetup setup(PrintScale scale = {96, 600, 600}, std::int64_t pageW = 4760,
                     std::int64_t pageH = 6815) {
        SheetSetup s;
        s.doc = &doc;
        s.store = &store;
        s.box = &box;
        s.margins = {45, 68};
        s.headingTop = 22;
        s.scale = scale;
        s.pageWidth = pageW;
        s.pageHeight = pageH;
        s.progress = &counter;
        return s;
    }
    // A picture file of w × h pixels; its name for TPerson::Bild.
    std::string picture(int w, int h) {
        const QString path = dir.filePath(QStringLiteral("p%1x%2.png").arg(w).arg(h));
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        EXPECT_TRUE(image.save(path));
        return toDocText(path);
    }
    RecordingCanvas print(const SheetSetup& s, std::int64_t OX = 0, std::int64_t OY = 0) {
        RecordingCanvas canvas(RecordingCanvas::printerCaps(s.scale.Px));
        SheetPrinter(s).PrintSheet(canvas, OX, OY);
        return canvas;
    }

    QTemporaryDir dir;
    PictureStore store;
    Document doc;
    BoxLayout box;
    OpenCounter counter;
};

} // namespace

TEST_F(PrintSheetTest, HeadingAndFirstBoxAt96And600Dpi) {
    doc.addPerson(at("Lind", 0, 0));
    const RecordingCanvas canvas = print(setup());

    const std::vector<DrawnText> texts = canvas.texts();
    ASSERT_EQ(texts.size(), 2u) << canvas.dump();
    const DrawnText& heading = texts[0];
    EXPECT_FALSE(heading.formatted);
    EXPECT_EQ(heading.text, "Stammbaum der Familie X");
    EXPECT_EQ(heading.x, 281); // 45·600 div 96
    EXPECT_EQ(heading.y, 137); // 22·600 div 96
    EXPECT_EQ(heading.font.Height, -118);
    EXPECT_EQ(heading.font.Name, "Arial Black");
    EXPECT_EQ(heading.background, clWhite);

    const std::vector<DrawnRectangle> rects = canvas.rectangles();
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].left, 281);
    EXPECT_EQ(rects[0].top, 425);
    EXPECT_EQ(rects[0].right, 1275);
    EXPECT_EQ(rects[0].bottom, 968);
    EXPECT_EQ(rects[0].pen.width, 6);
    EXPECT_EQ(rects[0].pen.color, box.borderColor);
    EXPECT_EQ(rects[0].brush, box.bkColor);

    // Without a picture the text starts 4 screen pixels inside: 49, 70, 202, 153 mapped.
    const DrawnText& text = texts[1];
    EXPECT_TRUE(text.formatted);
    EXPECT_EQ(text.rect, QRect(306, 437, 1262 - 306, 956 - 437));
    EXPECT_EQ(text.text, boxText(doc.person(0), true));
    EXPECT_EQ(text.align, TextAlign::Center);
    EXPECT_EQ(text.font.Height, -68);
    EXPECT_EQ(text.background, box.bkColor);
}

TEST_F(PrintSheetTest, HeadingTopScalesWithTheHorizontalResolution) {
    const RecordingCanvas canvas = print(setup({96, 600, 300}));
    ASSERT_EQ(canvas.texts().size(), 1u);
    EXPECT_EQ(canvas.texts()[0].y, 137);
    EXPECT_EQ(canvas.texts()[0].x, 281);
}

TEST(PrintedPictureFit, AreaAndPositionInPrinterPixels) {
    const PrintScale scale{96, 600, 600};
    // Q = 159·6.25 = 993.75, A = 496.875: AW = 494 − 12 = 482, AH = 956 − 437 − 12 = 507.
    const PictureFit wide = printedPictureFit(scale, 168, 50, 800, 437, 956, 100, 50);
    EXPECT_EQ(wide.w, 482);
    EXPECT_EQ(wide.h, 241);
    EXPECT_EQ(wide.x, 800 + 1 - 496); // centred: (482 − 482) div 2 = 0
    EXPECT_EQ(wide.y, 438 + (507 - 241) / 2);
    const PictureFit tall = printedPictureFit(scale, 168, 50, 800, 437, 956, 50, 100);
    EXPECT_EQ(tall.h, 507);
    EXPECT_EQ(tall.w, 253);
    EXPECT_EQ(tall.x, 305 + (482 - 253) / 2);
    EXPECT_EQ(tall.y, 438);
    // A tiny share leaves no room.
    EXPECT_FALSE(printedPictureFit(scale, 168, 1, 800, 437, 956, 100, 50).drawable());
}

TEST_F(PrintSheetTest, PictureIsPlacedInPrinterPixelsAndOpenedOncePerJob) {
    TPerson p = at("Lind", 0, 0);
    p.Bild = picture(100, 50);
    doc.addPerson(p);
    const SheetSetup s = setup({96, 600, 600}, 1000, 1000);
    SheetPrinter sheets(s);
    RecordingCanvas first(RecordingCanvas::printerCaps(600));
    sheets.PrintSheet(first, 0, 0);
    RecordingCanvas second(RecordingCanvas::printerCaps(600));
    sheets.PrintSheet(second, 1000, 0);

    EXPECT_EQ(counter.opens, 1);
    ASSERT_FALSE(test::shownDib(store, doc, 0).empty());
    // With a picture the text starts at Left + 79 + 4 = 128 screen pixels: 800.
    const std::vector<DrawnText> texts = first.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].rect.left(), 800);

    // On a printer the picture goes to the stretched output, whole.
    const auto drawn = first.callsOf<StretchDIBitsCall>();
    ASSERT_EQ(drawn.size(), 1u) << first.dump();
    EXPECT_EQ(drawn[0].x, 305);
    EXPECT_EQ(drawn[0].y, 571);
    EXPECT_EQ(drawn[0].w, 482);
    EXPECT_EQ(drawn[0].h, 241);
    EXPECT_EQ(drawn[0].srcW, 100);
    EXPECT_EQ(drawn[0].srcH, 50);

    // The box crosses into the second sheet, the picture does not.
    ASSERT_EQ(second.rectangles().size(), 1u);
    EXPECT_EQ(second.rectangles()[0].left, 281 - 1000);
    EXPECT_EQ(second.rectangles()[0].right, 275);
    EXPECT_EQ(second.countOf<StretchDIBitsCall>(), 0);

    // A later job finds the picture open.
    print(s);
    EXPECT_EQ(counter.opens, 1);
}

TEST_F(PrintSheetTest, BoxesThatMissTheSheetAreLeftOutAndOpenNothing) {
    TPerson p = at("Lind", 0, 0);
    p.Bild = picture(40, 40);
    doc.addPerson(p);
    const RecordingCanvas canvas = print(setup({96, 600, 600}, 1000, 1000), 2000, 0);
    EXPECT_EQ(canvas.rectangles().size(), 0u);
    EXPECT_EQ(counter.opens, 0);
    EXPECT_TRUE(test::shownDib(store, doc, 0).empty());
}

TEST_F(PrintSheetTest, LinePointsAreMappedAndShifted) {
    doc.addPerson(at("Vater", 0, 0));
    TPerson child = at("Kind", 1, 1);
    child.Vater = 0;
    child.Mutter = 0;
    doc.addPerson(child);
    const RecordingCanvas canvas = print(setup(), 500, 300);

    std::vector<DrawnSegment> father, mother;
    for (const DrawnSegment& s : canvas.segments()) {
        EXPECT_EQ(s.pen.width, 6);
        (s.pen.color == kGreen ? father : mother).push_back(s);
        EXPECT_TRUE(s.pen.color == kGreen || s.pen.color == kRed);
    }
    // Screen route: child stub (374,164)→(374,160), parent stub (124,155)→(124,160),
    // across (374,160)→(124,160), back (124,160)→(124,155); mapped ·6.25, less (500, 300).
    ASSERT_EQ(father.size(), 4u) << canvas.dump();
    auto is = [](const DrawnSegment& s, int x1, int y1, int x2, int y2) {
        return s.x1 == x1 && s.y1 == y1 && s.x2 == x2 && s.y2 == y2;
    };
    EXPECT_TRUE(is(father[0], 2337 - 500, 1025 - 300, 2337 - 500, 1000 - 300));
    EXPECT_TRUE(is(father[1], 775 - 500, 968 - 300, 775 - 500, 1000 - 300));
    EXPECT_TRUE(is(father[2], 2337 - 500, 1000 - 300, 775 - 500, 1000 - 300));
    EXPECT_TRUE(is(father[3], 775 - 500, 1000 - 300, 775 - 500, 968 - 300));
    // The mother's line: 2 screen pixels right, the stub ends 2 lower.
    ASSERT_EQ(mother.size(), 4u);
    EXPECT_TRUE(is(mother[0], 2350 - 500, 1025 - 300, 2350 - 500, 1012 - 300));
}

TEST_F(PrintSheetTest, LinesCrossingTheSheetAreCutOffTheSheet) {
    doc.addPerson(at("Vater", 0, 0));
    TPerson child = at("Kind", 1, 1);
    child.Vater = 0;
    doc.addPerson(child);
    // A sheet 1000 wide at 1000: the horizontal piece 775 … 2337 runs across it.
    const RecordingCanvas canvas = print(setup({96, 600, 600}, 1000, 2000), 1000, 0);
    bool across = false;
    for (const DrawnSegment& s : canvas.segments()) {
        if (s.y1 != 1000 || s.y2 != 1000) continue;
        const int lo = std::min(s.x1, s.x2), hi = std::max(s.x1, s.x2);
        across = lo < -6 && hi >= 1006 && lo > -1000 && hi < 2000;
    }
    EXPECT_TRUE(across) << canvas.dump();
}

TEST_F(PrintSheetTest, FarCornerOfAHugeAreaReachesTheCanvasNearTheSheet) {
    doc.AreaWidth = 1000000;
    doc.AreaHeight = 1000000;
    doc.addPerson(at("Ahn", 0, 0));
    TPerson child = at("Kind", 999999, 999998);
    child.Vater = 0;
    doc.addPerson(child);
    const PrintScale scale{96, 600, 600};
    const std::int64_t left = scale.x(168LL * 999999 + 45), top = scale.y(96LL * 999998 + 68);
    const std::int64_t OX = left / 4760 * 4760, OY = top / 6815 * 6815;
    for (auto [ox, oy] : {std::pair{OX, OY}, std::pair{std::int64_t(0), std::int64_t(0)}}) {
        const RecordingCanvas canvas = print(setup(scale), ox, oy);
        EXPECT_EQ(canvas.rectangles().size(), 1u);
        EXPECT_FALSE(canvas.segments().empty());
        for (const DrawnSegment& s : canvas.segments())
            for (int v : {s.x1, s.y1, s.x2, s.y2})
                EXPECT_TRUE(v > -20000 && v < 20000) << canvas.dump();
    }
}
