#include "chart/PersonBox.h"
#include "chart/ZoomedCanvas.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "platform/DocText.h"
#include "platform/QPainterCanvas.h"
#include "platform/RecordingCanvas.h"
#include "tests/TestPictures.h"

#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lw;

namespace {

const ChartMargins kMargins{45, 68};

class PersonBoxTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // A picture file of w × h pixels in the temporary folder.
    std::string picture(int w, int h, const QString& name = QStringLiteral("p.png")) {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::darkCyan);
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(img.save(path));
        return toDocText(path);
    }

    int add(std::int32_t col, std::int32_t row, const std::string& bild = {}) {
        TPerson p;
        p.NachName = "Lind";
        p.VorName = "Anna";
        p.Bild = bild;
        p.GridX = col;
        p.GridY = row;
        return doc.addPerson(p);
    }

    RecordingCanvas draw(int person, Point64 origin = {}) {
        RecordingCanvas canvas;
        const TPerson& p = doc.person(person);
        PersonBoxPainter(doc, store, box, ChartGrid(box.BreitEd, box.HochEd, kMargins), nullptr,
                         nullptr)
            .DrawPersonBox(canvas, p.GridX, p.GridY, person, origin);
        return canvas;
    }

    TDibRecord shown(int person) const { return test::shownDib(store, doc, person); }

    QTemporaryDir dir;
    PictureStore store;
    Document doc;
    BoxLayout box;
};

} // namespace

TEST_F(PersonBoxTest, FrameAndFillAtDefaultSettings) {
    const RecordingCanvas c = draw(add(0, 0));
    const auto rects = c.rectangles();
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].left, 45);
    EXPECT_EQ(rects[0].top, 68);
    EXPECT_EQ(rects[0].right, 45 + 159);
    EXPECT_EQ(rects[0].bottom, 68 + 87);
    EXPECT_EQ(rects[0].pen.color, clBlack);
    EXPECT_EQ(rects[0].pen.width, 1);
    EXPECT_EQ(rects[0].brush, kDefaultBoxColor);
}

TEST_F(PersonBoxTest, OddRowsAreShiftedHalfABox) {
    const RecordingCanvas even = draw(add(2, 2));
    const RecordingCanvas odd = draw(add(2, 3));
    EXPECT_EQ(odd.rectangles()[0].left - even.rectangles()[0].left, 82);
    EXPECT_EQ(odd.rectangles()[0].top - even.rectangles()[0].top, 96);
}

TEST_F(PersonBoxTest, PictureFillsItsAreaAndTextStartsBesideIt) {
    // 75 × 81 is exactly the picture area at the default settings.
    const int i = add(0, 0, picture(75, 81));
    const RecordingCanvas c = draw(i);
    const auto texts = c.texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].rect, QRect(45 + 83, 70, 202 - 128, 153 - 70));
    const auto rows = c.callsOf<SetDIBitsToDeviceCall>();
    ASSERT_EQ(rows.size(), 81u);
    EXPECT_EQ(rows.front().x, 45 + 5);
    EXPECT_EQ(rows.front().y, 68 + 3);
    EXPECT_EQ(rows.front().w, 75);
    EXPECT_EQ(rows.back().y, 68 + 3 + 80);
    EXPECT_FALSE(shown(i).empty());
}

TEST_F(PersonBoxTest, PictureKeepsItsProportionsAndIsCentred) {
    // Wide: full area width, centred vertically.
    PictureFit wide = fitPicture(168, 96, 50, 45, 68, 200, 50);
    EXPECT_EQ(wide.w, 75);
    EXPECT_EQ(wide.h, 18);
    EXPECT_EQ(wide.x, 45 + 5);
    EXPECT_EQ(wide.y, 68 + 3 + (81 - 18) / 2);
    // Tall: full area height, centred horizontally.
    PictureFit tall = fitPicture(168, 96, 50, 45, 68, 50, 200);
    EXPECT_EQ(tall.h, 81);
    EXPECT_EQ(tall.w, 20);
    EXPECT_EQ(tall.x, 45 + 5 + (75 - 20) / 2);
    EXPECT_EQ(tall.y, 68 + 3);

    const int i = add(0, 0, picture(200, 50));
    const auto rows = draw(i).callsOf<SetDIBitsToDeviceCall>();
    ASSERT_EQ(rows.size(), 18u);
    EXPECT_EQ(rows.front().y, 68 + 3 + 31);
}

