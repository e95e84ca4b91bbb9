#include "document/Document.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace lw {

using Kind = DocumentChange::Kind;

Document::Document(Document&& other) noexcept
    : FileName(std::move(other.FileName)), Modified(other.Modified), AreaWidth(other.AreaWidth),
      AreaHeight(other.AreaHeight), chart(std::move(other.chart)),
      persons_(std::move(other.persons_)), partnerships_(std::move(other.partnerships_)),
      cells_(std::move(other.cells_)) {
    other.persons_.clear();
    other.partnerships_.clear();
    other.cells_.clear();
}

Document& Document::operator=(Document&& other) noexcept {
    if (this == &other) return *this;
    FileName = std::move(other.FileName);
    Modified = other.Modified;
    AreaWidth = other.AreaWidth;
    AreaHeight = other.AreaHeight;
    chart = std::move(other.chart);
    persons_ = std::move(other.persons_);
    partnerships_ = std::move(other.partnerships_);
    cells_ = std::move(other.cells_);
    other.persons_.clear();
    other.partnerships_.clear();
    other.cells_.clear();
    tell({Kind::Replaced});
    return *this;
}

int Document::addListener(Listener listener) {
    listeners_.emplace_back(nextListener_, std::move(listener));
    return nextListener_++;
}

void Document::removeListener(int id) {
    std::erase_if(listeners_, [id](const auto& l) { return l.first == id; });
}

void Document::tell(DocumentChange change) const {
    for (const auto& l : listeners_)
        l.second(change);
}

void Document::ClearAll() {
    persons_.clear();
    persons_.shrink_to_fit();
    partnerships_.clear();
    partnerships_.shrink_to_fit();
    cells_.clear();
    FileName.clear();
    chart = ChartLayout{};
    AreaWidth = 60;
    AreaHeight = 60;
    Modified = false;
    tell({Kind::Replaced});
}

void Document::GetGridPos(int index, std::int32_t& x, std::int32_t& y) const {
    x = persons_[size_t(index)].GridX;
    y = persons_[size_t(index)].GridY;
}

void Document::rebuildIndex() {
    cells_.clear();
    cells_.reserve(persons_.size());
    for (size_t i = 0; i < persons_.size(); ++i)
        cells_.add(persons_[i].GridX, persons_[i].GridY, int(i));
}

void Document::adoptPersons(std::vector<TPerson> persons) {
    const size_t first = persons_.size();
    if (persons_.empty())
        persons_ = std::move(persons);
    else
        persons_.insert(persons_.end(), std::make_move_iterator(persons.begin()),
                        std::make_move_iterator(persons.end()));
    cells_.reserve(persons_.size());
    for (size_t i = first; i < persons_.size(); ++i)
        cells_.add(persons_[i].GridX, persons_[i].GridY, int(i));
    tell({Kind::PersonsAdded, int(first)});
}

int Document::addPerson(TPerson person) {
    persons_.push_back(std::move(person));
    int index = PersonCount() - 1;
    cells_.add(persons_.back().GridX, persons_.back().GridY, index);
    tell({Kind::PersonAdded, index});
    return index;
}

void Document::replacePerson(int index, TPerson person) {
    TPerson& old = persons_[size_t(index)];
    std::int32_t x = person.GridX, y = person.GridY;
    person.GridX = old.GridX;
    person.GridY = old.GridY;
    old = std::move(person);
    moveCell(index, x, y);
    tell({Kind::PersonReplaced, index});
}

void Document::setGridPos(int index, std::int32_t x, std::int32_t y) {
    if (moveCell(index, x, y)) tell({Kind::CellsMoved, index});
}

bool Document::moveCell(int index, std::int32_t x, std::int32_t y) {
    TPerson& p = persons_[size_t(index)];
    if (p.GridX == x && p.GridY == y) return false;
    std::int32_t ox = p.GridX, oy = p.GridY;
    p.GridX = x;
    p.GridY = y;
    cells_.remove(ox, oy, index, PersonCount(),
                  [this](int i, std::int32_t& cx, std::int32_t& cy) { GetGridPos(i, cx, cy); });
    cells_.add(x, y, index);
    return true;
}

void Document::setGridPositions(const std::vector<CellPlacement>& placements) {
    // A few moves go through the index one by one; more are cheaper in one
    // pass over all persons.
    constexpr size_t kOneByOne = 64;
    if (placements.size() <= kOneByOne) {
        bool moved = false;
        for (const CellPlacement& c : placements)
            moved = moveCell(c.index, c.x, c.y) || moved;
        if (moved) tell({Kind::CellsMoved});
        return;
    }
    bool moved = false;
    for (const CellPlacement& c : placements) {
        TPerson& p = persons_[size_t(c.index)];
        moved = moved || p.GridX != c.x || p.GridY != c.y;
        p.GridX = c.x;
        p.GridY = c.y;
    }
    rebuildIndex();
    if (moved) tell({Kind::CellsMoved});
}

