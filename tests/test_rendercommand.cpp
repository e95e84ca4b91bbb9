// lindwerk-cli render, run as a user would run it.
#include "document/StaFile.h"
#include "tests/CliProcess.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lw;

namespace {

using RenderRun = lw::test::CliResult;

class RenderCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        TPerson father;
        father.NachName = "Lind";
        father.GridX = 0;
        father.GridY = 0;
        doc.addPerson(father);
        TPerson child;
        child.NachName = "Lind";
        child.GridX = 1;
        child.GridY = 1;
        child.Vater = 0;
        doc.addPerson(child);
        doc.AreaWidth = 2;
        doc.AreaHeight = 2;
    }
    QString path(const char* name) { return dir.filePath(QString::fromLatin1(name)); }
    void save() {
        QFile f(path("a.sta"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(serializeSta(doc, BoxLayout{}));
    }
    RenderRun render(QStringList args) {
        args.prepend(QStringLiteral("render"));
        return lw::test::runCli(args);
    }

    QTemporaryDir dir;
    Document doc;
};

} // namespace

TEST_F(RenderCommand, WritesTheArrangeViewAtFullSize) {
    save();
    const RenderRun r = render({path("a.sta"), path("a.png")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage img(path("a.png"));
    // Margins of 12 and 18 mm at 96 dpi: 45 and 68 pixels.
    ASSERT_EQ(img.size(), QSize(168 * 2 + 45 + 20, 96 * 2 + 68 + 20));
    EXPECT_EQ(img.pixelColor(45, 100), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(46, 100), QColor(0xFF, 0xFF, 0xE1));
    // The child at (1, 1) hangs from its father by a green line.
    EXPECT_EQ(img.pixelColor(45 + 168 + 82 + 79, 164 - 2), QColor(0, 128, 0));
    // A4 pages are wider than this chart: no page guide.
    for (int x = 0; x < img.width(); ++x)
        EXPECT_NE(img.pixelColor(x, 2), QColor(0, 0, 255));
}

TEST_F(RenderCommand, ResolutionsAndPageAreHonoured) {
    save();
    const RenderRun r =
        render({path("a.sta"), path("b.png"), QStringLiteral("--screen-dpi"), QStringLiteral("192"),
                QStringLiteral("--printer-dpi"), QStringLiteral("96"), QStringLiteral("--page"),
                QStringLiteral("100x80")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage img(path("b.png"));
    // 12 mm at 192 dpi is 90 pixels, 18 mm 136.
    ASSERT_EQ(img.size(), QSize(168 * 2 + 90 + 20, 96 * 2 + 136 + 20));
    // Pages of 100 × 80 printer pixels at 96 dpi are 200 × 160 screen pixels.
    bool guide = false;
    for (int y = 0; y < 6; ++y)
        guide = guide || img.pixelColor(200, y) == QColor(0, 0, 255);
    EXPECT_TRUE(guide);
}

TEST_F(RenderCommand, Failures) {
    RenderRun r = render({path("missing.sta"), path("m.png")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(kMsgCannotOpen)) << r.err.toStdString();

    save();
    EXPECT_EQ(render({path("a.sta")}).exitCode, 2);
    EXPECT_EQ(
        render({path("a.sta"), path("c.png"), QStringLiteral("--screen-dpi"), QStringLiteral("0")})
            .exitCode,
        2);
    EXPECT_EQ(
        render({path("a.sta"), path("c.png"), QStringLiteral("--page"), QStringLiteral("100")})
            .exitCode,
        2);

    doc.AreaWidth = 1000000;
    doc.AreaHeight = 1000000;
    save();
    r = render({path("a.sta"), path("huge.png")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("zu groß"))) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("huge.png")));
}

// A part of the chart, or all of it scaled: the picture's size follows, and
// the boxes stand where the scale puts them.
TEST_F(RenderCommand, PartsAndScales) {
    save();
    // The whole chart is 401 × 280 pixels. The father's box fills 46 … 203
    // across and 69 … 154 down; the child's cell (1, 1) begins at 213 across
    // and 164 down, its box 82 further right (the odd row's shift).
    const QString around = QStringLiteral("--around"), radius = QStringLiteral("--radius");
    const struct {
        QStringList options;
        QSize size;
        QPoint fill;  // inside a box
        QPoint blank; // in the margin or between the boxes
    } cases[] = {
        {{QStringLiteral("--scale"), QStringLiteral("50")}, {201, 140}, {50, 50}, {15, 50}},
        {{QStringLiteral("--width-px"), QStringLiteral("802")}, {802, 560}, {200, 200}, {60, 200}},
        {{QStringLiteral("--cells"), QStringLiteral("1,1,1,1")}, {188, 96}, {87, 40}, {10, 40}},
        {{around, QStringLiteral("1"), radius, QStringLiteral("0")}, {188, 96}, {87, 40}, {10, 40}},
        {{around, QStringLiteral("0"), radius, QStringLiteral("0")},
         {213, 164},
         {100, 100},
         {30, 100}},
        {{QStringLiteral("--cells"), QStringLiteral("0,0,5,5"), QStringLiteral("--scale"),
          QStringLiteral("200")},
         {802, 560},
         {200, 200},
         {60, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.join(QLatin1Char(' ')).toStdString());
        QStringList args{path("a.sta"), path("part.png")};
        args << c.options;
        const RenderRun r = render(args);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QImage img(path("part.png"));
        EXPECT_EQ(img.size(), c.size);
        EXPECT_EQ(img.pixelColor(c.fill), QColor(0xFF, 0xFF, 0xE1));
        EXPECT_EQ(img.pixelColor(c.blank), QColor(Qt::white));
    }

    // Wrong or clashing parts are usage errors; an unknown person or cells
    // beyond the chart are refused with a message.
    for (const QStringList& wrong :
         {QStringList{QStringLiteral("--scale"), QStringLiteral("0")},
          QStringList{QStringLiteral("--scale"), QStringLiteral("50"), QStringLiteral("--width-px"),
                      QStringLiteral("100")},
          QStringList{QStringLiteral("--cells"), QStringLiteral("2,0,1,1")},
          QStringList{QStringLiteral("--around"), QStringLiteral("1")}})
        EXPECT_EQ(render(QStringList{path("a.sta"), path("w.png")} + wrong).exitCode, 2)
            << wrong.join(QLatin1Char(' ')).toStdString();
    RenderRun r = render({path("a.sta"), path("w.png"), QStringLiteral("--around"),
                          QStringLiteral("7"), QStringLiteral("--radius"), QStringLiteral("1")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Person 7"))) << r.err.toStdString();
    r = render(
        {path("a.sta"), path("w.png"), QStringLiteral("--cells"), QStringLiteral("9,9,9,9")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(QFile::exists(path("w.png")));

    // Too large a picture names the ways to a smaller one.
    doc.AreaWidth = 1000000;
    save();
    r = render({path("a.sta"), path("w.png")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--scale"))) << r.err.toStdString();
    r = render(
        {path("a.sta"), path("w.png"), QStringLiteral("--cells"), QStringLiteral("0,0,1,1")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
}
