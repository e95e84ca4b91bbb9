// Pictures at the size they are needed: reduced decoding, one copy per file,
// the memory budget, the disk cache, upright photographs, the reader's
// allocation limit and one image per picture in a PDF.
#include "chart/ChartPainter.h"
#include "chart/PersonBox.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "picture/DibImage.h"
#include "picture/PictureDecode.h"
#include "picture/ThumbnailStore.h"
#include "platform/Dialogs.h"
#include "platform/DocText.h"
#include "platform/RecordingCanvas.h"
#include "print/PdfPrintJob.h"
#include "print/PictureReadAhead.h"
#include "print/PrintCommand.h"
#include "tests/TestPersons.h"
#include "tests/TestPictures.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lw;

namespace {

const QSize kScreenArea{75, 81}; // the default box's picture area

PictureNeed screen(QSize area = kScreenArea) {
    return {area.width(), area.height(), 0};
}

// A picture of random pixels, so that every pixel counts.
QImage noise(int w, int h, quint32 seed = 1) {
    QImage image(w, h, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, random.generate() | 0xFF000000u);
    return image;
}

bool sameRecords(const TDibRecord& a, const TDibRecord& b) {
    return a.width() == b.width() && a.height() == b.height() && a.bitCount() == b.bitCount() &&
           std::equal(a.bits, a.bits + std::size_t(a.stride) * a.height(), b.bits);
}

class PictureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        liveBefore = liveDibCount();
        store.setThumbnails(ThumbnailStore(QString())); // nothing kept on disk
    }
    void TearDown() override {
        doc.ClearAll();
        store.clear();
        EXPECT_EQ(liveDibCount(), liveBefore) << "a picture leaked";
    }

    QString save(const QImage& image, const QString& name, const char* format = nullptr,
                 int quality = -1) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path, format, quality));
        return path;
    }
    int add(std::int32_t col, const QString& picture) {
        TPerson p = test::personAt(col, 0);
        p.Bild = toDocText(picture);
        return doc.addPerson(p);
    }
    // The arrange view's painting of the whole chart, as the window and
    // render paint it without a background reader.
    RecordingCanvas paint(int pictureScale = 1) {
        RecordingCanvas canvas;
        ChartMargins margins;
        ChartPaintInput in{&doc, &box, 96, {}, nullptr, nullptr};
        in.pictureScale = pictureScale;
        in.store = &store;
        PaintBox1Paint(canvas, in, margins, {0, 0, 1 << 20, 1 << 20});
        return canvas;
    }

    QTemporaryDir dir;
    TDibRecord shown(int person) const { return test::shownDib(store, doc, person); }

    PictureStore store;
    Document doc;
    BoxLayout box;
    long liveBefore = 0;
};

} // namespace

TEST(PictureSize, ReducedNeverBelowTheDrawnSizeAndSmallPicturesKeptWhole) {
    struct Case {
        QSize source;
        PictureNeed need;
        QSize decoded;
    };
    const Case cases[] = {
        {{4000, 3000}, screen(), {75, 56}},          // camera photo: the drawn size
        {{3000, 4000}, screen(), {60, 81}},          // upright: fills the height
        {{150, 162}, screen(), {150, 162}},          // twice the drawn size: every pixel
        {{151, 163}, screen(), {75, 80}},            // just above: reduced
        {{1000, 60}, screen(), {75, 4}},             // flat: reduced in both directions
        {{140, 10}, screen(), {140, 10}},            // not twice as wide as drawn: whole
        {{40, 40}, screen({-2, 81}), {1, 1}},        // no room: the smallest picture
        {{4000, 3000}, {482, 361, 600}, {241, 180}}, // paper at 600 dpi: 300 ppi
        {{100, 50}, {482, 361, 600}, {100, 50}},     // smaller than 300 ppi: its own size
        {{4000, 3000}, {300, 225, 300}, {300, 225}}, // paper at 300 dpi: the printed size
    };
    for (const Case& c : cases) {
        const QSize decoded = decodedSize(c.source, c.need);
        EXPECT_EQ(decoded, c.decoded) << c.source.width() << "x" << c.source.height();
        if (c.need.devicePpi == 0) {
            // Never below what the box draws from it.
            const QSize drawn = fittedSize(decoded, c.need.areaWidth, c.need.areaHeight);
            EXPECT_GE(decoded.width(), drawn.width());
            EXPECT_GE(decoded.height(), drawn.height());
            EXPECT_EQ(fittedSize(c.source, c.need.areaWidth, c.need.areaHeight),
                      fittedSize(decoded, c.need.areaWidth, c.need.areaHeight)
                          .boundedTo(fittedSize(c.source, c.need.areaWidth, c.need.areaHeight)));
        }
    }
}

