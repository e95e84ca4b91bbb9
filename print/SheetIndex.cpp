#include "print/SheetIndex.h"

#include <algorithm>

namespace lw {

std::int64_t sheetCountOf(const std::vector<SheetRun>& runs) {
    std::int64_t n = 0;
    for (const SheetRun& run : runs)
        n += run.count();
    return n;
}

SheetIndex::SheetIndex(std::int64_t rows, std::int64_t cols, ColumnsOf columnsOf)
    : rows_(rows), cols_(cols), columnsOf_(std::move(columnsOf)) {}

void SheetIndex::add(Item item, std::int64_t r0, std::int64_t r1) {
    r0 = std::max<std::int64_t>(r0, 0);
    r1 = std::min(r1, rows_ - 1);
    if (r0 <= r1) spans_.push_back({r0, r1, item});
}

void SheetIndex::startRows() {
    row_ = -1;
    nextSpan_ = 0;
    active_.clear();
}

void SheetIndex::advanceRow(std::int64_t row) {
    if (row < row_) startRows();
    row_ = row;
    std::erase_if(active_, [&](std::size_t i) { return spans_[i].r1 < row; });
    for (; nextSpan_ < spans_.size() && spans_[nextSpan_].r0 <= row; ++nextSpan_)
        if (spans_[nextSpan_].r1 >= row) active_.push_back(nextSpan_);
}

void SheetIndex::collectPieces(std::vector<Piece>& out) const {
    out.clear();
    for (const std::size_t i : active_)
        columnsOf_(spans_[i].item, row_, out);
    std::erase_if(out, [&](Piece& p) {
        p.c0 = std::max<std::int64_t>(p.c0, 0);
        p.c1 = std::min(p.c1, cols_ - 1);
        return p.c0 > p.c1;
    });
    std::sort(out.begin(), out.end(), [](const Piece& a, const Piece& b) { return a.c0 < b.c0; });
}

void SheetIndex::finish(std::int64_t stopAbove) {
    std::stable_sort(spans_.begin(), spans_.end(),
                     [](const Span& a, const Span& b) { return a.r0 < b.r0; });
    reached_.clear();
    reachedCount_ = 0;
    complete_ = true;
    startRows();
    std::vector<Piece> pieces;
    std::int64_t row = spans_.empty() ? rows_ : spans_.front().r0;
    while (row < rows_) {
        advanceRow(row);
        collectPieces(pieces);
        const std::size_t rowStart = reached_.size();
        for (const Piece& p : pieces) {
            if (reached_.size() > rowStart && p.c0 <= reached_.back().c1 + 1) {
                reached_.back().c1 = std::max(reached_.back().c1, p.c1);
            } else {
                reached_.push_back({row, p.c0, p.c1});
            }
        }
        if (stopAbove >= 0) {
            for (std::size_t i = rowStart; i < reached_.size(); ++i)
                reachedCount_ += reached_[i].count();
            if (reachedCount_ > stopAbove) {
                complete_ = false;
                break;
            }
        }
        // The next row that something crosses.
        std::int64_t next = row + 1;
        if (active_.empty() || std::all_of(active_.begin(), active_.end(),
                                           [&](std::size_t i) { return spans_[i].r1 < next; })) {
            if (nextSpan_ >= spans_.size()) break;
            next = std::max(next, spans_[nextSpan_].r0);
        }
        row = next;
    }
    if (complete_) reachedCount_ = sheetCountOf(reached_);
    startRows();
    pieces_.clear();
    col_ = -1;
}

void SheetIndex::startColumns() {
    col_ = -1;
    nextPiece_ = 0;
    activePieces_.clear();
}

const std::vector<SheetIndex::Item>& SheetIndex::itemsAt(std::int64_t row, std::int64_t col) {
    if (row != row_ || row_ < 0) {
        advanceRow(row);
        collectPieces(pieces_);
        startColumns();
    }
    if (col < col_) startColumns();
    col_ = col;
    std::erase_if(activePieces_, [&](std::size_t i) { return pieces_[i].c1 < col; });
    for (; nextPiece_ < pieces_.size() && pieces_[nextPiece_].c0 <= col; ++nextPiece_)
        if (pieces_[nextPiece_].c1 >= col) activePieces_.push_back(nextPiece_);
    items_.clear();
    for (const std::size_t i : activePieces_)
        items_.push_back(pieces_[i].item);
    std::sort(items_.begin(), items_.end());
    items_.erase(std::unique(items_.begin(), items_.end()), items_.end());
    return items_;
}

} // namespace lw
