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
    const int f0 = ++families;
    couples.push_back({person(0, surname[0], 0, f0), person(0, surname[1], 0, f0), f0, 0});
    for (size_t next = 0; next < couples.size() && count < persons; ++next) {
        const Couple c = couples[next];
        fam += "0 @F" + std::to_string(c.family) + "@ FAM\n1 HUSB @I" + std::to_string(c.husband) +
               "@\n1 WIFE @I" + std::to_string(c.wife) + "@\n";
        const int children = 2 + int(rng() % 3);
        for (int k = 0; k < children && count < persons; ++k) {
            const bool married = rng() % 10 < 8 && count + 2 <= persons;
            const int own = married ? ++families : 0;
            const int child = person(c.generation + 1, surname[rng() % 8], c.family, own);
            fam += "1 CHIL @I" + std::to_string(child) + "@\n";
            if (married)
                couples.push_back({child, person(c.generation + 1, surname[rng() % 8], 0, own), own,
                                   c.generation + 1});
        }
    }
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

void benchFile(const char* name, const QByteArray& bytes, int runs) {
    std::optional<Document> doc;
    double importMs = 1e300, arrangeMs = 1e300;
    for (int r = 0; r < runs; ++r) {
        auto t0 = std::chrono::steady_clock::now();
        gedcom::GedcomImportResult read = gedcom::importGedcom(bytes);
        auto t1 = std::chrono::steady_clock::now();
        if (!read.doc) {
            std::printf("%s: import failed\n", name);
            return;
        }
        arrangeDocument(*read.doc, ArrangeScope::All);
        auto t2 = std::chrono::steady_clock::now();
        importMs = std::min(importMs, std::chrono::duration<double, std::milli>(t1 - t0).count());
        arrangeMs = std::min(arrangeMs, std::chrono::duration<double, std::milli>(t2 - t1).count());
        doc = std::move(read.doc);
    }
    QByteArray out;
    const double exportMs = bestMs(runs, [&] { out = gedcom::exportGedcom(*doc); });
    std::printf("gedcom %s: %d persons, %.1f MB\n", name, doc->PersonCount(), bytes.size() / 1e6);
    std::printf("  import             %8.1f ms\n", importMs);
    std::printf("  arrange            %8.1f ms\n", arrangeMs);
    std::printf("  import + arrange   %8.1f ms\n", importMs + arrangeMs);
    std::printf("  export             %8.1f ms (%.1f MB)\n", exportMs, out.size() / 1e6);
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