TEST_F(PictureTest, LargeJpegIsDecodedAtTheDrawnSizeAndSmallPicturesPixelExact) {
    const QString photo = save(noise(1600, 1200), "photo.jpg", "JPEG", 90);
    const DecodedPicture large = decodePicture({photo, screen()}, nullptr, nullptr);
    ASSERT_TRUE(large.picture);
    EXPECT_EQ(large.picture->dib().width(), 75);
    EXPECT_EQ(large.picture->dib().height(), 56);
    EXPECT_EQ(large.picture->sourceSize(), QSize(1600, 1200));

    // Up to twice the drawn size the pixels are those of the whole file.
    const QString small = save(noise(150, 162), "small.png");
    const DecodedPicture kept = decodePicture({small, screen()}, nullptr, nullptr);
    TDibRecord whole;
    ASSERT_TRUE(OpenDib(whole, toDocText(small), 0, nullptr));
    ASSERT_TRUE(kept.picture);
    EXPECT_TRUE(sameRecords(kept.picture->dib(), whole));
    deldib(whole);

    // A reduced picture with a colour table keeps its colours (and so stays
    // lossless on paper).
    QImage drawing(1200, 1200, QImage::Format_Indexed8);
    drawing.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(200, 0, 0)});
    drawing.fill(1);
    for (int y = 0; y < 1200; ++y)
        drawing.setPixel(y, y, 2);
    const DecodedPicture paper =
        decodePicture({save(drawing, "plan.png"), {200, 200, 600}}, nullptr, nullptr);
    ASSERT_TRUE(paper.picture);
    EXPECT_EQ(paper.picture->dib().width(), 100);
    EXPECT_EQ(paper.picture->dib().bitCount(), 8);

    // The box draws the reduced photo one to one, the small picture as
    // always: 81 rows from 162.
    add(0, photo);
    add(1, small);
    const RecordingCanvas canvas = paint();
    std::vector<int> rowWidths;
    for (const auto& row : canvas.callsOf<SetDIBitsToDeviceCall>())
        rowWidths.push_back(row.w);
    EXPECT_EQ(std::count(rowWidths.begin(), rowWidths.end(), 75), 56 + 81);
}

TEST_F(PictureTest, PersonsNamingOneFileShareOneDecodedCopy) {
    const QString oma = save(noise(300, 300), "oma.png");
    const QString opa = save(noise(300, 300, 2), "opa.png");
    add(0, oma);
    add(1, opa);
    add(2, oma);
    paint();
    ASSERT_FALSE(shown(0).empty());
    EXPECT_EQ(shown(0).bits, shown(2).bits);
    EXPECT_NE(shown(0).bits, shown(1).bits);
    EXPECT_EQ(liveDibCount(), liveBefore + 2);

    // Letting one person go keeps the picture for the other.
    doc.deletePerson(0);
    paint();
    EXPECT_FALSE(shown(1).empty());
    EXPECT_EQ(liveDibCount(), liveBefore + 2);
}

