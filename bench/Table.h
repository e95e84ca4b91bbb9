#pragma once
// `lindwerk-bench all`: every measured path of the program in one table, each
// against its yardstick, so that one run shows where a change left it.
//
// A path is one row of kPaths in bench/Table.cpp; to add one, write its
// measuring function and append a row there.
#include <QString>
#include <functional>

namespace lw::bench {

// What a row measured, in milliseconds; a yardstick of 0 means none.
struct PathFigures {
    double ms = 0;
    double yardstickMs = 0;
    QString note; // e.g. "478 MB peak"
};

struct BenchPath {
    const char* path;      // what is measured
    const char* yardstick; // what it is measured against, or "" for none
    // The goal: at most this ratio to the yardstick, or, without one, at most
    // this many milliseconds.
    double goal;
    std::function<PathFigures()> measure;
};

// Only the rows whose path begins with `only`, when it is given.
void benchAll(const char* only = nullptr);

// ---- helpers for the rows -------------------------------------------------

// lindwerk-cli beside lindwerk-bench.
QString cliProgram();
// Median milliseconds of `runs` runs of `program` (whole process, output
// discarded); -1 when a run fails. `cpuMs`, when given, gets the median of
// the processor time (user and system) the runs took: on a shared machine
// the wall time says more about the neighbours than about the program.
double processMs(const QString& program, const QStringList& args, int runs,
                 double* cpuMs = nullptr);
// A folder for the rows' files, alive for the whole run.
QString scratchFolder();

} // namespace lw::bench
