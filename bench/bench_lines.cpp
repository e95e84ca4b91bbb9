// `lindwerk-bench lines FILE.sta...`: the family lines of each tree as its
// chart draws them: the row spacing and what the plan does wrong (pieces of
// two families on one another, pieces through boxes, pieces running close
// along a box edge).
#include "bench/Bench.h"
#include "chart/FamilyLines.h"
#include "document/Layout.h"
#include "document/StaFile.h"

#include <cstdio>

namespace lw::bench {

int benchLines(const QStringList& files) {
    int failed = 0;
    for (const QString& path : files) {
        const StaReadResult read = loadSta(path, BoxLayout{});
        if (!read.file) {
            std::printf("%s: %s\n", qPrintable(path), qPrintable(read.error));
            failed = 1;
            continue;
        }
        const Document& doc = read.file->doc;
        const BoxLayout& box = read.file->box;
        const ChartMargins margins{30, 30};
        const FamilyLinePlan plan = planFamilyLines(doc, box, margins);
        const LineFaults faults = countLineFaults(doc, box, margins, plan);
        std::printf("%-40s %6d persons %6zu families  row spacing %3d  overlaps %d  through "
                    "boxes %d  hugging %d\n",
                    qPrintable(path.section(QLatin1Char('/'), -1)), doc.PersonCount(),
                    plan.bounds.size(), plan.rowSpacing, faults.overlaps, faults.throughBoxes,
                    faults.hugging);
    }
    return failed;
}

} // namespace lw::bench
