#include "document/Document.h"
#include "document/StaFile.h"
#include "picture/PictureStore.h"
#include "tests/TestPersons.h"

#include <gtest/gtest.h>
#include <random>

using namespace lw;
using lw::test::personAt;

namespace {

// What the cell lookups must answer: a scan of all persons.
int scanFirst(const Document& doc, int x, int y) {
    for (int i = 0; i < doc.PersonCount(); ++i)
        if (doc.person(i).GridX == x && doc.person(i).GridY == y) return i;
    return -1;
}

void expectIndexMatchesScan(const Document& doc, int w, int h) {
    for (int y = -1; y < h; ++y)
        for (int x = -1; x < w; ++x) {
            int first = scanFirst(doc, x, y);
            ASSERT_EQ(doc.GridBesetzt(x, y), first >= 0) << x << "," << y;
            ASSERT_EQ(doc.GridNr(x, y), first < 0 ? 0 : first) << x << "," << y;
        }
}

TDibRecord loadedPicture() {
    TDibRecord dib;
    EXPECT_TRUE(newdib(dib, 4, 3, 24, nullptr, 0));
    return dib;
}

} // namespace

TEST(Document, StartsEmptyWithDefaults) {
    Document doc;
    EXPECT_EQ(doc.PersonCount(), 0);
    EXPECT_TRUE(doc.FileName.isEmpty());
    EXPECT_FALSE(doc.Modified);
    EXPECT_EQ(doc.AreaWidth, 60);
    EXPECT_EQ(doc.AreaHeight, 60);
    EXPECT_EQ(doc.chart.Caption, "Stammbaum der Familie X");
    EXPECT_EQ(doc.chart.headingFont.Name, "Arial Black");
    EXPECT_EQ(doc.chart.headingFont.Height, -19);
    EXPECT_EQ(doc.chart.headingFont.Color, clWindowText);
    EXPECT_FALSE(doc.GridBesetzt(0, 0));
    EXPECT_EQ(doc.GridNr(0, 0), 0);
}

TEST(Document, SharedCellAnswersLowestIndexAndUnplacedPersonsStayOffTheArea) {
    Document doc;
    doc.addPerson(personAt(-1, -1));
    doc.addPerson(personAt(3, 2));
    doc.addPerson(personAt(3, 2));
    EXPECT_TRUE(doc.GridBesetzt(3, 2));
    EXPECT_EQ(doc.GridNr(3, 2), 1);
    for (int y = 0; y < doc.AreaHeight; ++y)
        for (int x = 0; x < doc.AreaWidth; ++x)
            if (!(x == 3 && y == 2)) {
                EXPECT_FALSE(doc.GridBesetzt(x, y));
            }

    // The lowest sharer leaves: the next one answers.
    doc.setGridPos(1, 5, 5);
    EXPECT_EQ(doc.GridNr(3, 2), 2);
    doc.setGridPos(2, 0, 0);
    EXPECT_FALSE(doc.GridBesetzt(3, 2));
}

TEST(Document, CellIndexFollowsEveryChangeOfPersons) {
    std::mt19937 rng(7);
    Document doc;
    auto cell = [&] { return int(rng() % 6) - 1; }; // -1 ... 4: shared cells are common
    for (int step = 0; step < 600; ++step) {
        int n = doc.PersonCount();
        switch (rng() % 7) {
        case 0:
        case 1:
            doc.addPerson(personAt(cell(), cell()));
            break;
        case 2:
            if (n) doc.setGridPos(int(rng() % n), cell(), cell());
            break;
        case 3:
            if (n) doc.deletePerson(int(rng() % n));
            break;
        case 4:
            if (n > 1) {
                int i = int(rng() % (n - 1));
                doc.exchangeNeighbours(i, i + 1);
            }
            break;
        case 5:
            if (n) doc.replacePerson(int(rng() % n), personAt(cell(), cell()));
            break;
        case 6:
            if (n) {
                RemovedPerson taken = doc.takePerson(int(rng() % n));
                expectIndexMatchesScan(doc, 5, 5);
                doc.restorePerson(std::move(taken));
            }
            break;
        }
        expectIndexMatchesScan(doc, 5, 5);
        if (HasFatalFailure()) return;
    }
}

