// Picture files: any bytes go through Qt's readers into a picture of the
// library and onto a small canvas. Nothing crashes, and a picture that is
// read keeps to the size the library allows; a small file claiming a giant
// picture is refused before the memory is taken (libFuzzer's malloc limit,
// set by tools/fuzz.sh, stops the run otherwise).
#include "fuzz/FuzzCheck.h"
#include "picture/Dib.h"
#include "picture/DrawDib.h"
#include "platform/QPainterCanvas.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>

using namespace lw;

namespace {

QTemporaryDir* folder = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    folder = new QTemporaryDir(QStringLiteral("/dev/shm/lindwerk-fuzz-XXXXXX"));
    if (!folder->isValid()) folder = new QTemporaryDir();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString path = folder->filePath(QStringLiteral("bild"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    TDibRecord dib;
    const bool read = OpenDib(dib, path, 0, nullptr);
    FUZZ_CHECK(read != dib.empty());
    if (!read) return 0;
    FUZZ_CHECK(dib.width() > 0 && dib.height() > 0);
    FUZZ_CHECK(std::int64_t(dib.stride) * dib.height() <= std::int64_t(256) * 1024 * 1024);

    QImage target(48, 40, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        QPainterCanvas canvas(painter, DeviceCaps{});
        DrawDib(canvas, 3, 2, 40, 30, dib, nullptr);
        DrawDib(canvas, -5, -7, 1, 90, dib, nullptr);
    }
    deldib(dib);
    return 0;
}
