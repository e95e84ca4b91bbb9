// `lindwerk-bench lines FILE.sta...`: the family lines of each tree as its
// chart draws them: the row spacing and what the plan does wrong (pieces of
// two families on one another, pieces through boxes, pieces running close
// along a box edge), and how far the bars reach: the longest bar over two or
// more children and, summed over those bars, the cells a bar passes over
// that hold no child of its family, and of those the ones holding another
// box; and the time the plan takes.
#include "bench/Bench.h"
#include "chart/FamilyLines.h"
#include "document/Document.h"
#include "document/Layout.h"
#include "document/StaFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace lw::bench {

namespace {

struct BarReach {
    long bars = 0;      // over two children or more
    double longest = 0; // in cells
    long stray = 0;     // cells under bars holding no child of the bar's family
    long others = 0;    // of those, cells holding another person's box
};

BarReach barReach(const Document& doc, const BoxLayout& box, ChartMargins margins,
                  const FamilyLinePlan& plan) {
    BarReach reach;
    const ChartGrid grid(box.BreitEd, box.HochEd, margins, plan.rowSpacing);
    for (const FamilyBar& b : plan.bars) {
        if (b.children < 2) continue; // the line to a lone child is no bar
        ++reach.bars;
        reach.longest = std::max(reach.longest, double(b.hi - b.lo) / grid.W());
        // Every column whose box the bar passes over; its own children are
        // all among them.
        const std::int64_t first = (b.lo - grid.Left(0, b.row)) / grid.W() - 1;
        long cells = 0, boxes = 0;
        for (std::int64_t c = std::max<std::int64_t>(first, 0); grid.Left(c, b.row) <= b.hi; ++c) {
            if (grid.Right(c, b.row) - 1 < b.lo) continue;
            ++cells;
            boxes += c < doc.AreaWidth && doc.GridBesetzt(std::int32_t(c), b.row);
        }
        reach.stray += cells - b.children;
        reach.others += boxes - b.children;
    }
    return reach;
}

} // namespace

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
        const auto start = std::chrono::steady_clock::now();
        const FamilyLinePlan plan = planFamilyLines(doc, box, margins);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        const LineFaults faults = countLineFaults(doc, box, margins, plan);
        const BarReach reach = barReach(doc, box, margins, plan);
        std::printf("%-40s %6d persons %6zu families  row spacing %3d  overlaps %d  through "
                    "boxes %d  hugging %d  bars %ld  longest %.1f cells  beside the children %ld "
                    "cells, %ld boxes  planned in %.1f ms\n",
                    qPrintable(path.section(QLatin1Char('/'), -1)), doc.PersonCount(),
                    plan.bounds.size(), plan.rowSpacing, faults.overlaps, faults.throughBoxes,
                    faults.hugging, reach.bars, reach.longest, reach.stray, reach.others, ms);
    }
    return failed;
}

} // namespace lw::bench