TEST(GridIndex, AnswersAsAScanThroughGrowthRemovalsAndRenumbering) {
    // Persons on a few hundred cells near each other (probe runs collide and
    // wrap around the table); the model is the list of their cells.
    std::mt19937 rng(11);
    GridIndex index;
    std::vector<std::pair<int, int>> cells; // person i stands on cells[i]
    auto cellOf = [&](int i, std::int32_t& x, std::int32_t& y) {
        x = cells[size_t(i)].first;
        y = cells[size_t(i)].second;
    };
    for (int step = 0; step < 4000; ++step) {
        const int n = int(cells.size());
        if (n == 0 || rng() % 3 != 0) {
            const std::pair<int, int> c{int(rng() % 24) - 1, int(rng() % 24) - 1};
            cells.push_back(c);
            index.add(c.first, c.second, n);
        } else if (rng() % 2) { // a person leaves, later ones move down
            const int d = int(rng() % n);
            index.remove(cells[size_t(d)].first, cells[size_t(d)].second, d, n, cellOf);
            index.shiftIndices(d + 1, -1);
            cells.erase(cells.begin() + d);
        } else { // the last person moves to another cell
            const std::pair<int, int> c{int(rng() % 24) - 1, int(rng() % 24) - 1};
            index.remove(cells.back().first, cells.back().second, n - 1, n, cellOf);
            cells.back() = c;
            index.add(c.first, c.second, n - 1);
        }
        if (step % 100 != 0) continue;
        for (int y = -1; y < 23; ++y)
            for (int x = -1; x < 23; ++x) {
                int first = -1;
                for (size_t i = 0; i < cells.size() && first < 0; ++i)
                    if (cells[i] == std::pair<int, int>{x, y}) first = int(i);
                ASSERT_EQ(index.occupied(x, y), first >= 0) << step << ": " << x << "," << y;
                ASSERT_EQ(index.first(x, y), std::max(first, 0)) << step << ": " << x << "," << y;
            }
    }
}

TEST(Document, DeleteRewritesParentsToTheSamePersons) {
    Document doc;
    for (int i = 0; i < 3; ++i)
        doc.addPerson(personAt(i, 0));
    TPerson child = personAt(3, 0);
    child.Vater = 0;
    child.Mutter = 2;
    doc.addPerson(child); // 3
    TPerson other = personAt(4, 0);
    other.Mutter = 1;
    doc.addPerson(other); // 4

    doc.deletePerson(0);
    ASSERT_EQ(doc.PersonCount(), 4);
    EXPECT_EQ(doc.person(2).Vater, -1);  // the deleted father
    EXPECT_EQ(doc.person(2).Mutter, 1);  // was 2
    EXPECT_EQ(doc.person(3).Mutter, 0);  // was 1
    EXPECT_FALSE(doc.GridBesetzt(0, 0)); // the cell is free, nobody moved
    EXPECT_EQ(doc.GridNr(3, 0), 2);
}

TEST(Document, TakingAndRestoringAPersonGivesBackTheSameTreeWhateverItsParentsHold) {
    // Parents as files may hold them: real ones, -1, the person itself,
    // numbers beyond the list and far out of range; some share a cell.
    const std::int32_t raw[][2] = {{-1, -1}, {0, -1}, {0, 1}, {2, 2},        {1, 9},
                                   {4, -7},  {3, 0},  {6, 5}, {INT32_MAX, 2}};
    auto tree = [&] {
        Document doc;
        for (int i = 0; i < 9; ++i) {
            TPerson p = personAt(i % 3, i % 2, "P"); // persons 0, 6 and 1, 7 share cells
            p.NachName += char('0' + i);
            p.Vater = raw[i][0];
            p.Mutter = raw[i][1];
            doc.addPerson(p);
        }
        // Partnerships follow their partners as the parents do.
        for (const auto& [first, second] : {std::pair{0, 1}, {2, -1}, {6, 6}, {8, 3}}) {
            Partnership couple;
            couple.first = first;
            couple.second = second;
            doc.addPartnership(couple);
        }
        return doc;
    };
    const Document original = tree();
    const QByteArray originalBytes = serializeSta(original, BoxLayout{});
    for (int d = 0; d < original.PersonCount(); ++d) {
        SCOPED_TRACE(d);
        Document doc = tree(), deleted = tree();
        RemovedPerson removed = doc.takePerson(d);
        deleted.deletePerson(d);
        EXPECT_EQ(removed.person.NachName, original.person(d).NachName);
        EXPECT_EQ(serializeSta(doc, BoxLayout{}), serializeSta(deleted, BoxLayout{}));
        doc.restorePerson(std::move(removed));
        EXPECT_EQ(serializeSta(doc, BoxLayout{}), originalBytes);
        expectIndexMatchesScan(doc, 5, 5);
    }
}

