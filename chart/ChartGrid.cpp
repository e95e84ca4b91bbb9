#include "chart/ChartGrid.h"

#include "document/Document.h"

#include <cmath>
#include <limits>

namespace lw {

namespace {

constexpr double kMillimetresPerInch = 25.39995;

// Division rounding toward minus infinity, for a positive divisor.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

bool fitsInt32(std::int64_t v) {
    return v >= std::numeric_limits<std::int32_t>::min() &&
           v <= std::numeric_limits<std::int32_t>::max();
}

} // namespace

int marginPixels(double mm, int dpi) {
    const double px = std::trunc(mm * dpi / kMillimetresPerInch);
    if (std::isnan(px)) return 0;
    if (px <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    if (px >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    return int(px);
}

bool ChartGrid::holds(std::int64_t col, std::int64_t row, std::int64_t x, std::int64_t y) const {
    return Left(col, row) <= x && x <= Right(col, row) && Top(row) <= y && y <= Bottom(row);
}

std::optional<GridCell> ChartGrid::cellAt(std::int64_t x, std::int64_t y) const {
    if (w_ < 9 || h_ < 9) return std::nullopt;
    // Within a row the boxes Left … Right repeat every W pixels and are
    // W − 9 + 1 ≤ W pixels long, so only the cell of the pitch that holds the
    // point can hold it; the same holds for the rows.
    const std::int64_t row = floorDiv(y - randO_, pitchY());
    if (y > Bottom(row)) return std::nullopt;
    const std::int64_t col = floorDiv(x - randL_ - shift(row), w_);
    if (x > Right(col, row)) return std::nullopt;
    if (!fitsInt32(col) || !fitsInt32(row)) return std::nullopt;
    return GridCell{std::int32_t(col), std::int32_t(row)};
}

int ChartGrid::personAt(const Document& doc, std::int64_t x, std::int64_t y) const {
    const std::optional<GridCell> cell = dropCell(x, y, doc.AreaWidth, doc.AreaHeight);
    if (!cell || !doc.GridBesetzt(cell->col, cell->row)) return -1;
    const auto& persons = doc.Persons();
    for (int i = doc.PersonCount() - 1; i >= 0; --i)
        if (persons[size_t(i)].GridX == cell->col && persons[size_t(i)].GridY == cell->row)
            return i;
    return -1;
}

bool ChartGrid::anyBoxAt(const Document& doc, std::int64_t x, std::int64_t y) const {
    const std::optional<GridCell> cell = dropCell(x, y, doc.AreaWidth, doc.AreaHeight);
    return cell && doc.GridBesetzt(cell->col, cell->row);
}

std::optional<GridCell> ChartGrid::dropCell(std::int64_t x, std::int64_t y, std::int64_t areaWidth,
                                            std::int64_t areaHeight) const {
    const std::optional<GridCell> cell = cellAt(x, y);
    if (!cell) return std::nullopt;
    if (cell->col < 0 || cell->col >= areaWidth || cell->row < 0 || cell->row >= areaHeight)
        return std::nullopt;
    return cell;
}

} // namespace lw
