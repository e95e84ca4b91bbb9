#include "picture/Dib.h"
#include "picture/DibImage.h"
#include "platform/DocText.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

using namespace lw;

namespace {

class RecordingProgress : public ProgressSink {
  public:
    void postProgress(int percent) override { reports.push_back(percent); }
    std::vector<int> reports;
};

// Opens `path` (a QString path) the way the program does, with the name as
// Windows-1252 bytes.
TDibRecord open(const QString& path, ProgressSink* progress = nullptr) {
    TDibRecord dib;
    OpenDib(dib, toDocText(path), 0, progress);
    return dib;
}

// The three bytes B, G, R of pixel x in stored row y.
std::vector<int> bgrAt(const TDibRecord& dib, int x, int y) {
    const std::uint8_t* p = dib.bits + std::size_t(y) * dib.stride + 3 * x;
    return {p[0], p[1], p[2]};
}

class DibFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        liveBefore = liveDibCount();
    }
    void TearDown() override { EXPECT_EQ(liveDibCount(), liveBefore) << "a picture leaked"; }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    long liveBefore = 0;
};

TEST_F(DibFiles, PngLoadsAsBottomUp24BitBgrWithPaddedRows) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(10, 20, 30)); // top row
    image.setPixel(1, 0, qRgb(40, 50, 60));
    image.setPixel(2, 0, qRgb(70, 80, 90));
    image.setPixel(0, 1, qRgb(200, 210, 220)); // bottom row
    image.setPixel(1, 1, qRgb(1, 2, 3));
    image.setPixel(2, 1, qRgb(250, 251, 252));
    ASSERT_TRUE(image.save(path("a.png")));

    RecordingProgress progress;
    TDibRecord dib = open(path("a.png"), &progress);
    ASSERT_FALSE(dib.empty());
    EXPECT_EQ(dib.width(), 3);
    EXPECT_EQ(dib.height(), 2);
    EXPECT_EQ(dib.bitCount(), 24);
    EXPECT_EQ(dib.stride, 12); // 9 bytes padded to 12
    EXPECT_EQ(liveDibCount(), liveBefore + 1);

    // Stored row 0 is the bottom row of the picture.
    EXPECT_EQ(bgrAt(dib, 0, 0), (std::vector<int>{220, 210, 200}));
    EXPECT_EQ(bgrAt(dib, 2, 0), (std::vector<int>{252, 251, 250}));
    EXPECT_EQ(bgrAt(dib, 0, 1), (std::vector<int>{30, 20, 10}));
    EXPECT_EQ(getpixel(dib, 1, 1), (40u << 16) | (50u << 8) | 60u);

    ASSERT_FALSE(progress.reports.empty());
    EXPECT_EQ(progress.reports.front(), 0);
    EXPECT_EQ(progress.reports.back(), 100);
    deldib(dib);
}

TEST_F(DibFiles, TransparentPixelsAreLaidOverWhite) {
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(1, 0, qRgba(255, 0, 0, 128));
    image.setPixel(2, 0, qRgba(0, 0, 255, 255));
    ASSERT_TRUE(image.save(path("alpha.png")));

    TDibRecord dib = open(path("alpha.png"));
    ASSERT_FALSE(dib.empty());
    EXPECT_EQ(bgrAt(dib, 0, 0), (std::vector<int>{255, 255, 255}));
    const std::vector<int> half = bgrAt(dib, 1, 0);
    EXPECT_EQ(half[2], 255);
    EXPECT_NEAR(half[1], 127, 2);
    EXPECT_NEAR(half[0], 127, 2);
    EXPECT_EQ(bgrAt(dib, 2, 0), (std::vector<int>{255, 0, 0}));
    deldib(dib);
}

