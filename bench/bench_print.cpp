// Printing: a chart of 2,000 persons with their parents and 200 pictures,
// printed into a PDF file at 600 dpi on A4 sheets, as the print command
// prints it; the poster of that chart and of 10,000 persons as one PDF page
// and as SVG; and the print of one person in the far corner of a
// 1,000,000 × 1,000,000 area with empty sheets left out.
#include "bench/Bench.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "picture/Dib.h"
#include "platform/Dialogs.h"
#include "platform/Progress.h"
#include "platform/Win1252.h"
#include "print/PdfPrintJob.h"
#include "print/Poster.h"
#include "print/PrintCommand.h"

#include "document/StaFile.h"

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <random>
#include <sys/resource.h>
#include <vector>

namespace lw::bench {

namespace {

constexpr int kPersons = 2000;
constexpr int kColumns = 50;
constexpr int kPictureEvery = 10; // 200 pictures

// Every picture load starts with a report of 0 percent.
class OpenCounter : public ProgressSink {
  public:
    void postProgress(int percent) override { opens += percent == 0 ? 1 : 0; }
    int opens = 0;
};

class SilentDialogs : public Dialogs {
  public:
    int messageBox(const QString&, const QString&, unsigned flags) override {
        errors += (flags & MB_ICONSTOP) ? 1 : 0;
        return IDOK;
    }
    QString openFileName(const FileDialogRequest&) override { return {}; }
    QString saveFileName(const FileDialogRequest&) override { return {}; }
    bool chooseFont(TFontInfo&) override { return false; }
    bool chooseColor(TColor&) override { return false; }
    int errors = 0;
};

Document familyWithPictures(const QTemporaryDir& dir) {
    Document doc = generationsChart(kPersons, kColumns, 0, 0, [&](int i, TPerson& p) {
        if (i % kPictureEvery != 0) return;
        QImage photo(64, 80, QImage::Format_RGB32);
        for (int y = 0; y < photo.height(); ++y)
            for (int x = 0; x < photo.width(); ++x)
                photo.setPixel(x, y, qRgb((x * 4 + i) % 256, (y * 3) % 256, (i * 7) % 256));
        const QString path = dir.filePath(QStringLiteral("p%1.png").arg(i));
        photo.save(path);
        p.Bild = toAnsi(path).value_or(std::string());
    });
    doc.AreaWidth = kColumns;
    doc.AreaHeight = kPersons / kColumns;
    return doc;
}

// Persons in rows of `columns`, each below the first row with a father and
// a mother drawn at random from all earlier rows: lines across many sheets
// in every direction.
Document randomTree(int count, int columns) {
    std::mt19937 random(26);
    Document doc = generationsChart(count, columns, 0, 0, [&](int i, TPerson& p) {
        const int before = (i / columns) * columns;
        if (before == 0) return;
        p.Vater = int(random() % unsigned(before));
        p.Mutter = int(random() % unsigned(before));
    });
    doc.AreaWidth = columns;
    doc.AreaHeight = count / columns + 1;
    return doc;
}

// One couple and `children` children in the row below.
Document oneCouple(int children) {
    Document doc;
    doc.AreaWidth = std::max(2, children);
    doc.AreaHeight = 2;
    for (int i = 0; i < children + 2; ++i) {
        TPerson p;
        p.NachName = "Lindner " + std::to_string(i);
        p.GridX = i < 2 ? i : i - 2;
        p.GridY = i < 2 ? 0 : 1;
        if (i >= 2) {
            p.Vater = 0;
            p.Mutter = 1;
        }
        doc.addPerson(std::move(p));
    }
    return doc;
}

constexpr std::int64_t kLargeMaxSheets = 100;

double peakMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// Large trees: every print is counted and refused (more than 100 sheets)
// before anything is drawn, in memory in proportion to the tree. With
// LW_BENCH_STA_DIR set, the trees are saved there for trying the command
// line on them.
void benchLargePrints(SilentDialogs& dialogs) {
    const BoxLayout box;
    struct Tree {
        const char* what;
        std::function<Document()> make;
    };
    const Tree trees[] = {
        {"one couple, 100,000 children", [] { return oneCouple(100000); }},
        {"random tree of 125,000", [] { return randomTree(125000, 500); }},
        {"random tree of 250,000", [] { return randomTree(250000, 500); }},
        {"random tree of 1,000,000", [] { return randomTree(1000000, 1000); }},
    };
    const QString keep = qEnvironmentVariable("LW_BENCH_STA_DIR");
    QTemporaryDir dir;
    int n = 0;
    for (const Tree& tree : trees) {
        Document doc = tree.make();
        if (!keep.isEmpty())
            saveSta(QStringLiteral("%1/large%2.sta").arg(keep).arg(++n), doc, box, nullptr);
        for (const bool skipEmpty : {false, true}) {
            PrintOutcome outcome;
            const double ms = bestMs(1, [&] {
                ChartMargins margins;
                PdfPrintJob job(dir.filePath(QStringLiteral("large.pdf")), PrinterFacts::a4(600));
                PrintContext context{doc, box, margins, 96, dialogs, nullptr};
                context.options.skipEmpty = skipEmpty;
                context.maxSheets = kLargeMaxSheets;
                outcome = printChart(job, context);
            });
            std::printf("  %s%s: %s, %8.1f ms (goal <= 5000), peak %.0f MB so far\n", tree.what,
                        skipEmpty ? ", --skip-empty" : "",
                        outcome.status == PrintStatus::Failed ? "refused" : "NOT REFUSED", ms,
                        peakMb());
        }
    }
}

} // namespace

// Posters: each file is written whole; goal <= 2000 ms and <= 1 KB per
// person without pictures. `withPictures`, when given, is drawn first. With
// LW_BENCH_STA_DIR set, the trees of 10,000 are saved there.
void benchPosters(const Document* withPictures) {
    const BoxLayout box;
    Document plain = generationsChart(10000, 100);
    plain.AreaWidth = 100;
    plain.AreaHeight = 100;
    Document families = generationsChart(10000, 100);
    families.AreaWidth = 100;
    families.AreaHeight = 100;
    families.chart.lineStyle = LineStyle::FamilyLines;
    Document plain2000 = generationsChart(kPersons, kColumns);
    plain2000.AreaWidth = kColumns;
    plain2000.AreaHeight = kPersons / kColumns;
    const QString keep = qEnvironmentVariable("LW_BENCH_STA_DIR");
    if (!keep.isEmpty()) {
        saveSta(keep + QStringLiteral("/poster10000.sta"), plain, box, nullptr);
        saveSta(keep + QStringLiteral("/poster10000-families.sta"), families, box, nullptr);
    }
    struct Poster {
        const char* what;
        const Document* doc;
        int persons;
    };
    std::vector<Poster> posters;
    if (withPictures) posters.push_back({"2,000 with 200 pictures", withPictures, kPersons});
    posters.push_back({"2,000 without pictures", &plain2000, kPersons});
    posters.push_back({"10,000 without pictures", &plain, 10000});
    posters.push_back({"10,000, family lines", &families, 10000});
    QTemporaryDir dir;
    for (const Poster& p : posters) {
        for (const char* suffix : {"pdf", "svg"}) {
            const QString file =
                dir.filePath(QStringLiteral("poster.%1").arg(QLatin1String(suffix)));
            ChartMargins margins;
            bool written = false;
            const double ms = bestMs(3, [&] {
                written = exportPoster(*p.doc, box, margins, 96, PosterRequest{}, file).written;
            });
            const double bytes = double(QFileInfo(file).size());
            std::printf(
                "  poster %s, %s: %8.1f ms (goal <= 2000), %.2f MB, %.0f bytes a person%s\n",
                suffix, p.what, ms, bytes / (1024.0 * 1024.0), bytes / p.persons,
                written ? "" : " (NOT WRITTEN)");
        }
    }
}

void benchPrint() {
    QTemporaryDir dir;
    Document doc = familyWithPictures(dir);
    const BoxLayout box;
    std::printf("print: %d persons with parents, %d pictures, PDF at 600 dpi on A4\n", kPersons,
                kPersons / kPictureEvery);

    OpenCounter counter;
    SilentDialogs dialogs;
    const long liveBefore = liveDibCount();
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    auto printOnce = [&] {
        ChartMargins margins;
        PdfPrintJob job(pdf, PrinterFacts::a4(600));
        return printChart(job, PrintContext{doc, box, margins, 96, dialogs, &counter});
    };
    PrintOutcome outcome;
    const double first = bestMs(1, [&] { outcome = printOnce(); });
    std::printf("  %lld sheets, first print (opens the pictures): %8.1f ms (goal <= 5000), "
                "PDF %.1f MB\n",
                static_cast<long long>(outcome.sheets), first,
                double(QFileInfo(pdf).size()) / (1024.0 * 1024.0));
    std::printf("  picture files read: %d, pictures held: %ld, errors: %d\n", counter.opens,
                liveDibCount() - liveBefore, dialogs.errors);
    const double again = bestMs(3, [&] { outcome = printOnce(); });
    std::printf("  pictures already open:                   %8.1f ms a print, files read: %d\n",
                again, counter.opens);

    benchPosters(&doc);

    // One person in the far corner of a huge area, empty sheets left out:
    // the sheets are found from the persons and lines; goal one sheet (and
    // the heading's), <= 1000 ms.
    Document far;
    far.AreaWidth = far.AreaHeight = 1000000;
    TPerson corner;
    corner.NachName = "Lindner";
    corner.GridX = corner.GridY = 999999;
    far.addPerson(corner);
    for (const bool heading : {true, false}) {
        if (!heading) far.chart.Caption.clear();
        PrintOutcome farOutcome;
        const double ms = bestMs(3, [&] {
            ChartMargins margins;
            PdfPrintJob job(dir.filePath(QStringLiteral("far.pdf")), PrinterFacts::a4(600));
            PrintContext context{far, box, margins, 96, dialogs, nullptr};
            context.options.skipEmpty = true;
            farOutcome = printChart(job, context);
        });
        std::printf("  far corner of 10^6 x 10^6 %s heading, --skip-empty: %lld sheet(s), %8.1f ms "
                    "(goal <= 1000)\n",
                    heading ? "with" : "without", static_cast<long long>(farOutcome.sheets), ms);
    }
    benchLargePrints(dialogs);
}

} // namespace lw::bench