TEST_F(PersonBoxTest, TooSmallPictureAreaDrawsNoPictureButKeepsIt) {
    const long before = liveDibCount();
    box.BildEd = 1; // A = 1, AW = -2
    const int i = add(0, 0, picture(40, 40));
    const RecordingCanvas c = draw(i);
    EXPECT_EQ(c.countOf<SetDIBitsToDeviceCall>() + c.countOf<StretchDIBitsCall>(), 0);
    EXPECT_EQ(c.texts()[0].rect.left(), 45 + 1 + 4);
    // Opened once and kept, not opened again and again.
    ASSERT_FALSE(shown(i).empty());
    const auto* bits = shown(i).bits;
    draw(i);
    EXPECT_EQ(shown(i).bits, bits);
    EXPECT_EQ(liveDibCount(), before + 1);
    EXPECT_FALSE(fitPicture(168, 96, 1, 0, 0, 40, 40).drawable());
    EXPECT_FALSE(fitPicture(168, 96, 50, 0, 0, 1000, 1).drawable()); // h = 0
}

TEST_F(PersonBoxTest, NoPictureShareOpensNothing) {
    box.BildEd = 0;
    const int i = add(0, 0, picture(75, 81));
    const RecordingCanvas c = draw(i);
    EXPECT_TRUE(shown(i).empty());
    EXPECT_EQ(c.texts()[0].rect.left(), 45 + 4);
}

TEST_F(PersonBoxTest, MissingPictureIsTriedAgainLater) {
    const QString later = dir.filePath(QStringLiteral("later.png"));
    const int i = add(0, 0, toDocText(later));
    RecordingCanvas c = draw(i);
    EXPECT_TRUE(shown(i).empty());
    EXPECT_EQ(c.texts()[0].rect.left(), 45 + 4);
    picture(30, 30, QStringLiteral("later.png"));
    c = draw(i);
    EXPECT_FALSE(shown(i).empty());
    EXPECT_EQ(c.texts()[0].rect.left(), 45 + 83);
}

TEST_F(PersonBoxTest, RelativePictureNamesFollowTheTreeFile) {
    picture(30, 30, QStringLiteral("Bilder/oma.png"));
    doc.FileName = dir.filePath(QStringLiteral("familie.sta"));
    const int slash = add(0, 0, "Bilder/oma.png");
    const int backslash = add(1, 0, "Bilder\\oma.png");
    const int missing = add(2, 0, "Bilder/opa.png");
    draw(slash);
    draw(backslash);
    draw(missing);
    EXPECT_FALSE(shown(slash).empty());
    EXPECT_FALSE(shown(backslash).empty());
    EXPECT_TRUE(shown(missing).empty());
    // Absolute names and names without a tree file stay as they are.
    EXPECT_EQ(pictureFileName("/x/y.png", doc.FileName), "/x/y.png");
    EXPECT_EQ(pictureFileName("Bilder/oma.png", QString()), "Bilder/oma.png");
}

// A tree folder that Windows-1252 cannot name still holds the pictures: the
// name is not looked up in the current folder instead.
TEST_F(PersonBoxTest, RelativePictureNamesInAFolderOutsideWindows1252) {
    const QString folder = dir.filePath(QStringLiteral("\u03A9mega \u4E2D"));
    QImage img(20, 20, QImage::Format_RGB32);
    img.fill(Qt::darkCyan);
    ASSERT_TRUE(QDir().mkpath(folder + "/Bilder"));
    ASSERT_TRUE(img.save(folder + "/Bilder/oma.png"));
    doc.FileName = folder + "/familie.sta";
    const int i = add(0, 0, "Bilder\\oma.png");
    draw(i);
    EXPECT_FALSE(shown(i).empty());
    EXPECT_EQ(pictureFileName("Bilder/oma.png", doc.FileName), folder + "/Bilder/oma.png");
}