// Pictures without transparency take a shorter way; it gives exactly the
// bytes of laying the same pixels, fully covering, over white.
TEST_F(DibFiles, OpaquePicturesGiveTheBytesOfTheWayOverWhite) {
    QImage noise(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb(x * 37 % 256, y * 91 % 256, (x * y * 53 + 11) % 256));
    for (QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_RGB888, QImage::Format_BGR888, QImage::Format_RGB16,
          QImage::Format_Grayscale8, QImage::Format_RGBX8888}) {
        const QImage opaque = noise.convertToFormat(format);
        ASSERT_FALSE(opaque.hasAlphaChannel()) << format;
        TDibRecord direct, overWhite;
        ASSERT_TRUE(imageToDib(opaque, direct));
        ASSERT_TRUE(imageToDib(opaque.convertToFormat(QImage::Format_ARGB32), overWhite));
        ASSERT_EQ(direct.bitCount(), 24) << format;
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(direct.bits), direct.stride * 5),
                  QByteArray(reinterpret_cast<const char*>(overWhite.bits), overWhite.stride * 5))
            << format;
        deldib(direct);
        deldib(overWhite);
    }
}

TEST_F(DibFiles, JpegLoadsApproximately) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(qRgb(220, 30, 30));
    for (int y = 8; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.setPixel(x, y, qRgb(30, 30, 220)); // bottom half blue
    ASSERT_TRUE(image.save(path("photo.jpg"), "JPEG", 95));

    TDibRecord dib = open(path("photo.jpg"));
    ASSERT_FALSE(dib.empty());
    EXPECT_EQ(dib.width(), 16);
    EXPECT_EQ(dib.height(), 16);
    EXPECT_EQ(dib.bitCount(), 24);
    const std::vector<int> bottom = bgrAt(dib, 4, 2); // stored near the start: blue
    const std::vector<int> top = bgrAt(dib, 4, 13);   // red
    EXPECT_NEAR(bottom[0], 220, 30);
    EXPECT_NEAR(bottom[2], 30, 30);
    EXPECT_NEAR(top[2], 220, 30);
    EXPECT_NEAR(top[0], 30, 30);
    deldib(dib);
}

TEST_F(DibFiles, IndexedBmpKeepsItsIndicesAndColourTable) {
    QImage image(5, 3, QImage::Format_Indexed8);
    image.setColorTable({qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(9, 8, 7)});
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            image.setPixel(x, y, uint((x + y) % 4));
    ASSERT_TRUE(image.save(path("indexed.bmp"), "BMP"));

    TDibRecord dib = open(path("indexed.bmp"));
    ASSERT_FALSE(dib.empty());
    EXPECT_EQ(dib.bitCount(), 8);
    EXPECT_EQ(dib.width(), 5);
    EXPECT_EQ(dib.height(), 3);
    EXPECT_EQ(dib.stride, 8);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(getpixel(dib, x, 2 - y), uint((x + y) % 4)) << x << "," << y;
    const RGBQUAD& c3 = dib.info->bmiColors[3];
    EXPECT_EQ((std::vector<int>{c3.rgbRed, c3.rgbGreen, c3.rgbBlue}), (std::vector<int>{9, 8, 7}));
    EXPECT_EQ(dib.info->bmiColors[2].rgbBlue, 255);
    EXPECT_EQ(dib.info->bmiColors[2].rgbRed, 0);
    deldib(dib);
}

TEST_F(DibFiles, TwoColourBmpLoadsAsOneBit) {
    QImage image(10, 2, QImage::Format_Mono);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    image.fill(0);
    image.setPixel(9, 0, 1); // top right white
    ASSERT_TRUE(image.save(path("mono.bmp"), "BMP"));

    TDibRecord dib = open(path("mono.bmp"));
    ASSERT_FALSE(dib.empty());
    EXPECT_EQ(dib.bitCount(), 1);
    EXPECT_EQ(dib.stride, 4);
    const std::uint32_t white = dib.info->bmiColors[1].rgbRed == 255 ? 1 : 0;
    EXPECT_EQ(getpixel(dib, 9, 1), white);
    EXPECT_EQ(getpixel(dib, 9, 0), 1 - white);
    EXPECT_EQ(getpixel(dib, 8, 1), 1 - white);
    deldib(dib);
}

TEST_F(DibFiles, NameWithUmlautIsRead) {
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::green);
    const QString name = path(QStringLiteral("Großmutter Käthe.png"));
    ASSERT_TRUE(image.save(name));
    TDibRecord dib = open(name);
    EXPECT_FALSE(dib.empty());
    deldib(dib);
}

