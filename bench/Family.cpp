#include "bench/Bench.h"

namespace lw::bench {

Document generationsChart(int count, int columns, std::int32_t offsetX, std::int32_t offsetY,
                          const std::function<void(int, TPerson&)>& decorate) {
    Document doc;
    for (int i = 0; i < count; ++i) {
        TPerson p;
        p.NachName = "Lindner " + std::to_string(i);
        p.VorName = "Anna Maria";
        p.GebDate = "1.2.1900";
        p.StDate = "3.4.1980";
        p.Leben = {"B\xE4" "uerin in Moorhof", "zwei Kinder"}; // Windows-1252
        const int col = i % columns, row = i / columns;
        p.GridX = offsetX + col;
        p.GridY = offsetY + row;
        if (row > 0) {
            p.Vater = i - columns;
            p.Mutter = col + 1 < columns ? i - columns + 1 : -1;
        }
        if (decorate) decorate(i, p);
        doc.addPerson(std::move(p));
    }
    return doc;
}

} // namespace lw::bench