TEST_F(PersonBoxTest, TextLines) {
    TPerson p;
    p.NachName = "Lind";
    p.VorName = "Anna";
    EXPECT_EQ(boxText(p, true), "Lind\rAnna\r");
    p.GebDate = "1.2.1900";
    p.StDate = "3.4.1980";
    p.Leben = {"Bauerin", "in Moor"};
    EXPECT_EQ(boxText(p, true), "Lind\rAnna\r*1.2.1900\r+3.4.1980\rBauerin\rin Moor\r");
    EXPECT_EQ(boxText(p, false), "Lind\rAnna\r*1.2.1900\r+3.4.1980\r");
    p.GebDate.clear();
    EXPECT_EQ(boxText(p, false), "Lind\rAnna\r+3.4.1980\r");
    TPerson empty;
    EXPECT_EQ(boxText(empty, true), "\r\r");
    TPerson longName;
    longName.NachName = std::string(300, 'x');
    EXPECT_EQ(boxText(longName, false), std::string(255, 'x') + "\r\r");
}

TEST_F(PersonBoxTest, TextAlignmentBackgroundAndRectangle) {
    const int i = add(0, 0);
    box.LeblaufCheck = false;
    for (int align : {0, 1, 2}) {
        box.Textausricht = align;
        const auto texts = draw(i).texts();
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_TRUE(texts[0].formatted);
        EXPECT_EQ(int(texts[0].align), align);
        EXPECT_EQ(texts[0].background, kDefaultBoxColor);
        EXPECT_EQ(texts[0].rect, QRect(49, 70, 202 - 49, 153 - 70));
        EXPECT_EQ(texts[0].text, "Lind\rAnna\r");
    }
    box.Textausricht = 3;
    EXPECT_TRUE(draw(i).texts().empty());
    box.Textausricht = -1;
    EXPECT_TRUE(draw(i).texts().empty());
}

TEST_F(PersonBoxTest, DrawsRelativeToTheOrigin) {
    const int i = add(999999, 999999);
    const ChartGrid g(box.BreitEd, box.HochEd, kMargins);
    const Point64 origin{g.Left(999999, 999999) - 10, g.Top(999999) - 20};
    const RecordingCanvas c = draw(i, origin);
    ASSERT_EQ(c.rectangles().size(), 1u);
    EXPECT_EQ(c.rectangles()[0].left, 10);
    EXPECT_EQ(c.rectangles()[0].top, 20);
    EXPECT_EQ(c.rectangles()[0].right, 10 + 159);
    // Far beyond 32 bits of the origin nothing is drawn.
    EXPECT_TRUE(draw(add(2000000000, 0)).calls().empty());
}

