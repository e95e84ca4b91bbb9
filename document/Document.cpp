#include "document/Document.h"

#include <utility>

namespace lw {

Document::~Document() { releasePictures(); }

Document::Document(Document&& other) noexcept
    : FileName(std::move(other.FileName)), Modified(other.Modified), AreaWidth(other.AreaWidth),
      AreaHeight(other.AreaHeight), chart(std::move(other.chart)),
      persons_(std::move(other.persons_)), cells_(std::move(other.cells_)) {
    other.persons_.clear();
    other.cells_.clear();
}

Document& Document::operator=(Document&& other) noexcept {
    if (this == &other) return *this;
    releasePictures();
    FileName = std::move(other.FileName);
    Modified = other.Modified;
    AreaWidth = other.AreaWidth;
    AreaHeight = other.AreaHeight;
    chart = std::move(other.chart);
    persons_ = std::move(other.persons_);
    cells_ = std::move(other.cells_);
    other.persons_.clear();
    other.cells_.clear();
    return *this;
}

void Document::releasePictures() {
    for (TPerson& p : persons_) {
        if (!p.Dib.empty()) {
            deldib(p.Dib);
            p.Dib = TDibRecord{};
        }
    }
}

void Document::ClearAll() {
    releasePictures();
    persons_.clear();
    persons_.shrink_to_fit();
    cells_.clear();
    FileName.clear();
    chart = ChartLayout{};
    AreaWidth = 60;
    AreaHeight = 60;
    Modified = false;
}

void Document::GetGridPos(int index, std::int32_t& x, std::int32_t& y) const {
    x = persons_[size_t(index)].GridX;
    y = persons_[size_t(index)].GridY;
}

void Document::rebuildIndex() {
    cells_.clear();
    cells_.reserve(persons_.size());
    for (size_t i = 0; i < persons_.size(); ++i) cells_.add(persons_[i].GridX, persons_[i].GridY, int(i));
}

void Document::adoptPersons(std::vector<TPerson> persons) {
    for (TPerson& p : persons) {
        if (!p.Dib.empty()) deldib(p.Dib);
        p.Dib = TDibRecord{};
    }
    if (persons_.empty()) persons_ = std::move(persons);
    else persons_.insert(persons_.end(), std::make_move_iterator(persons.begin()),
                         std::make_move_iterator(persons.end()));
    rebuildIndex();
}

int Document::addPerson(TPerson person) {
    if (!person.Dib.empty()) {
        deldib(person.Dib);
        person.Dib = TDibRecord{};
    }
    persons_.push_back(std::move(person));
    int index = PersonCount() - 1;
    cells_.add(persons_.back().GridX, persons_.back().GridY, index);
    return index;
}

void Document::replacePerson(int index, TPerson person) {
    TPerson& old = persons_[size_t(index)];
    if (!old.Dib.empty()) deldib(old.Dib);
    if (!person.Dib.empty() && person.Dib.bits != old.Dib.bits) deldib(person.Dib);
    person.Dib = TDibRecord{};
    std::int32_t x = person.GridX, y = person.GridY;
    person.GridX = old.GridX;
    person.GridY = old.GridY;
    old = std::move(person);
    setGridPos(index, x, y);
}

void Document::setGridPos(int index, std::int32_t x, std::int32_t y) {
    TPerson& p = persons_[size_t(index)];
    if (p.GridX == x && p.GridY == y) return;
    std::int32_t ox = p.GridX, oy = p.GridY;
    p.GridX = x;
    p.GridY = y;
    cells_.remove(ox, oy, index, PersonCount(), [this](int i, std::int32_t& cx, std::int32_t& cy) {
        GetGridPos(i, cx, cy);
    });
    cells_.add(x, y, index);
}

void Document::storeDib(int index, const TDibRecord& dib) {
    TPerson& p = persons_[size_t(index)];
    if (!p.Dib.empty() && p.Dib.bits != dib.bits) deldib(p.Dib);
    p.Dib = dib;
}

void Document::deletePerson(int d) {
    TPerson& gone = persons_[size_t(d)];
    if (!gone.Dib.empty()) deldib(gone.Dib);
    gone.Dib = TDibRecord{};
    persons_.erase(persons_.begin() + d);
    persons_.shrink_to_fit();
    auto follow = [d](std::int32_t& parent) {
        if (parent == d) parent = -1;
        else if (parent > d) --parent;
    };
    for (TPerson& p : persons_) {
        follow(p.Vater);
        follow(p.Mutter);
    }
    rebuildIndex();
}

void Document::exchangeNeighbours(int i, int j) {
    std::swap(persons_[size_t(i)], persons_[size_t(j)]);
    auto follow = [i, j](std::int32_t& parent) {
        if (parent == i) parent = j;
        else if (parent == j) parent = i;
    };
    for (TPerson& p : persons_) {
        follow(p.Vater);
        follow(p.Mutter);
    }
    rebuildIndex();
}

bool Document::firstFreeCell(std::int32_t& x, std::int32_t& y) const {
    // At most PersonCount cells are taken, so the search ends within the
    // first PersonCount + 1 cells of the area.
    for (std::int32_t row = 0; row < AreaHeight; ++row)
        for (std::int32_t col = 0; col < AreaWidth; ++col)
            if (!GridBesetzt(col, row)) {
                x = col;
                y = row;
                return true;
            }
    return false;
}

} // namespace lw
