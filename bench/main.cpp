// lindwerk-bench [NAME...]: runs the named benchmarks, or each of them;
// `lindwerk-bench arrange-scale-files DIR` writes the large generated trees;
// `lindwerk-bench arrange [FILE.ged...]` measures the arrangement beside dot;
// `lindwerk-bench all [START]` prints the table of every path with its
// yardstick (or only of the paths whose name begins with START).
#include "bench/Bench.h"
#include "bench/Table.h"

#include <QApplication>
#include <functional>
#include <map>
#include <string>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv); // the undo and photo benchmarks drive the window
    if (argc == 3 && std::string(argv[1]) == "photos-window")
        return lw::bench::photosWindow(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && std::string(argv[1]) == "arrange-scale-files")
        return lw::bench::writeArrangeScaleFiles(QString::fromLocal8Bit(argv[2]));
    if (argc >= 2 && std::string(argv[1]) == "arrange") {
        QStringList files;
        for (int i = 2; i < argc; ++i)
            files << QString::fromLocal8Bit(argv[i]);
        return lw::bench::benchArrangeBesideDot(files);
    }
    if (argc >= 2 && std::string(argv[1]) == "lines") {
        QStringList files;
        for (int i = 2; i < argc; ++i)
            files << QString::fromLocal8Bit(argv[i]);
        return lw::bench::benchLines(files);
    }
    if ((argc == 2 || argc == 3) && std::string(argv[1]) == "all") {
        lw::bench::benchAll(argc == 3 ? argv[2] : nullptr);
        return 0;
    }
    const std::map<std::string, std::function<void()>> benches = {
        {"document", lw::bench::benchDocument},
        {"chart", lw::bench::benchChart},
        {"chart-view", lw::bench::benchChartView},
        {"print", lw::bench::benchPrint},
        {"poster", [] { lw::bench::benchPosters(); }},
        {"gedcom", lw::bench::benchGedcom},
        {"undo", lw::bench::benchUndo},
        {"arrange-scale", lw::bench::benchArrangeScale},
        {"photos", lw::bench::benchPhotos},
    };
    for (const auto& [name, run] : benches) {
        // The photographs take a few minutes and 1 GB of disk, the large
        // arrangements a minute and some GB of memory: only when named (the
        // posters are part of the print).
        bool wanted = argc < 2 && name != "photos" && name != "arrange-scale" && name != "poster";
        for (int i = 1; i < argc; ++i)
            wanted = wanted || name == argv[i];
        if (wanted) run();
    }
    return 0;
}
