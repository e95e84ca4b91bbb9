#pragma once
// The one open family tree: the persons in list order, the chart area, the
// heading and margins, the file it came from and whether it has unsaved
// changes.
//
// The document is plain data: the persons hold their picture's file name,
// and the decoded pictures live beside the document (see PictureStore).
// Listeners hear of every change made through the methods below.
//
// Persons are changed only through the methods below, so that the cell index
// behind GridBesetzt/GridNr always answers as a scan of all persons would.
#include "document/DocumentChange.h"
#include "document/GridIndex.h"
#include "document/Layout.h"
#include "document/Partnership.h"
#include "document/Person.h"

#include <QString>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

namespace lw {

// A new cell for person `index`, one of many moved at once.
struct CellPlacement {
    int index = -1;
    std::int32_t x = -1;
    std::int32_t y = -1;
};

// A person taken out of the document, with what it takes to put it back
// exactly: its index, the persons that named it as father or mother and the
// partnerships that named it as a partner.
struct RemovedPerson {
    int index = -1;
    TPerson person;
    std::vector<int> childrenAsFather; // indices as they were before the removal
    std::vector<int> childrenAsMother;
    std::vector<int> partnershipsAsFirst; // indices into Partnerships()
    std::vector<int> partnershipsAsSecond;
};

class Document {
  public:
    Document() = default;
    ~Document() = default;
    // The new document has no listeners.
    Document(Document&& other) noexcept;
    // Takes over the other's data; this document keeps its listeners and
    // tells them that it was replaced.
    Document& operator=(Document&& other) noexcept;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    QString FileName; // empty = no file
    bool Modified = false;
    std::int32_t AreaWidth = 60;
    std::int32_t AreaHeight = 60;
    ChartLayout chart; // heading text and font, margins

    std::int32_t PersonCount() const { return std::int32_t(persons_.size()); }
    // Room for `count` persons in all, so that adding them moves none.
    void reservePersons(std::int32_t count) { persons_.reserve(size_t(std::max(0, count))); }
    const std::vector<TPerson>& Persons() const { return persons_; }
    const TPerson& person(int index) const { return persons_[size_t(index)]; }

    // Resets to the empty document: no persons, no file, area 60 × 60, default heading and margins,
    // not modified.
    void ClearAll();

    void GetGridPos(int index, std::int32_t& x, std::int32_t& y) const;
    bool GridBesetzt(std::int32_t x, std::int32_t y) const { return cells_.occupied(x, y); }
    // Lowest index of a person on the cell; 0 for an empty cell.
    int GridNr(std::int32_t x, std::int32_t y) const { return cells_.first(x, y); }

    // The parent index that readers use: -1 unless `value` names another
    // person of the document.
    int validParent(int index, std::int32_t value) const {
        return value >= 0 && value < PersonCount() && value != index ? value : -1;
    }
    // The parent whose line the chart draws: a valid parent, when neither it
    // nor the child is without a cell (-1, -1), so that a chart of some of the
    // persons has no lines running off into the corner.
    int drawnParent(int index, std::int32_t value) const {
        const int parent = validParent(index, value);
        const auto unplaced = [this](int i) {
            return persons_[size_t(i)].GridX == -1 && persons_[size_t(i)].GridY == -1;
        };
        return parent >= 0 && !unplaced(index) && !unplaced(parent) ? parent : -1;
    }

    // Appends the persons read from a file at once, with one
    // pass over them for the cell index.
    void adoptPersons(std::vector<TPerson> persons);
    // Appends a person; returns its index.
    int addPerson(TPerson person);
    // Replaces the data of person `index` (after the edit dialog).
    void replacePerson(int index, TPerson person);
    void setGridPos(int index, std::int32_t x, std::int32_t y);
    // setGridPos for each entry in order, in time linear in the persons: an
    // arrangement moves most persons, many onto cells that others still
    // hold, so the cell index is built once afterwards.
    void setGridPositions(const std::vector<CellPlacement>& placements);

    // Removes person d; every parent and partner reference follows (d becomes
    // -1, later indices move down by one). The partnerships stay, with the
    // removed partner's place empty.
    void deletePerson(int d);
    // deletePerson that hands back the person and who named it as parent.
    RemovedPerson takePerson(int d);
    // Puts a taken person back at its index: later indices move up by one
    // and every parent and partner reference that named it names it again,
    // so the persons and partnerships are exactly as before takePerson.
    void restorePerson(RemovedPerson removed);
    // Exchanges persons i and j = i + 1 or i - 1 with everything they hold;
    // parent and partner references are rewritten so that they name the
    // same persons.
    void exchangeNeighbours(int i, int j);

    // The couples of the tree in list order (see Partnership).
    const std::vector<Partnership>& Partnerships() const { return partnerships_; }
    // Appends the partnerships read from a file, whose partner indices name
    // persons of this document or are -1.
    void adoptPartnerships(std::vector<Partnership> partnerships);
    // Appends a partnership; returns its index.
    int addPartnership(Partnership partnership);
    void replacePartnership(int index, Partnership partnership);
    void removePartnership(int index);
    // Puts a partnership at `index`; later ones move up by one.
    void insertPartnership(int index, Partnership partnership);
    // The indices of person `index`'s partnerships in that person's order.
    std::vector<int> partnershipsOf(int index) const;

    // The first free cell, row by row, or false when every cell is taken.
    bool firstFreeCell(std::int32_t& x, std::int32_t& y) const;

    // Listeners are told of each change once, after it is made; a bulk
    // change (adoptPersons, setGridPositions) is one change. The returned
    // number takes the listener away again.
    using Listener = std::function<void(const DocumentChange&)>;
    int addListener(Listener listener);
    void removeListener(int id);
    // For changes to the public fields (area, heading and margins): tells
    // the listeners `kind` once the caller has made it.
    void tell(DocumentChange change) const;

  private:
    void rebuildIndex();
    // setGridPos without telling; false when the person was there already.
    bool moveCell(int index, std::int32_t x, std::int32_t y);

    std::vector<TPerson> persons_;
    std::vector<Partnership> partnerships_;
    GridIndex cells_;
    std::vector<std::pair<int, Listener>> listeners_;
    int nextListener_ = 0;
};

} // namespace lw
