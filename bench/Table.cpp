// The table of `lindwerk-bench all` and the rows measured here: open and
// save, dump, the chart viewport, print and render, each as the user runs it.
#include "bench/Table.h"

#include "bench/Bench.h"
#include "chart/ChartPainter.h"
#include "document/StaFile.h"
#include "platform/QPainterCanvas.h"
#include "platform/TextShapes.h"
#include "platform/Win1252.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <sys/resource.h>
#include <vector>

namespace lw::bench {

QString cliProgram() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/lindwerk-cli");
}

QString scratchFolder() {
    static QTemporaryDir dir;
    return dir.path();
}

namespace {

double childrenCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

} // namespace

double processMs(const QString& program, const QStringList& args, int runs, double* cpuMs) {
    std::vector<double> times, cpu;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.setStandardErrorFile(QProcess::nullDevice());
        const double cpuBefore = childrenCpuMs();
        QElapsedTimer t;
        t.start();
        p.start(program, args);
        if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit ||
            p.exitCode() != 0)
            return -1;
        times.push_back(double(t.nsecsElapsed()) / 1e6);
        cpu.push_back(childrenCpuMs() - cpuBefore);
    }
    if (cpuMs) *cpuMs = median(cpu);
    return median(times);
}

namespace {

// ---- the trees the rows work on ---------------------------------------------

std::string randomText(std::mt19937& rng) {
    std::string s(10 + rng() % 11, ' ');
    for (char& c : s)
        c = char('a' + rng() % 26);
    return s;
}

// 100,000 persons with texts and biographies on a 400 × 400 area (15 MB).
QString bigTreeFile() {
    static QString path;
    if (!path.isEmpty()) return path;
    std::mt19937 rng(42);
    Document doc;
    doc.AreaWidth = doc.AreaHeight = 400;
    std::vector<TPerson> persons(100000);
    for (int i = 0; i < 100000; ++i) {
        TPerson& p = persons[size_t(i)];
        p.NachName = randomText(rng);
        p.VorName = randomText(rng);
        p.GebDate = randomText(rng);
        p.StDate = randomText(rng);
        p.Bild = randomText(rng);
        p.Vater = i > 0 ? int(rng() % unsigned(i)) : -1;
        p.Mutter = i > 0 ? int(rng() % unsigned(i)) : -1;
        p.Leben = {randomText(rng), randomText(rng), randomText(rng)};
        p.GridX = i % 400;
        p.GridY = i / 400;
    }
    doc.adoptPersons(std::move(persons));
    path = scratchFolder() + QStringLiteral("/gross.sta");
    if (!saveSta(path, doc, BoxLayout{}, nullptr))
        std::printf("cannot write %s\n", qPrintable(path));
    return path;
}

// 5,000 persons on a 100 × 60 area, parents one row up, 300 pictures of
// 320 × 240 pixels.
QString picturedTreeFile() {
    static QString path;
    if (!path.isEmpty()) return path;
    const QString dir = scratchFolder();
    QImage photo(320, 240, QImage::Format_RGB32);
    int pictures = 0;
    Document doc = generationsChart(5000, 100, 0, 0, [&](int i, TPerson& p) {
        if (i % 16 != 0 || pictures == 300) return;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                photo.setPixel(x, y, qRgb((x + i) % 256, y, (i * 7) % 256));
        const QString file = dir + QStringLiteral("/bild%1.png").arg(pictures++);
        photo.save(file);
        p.Bild = toAnsi(file).value_or(std::string());
    });
    doc.AreaWidth = 100;
    doc.AreaHeight = 60;
    path = dir + QStringLiteral("/bilder.sta");
    if (!saveSta(path, doc, BoxLayout{}, nullptr))
        std::printf("cannot write %s\n", qPrintable(path));
    return path;
}

// ---- the rows ------------------------------------------------------------------

QString cpuNote(double cpu, double yardstickCpu) {
    return QStringLiteral("cpu %1 ms against %2 ms")
        .arg(cpu, 0, 'f', 0)
        .arg(yardstickCpu, 0, 'f', 0);
}

PathFigures convertRow() {
    const QString tree = bigTreeFile();
    const QString out = scratchFolder() + QStringLiteral("/kopie.sta");
    double cpu = 0, cpCpu = 0;
    const double ms = processMs(cliProgram(), {QStringLiteral("convert"), tree, out}, 7, &cpu);
    const double cp = processMs(QStringLiteral("cp"), {tree, out}, 7, &cpCpu);
    return {ms, cp, cpuNote(cpu, cpCpu)};
}

PathFigures dumpRow() {
    const QString tree = bigTreeFile();
    const QString out = scratchFolder() + QStringLiteral("/kopie.sta");
    double cpu = 0, cpCpu = 0;
    const double ms = processMs(cliProgram(), {QStringLiteral("dump"), tree}, 5, &cpu);
    const double cp = processMs(QStringLiteral("cp"), {tree, out}, 5, &cpCpu);
    return {ms, cp, cpuNote(cpu, cpCpu)};
}

PathFigures viewportRow() {
    Document doc = generationsChart(10000, 100);
    doc.AreaWidth = 100;
    doc.AreaHeight = 100;
    const BoxLayout box;
    QImage image(1600, 1000, QImage::Format_RGB32);
    const ChartPaintInput in{&doc, &box, 96, PrinterFacts::a4(600), nullptr, nullptr};
    ChartMargins margins = chartMargins(doc, 96);
    const Point64 origin{4000, 3000};
    std::vector<double> times;
    TextShapes shapes; // kept by the view between its paintings
    for (int i = 0; i < 21; ++i)
        times.push_back(bestMs(1, [&] {
            QPainter painter(&image);
            QPainterCanvas canvas(painter, DeviceCaps{});
            canvas.setTextShapes(&shapes);
            ChartPainter(in, ChartMode::Arrange)
                .paint(canvas, margins, {origin.x, origin.y, origin.x + 1600, origin.y + 1000},
                       origin);
        }));
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], 1000.0 / 120.0, {}};
}

