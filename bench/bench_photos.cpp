// Camera photographs: 300 distinct 4000 × 3000 JPEG files with noise (they
// compress like photographs, about 3 MB each), one per person of a tree on a
// 20 × 15 area. Measured against the JPEG library's own command-line
// decoder at 1/8 size (djpeg, when installed):
// - the window: every picture shown in the arrange view from an empty disk
//   cache, then again from the disk cache; the longest time the window did
//   not answer while they loaded; its peak memory;
// - lindwerk-cli render and print: time and peak memory; the PDF's size and
//   its image objects (pdfimages, when installed).
// The photographs are made once and kept in the bench's cache folder.
#include "app/window/MainForm.h"
#include "bench/Bench.h"
#include "chart/PersonBox.h"
#include "chart/PictureLoader.h"
#include "chart/gui/ChartView.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "document/StaFile.h"
#include "platform/Dialogs.h"
#include "platform/Win1252.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QThreadPool>
#include <QTimer>
#include <fcntl.h>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace lw::bench {

namespace {

constexpr int kPhotos = 300;
constexpr int kColumns = 20;
constexpr int kRows = 15;
constexpr int kPhotoW = 4000;
constexpr int kPhotoH = 3000;

QString photoFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/lindwerk-bench/photos");
}

QString photoPath(int i) {
    return photoFolder() + QStringLiteral("/foto%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
}

// A smooth picture of its own colours under fine noise.
void makePhoto(int i) {
    QImage image(kPhotoW, kPhotoH, QImage::Format_RGB32);
    QRandomGenerator random(quint32(1000 + i));
    const int r0 = int(random.bounded(256)), g0 = int(random.bounded(256)),
              b0 = int(random.bounded(256));
    for (int y = 0; y < kPhotoH; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kPhotoW; ++x) {
            const quint32 n = random.generate();
            auto noisy = [&](int base, int shift) {
                return std::clamp(base + int((n >> shift) & 31) - 16, 0, 255);
            };
            line[x] = qRgb(noisy((r0 + x / 16) % 256, 0), noisy((g0 + y / 12) % 256, 5),
                           noisy((b0 + (x + y) / 28) % 256, 10));
        }
    }
    image.save(photoPath(i) + QStringLiteral(".part"), "JPEG", 85);
    QFile::rename(photoPath(i) + QStringLiteral(".part"), photoPath(i));
}

void ensurePhotos() {
    QDir().mkpath(photoFolder());
    QThreadPool pool;
    int made = 0;
    for (int i = 0; i < kPhotos; ++i)
        if (!QFile::exists(photoPath(i))) {
            pool.start([i] { makePhoto(i); });
            ++made;
        }
    pool.waitForDone();
    if (made) std::printf("  made %d photographs in %s\n", made, qPrintable(photoFolder()));
}

QString writeTree() {
    Document doc = generationsChart(kPhotos, kColumns, 0, 0, [](int i, TPerson& p) {
        p.Bild = toAnsi(photoPath(i)).value_or(std::string());
    });
    doc.AreaWidth = kColumns;
    doc.AreaHeight = kRows;
    const QString tree = photoFolder() + QStringLiteral("/fotos.sta");
    QString error;
    if (!saveSta(tree, doc, BoxLayout{}, &error))
        std::printf("  cannot save the tree: %s\n", qPrintable(error));
    return tree;
}

struct Run {
    double wallMs = 0;
    double cpuMs = 0;
    long peakKb = 0;
    int status = -1;
};

