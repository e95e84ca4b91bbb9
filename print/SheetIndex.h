#pragma once
// What reaches which sheet of a job, kept in memory in proportion to the
// chart, not to the sheets that its items cross.
//
// Every item (the heading, a box, a line) is listed once with the rows of
// sheets it can reach. The columns it reaches in one row are asked of the
// caller only when that row is visited, as intervals of sheet columns: a line
// across ten thousand sheets is one interval of its row, not ten thousand
// entries. The rows are visited from the top down, each holding only the
// items that cross it; the sheets of one row from left to right, each holding
// only the intervals that cover it.
//
// The sheets that something reaches are kept as runs of neighbouring sheets
// in a row, so that even a row of a million reached sheets is one run.
#include <cstdint>
#include <functional>
#include <vector>

namespace lw {

// Sheets row, c0 … c1 of one row (both included).
struct SheetRun {
    std::int64_t row = 0;
    std::int64_t c0 = 0;
    std::int64_t c1 = 0;
    std::int64_t count() const { return c1 - c0 + 1; }
    bool operator==(const SheetRun&) const = default;
};

// The sheets of runs, row by row and left to right.
std::int64_t sheetCountOf(const std::vector<SheetRun>& runs);

class SheetIndex {
  public:
    // Items are drawn in this order: by kind, then by index.
    struct Item {
        std::uint8_t kind = 0;
        std::uint32_t index = 0;
        auto operator<=>(const Item&) const = default;
    };
    // Sheet columns c0 … c1 of the visited row that an item reaches.
    struct Piece {
        std::int64_t c0 = 0;
        std::int64_t c1 = 0;
        Item item;
    };
    // Appends the pieces of `item` in sheet row `row` (an item may give
    // several, overlapping or not; columns outside the grid are clipped).
    using ColumnsOf = std::function<void(Item item, std::int64_t row, std::vector<Piece>& out)>;

    SheetIndex() = default;
    SheetIndex(std::int64_t rows, std::int64_t cols, ColumnsOf columnsOf);

    // Lists `item` under sheet rows r0 … r1 (clipped to the grid; nothing
    // when empty). All items are added before the first question.
    void add(Item item, std::int64_t r0, std::int64_t r1);
    // Finds the reached sheets; after the last add. With `stopAbove` ≥ 0
    // it stops as soon as more than that many are found: enough to refuse
    // a job, and the runs are then incomplete.
    void finish(std::int64_t stopAbove = -1);
    // Whether every reached sheet was found (finish did not stop early).
    bool complete() const { return complete_; }

    const std::vector<SheetRun>& reachedSheets() const { return reached_; }
    std::int64_t reachedCount() const { return reachedCount_; }
    // The listed items (one per item, whatever it crosses).
    std::size_t entryCount() const { return spans_.size(); }

    // What reaches sheet (row, col), in drawing order without repeats. Cheap
    // when asked row by row and left to right; any order is answered.
    const std::vector<Item>& itemsAt(std::int64_t row, std::int64_t col);

  private:
    struct Span {
        std::int64_t r0, r1;
        Item item;
    };
    void startRows();
    void advanceRow(std::int64_t row);
    void collectPieces(std::vector<Piece>& out) const;
    void startColumns();

    std::int64_t rows_ = 0, cols_ = 0;
    ColumnsOf columnsOf_;
    std::vector<Span> spans_; // by r0
    std::vector<SheetRun> reached_;
    std::int64_t reachedCount_ = 0;
    bool complete_ = true;

    // The row visited: spans before nextSpan_ have begun, active_ cross it.
    std::int64_t row_ = -1;
    std::size_t nextSpan_ = 0;
    std::vector<std::size_t> active_;
    // Its pieces by c0; those before nextPiece_ have begun, activePieces_
    // cover column col_.
    std::vector<Piece> pieces_;
    std::int64_t col_ = -1;
    std::size_t nextPiece_ = 0;
    std::vector<std::size_t> activePieces_;
    std::vector<Item> items_;
};

} // namespace lw
