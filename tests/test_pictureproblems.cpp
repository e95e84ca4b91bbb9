// Pictures that cannot be shown as they are: read reduced when the decoder
// can, otherwise told in German (once per file), and the decoders' own
// English warnings kept from the user.
#include "document/StaFile.h"
#include "picture/DibImage.h"
#include "picture/PictureDecode.h"
#include "picture/PictureProblems.h"
#include "platform/DocText.h"
#include "tests/CliProcess.h"
#include "tests/TestPersons.h"

#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lw;

namespace {

constexpr std::int64_t kOneMb = 1024 * 1024;

QImage stripes(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, (x / 16 + y / 16) % 2 ? qRgb(200, 30, 30) : qRgb(20, 20, 220));
    return image;
}

QString saved(const QTemporaryDir& dir, const QImage& image, const char* name) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    EXPECT_TRUE(image.save(path, nullptr, 90)) << name;
    return path;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

int messagesSeen = 0;
void countMessages(QtMsgType, const QMessageLogContext&, const QString&) {
    ++messagesSeen;
}

} // namespace

TEST(PictureProblems, PicturesOverTheLimitAreReadReducedOrRefusedWithTheReason) {
    // 1200 × 1000 pixels take 4.8 MB at 32 bits: above a 1 MB limit, which
    // the reader's own allocation limit follows, so only a reduced decoding
    // can read them.
    QTemporaryDir dir;
    const QImage big = stripes(1200, 1000);
    struct Case {
        QString path;
        bool read;
    } cases[] = {
        {saved(dir, big, "kamera.jpg"), true},
        {saved(dir, big, "scan.png"), false},
        {saved(dir, big, "scan.bmp"), false},
    };
    for (const Case& c : cases) {
        forgetPictureProblems();
        const DecodedPicture d = decodePicture({c.path, {75, 81, 0}}, nullptr, nullptr, kOneMb);
        EXPECT_EQ(d.picture != nullptr, c.read) << c.path.toStdString();
        const QStringList told = pictureProblems();
        if (c.read) {
            ASSERT_TRUE(d.picture);
            EXPECT_EQ(d.picture->sourceSize(), QSize(1200, 1000));
            EXPECT_EQ(d.picture->dib().width(), 75);
            const QImage shown = dibToImage(d.picture->dib());
            EXPECT_GT(qRed(shown.pixel(1, 1)) + qBlue(shown.pixel(1, 1)), 150); // not blank
            EXPECT_TRUE(told.isEmpty()) << told.join(u'\n').toStdString();
        } else {
            ASSERT_EQ(told.size(), 1);
            EXPECT_TRUE(told[0].contains(QStringLiteral("1200 × 1000 Pixeln zu groß")))
                << told[0].toStdString();
            EXPECT_TRUE(told[0].contains(c.path)) << told[0].toStdString();
        }
    }
    // Paper at 600 pixels per inch asks for more than the limit holds: the
    // JPEG is still read, as large as the limit allows.
    forgetPictureProblems();
    const DecodedPicture paper =
        decodePicture({cases[0].path, {4000, 4000, 300}}, nullptr, nullptr, kOneMb);
    ASSERT_TRUE(paper.picture);
    EXPECT_LE(std::int64_t(paper.picture->dib().width()) * paper.picture->dib().height() * 4,
              kOneMb);
    EXPECT_TRUE(pictureProblems().isEmpty());
}

TEST(PictureProblems, MissingUnreadableAndDamagedFilesAreToldOnceInGermanAndQuietly) {
    QTemporaryDir dir;
    const QString photo = saved(dir, stripes(640, 480), "foto.jpg");
    const QByteArray whole = bytesOf(photo);
    const QString cut = dir.filePath(QStringLiteral("abgeschnitten.jpg"));
    writeBytes(cut, whole.left(whole.size() / 2));
    const QString text = dir.filePath(QStringLiteral("brief.jpg"));
    writeBytes(text, "Lieber Onkel, anbei das Bild.\n");
    const QString gone = dir.filePath(QStringLiteral("weg.jpg"));
    // Stray bytes after the start marker lose no pixel: not damaged.
    const QString stray = dir.filePath(QStringLiteral("kamera.jpg"));
    writeBytes(stray, whole.left(2) + QByteArray(3, '\x55') + whole.mid(2));

    forgetPictureProblems();
    QStringList sunk;
    setPictureProblemSink([&sunk](const QString& notice) { sunk << notice; });
    messagesSeen = 0;
    qInstallMessageHandler(countMessages); // whatever reaches the user
    struct Case {
        QString path;
        bool shown;
        const char* notice;
    } cases[] = {
        {gone, false, "fehlt"},
        {dir.path(), false, "ist keine gewöhnliche Datei"},
        {text, false, "kann nicht gelesen werden"},
        {cut, true, "ist beschädigt; gezeigt wird, was davon lesbar ist"},
        {photo, true, nullptr},
        {stray, true, nullptr},
    };
    for (const Case& c : cases)
        for (int twice = 0; twice < 2; ++twice) {
            const DecodedPicture d = decodePicture({c.path, {75, 81, 0}}, nullptr, nullptr);
            EXPECT_EQ(d.picture != nullptr, c.shown) << c.path.toStdString();
        }
    EXPECT_EQ(messagesSeen, 0) << "a decoder warning reached the user";
    qWarning("nach dem Lesen"); // other messages still reach the handler
    EXPECT_EQ(messagesSeen, 1);
    qInstallMessageHandler(nullptr);
    setPictureProblemSink(nullptr);

    const QStringList told = pictureProblems();
    EXPECT_EQ(sunk, told);
    ASSERT_EQ(told.size(), 4) << told.join(u'\n').toStdString(); // each once
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(told[i].contains(cases[i].path)) << told[i].toStdString();
        EXPECT_TRUE(told[i].contains(QString::fromUtf8(cases[i].notice))) << told[i].toStdString();
    }
}

TEST(PictureProblems, RenderAndPrintNameEveryPictureTheyCannotShowOnStderr) {
    QTemporaryDir dir;
    Document doc;
    const QString gone = dir.filePath(QStringLiteral("verschollen.jpg"));
    const QString text = dir.filePath(QStringLiteral("kein-bild.png"));
    writeBytes(text, "nur Text");
    for (const QString& picture : {gone, text}) {
        TPerson p = test::personAt(doc.PersonCount(), 0);
        p.Bild = toDocText(picture);
        doc.addPerson(p);
    }
    doc.AreaWidth = 2;
    doc.AreaHeight = 1;
    const QString tree = dir.filePath(QStringLiteral("a.sta"));
    writeBytes(tree, serializeSta(doc, BoxLayout{}));
    for (const QStringList& args :
         {QStringList{QStringLiteral("render"), tree, dir.filePath(QStringLiteral("a.png"))},
          QStringList{QStringLiteral("print"), tree, dir.filePath(QStringLiteral("a.pdf"))}}) {
        const test::CliResult r = test::runCli(args);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(
            r.err.count(QStringLiteral("Warnung: Das Bild „") + gone + QStringLiteral("“ fehlt")),
            1)
            << args[0].toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(r.err.count(QStringLiteral("Warnung: Das Bild „") + text +
                              QStringLiteral("“ kann nicht gelesen werden")),
                  1)
            << args[0].toStdString() << ": " << r.err.toStdString();
    }
}