void Document::deletePerson(int d) {
    takePerson(d);
}

RemovedPerson Document::takePerson(int d) {
    RemovedPerson removed;
    removed.index = d;
    TPerson& gone = persons_[size_t(d)];
    // The cell index follows without being built anew (a tree may have a
    // hundred thousand persons): d leaves its cell, later indices move down.
    cells_.remove(gone.GridX, gone.GridY, d, PersonCount(),
                  [this](int i, std::int32_t& cx, std::int32_t& cy) { GetGridPos(i, cx, cy); });
    cells_.shiftIndices(d + 1, -1);
    removed.person = std::move(gone);
    persons_.erase(persons_.begin() + d);
    auto follow = [d](std::int32_t& parent, std::vector<int>& named, int child) {
        if (parent == d) {
            parent = -1;
            named.push_back(child);
        } else if (parent > d) {
            --parent;
        }
    };
    for (size_t i = 0; i < persons_.size(); ++i) {
        // The numbering before the removal, as restorePerson will see it.
        const int child = i < size_t(d) ? int(i) : int(i) + 1;
        follow(persons_[i].Vater, removed.childrenAsFather, child);
        follow(persons_[i].Mutter, removed.childrenAsMother, child);
    }
    for (size_t i = 0; i < partnerships_.size(); ++i) {
        follow(partnerships_[i].first, removed.partnershipsAsFirst, int(i));
        follow(partnerships_[i].second, removed.partnershipsAsSecond, int(i));
    }
    tell({Kind::PersonRemoved, d});
    return removed;
}

void Document::restorePerson(RemovedPerson removed) {
    const int d = removed.index;
    auto follow = [d](std::int32_t& parent) {
        if (parent >= d && parent < INT32_MAX) ++parent;
    };
    for (TPerson& p : persons_) {
        follow(p.Vater);
        follow(p.Mutter);
    }
    for (Partnership& p : partnerships_) {
        follow(p.first);
        follow(p.second);
    }
    cells_.shiftIndices(d, +1);
    cells_.add(removed.person.GridX, removed.person.GridY, d);
    persons_.insert(persons_.begin() + d, std::move(removed.person));
    for (int child : removed.childrenAsFather)
        persons_[size_t(child)].Vater = d;
    for (int child : removed.childrenAsMother)
        persons_[size_t(child)].Mutter = d;
    for (int couple : removed.partnershipsAsFirst)
        partnerships_[size_t(couple)].first = d;
    for (int couple : removed.partnershipsAsSecond)
        partnerships_[size_t(couple)].second = d;
    tell({Kind::PersonRestored, d});
}

void Document::exchangeNeighbours(int i, int j) {
    std::swap(persons_[size_t(i)], persons_[size_t(j)]);
    auto follow = [i, j](std::int32_t& parent) {
        if (parent == i)
            parent = j;
        else if (parent == j)
            parent = i;
    };
    for (TPerson& p : persons_) {
        follow(p.Vater);
        follow(p.Mutter);
    }
    for (Partnership& p : partnerships_) {
        follow(p.first);
        follow(p.second);
    }
    rebuildIndex();
    tell({Kind::PersonsExchanged, i, j});
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

void Document::adoptPartnerships(std::vector<Partnership> partnerships) {
    if (partnerships_.empty())
        partnerships_ = std::move(partnerships);
    else
        partnerships_.insert(partnerships_.end(), std::make_move_iterator(partnerships.begin()),
                             std::make_move_iterator(partnerships.end()));
    tell({Kind::Partnerships});
}

int Document::addPartnership(Partnership partnership) {
    partnerships_.push_back(std::move(partnership));
    tell({Kind::Partnerships});
    return int(partnerships_.size()) - 1;
}

void Document::replacePartnership(int index, Partnership partnership) {
    partnerships_[size_t(index)] = std::move(partnership);
    tell({Kind::Partnerships});
}

void Document::removePartnership(int index) {
    partnerships_.erase(partnerships_.begin() + index);
    tell({Kind::Partnerships});
}

void Document::insertPartnership(int index, Partnership partnership) {
    partnerships_.insert(partnerships_.begin() + index, std::move(partnership));
}

std::vector<int> Document::partnershipsOf(int index) const {
    std::vector<std::pair<std::int32_t, int>> ranked;
    for (size_t i = 0; i < partnerships_.size(); ++i) {
        const Partnership& p = partnerships_[i];
        if (p.first == index)
            ranked.emplace_back(p.firstRank, int(i));
        else if (p.second == index)
            ranked.emplace_back(p.secondRank, int(i));
    }
    std::sort(ranked.begin(), ranked.end());
    std::vector<int> out;
    out.reserve(ranked.size());
    for (const auto& r : ranked)
        out.push_back(r.second);
    return out;
}

} // namespace lw