// The painting reads the tree and keeps what it decodes in the store: a
// second painting of the same (const) tree finds every picture there.
TEST_F(PictureTest, PaintingAConstTreeTwiceWithOneStoreDecodesEachFileOnce) {
    const QString oma = save(noise(300, 300), "oma.png");
    add(0, oma);
    add(1, save(noise(300, 300, 2), "opa.png"));
    add(2, oma);
    const Document& tree = doc;
    ChartPaintInput in{&tree, &box, 96, {}, nullptr, nullptr};
    in.store = &store;
    std::vector<const void*> bits;
    for (int painting = 0; painting < 2; ++painting) {
        RecordingCanvas canvas;
        ChartMargins margins;
        PaintBox1Paint(canvas, in, margins, {0, 0, 1 << 20, 1 << 20});
        EXPECT_EQ(canvas.countOf<SetDIBitsToDeviceCall>(), 3 * 75) << painting; // rows
        bits.push_back(shown(0).bits);
        bits.push_back(shown(1).bits);
    }
    EXPECT_EQ(bits[0], bits[2]);
    EXPECT_EQ(bits[1], bits[3]);
    EXPECT_EQ(liveDibCount(), liveBefore + 2);
    EXPECT_EQ(store.cache().size(), 2u);
}

TEST_F(PictureTest, MemoryBudgetDropsTheLeastRecentlyUsedAndReadsThemAgain) {
    const int a = add(0, save(noise(300, 300), "a.png"));
    const int b = add(1, save(noise(300, 300, 2), "b.png"));
    paint();
    const std::size_t one = test::shownPicture(store, doc, a)->bytes();
    ASSERT_EQ(store.cache().bytes(), 2 * one);

    store.setBudget(one); // a was used first
    EXPECT_TRUE(shown(a).empty());
    EXPECT_FALSE(shown(b).empty());
    EXPECT_EQ(liveDibCount(), liveBefore + 1);

    // Drawing a's box reads a again and, within the budget, drops b.
    RecordingCanvas canvas;
    PersonBoxPainter(doc, store, box, ChartGrid(box.BreitEd, box.HochEd, {}), nullptr, nullptr)
        .DrawPersonBox(canvas, 0, 0, a);
    EXPECT_FALSE(shown(a).empty());
    EXPECT_TRUE(shown(b).empty());
    EXPECT_LE(store.cache().bytes(), one);
    EXPECT_EQ(liveDibCount(), liveBefore + 1);
}

TEST_F(PictureTest, DiskCacheIsUsedTheSecondTimeAndNoticesAChangedFile) {
    QTemporaryDir cache;
    const ThumbnailStore store(cache.path());
    const QString path = dir.filePath("foto.jpg");
    ASSERT_TRUE(noise(900, 600).save(path, "JPEG", 90));
    const PictureRequest request{path, screen()};

    const DecodedPicture first = decodePicture(request, &store, nullptr);
    const DecodedPicture second = decodePicture(request, &store, nullptr);
    ASSERT_TRUE(first.picture && second.picture);
    EXPECT_FALSE(first.fromThumbnail);
    EXPECT_TRUE(second.fromThumbnail);
    EXPECT_TRUE(sameRecords(first.picture->dib(), second.picture->dib()));
    EXPECT_EQ(second.picture->sourceSize(), QSize(900, 600));

    // Another picture under the same name: read anew, and kept anew.
    QImage red(600, 900, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(path, "JPEG", 90));
    const DecodedPicture changed = decodePicture(request, &store, nullptr);
    ASSERT_TRUE(changed.picture);
    EXPECT_FALSE(changed.fromThumbnail);
    EXPECT_EQ(changed.picture->sourceSize(), QSize(600, 900));
    EXPECT_TRUE(decodePicture(request, &store, nullptr).fromThumbnail);

    // A damaged cache file counts as absent.
    QFile kept(store.fileFor(request));
    ASSERT_TRUE(kept.resize(kept.size() - 7));
    const DecodedPicture afterDamage = decodePicture(request, &store, nullptr);
    ASSERT_TRUE(afterDamage.picture);
    EXPECT_FALSE(afterDamage.fromThumbnail);
}

