#pragma once
// The benchmarks of lindwerk-bench; each prints its figures on stdout.
#include <chrono>
#include <cstdio>

namespace lw::bench {

void benchDocument();
// Chart painting: a viewport of a large chart with and without pictures, and
// the cost of scanning every cell of a large area.
void benchChart();
// Printing: the time to print a chart of 2,000 persons and 200 pictures into
// a PDF file, and how often each picture file is read.
void benchPrint();

// Milliseconds that `f` takes, best of `runs`.
template <class F> double bestMs(int runs, F&& f) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        auto t0 = std::chrono::steady_clock::now();
        f();
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        if (ms < best) best = ms;
    }
    return best;
}

} // namespace lw::bench
