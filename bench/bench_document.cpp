// A tree of 100,000 persons, each on its own cell of a 400 × 400 area:
// writing, reading and the cell lookup.
#include "bench/Bench.h"
#include "document/StaFile.h"

#include <random>

namespace lw::bench {

namespace {

std::string randomText(std::mt19937& rng) {
    std::string s(10 + rng() % 11, ' ');
    for (char& c : s)
        c = char('a' + rng() % 26);
    return s;
}

Document bigTree() {
    std::mt19937 rng(42);
    std::vector<int> cells(400 * 400);
    for (int i = 0; i < int(cells.size()); ++i)
        cells[size_t(i)] = i;
    std::shuffle(cells.begin(), cells.end(), rng);
    Document doc;
    doc.AreaWidth = doc.AreaHeight = 400;
    for (int i = 0; i < 100000; ++i) {
        TPerson p;
        p.NachName = randomText(rng);
        p.VorName = randomText(rng);
        p.GebDate = randomText(rng);
        p.StDate = randomText(rng);
        p.Bild = randomText(rng);
        p.Vater = i > 0 ? int(rng() % i) : -1;
        p.Mutter = i > 0 ? int(rng() % i) : -1;
        p.Leben = {randomText(rng), randomText(rng), randomText(rng)};
        p.GridX = cells[size_t(i)] % 400;
        p.GridY = cells[size_t(i)] / 400;
        doc.addPerson(std::move(p));
    }
    return doc;
}

} // namespace

void benchDocument() {
    Document doc = bigTree();
    BoxLayout box;
    QByteArray bytes;
    double writeMs = bestMs(5, [&] { bytes = serializeSta(doc, box); });
    double readMs = bestMs(5, [&] {
        StaReadResult r = parseSta(bytes, box);
        if (!r.file) std::printf("read failed\n");
    });
    long hits = 0;
    double scanMs = bestMs(5, [&] {
        hits = 0;
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 400; ++x)
                hits += doc.GridBesetzt(x, y);
    });
    std::printf("document: 100000 persons, %.1f MB\n", bytes.size() / 1e6);
    std::printf("  write            %8.1f ms\n", writeMs);
    std::printf("  read             %8.1f ms\n", readMs);
    std::printf("  GridBesetzt      %8.1f ns per cell (%ld of 160000 taken)\n",
                scanMs * 1e6 / 160000.0, hits);
}

} // namespace lw::bench