TEST_F(PictureTest, SidewaysPhotoIsTurnedUprightOnScreenAndOnPaper) {
    // Stored 80 × 40, left half red, right half blue, with the camera's note
    // "turn a quarter clockwise to view" (EXIF orientation 6).
    QImage stored(80, 40, QImage::Format_RGB32);
    stored.fill(Qt::blue);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            stored.setPixel(x, y, qRgb(255, 0, 0));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(stored.save(&buffer, "JPEG", 95));
    const char exif[] = "\xFF\xE1\x00\x22"
                        "Exif\x00\x00"
                        "MM\x00\x2A\x00\x00\x00\x08"
                        "\x00\x01"
                        "\x01\x12\x00\x03\x00\x00\x00\x01\x00\x06\x00\x00"
                        "\x00\x00\x00\x00";
    jpeg.insert(2, QByteArray(exif, sizeof(exif) - 1));
    const QString path = dir.filePath("seitlich.jpg");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(jpeg);
    file.close();

    for (const PictureNeed need :
         {screen({100, 100}), screen({10, 10}), PictureNeed{40, 80, 600}}) {
        const DecodedPicture d = decodePicture({path, need}, nullptr, nullptr);
        ASSERT_TRUE(d.picture);
        EXPECT_EQ(d.picture->sourceSize(), QSize(40, 80));
        const QImage upright = dibToImage(d.picture->dib());
        ASSERT_GT(upright.height(), upright.width()) << need.areaWidth;
        EXPECT_GT(qRed(upright.pixel(upright.width() / 2, 1)), 200); // top red
        EXPECT_GT(qBlue(upright.pixel(upright.width() / 2, upright.height() - 2)), 200);
    }
}

TEST_F(PictureTest, LargePicturesAreNotLostButGiantClaimsAreRefused) {
    // 5800 × 5800 is above the reader's own default of 128 MB at 32 bits.
    QImage big(5800, 5800, QImage::Format_RGB32);
    big.fill(qRgb(10, 200, 30));
    const QString path = save(big, "scan.bmp");
    big = QImage();
    const DecodedPicture d = decodePicture({path, screen()}, nullptr, nullptr);
    ASSERT_TRUE(d.picture);
    EXPECT_EQ(d.picture->dib().width(), 75);
    EXPECT_EQ(d.picture->sourceSize(), QSize(5800, 5800));

    // A few bytes claiming 30000 × 30000 pixels are refused before reading.
    QByteArray bmp(54, '\0');
    auto put32 = [&bmp](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bmp[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, 54 + 16);
    put32(10, 54);
    put32(14, 40);
    put32(18, 30000);
    put32(22, 30000);
    bmp[26] = 1;
    bmp[28] = 24;
    bmp.append(16, '\x7f');
    QFile giant(dir.filePath("giant.bmp"));
    ASSERT_TRUE(giant.open(QIODevice::WriteOnly));
    giant.write(bmp);
    giant.close();
    EXPECT_FALSE(decodePicture({giant.fileName(), screen()}, nullptr, nullptr).picture);
}

TEST_F(PictureTest, PictureAcrossTwoSheetsIsOneImageObjectAtMost300Ppi) {
    // A box at the right edge of the first sheet: its picture reaches into
    // the second.
    add(0, save(noise(1600, 1200), "photo.jpg", "JPEG", 90));
    const QString pdf = dir.filePath("chart.pdf");
    AnsweringDialogs dialogs;
    ChartMargins margins;
    {
        PdfPrintJob job(pdf, PrinterFacts{600, 600, 700, 2000});
        const PrintOutcome outcome =
            printChart(job, PrintContext{doc, box, margins, 96, dialogs, nullptr});
        ASSERT_EQ(outcome.status, PrintStatus::Printed);
        ASSERT_GE(outcome.sheets, 2);
    }
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes.count("/Subtype /Image"), 1);
    // 482 printer pixels at 600 dpi wide: 241 pixels of picture.
    EXPECT_TRUE(bytes.contains("/Width 241")) << "image not at 300 ppi";
}