// `lindwerk-cli VERB` of the pictured tree into `out`, the median of `runs`.
PathFigures picturedTreeRow(const char* verb, const char* out, int runs) {
    double cpu = 0;
    const double ms = processMs(
        cliProgram(),
        {QString::fromLatin1(verb), picturedTreeFile(), scratchFolder() + '/' + QLatin1String(out)},
        runs, &cpu);
    return {ms, 0, QStringLiteral("cpu %1 ms").arg(cpu, 0, 'f', 0)};
}

PathFigures printRow() {
    return picturedTreeRow("print", "druck.pdf", 3);
}
PathFigures renderRow() {
    return picturedTreeRow("render", "bild.png", 1);
}

// The real program started with an empty document on Qt's offscreen
// platform, with settings and caches of its own, until its window has been
// painted once (the program reports the moment; see app/FirstPaintReport.h).
PathFigures firstPaintRow() {
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/lindwerk");
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("LINDWERK_FIRST_PAINT_REPORT"), QStringLiteral("1"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
    std::vector<double> times;
    for (int i = 0; i < 7; ++i) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.setStandardErrorFile(QProcess::nullDevice());
        timespec start{};
        clock_gettime(CLOCK_MONOTONIC, &start);
        p.start(program, {});
        if (!p.waitForFinished(60000) || p.exitCode() != 0) return {-1, 0, {}};
        const QByteArray out = p.readAllStandardOutput();
        const qsizetype at = out.indexOf("first paint ");
        if (at < 0) return {-1, 0, {}};
        const qint64 painted = out.mid(at + 12).trimmed().toLongLong();
        times.push_back(double(painted - (qint64(start.tv_sec) * 1000000000LL + start.tv_nsec)) /
                        1e6);
    }
    return {median(times), 0, {}};
}

// Every row of the table. Append new paths here.
const std::vector<BenchPath> kPaths = {
    {"convert, 100,000 persons (15 MB)", "cp of the same file", 5.0, convertRow},
    {"dump, the same tree (JSON)", "cp of the tree file", 10.0, dumpRow},
    {"viewport paint, 10,000 persons with lines", "one frame at 120 Hz", 5.0 / (1000.0 / 120.0),
     viewportRow},
    {"print, 5,000 persons, 300 pictures 320 x 240", "", 1000, printRow},
    {"render of that chart", "", 5000, renderRow},
    {"window start to first paint, empty document", "", 300, firstPaintRow},
};

} // namespace

void benchAll(const char* only) {
    std::printf("%-46s %10s  %-28s %10s %7s %7s\n", "path", "ms", "yardstick", "ms", "ratio",
                "goal");
    for (const BenchPath& row : kPaths) {
        if (only && std::strncmp(row.path, only, std::strlen(only)) != 0) continue;
        const PathFigures f = row.measure();
        const bool hasYardstick = row.yardstick[0] != '\0';
        const double ratio = hasYardstick && f.yardstickMs > 0 ? f.ms / f.yardstickMs : 0;
        const bool met = f.ms >= 0 && (hasYardstick ? ratio <= row.goal : f.ms <= row.goal);
        char goal[32];
        if (hasYardstick)
            std::snprintf(goal, sizeof goal, "<=%.2fx", row.goal);
        else
            std::snprintf(goal, sizeof goal, "<=%.0fms", row.goal);
        std::printf("%-46s %10.1f  %-28s %10s %7s %7s %s%s\n", row.path, f.ms,
                    hasYardstick ? row.yardstick : "-",
                    hasYardstick ? qPrintable(QString::number(f.yardstickMs, 'f', 1)) : "-",
                    hasYardstick ? qPrintable(QString::number(ratio, 'f', 2)) : "-", goal,
                    f.ms < 0 ? "FAILED"
                    : met    ? "ok"
                             : "MISSED",
                    f.note.isEmpty() ? "" : qPrintable(QStringLiteral(" (") + f.note + ')'));
        std::fflush(stdout);
    }
}

} // namespace lw::bench
