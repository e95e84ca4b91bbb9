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
#include <random>
#include <string>

namespace lw::bench {

namespace {

// A GEDCOM file as another genealogy program would write it: the founders'
// descendants generation by generation, most children with a spouse from
// outside the family.
QByteArray generatedGedcom(int persons) {
    std::mt19937 rng(7);
    static const char* given[] = {"Anna", "Jürgen", "Maria",   "Karl", "Gisela",
                                  "Otto", "Käthe",  "Wilhelm", "Lena", "Friedrich"};
    static const char* surname[] = {"Müller",  "Schmidt", "Weiß",   "Bäcker",
                                    "Lindner", "Groß",    "Krämer", "Vogt"};
    std::string indi, fam;
    indi.reserve(size_t(persons) * 220);
    int count = 0, families = 0;
    auto person = [&](int generation, const char* name, int famc, int fams) {
        const int id = ++count;
        const int year = 1600 + generation * 30 + int(rng() % 10);
        indi += "0 @I" + std::to_string(id) + "@ INDI\n1 NAME " + given[rng() % 10] + " /" + name +
                "/\n1 SEX " + (rng() % 2 ? "M" : "F") + "\n1 BIRT\n2 DATE " +
                std::to_string(1 + rng() % 28) + " MAR " + std::to_string(year) +
                "\n2 PLAC Moorhof\n1 DEAT\n2 DATE ABT " + std::to_string(year + 60) +
                "\n1 NOTE Lebte in Moorhof und arbeitete als Bauer auf dem Hof der Familie,\n2 "
                "CONC  den schon der Großvater bewirtschaftet hatte.\n2 CONT Zweite Zeile.\n";
        if (famc) indi += "1 FAMC @F" + std::to_string(famc) + "@\n";
        if (fams) indi += "1 FAMS @F" + std::to_string(fams) + "@\n";
        return id;
    };
    struct Couple {
        int husband, wife, family, generation;
    };
    std::vector<Couple> couples;
    std::vector<std::string> fams(1); // by family number; every couple has its record
    auto addCouple = [&](int husband, int wife, int family, int generation) {
        couples.push_back({husband, wife, family, generation});
        fams.push_back("0 @F" + std::to_string(family) + "@ FAM\n1 HUSB @I" +
                       std::to_string(husband) + "@\n1 WIFE @I" + std::to_string(wife) + "@\n");
    };
    const int f0 = ++families;
    const int founder = person(0, surname[0], 0, f0);
    addCouple(founder, person(0, surname[1], 0, f0), f0, 0);
    for (size_t next = 0; next < couples.size() && count < persons; ++next) {
        const Couple c = couples[next];
        const int children = 2 + int(rng() % 3);
        for (int k = 0; k < children && count < persons; ++k) {
            const bool married = rng() % 10 < 8 && count + 2 <= persons;
            const int own = married ? ++families : 0;
            const int child = person(c.generation + 1, surname[rng() % 8], c.family, own);
            fams[size_t(c.family)] += "1 CHIL @I" + std::to_string(child) + "@\n";
            if (married)
                addCouple(child, person(c.generation + 1, surname[rng() % 8], 0, own), own,
                          c.generation + 1);
        }
    }
    for (const std::string& f : fams)
        fam += f;
    return QByteArray::fromStdString("0 HEAD\n1 GEDC\n2 VERS 5.5.1\n1 CHAR UTF-8\n" + indi + fam +
                                     "0 TRLR\n");
}

// The persons one after another in file order, row by row, as typing them
// in one by one would place them.
Document inFileOrder(const Document& arranged, int width) {
    Document doc;
    for (int i = 0; i < arranged.PersonCount(); ++i) {
        TPerson p = arranged.person(i);
        p.Dib = TDibRecord{};
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
    benchFile("generated", generatedGedcom(100000), 3);
    QFile washington(QDir(QStringLiteral(LINDWERK_GEDCOM_SAMPLES)).filePath("washington.ged"));
    if (washington.open(QIODevice::ReadOnly))
        benchFile("washington.ged", washington.readAll(), 10);
    else
        std::printf("gedcom washington.ged: not found beside the repository\n");
}

} // namespace lw::bench