// A print job's pictures read ahead: each is handed over once, whichever is
// asked for first; a file that cannot be read is a known failure; pictures
// never asked for are dropped cleanly when the job ends early.
TEST_F(PictureTest, ReadAheadHandsEachPictureOverOnceInAnyOrder) {
    const PictureNeed need{200, 200, 96};
    const std::vector<PictureRequest> requests = {{save(noise(120, 90), "a.png"), need},
                                                  {dir.filePath(QStringLiteral("fehlt.png")), need},
                                                  {save(noise(60, 40, 2), "b.png"), need},
                                                  {save(noise(30, 30, 3), "c.png"), need}};
    {
        PictureReadAhead ahead;
        ahead.start(requests, nullptr);
        const std::optional<DecodedPicture> b = ahead.take(requests[2]);
        ASSERT_TRUE(b && b->picture);
        EXPECT_EQ(b->picture->dib().width(), 60);
        const std::optional<DecodedPicture> missing = ahead.take(requests[1]);
        ASSERT_TRUE(missing);
        EXPECT_FALSE(missing->picture);
        EXPECT_FALSE(ahead.take(requests[2])); // handed over before
        EXPECT_FALSE(ahead.take({dir.filePath(QStringLiteral("x.png")), need})); // never asked
        const std::optional<DecodedPicture> a = ahead.take(requests[0]);
        ASSERT_TRUE(a && a->picture);
        EXPECT_EQ(a->picture->dib().height(), 90);
    } // c was never taken
    EXPECT_EQ(liveDibCount(), liveBefore);
}

// The disk cache keeps within its budget: the least recently used pictures
// go first, and reading a kept picture makes it recent.
TEST_F(PictureTest, DiskCacheDropsTheLeastRecentlyUsedBeyondItsBudget) {
    QTemporaryDir cache;
    const ThumbnailStore store(cache.path());
    std::vector<PictureRequest> requests;
    for (int i = 0; i < 4; ++i) {
        requests.push_back({save(noise(200, 150, i), QStringLiteral("f%1.png").arg(i)), screen()});
        ASSERT_TRUE(decodePicture(requests.back(), &store, nullptr).picture);
        // Made one after another, an hour apart.
        QFile kept(store.fileFor(requests.back()));
        ASSERT_TRUE(kept.open(QIODevice::ReadWrite));
        kept.setFileTime(QDateTime::currentDateTimeUtc().addSecs(3600 * (i - 4)),
                         QFileDevice::FileModificationTime);
    }
    const qint64 one = QFileInfo(store.fileFor(requests[0])).size();
    EXPECT_TRUE(decodePicture(requests[0], &store, nullptr).fromThumbnail); // the oldest, used
    store.prune(2 * one);
    const std::vector<bool> keptNow = {
        QFile::exists(store.fileFor(requests[0])), QFile::exists(store.fileFor(requests[1])),
        QFile::exists(store.fileFor(requests[2])), QFile::exists(store.fileFor(requests[3]))};
    EXPECT_EQ(keptNow, (std::vector<bool>{true, false, false, true}));
}

// A view zoomed in reads pictures at two or four times the box's size, so
// they stay sharp; back at 100 % the box has its own size again.
TEST_F(PictureTest, ZoomedInViewsReadPicturesLarger) {
    const int person = add(0, save(noise(1600, 1200), "gross.png"));
    std::vector<int> widths;
    for (int zoom : {100, 150, 400, 100}) {
        paint(pictureScaleFor(zoom));
        const RecordingCanvas drawn = paint(pictureScaleFor(zoom)); // now with its picture
        ASSERT_FALSE(shown(person).empty()) << zoom;
        widths.push_back(shown(person).width());
        // Zoomed in, the whole larger picture goes to the canvas in one piece.
        const std::vector<StretchDIBitsCall> whole = drawn.callsOf<StretchDIBitsCall>();
        EXPECT_EQ(whole.size() == 1 && whole[0].srcW == widths.back(), zoom > 100) << zoom;
    }
    EXPECT_LT(widths[0], 400); // reduced for the box
    EXPECT_NEAR(widths[1], 2 * widths[0], 2);
    EXPECT_NEAR(widths[2], 4 * widths[0], 4);
    EXPECT_EQ(widths[3], widths[0]);
}
