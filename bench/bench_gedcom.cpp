// GEDCOM import, automatic arrangement and export: a generated family of
// 100,000 persons (couples with 2–4 children over about 12 generations,
// notes, UTF-8) and washington.ged; with the arrangement's quality against
// persons placed in file order.
#include "bench/Bench.h"
#include "chart/ArrangeQuality.h"
#include "chart/AutoArrange.h"
#include "gedcom/GedcomExport.h"
#include "gedcom/GedcomImport.h"

#include <QDir>
#include <QFile>
#include <cmath>
#include <ctime>
#include <optional>
#include <string>

namespace lw::bench {

namespace {

// The persons one after another in file order, row by row, as typing them
// in one by one would place them.
Document inFileOrder(const Document& arranged, int width) {
    Document doc;
    for (int i = 0; i < arranged.PersonCount(); ++i) {
        TPerson p = arranged.person(i);
        p.GridX = i % width;
        p.GridY = i / width;
        doc.addPerson(std::move(p));
    }
    return doc;
}

void printQuality(const char* what, const Document& doc) {
    const ArrangeQuality q = measureArrangement(doc);
    std::printf("  %-22s parent above child %6.2f %% of %d links, %lld crossings, "
                "line length %.0f px (%.0f px per link)\n",
                what, q.parentAboveShare(), q.links, static_cast<long long>(q.crossings), q.length,
                q.links ? q.length / q.links : 0.0);
}

// Wall-clock and processor milliseconds of `f`, best of `runs`. On a busy
// machine the processor time tells what the code costs.
struct Times {
    double wall = 1e300, cpu = 1e300;
};
template <class F> Times timed(int runs, F&& f) {
    Times t;
    for (int i = 0; i < runs; ++i) {
        const auto w0 = std::chrono::steady_clock::now();
        const std::clock_t c0 = std::clock();
        f();
        const double cpu = 1000.0 * double(std::clock() - c0) / CLOCKS_PER_SEC;
        const double wall =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - w0)
                .count();
        t.wall = std::min(t.wall, wall);
        t.cpu = std::min(t.cpu, cpu);
    }
    return t;
}

void printTimes(const char* what, Times t) {
    std::printf("  %-18s %8.1f ms wall, %8.1f ms processor\n", what, t.wall, t.cpu);
}

void benchFile(const char* name, const QByteArray& bytes, int runs) {
    std::optional<Document> doc;
    const Times importTimes = timed(runs, [&] { doc = gedcom::importGedcom(bytes).doc; });
    if (!doc) {
        std::printf("%s: import failed\n", name);
        return;
    }
    Times arrangeTimes;
    for (int r = 0; r < runs; ++r) {
        std::optional<Document> fresh = gedcom::importGedcom(bytes).doc;
        const Times t = timed(1, [&] { arrangeDocument(*fresh, ArrangeScope::All); });
        arrangeTimes.wall = std::min(arrangeTimes.wall, t.wall);
        arrangeTimes.cpu = std::min(arrangeTimes.cpu, t.cpu);
        doc = std::move(fresh);
    }
    QByteArray out;
    const Times exportTimes = timed(runs, [&] { out = gedcom::exportGedcom(*doc); });
    std::printf("gedcom %s: %d persons, %.1f MB\n", name, doc->PersonCount(), bytes.size() / 1e6);
    printTimes("import", importTimes);
    printTimes("arrange", arrangeTimes);
    printTimes("import + arrange",
               {importTimes.wall + arrangeTimes.wall, importTimes.cpu + arrangeTimes.cpu});
    printTimes("export", exportTimes);
    std::printf("  area               %d x %d cells\n", doc->AreaWidth, doc->AreaHeight);
    const int width = std::max(60, int(std::ceil(std::sqrt(double(doc->PersonCount())))));
    printQuality("arranged:", *doc);
    printQuality(("file order, " + std::to_string(width) + " wide:").c_str(),
                 inFileOrder(*doc, width));
}

} // namespace

void benchGedcom() {
    benchFile("generated", generatedFamilyGedcom(100000), 3);
    QFile washington(QDir(QStringLiteral(LINDWERK_GEDCOM_SAMPLES)).filePath("washington.ged"));
    if (washington.open(QIODevice::ReadOnly))
        benchFile("washington.ged", washington.readAll(), 10);
    else
        std::printf("gedcom washington.ged: not found beside the repository\n");
}

} // namespace lw::bench
