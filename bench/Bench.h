#pragma once
// The benchmarks of lindwerk-bench; each prints its figures on stdout.
#include "document/Document.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdio>
#include <functional>

namespace lw::bench {

void benchDocument();
// Chart painting: a viewport of a large chart with and without pictures, and
// the cost of scanning every cell of a large area.
void benchChart();
// Only the viewport paint of 10,000 persons at 100 % and zoomed out, for
// profiling.
void benchChartView();
// Printing: the time to print a chart of 2,000 persons and 200 pictures into
// a PDF file, and how often each picture file is read.
void benchPrint();
// Only the posters: 2,000 persons and 10,000 with parent and with family
// lines (without `withPictures`, none with pictures), as PDF and SVG.
void benchPosters(const Document* withPictures = nullptr);
// Camera photographs in the window, render and print.
void benchPhotos();
// The window's part of benchPhotos, in a process of its own.
int photosWindow(const QString& tree);
// GEDCOM import, arrangement and export of a generated 100,000-person family
// and of washington.ged, with the arrangement's quality figures.
void benchGedcom();
// Import and arrangement of generated large trees (random persons, many
// separate families, one large family of siblings): times and whether every
// person stands within the largest area.
void benchArrangeScale();
// The GEDCOM files of benchArrangeScale, written into `folder` for timing
// the command line program on them.
int writeArrangeScaleFiles(const QString& folder);
// `lindwerk-bench arrange [FILE.ged...]`: import and arrangement of each
// family (without files: every sample file and a generated family of 10,000
// persons) measured beside Graphviz dot's layout of the same family, when dot
// is on the PATH; one table row per family. Returns 1 when a file could not
// be read or imported.
int benchArrangeBesideDot(const QStringList& files);
// `lindwerk-bench lines FILE.sta...`: the row spacing and the line faults of
// each tree's family lines, one line per file.
int benchLines(const QStringList& files);
// Undo and redo of a drag and of a delete on a tree of 100,000 persons,
// through the window's history.
void benchUndo();

// `count` persons in generation rows of `columns`, from cell (offsetX,
// offsetY) on, each with a father and a mother in the row above; `decorate`
// may add to each person before it joins the document. The area is left to
// the caller.
Document generationsChart(int count, int columns, std::int32_t offsetX = 0,
                          std::int32_t offsetY = 0,
                          const std::function<void(int, TPerson&)>& decorate = {});

// A GEDCOM file as another genealogy program would write it: the founders'
// descendants generation by generation (couples with 2–4 children), most
// children with a spouse from outside the family; notes, UTF-8.
QByteArray generatedFamilyGedcom(int persons);

// Families of a village over generations: twelve founding couples, each
// couple with 1–4 children; of the children who marry, `intoOtherLines` (a
// share) marry a child of another family of their generation, the others a
// spouse from outside, and a few marry a second time. The lines of the
// village cross each other, as real ones do.
QByteArray interlinkedFamiliesGedcom(int persons, double intoOtherLines);

// Milliseconds that `f` takes, best of `runs`.
template <class F> double bestMs(int runs, F&& f) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        f();
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                        .count();
        if (ms < best) best = ms;
    }
    return best;
}

} // namespace lw::bench