TEST(Document, ExchangingNeighboursKeepsRelationsAndCells) {
    Document doc;
    doc.addPerson(personAt(0, 0, "Vater"));
    TPerson son = personAt(1, 0, "Sohn");
    son.Vater = 0;
    doc.addPerson(son);
    TPerson grandson = personAt(2, 0, "Enkel");
    grandson.Vater = 1;
    grandson.Mutter = 0;
    doc.addPerson(grandson);
    Partnership couple;
    couple.first = 0;
    couple.second = 2;
    doc.addPartnership(couple);

    doc.exchangeNeighbours(0, 1);
    EXPECT_EQ(doc.Partnerships()[0].first, 1);
    EXPECT_EQ(doc.Partnerships()[0].second, 2);
    EXPECT_EQ(doc.person(0).NachName, "Sohn");
    EXPECT_EQ(doc.person(0).Vater, 1);
    EXPECT_EQ(doc.person(2).Vater, 0);
    EXPECT_EQ(doc.person(2).Mutter, 1);
    EXPECT_EQ(doc.GridNr(0, 0), 1);
    EXPECT_EQ(doc.GridNr(1, 0), 0);

    doc.exchangeNeighbours(1, 0);
    EXPECT_EQ(doc.person(0).NachName, "Vater");
    EXPECT_EQ(doc.person(1).Vater, 0);
    EXPECT_EQ(doc.person(2).Vater, 1);
    EXPECT_EQ(doc.person(2).Mutter, 0);
}

TEST(Document, ClearAllFreesEachLoadedPictureOnceAndResets) {
    long before = liveDibCount();
    {
        // The pictures live beside the document; its owner lets go of them
        // when told that the document was cleared, as the window does.
        PictureStore store;
        Document doc;
        doc.addListener([&store](const DocumentChange& change) {
            if (change.kind == DocumentChange::Kind::Replaced) store.clear();
        });
        for (int i = 0; i < 4; ++i)
            doc.addPerson(personAt(i, 0));
        store.showRecord(QStringLiteral("a.png"), loadedPicture());
        store.showRecord(QStringLiteral("b.png"), loadedPicture());
        EXPECT_EQ(liveDibCount(), before + 2);
        doc.FileName = QStringLiteral("/tmp/x.sta");
        doc.Modified = true;
        doc.AreaWidth = 5;
        doc.chart.Caption = "Anders";
        doc.chart.setRandLEd(40);

        doc.ClearAll();
        EXPECT_EQ(liveDibCount(), before);
        EXPECT_EQ(doc.PersonCount(), 0);
        EXPECT_TRUE(doc.FileName.isEmpty());
        EXPECT_FALSE(doc.Modified);
        EXPECT_EQ(doc.AreaWidth, 60);
        EXPECT_EQ(doc.chart, ChartLayout{});
        EXPECT_EQ(doc.chart.RandLEd, 12);
        EXPECT_EQ(doc.chart.RandOEd, 18);
        EXPECT_EQ(doc.chart.RandOED2, 6);
    }
    EXPECT_EQ(liveDibCount(), before);
}

TEST(Document, PicturesAreFreedByTheStoreOnceAndTheDocumentStaysPlainData) {
    long before = liveDibCount();
    {
        PictureStore store;
        Document doc;
        for (int i = 0; i < 3; ++i)
            doc.addPerson(personAt(i, 0));
        for (const char* name : {"a.png", "b.png", "c.png"})
            store.showRecord(QString::fromLatin1(name), loadedPicture());
        doc.deletePerson(0);
        doc.replacePerson(0, personAt(7, 7));
        EXPECT_TRUE(doc.GridBesetzt(7, 7));
        Document other;
        other = std::move(doc);
        EXPECT_EQ(liveDibCount(), before + 3); // the document holds none of them
        store.show(QStringLiteral("a.png"), nullptr);
        EXPECT_EQ(liveDibCount(), before + 2);
        EXPECT_TRUE(store.shown(QStringLiteral("b.png")));
    }
    EXPECT_EQ(liveDibCount(), before); // the rest with the store
}

