#include "print/PageTiling.h"

#include "document/Document.h"

#include <algorithm>
#include <limits>

namespace lw {

namespace {

constexpr std::int64_t kRightAllowance = 40; // screen pixels beyond the last box

} // namespace

namespace {

__int128 floorDiv128(__int128 a, __int128 b) {
    const __int128 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

std::int64_t PrintScale::chartBefore(std::int64_t p, int perInch) const {
    return std::int64_t(floorDiv128(__int128(p - 1) * S * den, __int128(perInch) * num)) - 1;
}

std::int64_t PrintScale::chartAfter(std::int64_t p, int perInch) const {
    return std::int64_t(-floorDiv128(-__int128(p) * S * den, __int128(perInch) * num)) + 1;
}

std::int32_t PrintScale::fontHeight(std::int32_t height) const {
    const std::int64_t scaled = map(height, Px);
    return std::int32_t(std::clamp<std::int64_t>(scaled, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

ChartCorner occupiedCorner(const Document& doc) {
    ChartCorner corner;
    for (const TPerson& p : doc.Persons()) {
        if (p.GridX < 0 || p.GridX >= doc.AreaWidth || p.GridY < 0 || p.GridY >= doc.AreaHeight)
            continue;
        corner.MaxCol = std::max(corner.MaxCol, p.GridX);
        corner.MaxRow = std::max(corner.MaxRow, p.GridY);
    }
    return corner;
}

std::int64_t SheetCount::total() const {
    std::int64_t product = 0;
    if (__builtin_mul_overflow(Cols, Rows, &product)) return -1;
    return product;
}

Point64 countedExtent(int cellWidth, int cellHeight, ChartCorner corner, ChartMargins margins) {
    const std::int64_t W = cellWidth, H = cellHeight;
    return {W * corner.MaxCol + (W - 9) + margins.RandLPix + kRightAllowance,
            H * corner.MaxRow + (H - 9) + margins.RandOPix};
}

SheetCount countSheets(int cellWidth, int cellHeight, ChartCorner corner, ChartMargins margins,
                       const PrintScale& scale, std::int64_t pageWidth, std::int64_t pageHeight) {
    const Point64 extent = countedExtent(cellWidth, cellHeight, corner, margins);
    return {scale.x(extent.x) / pageWidth + 1, scale.y(extent.y) / pageHeight + 1};
}

QString sheetCountMessage(std::int64_t sheets) {
    return QStringLiteral("Es werden bis zu %1 Blätter benötigt").arg(sheets);
}

} // namespace lw
