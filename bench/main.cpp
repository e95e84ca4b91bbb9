// lindwerk-bench [NAME...]: runs the named benchmarks, or all.
#include "bench/Bench.h"

#include <QGuiApplication>
#include <functional>
#include <map>
#include <string>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::map<std::string, std::function<void()>> benches = {
        {"document", lw::bench::benchDocument},
        {"chart", lw::bench::benchChart},
        {"chart-view", lw::bench::benchChartView},
        {"print", lw::bench::benchPrint},
        {"gedcom", lw::bench::benchGedcom},
    };
    for (const auto& [name, run] : benches) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; ++i) wanted = wanted || name == argv[i];
        if (wanted) run();
    }
    return 0;
}