// With family lines the box carries the signed lines of a family chart; every
// line fits its box: wrapped at a word, ended in "…" when there is no room,
// names whole; zoomed out below readable text the surname alone is shown.
TEST_F(PersonBoxTest, FamilyBoxLinesFitTheBox) {
    box.Textausricht = 1;
    const std::string longPlace = "Sankt Johann im Pongau bei Salzburg im Herzogtum Salzburg";
    const std::string longName = "Wolfeschlegelsteinhausenbergerdorff";
    struct Case {
        const char* what;
        std::string surname, birthPlace;
        LifeEvent baptism, burial;
        std::vector<std::string> biography;
        int zoom;
        std::vector<std::string> expected; // the lines exactly, when given
        LineStyle style = LineStyle::FamilyLines;
    };
    const std::vector<Case> cases{
        {"signs",
         "Lind",
         "Brookline",
         {},
         {"25.11.1963", "Arlington"},
         {},
         100,
         {"Lind", "Anna", "* 29.05.1917 Brookline", "\u2020 22.11.1963 Dallas",
          "\u25A1 25.11.1963 Arlington"}},
        {"wrapped place", "Lind", longPlace, {"", "Moor"}, {}, {}, 100, {}},
        {"no room",
         "Lind",
         longPlace,
         {"30.05.1917", longPlace},
         {"1.1.1990", longPlace},
         {longPlace, longPlace},
         100,
         {}},
        {"long surname", longName, "", {}, {}, {}, 100, {}},
        {"overview", "Lind", "Brookline", {}, {}, {}, 25, {"Lind"}},
        {"overview, parent lines", "Lind", "", {}, {}, {}, 25, {"Lind"}, LineStyle::ParentLines},
        // Today's box: a name too wide shrinks, a line too wide ends in "…".
        {"parent lines",
         longName,
         "",
         {},
         {},
         {longPlace},
         100,
         {longName, "Anna", "*29.05.1917", "+22.11.1963", "Sankt Johann\u2026"},
         LineStyle::ParentLines},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Document d;
        d.chart.lineStyle = c.style;
        TPerson p;
        p.NachName = c.surname;
        p.VorName = "Anna";
        p.GebDate = "29.05.1917";
        p.birthPlace = c.birthPlace;
        p.StDate = "22.11.1963";
        p.deathPlace = "Dallas";
        p.baptism = c.baptism;
        p.burial = c.burial;
        p.Leben = c.biography;
        p.GridX = p.GridY = 0;
        const int i = d.addPerson(p);
        RecordingCanvas inner;
        ZoomedCanvas zoomed(inner, ChartZoom(c.zoom), {0, 0}, {0, 0});
        Canvas& canvas = c.zoom == 100 ? static_cast<Canvas&>(inner) : zoomed;
        canvas.setFont(box.font);
        PictureStore pictures;
        PersonBoxPainter(d, pictures, box, ChartGrid(box.BreitEd, box.HochEd, kMargins), nullptr,
                         nullptr)
            .DrawPersonBox(canvas, 0, 0, i);
        const QRect textRect(zoomed.mapX(49), zoomed.mapY(70), zoomed.mapX(202) - zoomed.mapX(49),
                             zoomed.mapY(153) - zoomed.mapY(70));
        std::vector<std::string> lines;
        for (const DrawnText& t : inner.texts()) {
            lines.push_back(t.text);
            const QString text = QString::fromStdString(t.text);
            EXPECT_TRUE(textRect.contains(t.rect)) << t.text;
            EXPECT_LE(QFontMetricsF(QPainterCanvas::toQFont(t.font)).horizontalAdvance(text),
                      t.rect.width())
                << t.text;
            EXPECT_GE(std::abs(t.font.Height), ChartZoom::kLegiblePixels) << t.text;
        }
        if (c.surname == longName) {
            EXPECT_LT(std::abs(inner.texts()[0].font.Height), 11);
        }
        if (!c.expected.empty()) {
            // An expected line ending in "…" stands for a line cut there that
            // starts with what comes before.
            ASSERT_EQ(lines.size(), c.expected.size()) << ::testing::PrintToString(lines);
            for (std::size_t k = 0; k < lines.size(); ++k) {
                const std::string& e = c.expected[k];
                if (e.ends_with("\u2026"))
                    EXPECT_TRUE(lines[k].starts_with(e.substr(0, e.size() - 3)) &&
                                lines[k].ends_with("\u2026"))
                        << lines[k];
                else
                    EXPECT_EQ(lines[k], e);
            }
            continue;
        }
        // Each line starts with a whole word of what it shows, and the
        // pieces of a wrapped line put together give its start.
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[0], c.surname);
        const std::string all = [&] {
            std::string s;
            for (const std::string& l : lines)
                s += l + ' ';
            return s;
        }();
        for (std::size_t k = 1; k < lines.size(); ++k) {
            const std::string& l = lines[k];
            const std::string first = l.substr(0, l.find(' '));
            EXPECT_TRUE(first == "*" || first == "~" || first == "\u2020" || first == "\u25A1" ||
                        first == "Anna" ||
                        (" " + longPlace + " ").find(" " + first + " ") != std::string::npos ||
                        first.ends_with("\u2026"))
                << l;
        }
        if (c.birthPlace == longPlace && c.biography.empty()) {
            // Wrapped, and the lines after it keep their room.
            EXPECT_NE(all.find("* 29.05.1917 Sankt"), std::string::npos);
            EXPECT_EQ(std::count(lines.begin(), lines.end(), "* 29.05.1917 " + longPlace), 0);
            EXPECT_EQ(lines.back(), "\u2020 22.11.1963 Dallas");
            EXPECT_NE(std::find(lines.begin(), lines.end(), "~ Moor"), lines.end());
        }
        if (!c.biography.empty()) {
            // The signed lines come first; what does not fit ends in "…".
            EXPECT_NE(all.find("\u25A1 1.1.1990"), std::string::npos);
            EXPECT_NE(all.find("\u2026"), std::string::npos);
        }
    }
}