// Each change is told once after it is made; a bulk move is one change,
// however many persons it moves and by which way the cells are indexed.
TEST(Document, ListenersHearEachChangeOnceAndABulkMoveAsOne) {
    using Kind = DocumentChange::Kind;
    std::vector<DocumentChange> heard;
    Document doc;
    const int id = doc.addListener([&heard](const DocumentChange& c) { heard.push_back(c); });
    auto kinds = [&heard] {
        std::vector<Kind> out;
        for (const DocumentChange& c : heard)
            out.push_back(c.kind);
        heard.clear();
        return out;
    };
    std::vector<TPerson> many;
    for (int i = 0; i < 100; ++i)
        many.push_back(personAt(i, 0));
    doc.adoptPersons(std::move(many));
    doc.addPerson(personAt(0, 5));
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[1].person, 100);
    EXPECT_EQ(kinds(), (std::vector<Kind>{Kind::PersonsAdded, Kind::PersonAdded}));

    for (const size_t count : {size_t(3), size_t(100)}) {
        std::vector<CellPlacement> moves;
        for (size_t i = 0; i < count; ++i)
            moves.push_back({int(i), std::int32_t(i), 1});
        doc.setGridPositions(moves);
        EXPECT_EQ(kinds(), (std::vector<Kind>{Kind::CellsMoved})) << count;
        doc.setGridPositions(moves); // where they are already: nothing changed
        EXPECT_TRUE(kinds().empty()) << count;
    }
    doc.setGridPos(0, 0, 1); // there already
    doc.replacePerson(1, personAt(50, 50));
    doc.exchangeNeighbours(1, 2);
    doc.restorePerson(doc.takePerson(3));
    doc.addPartnership(Partnership{});
    EXPECT_EQ(kinds(),
              (std::vector<Kind>{Kind::PersonReplaced, Kind::PersonsExchanged, Kind::PersonRemoved,
                                 Kind::PersonRestored, Kind::Partnerships}));
    doc = Document{}; // the listeners stay with the window's document
    doc.removeListener(id);
    doc.addPerson(personAt(0, 0));
    EXPECT_EQ(kinds(), (std::vector<Kind>{Kind::Replaced}));
}

TEST(Document, FirstFreeCellGoesRowByRowAndKnowsAFullArea) {
    Document doc;
    doc.AreaWidth = 2;
    doc.AreaHeight = 2;
    doc.addPerson(personAt(0, 0));
    doc.addPerson(personAt(1, 0));
    std::int32_t x = -5, y = -5;
    ASSERT_TRUE(doc.firstFreeCell(x, y));
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 1);
    doc.addPerson(personAt(0, 1));
    doc.addPerson(personAt(1, 1));
    EXPECT_FALSE(doc.firstFreeCell(x, y));
}

TEST(Layout, ControlsClampAndRound) {
    BoxLayout box;
    box.setBreit(5);
    EXPECT_EQ(box.BreitEd, 10);
    box.setBreit(1200);
    EXPECT_EQ(box.BreitEd, 1000);
    box.setHoch(99.5);
    EXPECT_EQ(box.HochEd, 100);
    box.setBild(4294967295.0);
    EXPECT_EQ(box.BildEd, 90);
    box.setBild(std::nan(""));
    EXPECT_EQ(box.BildEd, 0);
    ChartLayout chart;
    chart.setRandLEd(-3);
    EXPECT_EQ(chart.RandLEd, 0);
    chart.setRandOEd(51);
    EXPECT_EQ(chart.RandOEd, 50);
    chart.setRandOED2(7.25);
    EXPECT_EQ(chart.RandOED2, 7.25);

    box.resetToStandard();
    EXPECT_EQ(box.bkColor, 0x80000018u);
    EXPECT_EQ(box.borderColor, 0u);
    EXPECT_EQ(box.font, defaultBoxFont());
    EXPECT_EQ(box.BreitEd, 168);
    EXPECT_EQ(box.HochEd, 96);
    EXPECT_EQ(box.BildEd, 50);
    EXPECT_EQ(box.Textausricht, 1);
    EXPECT_TRUE(box.LeblaufCheck);
}

TEST(Document, ManyCellsSetAtOnceEndAsOneByOneAndAnswerAsAScan) {
    std::mt19937 rng(26);
    for (int moves : {3, 64, 65, 400}) {
        Document bulk, single;
        for (int i = 0; i < 100; ++i) {
            bulk.addPerson(personAt(i % 7, i / 7 % 3));
            single.addPerson(personAt(i % 7, i / 7 % 3));
        }
        // Onto cells that others still hold, some persons twice: the last
        // entry counts.
        std::vector<CellPlacement> placements;
        for (int k = 0; k < moves; ++k)
            placements.push_back({int(rng() % 100), int(rng() % 6) - 1, int(rng() % 5) - 1});
        bulk.setGridPositions(placements);
        for (const CellPlacement& c : placements)
            single.setGridPos(c.index, c.x, c.y);
        for (int i = 0; i < 100; ++i) {
            EXPECT_EQ(bulk.person(i).GridX, single.person(i).GridX) << moves << " " << i;
            EXPECT_EQ(bulk.person(i).GridY, single.person(i).GridY) << moves << " " << i;
        }
        expectIndexMatchesScan(bulk, 7, 5);
    }
}
