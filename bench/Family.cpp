#include "bench/Bench.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

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

QByteArray interlinkedFamiliesGedcom(int persons, double intoOtherLines) {
    std::mt19937 rng(11);
    auto chance = [&](double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; };
    struct Person {
        int childOf = 0, year = 0;
        std::vector<int> spouseIn;
    };
    struct Family {
        int husband, wife;
        std::vector<int> children;
    };
    std::vector<Person> people; // the person numbered n is people[n - 1]
    std::vector<Family> families;
    auto person = [&](int childOf, int year) {
        people.push_back({childOf, year, {}});
        return int(people.size());
    };
    auto marry = [&](int husband, int wife) {
        families.push_back({husband, wife, {}});
        const int f = int(families.size());
        people[size_t(husband - 1)].spouseIn.push_back(f);
        people[size_t(wife - 1)].spouseIn.push_back(f);
        return f;
    };
    std::vector<int> founders, generation;
    for (int k = 0; k < 12; ++k)
        founders.push_back(marry(person(0, 1600), person(0, 1600)));
    generation = founders;
    for (int year = 1628; int(people.size()) < persons; year += 28) {
        std::vector<int> children;
        for (int f : generation)
            for (int k = 1 + int(rng() % 4); k > 0 && int(people.size()) < persons; --k) {
                const int child = person(f, year + int(rng() % 7) - 3);
                families[size_t(f - 1)].children.push_back(child);
                children.push_back(child);
            }
        std::shuffle(children.begin(), children.end(), rng);
        std::vector<int> single;
        for (int c : children)
            if (!chance(0.15)) single.push_back(c);
        std::vector<int> next;
        while (!single.empty() && int(people.size()) < persons) {
            const int a = single.back();
            single.pop_back();
            int b = 0;
            if (!single.empty() && chance(intoOtherLines)) {
                const size_t at = rng() % single.size();
                if (people[size_t(single[at] - 1)].childOf != people[size_t(a - 1)].childOf) {
                    b = single[at];
                    single.erase(single.begin() + std::ptrdiff_t(at));
                }
            }
            next.push_back(marry(a, b ? b : person(0, year)));
            if (chance(0.08) && int(people.size()) < persons)
                next.push_back(marry(a, person(0, year)));
        }
        generation = next.empty() ? founders : next;
    }
    std::string out = "0 HEAD\n1 GEDC\n2 VERS 5.5.1\n1 CHAR UTF-8\n";
    for (size_t i = 0; i < people.size(); ++i) {
        const Person& p = people[i];
        out += "0 @I" + std::to_string(i + 1) + "@ INDI\n1 NAME Hans /Lindner " +
               std::to_string(i % 97) + "/\n1 BIRT\n2 DATE " + std::to_string(p.year) + "\n";
        if (p.childOf) out += "1 FAMC @F" + std::to_string(p.childOf) + "@\n";
        for (int f : p.spouseIn)
            out += "1 FAMS @F" + std::to_string(f) + "@\n";
    }
    for (size_t f = 0; f < families.size(); ++f) {
        out += "0 @F" + std::to_string(f + 1) + "@ FAM\n1 HUSB @I" +
               std::to_string(families[f].husband) + "@\n1 WIFE @I" +
               std::to_string(families[f].wife) + "@\n";
        for (int c : families[f].children)
            out += "1 CHIL @I" + std::to_string(c) + "@\n";
    }
    return QByteArray::fromStdString(out + "0 TRLR\n");
}

} // namespace lw::bench
