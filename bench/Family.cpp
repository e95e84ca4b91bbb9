#include "bench/Bench.h"

#include <random>
#include <string>

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
        p.Leben = {"B\xC3\xA4uerin in Moorhof", "zwei Kinder"}; // UTF-8, as the tree holds it
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

QByteArray generatedFamilyGedcom(int persons) {
    std::mt19937 rng(7);
    static const char* given[] = {"Anna", "Jürgen", "Maria",   "Karl", "Gisela",
                                  "Otto", "Käthe",  "Wilhelm", "Lena", "Friedrich"};
    static const char* surname[] = {"Müller",  "Schmidt", "Weiß",   "Bäcker",
                                    "Lindner", "Groß",    "Krämer", "Vogt"};
    std::string indi, fam;
    indi.reserve(size_t(persons) * 220);
    int count = 0, families = 0;
    auto person = [&](int generation, const char* name, int famc, int fams) {
        const int id = ++count;
        const int year = 1600 + generation * 30 + int(rng() % 10);
        indi += "0 @I" + std::to_string(id) + "@ INDI\n1 NAME " + given[rng() % 10] + " /" + name +
                "/\n1 SEX " + (rng() % 2 ? "M" : "F") + "\n1 BIRT\n2 DATE " +
                std::to_string(1 + rng() % 28) + " MAR " + std::to_string(year) +
                "\n2 PLAC Moorhof\n1 DEAT\n2 DATE ABT " + std::to_string(year + 60) +
                "\n1 NOTE Lebte in Moorhof und arbeitete als Bauer auf dem Hof der Familie,\n2 "
                "CONC  den schon der Großvater bewirtschaftet hatte.\n2 CONT Zweite Zeile.\n";
        if (famc) indi += "1 FAMC @F" + std::to_string(famc) + "@\n";
        if (fams) indi += "1 FAMS @F" + std::to_string(fams) + "@\n";
        return id;
    };
    struct Couple {
        int husband, wife, family, generation;
    };
    std::vector<Couple> couples;
    std::vector<std::string> fams(1); // by family number; every couple has its record
    auto addCouple = [&](int husband, int wife, int family, int generation) {
        couples.push_back({husband, wife, family, generation});
        fams.push_back("0 @F" + std::to_string(family) + "@ FAM\n1 HUSB @I" +
                       std::to_string(husband) + "@\n1 WIFE @I" + std::to_string(wife) + "@\n");
    };
    const int f0 = ++families;
    const int founder = person(0, surname[0], 0, f0);
    addCouple(founder, person(0, surname[1], 0, f0), f0, 0);
    for (size_t next = 0; next < couples.size() && count < persons; ++next) {
        const Couple c = couples[next];
        const int children = 2 + int(rng() % 3);
        for (int k = 0; k < children && count < persons; ++k) {
            const bool married = rng() % 10 < 8 && count + 2 <= persons;
            const int own = married ? ++families : 0;
            const int child = person(c.generation + 1, surname[rng() % 8], c.family, own);
            fams[size_t(c.family)] += "1 CHIL @I" + std::to_string(child) + "@\n";
            if (married)
                addCouple(child, person(c.generation + 1, surname[rng() % 8], 0, own), own,
                          c.generation + 1);
        }
    }
    for (const std::string& f : fams)
        fam += f;
    return QByteArray::fromStdString("0 HEAD\n1 GEDC\n2 VERS 5.5.1\n1 CHAR UTF-8\n" + indi + fam +
                                     "0 TRLR\n");
}

} // namespace lw::bench