TEST_F(DibFiles, UnreadableFilesLeaveTheRecordEmpty) {
    QFile corrupt(path("corrupt.png"));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write("\x89PNG\r\n\x1a\n this is not really a picture");
    corrupt.close();

    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(path("whole.jpg"), "JPEG"));
    QFile whole(path("whole.jpg"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    QFile cut(path("cut.jpg"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(20));
    cut.close();

    // A bitmap header claiming 40000 × 40000 pixels with almost no data.
    QByteArray huge(54, '\0');
    huge[0] = 'B';
    huge[1] = 'M';
    auto put32 = [&huge](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            huge[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    put32(2, 54 + 16);
    put32(10, 54);
    put32(14, 40);
    put32(18, 40000);
    put32(22, 40000);
    huge[26] = 1;
    huge[28] = 24;
    huge.append(16, '\x7f');
    QFile hugeFile(path("huge.bmp"));
    ASSERT_TRUE(hugeFile.open(QIODevice::WriteOnly));
    hugeFile.write(huge);
    hugeFile.close();

    for (const QString& name : {path("missing.png"), path("corrupt.png"), path("cut.jpg"),
                                path("huge.bmp"), dir.path()}) {
        RecordingProgress progress;
        TDibRecord dib;
        dib.stride = 99; // whatever was in the record before
        OpenDib(dib, toDocText(name), 0, &progress);
        EXPECT_TRUE(dib.empty()) << name.toStdString();
        EXPECT_EQ(dib.info, nullptr);
        ASSERT_FALSE(progress.reports.empty());
        EXPECT_EQ(progress.reports.back(), 100);
    }
    TDibRecord unnamed;
    EXPECT_FALSE(OpenDib(unnamed, "", 0, nullptr));
    EXPECT_TRUE(unnamed.empty());
}

TEST(Dib, NewdibMakesBlankPicturesWithPaddedRows) {
    const long before = liveDibCount();
    struct Case {
        int bits;
        int stride;
    };
    for (const Case c : {Case{1, 4}, Case{4, 4}, Case{8, 8}, Case{24, 16}, Case{32, 20}}) {
        TDibRecord dib;
        ASSERT_TRUE(newdib(dib, 5, 3, c.bits, nullptr, 0)) << c.bits;
        EXPECT_EQ(dib.stride, c.stride) << c.bits;
        EXPECT_EQ(dib.width(), 5);
        EXPECT_EQ(dib.height(), 3);
        EXPECT_EQ(dib.bitCount(), c.bits);
        for (int i = 0; i < dib.stride * 3; ++i)
            ASSERT_EQ(dib.bits[i], 0);
        deldib(dib);
    }
    EXPECT_EQ(liveDibCount(), before);
}

TEST(Dib, NewdibRefusesImpossibleSizes) {
    const long before = liveDibCount();
    TDibRecord dib;
    EXPECT_FALSE(newdib(dib, 0, 5, 24, nullptr, 0));
    EXPECT_TRUE(dib.empty());
    EXPECT_FALSE(newdib(dib, 5, -1, 24, nullptr, 0));
    EXPECT_FALSE(newdib(dib, 100000, 100000, 24, nullptr, 0));
    EXPECT_FALSE(newdib(dib, 2147483647, 2, 32, nullptr, 0));
    EXPECT_FALSE(newdib(dib, 5, 5, 7, nullptr, 0));
    EXPECT_TRUE(dib.empty());
    EXPECT_EQ(dib.info, nullptr);
    EXPECT_EQ(liveDibCount(), before);
}

TEST(Dib, NewdibCopiesTheGivenColourEntriesOnly) {
    BITMAPINFO colors;
    for (int i = 0; i < 256; ++i)
        colors.bmiColors[i] = RGBQUAD{std::uint8_t(i), std::uint8_t(255 - i), 7, 0};
    TDibRecord dib;
    ASSERT_TRUE(newdib(dib, 4, 4, 4, &colors, 300)); // more than 16 asked: 16 taken
    EXPECT_EQ(dib.info->bmiHeader.biClrUsed, 16u);
    EXPECT_EQ(dib.info->bmiColors[15].rgbBlue, 15);
    EXPECT_EQ(dib.info->bmiColors[15].rgbGreen, 240);
    EXPECT_EQ(dib.info->bmiColors[16].rgbRed, 0);
    deldib(dib);

    ASSERT_TRUE(newdib(dib, 4, 4, 8, &colors, 3));
    EXPECT_EQ(dib.info->bmiColors[2].rgbBlue, 2);
    EXPECT_EQ(dib.info->bmiColors[3].rgbGreen, 0);
    deldib(dib);
}

TEST(Dib, PixelsRoundTripWithoutTouchingNeighbours) {
    struct Case {
        int bits;
        std::uint32_t value;
    };
    for (const Case c : {Case{1, 1}, Case{4, 0xA}, Case{8, 0xC3}, Case{16, 0x7BCD},
                         Case{24, 0x123456}, Case{32, 0x89ABCDEF}}) {
        TDibRecord dib;
        ASSERT_TRUE(newdib(dib, 9, 3, c.bits, nullptr, 0));
        setpixel(dib, 3, 1, c.value);
        EXPECT_EQ(getpixel(dib, 3, 1), c.value) << c.bits;
        EXPECT_EQ(getpixel(dib, 2, 1), 0u) << c.bits;
        EXPECT_EQ(getpixel(dib, 4, 1), 0u) << c.bits;
        EXPECT_EQ(getpixel(dib, 3, 0), 0u) << c.bits;
        EXPECT_EQ(getpixel(dib, 3, 2), 0u) << c.bits;
        setpixel(dib, 3, 1, 0);
        EXPECT_EQ(getpixel(dib, 3, 1), 0u) << c.bits;
        // Outside the picture: nothing read or written.
        setpixel(dib, 9, 0, c.value);
        setpixel(dib, -1, 0, c.value);
        setpixel(dib, 0, 3, c.value);
        EXPECT_EQ(getpixel(dib, 9, 0), 0u);
        EXPECT_EQ(getpixel(dib, 0, -1), 0u);
        for (int i = 0; i < dib.stride * 3; ++i)
            ASSERT_EQ(dib.bits[i], 0) << c.bits << " byte " << i;
        deldib(dib);
    }
    EXPECT_EQ(getpixel(TDibRecord{}, 0, 0), 0u);
    setpixel(TDibRecord{}, 0, 0, 1); // an empty record is left alone
}

TEST(Dib, FourBitPixelsSitHighNibbleFirst) {
    TDibRecord dib;
    ASSERT_TRUE(newdib(dib, 4, 1, 4, nullptr, 0));
    setpixel(dib, 0, 0, 0x1);
    setpixel(dib, 1, 0, 0x2);
    setpixel(dib, 3, 0, 0xF);
    EXPECT_EQ(dib.bits[0], 0x12);
    EXPECT_EQ(dib.bits[1], 0x0F);
    deldib(dib);
}

TEST(Dib, DeldibFreesEachPictureOnceAndIgnoresEmptyRecords) {
    const long before = liveDibCount();
    TDibRecord a, b;
    ASSERT_TRUE(newdib(a, 3, 3, 24, nullptr, 0));
    ASSERT_TRUE(newdib(b, 3, 3, 8, nullptr, 0));
    EXPECT_EQ(liveDibCount(), before + 2);
    const TDibRecord copyOfA = a; // a copy names the same picture
    deldib(copyOfA);
    EXPECT_EQ(liveDibCount(), before + 1);
    deldib(TDibRecord{});
    EXPECT_EQ(liveDibCount(), before + 1);
    deldib(b);
    EXPECT_EQ(liveDibCount(), before);
}

TEST(Dib, OpenFilterListsDescriptionPatternPairs) {
    const std::string filter = GetDIBOpenFilter();
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t bar; (bar = filter.find('|', start)) != std::string::npos; start = bar + 1)
        parts.push_back(filter.substr(start, bar - start));
    parts.push_back(filter.substr(start));
    ASSERT_EQ(parts.size() % 2, 0u) << filter;
    EXPECT_EQ(parts[0], "Alle Bilder");
    for (const char* pattern : {"*.bmp", "*.png", "*.jpg", "*.jpeg", "*.gif"})
        EXPECT_NE(parts[1].find(pattern), std::string::npos) << pattern;
    for (std::size_t i = 1; i < parts.size(); i += 2)
        EXPECT_EQ(parts[i].rfind("*.", 0), 0u) << parts[i];
}

} // namespace