// Runs a program and measures just that process.
Run runMeasured(const QString& program, const QStringList& args, const QByteArray& cacheHome = {},
                bool quiet = true) {
    Run run;
    std::fflush(stdout);
    QElapsedTimer clock;
    clock.start();
    const pid_t pid = fork();
    if (pid == 0) {
        if (!cacheHome.isEmpty()) setenv("XDG_CACHE_HOME", cacheHome.constData(), 1);
        if (quiet) dup2(open("/dev/null", O_WRONLY), 1);
        std::vector<QByteArray> bytes{program.toLocal8Bit()};
        for (const QString& a : args)
            bytes.push_back(a.toLocal8Bit());
        std::vector<char*> argv;
        for (QByteArray& b : bytes)
            argv.push_back(b.data());
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.wallMs = double(clock.nsecsElapsed()) / 1e6;
    run.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    run.peakKb = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

void yardstick() {
    if (QStandardPaths::findExecutable(QStringLiteral("djpeg")).isEmpty()) {
        std::printf("  djpeg not installed (libjpeg-turbo-progs): no yardstick\n");
        return;
    }
    Run total;
    for (const int scale : {8, 1}) {
        total = {};
        for (int i = 0; i < kPhotos; ++i) {
            const Run r = runMeasured(QStringLiteral("djpeg"),
                                      {QStringLiteral("-scale"), QStringLiteral("1/%1").arg(scale),
                                       QStringLiteral("-outfile"), QStringLiteral("/dev/null"),
                                       photoPath(i)});
            total.cpuMs += r.cpuMs;
            total.wallMs += r.wallMs;
        }
        std::printf("  yardstick djpeg -scale 1/%d of all files: %8.0f ms CPU (one core)\n", scale,
                    total.cpuMs);
    }
}

struct PdfImages {
    int objects = 0;
    int maxPpi = 0;
    bool listed = false;
};

PdfImages listImages(const QString& pdf) {
    PdfImages result;
    QProcess p;
    p.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    if (!p.waitForFinished(120000) || p.exitCode() != 0) return result;
    result.listed = true;
    std::set<int> objects;
    const QStringList lines = QString::fromLocal8Bit(p.readAllStandardOutput()).split('\n');
    for (const QString& line : lines.mid(2)) {
        const QStringList f = line.simplified().split(' ');
        if (f.size() < 14) continue;
        objects.insert(f[10].toInt());
        result.maxPpi = std::max({result.maxPpi, f[12].toInt(), f[13].toInt()});
    }
    result.objects = int(objects.size());
    return result;
}

void cliRuns(const QString& tree) {
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/lindwerk-cli");
    QTemporaryDir out;
    QTemporaryDir cache;
    const Run render = runMeasured(cli, {QStringLiteral("render"), tree, out.filePath("f.png")},
                                   cache.path().toLocal8Bit());
    std::printf("  render (empty disk cache): %8.0f ms, %6.0f ms CPU, peak %5ld MB (goal <= 400), "
                "exit %d\n",
                render.wallMs, render.cpuMs, render.peakKb / 1024, render.status);
    const QString pdf = out.filePath(QStringLiteral("f.pdf"));
    const Run print =
        runMeasured(cli, {QStringLiteral("print"), tree, pdf}, cache.path().toLocal8Bit());
    std::printf("  print:                     %8.0f ms, %6.0f ms CPU, peak %5ld MB, exit %d, "
                "PDF %.1f MB (goal <= 40)\n",
                print.wallMs, print.cpuMs, print.peakKb / 1024, print.status,
                double(QFile(pdf).size()) / (1024.0 * 1024.0));
    const PdfImages images = listImages(pdf);
    if (images.listed)
        std::printf("  PDF image objects: %d for %d picture files, highest %d ppi (goal <= 300)\n",
                    images.objects, kPhotos, images.maxPpi);
    else
        std::printf("  pdfimages not installed (poppler-utils): image objects not counted\n");
}

class BenchDialogs : public AnsweringDialogs {
  public:
    explicit BenchDialogs(QString tree) : tree_(std::move(tree)) {}
    int messageBox(const QString&, const QString&, unsigned) override { return IDNO; }
    QString openFileName(const FileDialogRequest&) override { return tree_; }

  private:
    QString tree_;
};

long peakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Opening {
    double openMs = 0;    // reading the file and the first painting of all boxes
    double shownMs = 0;   // until every box shows its picture
    double longestMs = 0; // the longest the event loop did not answer meanwhile
    double paintMs = 0;   // the longest painting of the arrange view meanwhile
};

// Measures the paintings of a widget.
class PaintClock : public QObject {
  public:
    double longestMs = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint) return false;
        QElapsedTimer clock;
        clock.start();
        watched->removeEventFilter(this);
        QCoreApplication::sendEvent(watched, event);
        watched->installEventFilter(this);
        longestMs = std::max(longestMs, double(clock.nsecsElapsed()) / 1e6);
        return true;
    }
};

// Opens the tree in the window and waits until every box shows its picture,
// while a timer asks every 5 ms whether the window answers.
Opening openAndWait(TMainForm& form) {
    Opening o;
    QElapsedTimer clock, sinceTick;
    clock.start();
    form.OpenItNow();
    form.arrangeView()->viewport()->repaint();
    // The view paints once more when the new tree's margins differ.
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    o.openMs = double(clock.nsecsElapsed()) / 1e6;
    QTimer probe;
    probe.setInterval(5);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        o.longestMs = std::max(o.longestMs, double(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
    });
    PaintClock paints;
    form.arrangeView()->viewport()->installEventFilter(&paints);
    sinceTick.start();
    probe.start();
    auto allShown = [&] {
        for (const TPerson& p : form.document().Persons())
            if (!form.pictures().shown(pictureFileName(p.Bild, form.document().FileName)))
                return false;
        return true;
    };
    while (!allShown() && clock.elapsed() < 600000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    o.shownMs = double(clock.nsecsElapsed()) / 1e6;
    form.arrangeView()->viewport()->removeEventFilter(&paints);
    o.paintMs = paints.longestMs;
    return o;
}

} // namespace

int photosWindow(const QString& tree) {
    BenchDialogs dialogs(tree);
    TMainForm form(dialogs);
    form.resize(3500, 1700); // the whole chart in view
    form.show();
    form.PageControl1()->setCurrentIndex(1);
    QCoreApplication::processEvents();
    const Opening first = openAndWait(form);
    std::printf("  window, empty disk cache: all shown in %8.0f ms (%d threads); opening and "
                "first painting %.0f ms, then the longest stall %.0f ms (goal <= 50), the longest "
                "painting %.0f ms\n",
                first.shownMs, form.pictureLoader().threads(), first.openMs, first.longestMs,
                first.paintMs);
    form.Neu1Click();
    const Opening second = openAndWait(form);
    std::printf("  window, second opening:   all shown in %8.0f ms (goal <= 500); opening and "
                "first painting %.0f ms, then the longest stall %.0f ms\n",
                second.shownMs, second.openMs, second.longestMs);
    std::printf("  window peak memory: %ld MB (goal <= 400)\n", peakKb() / 1024);
    return 0;
}

void benchPhotos() {
    double load[3] = {0, 0, 0};
    getloadavg(load, 3);
    std::printf("photos (load average %.1f on %d cores):\n", load[0], QThread::idealThreadCount());
    std::printf("photos: %d persons on a %d x %d area, each with its own %d x %d JPEG\n", kPhotos,
                kColumns, kRows, kPhotoW, kPhotoH);
    ensurePhotos();
    const QString tree = writeTree();
    yardstick();
    QTemporaryDir cache;
    const Run window =
        runMeasured(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("photos-window"), tree}, cache.path().toLocal8Bit(), false);
    std::printf("  window process: %8.0f ms, %6.0f ms CPU\n", window.wallMs, window.cpuMs);
    cliRuns(tree);
}

} // namespace lw::bench
