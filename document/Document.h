#pragma once
// The one open family tree: the persons in list order, the chart area, the
// heading and margins, the file it came from and whether it has unsaved
// changes.
//
// Persons are changed only through the methods below, so that the cell index
// behind GridBesetzt/GridNr always answers as a scan of all persons would.
#include "document/GridIndex.h"
#include "document/Layout.h"
#include "document/Partnership.h"
#include "document/Person.h"
#include "picture/PictureCache.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace lw {

// A new cell for person `index`, one of many moved at once.
struct CellPlacement {
    int index = -1;
    std::int32_t x = -1;
    std::int32_t y = -1;
};

// A person taken out of the document, with what it takes to put it back
// exactly: its index and the persons that named it as father or mother.
struct RemovedPerson {
    int index = -1;
    TPerson person;                    // without its loaded picture
    std::vector<int> childrenAsFather; // indices as they were before the removal
    std::vector<int> childrenAsMother;
};

class Document {
public:
    Document() = default;
    ~Document();
    Document(Document&& other) noexcept;
    Document& operator=(Document&& other) noexcept; // frees this document's pictures first
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    QString FileName; // empty = no file
    bool Modified = false;
    std::int32_t AreaWidth = 60;
    std::int32_t AreaHeight = 60;
    ChartLayout chart; // heading text and font, margins

    std::int32_t PersonCount() const { return std::int32_t(persons_.size()); }
    const std::vector<TPerson>& Persons() const { return persons_; }
    const TPerson& person(int index) const { return persons_[size_t(index)]; }

    // Frees every loaded picture and resets to the empty document: no
    // persons, no file, area 60 × 60, default heading and margins, not
    // modified.
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

    // Appends the persons read from a file (no pictures) at once, with one
    // pass over them for the cell index.
    void adoptPersons(std::vector<TPerson> persons);
    // Appends a person (its picture must be empty); returns its index.
    int addPerson(TPerson person);
    // Replaces the data of person `index` (after the edit dialog): its old
    // picture is freed and the new record starts without one.
    void replacePerson(int index, TPerson person);
    void setGridPos(int index, std::int32_t x, std::int32_t y);
    // setGridPos for each entry in order, in time linear in the persons: an
    // arrangement moves most persons, many onto cells that others still
    // hold, so the cell index is built once afterwards.
    void setGridPositions(const std::vector<CellPlacement>& placements);
    // Keeps a picture loaded for the chart in the person, who owns it from
    // then on.
    void storeDib(int index, const TDibRecord& dib);
    // Shows `picture` (may be null: none) in person `index`.
    void storePicture(int index, PictureRef picture);

    // The decoded pictures of this tree, shared by the persons.
    PictureCache& pictures() { return pictures_; }
    // Keeps the outcome of reading `request` in the cache; persons showing
    // pictures that the budget drops let go of them.
    void keepPicture(const PictureRequest& request, const FileStamp& stamp, PictureRef picture);
    // A new memory budget for the pictures, with the same dropping.
    void setPictureBudget(std::size_t bytes);

    // Removes person d; every parent reference follows (d becomes -1, later
    // indices move down by one). Frees the person's picture.
    void deletePerson(int d);
    // deletePerson that hands back the person and who named it as parent.
    RemovedPerson takePerson(int d);
    // Puts a taken person back at its index: later indices move up by one
    // and every parent reference that named it names it again, so the
    // persons are exactly as before takePerson.
    void restorePerson(RemovedPerson removed);
    // Exchanges persons i and j = i + 1 or i - 1 with everything they hold;
    // parent references are rewritten so that they name the same persons.
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
    // The indices of person `index`'s partnerships in that person's order.
    std::vector<int> partnershipsOf(int index) const;

    // The first free cell, row by row, or false when every cell is taken.
    bool firstFreeCell(std::int32_t& x, std::int32_t& y) const;

private:
    void releasePictures();
    void rebuildIndex();
    void letGo(const std::vector<PictureRef>& dropped);

    std::vector<TPerson> persons_;
    std::vector<Partnership> partnerships_;
    GridIndex cells_;
    PictureCache pictures_;
};

} // namespace lw
