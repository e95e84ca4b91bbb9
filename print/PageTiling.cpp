#include "print/PageTiling.h"

#include "document/Document.h"

#include <algorithm>
#include <limits>

namespace lw {

namespace {

constexpr std::int64_t kRightAllowance = 40; // screen pixels beyond the last box

} // namespace

std::int32_t PrintScale::fontHeight(std::int32_t height) const {
    const std::int64_t scaled = std::int64_t(height) * Px / S;
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

SheetCount countSheets(int cellWidth, int cellHeight, ChartCorner corner, ChartMargins margins,
                       const PrintScale& scale, std::int64_t pageWidth, std::int64_t pageHeight) {
    const std::int64_t W = cellWidth, H = cellHeight;
    const std::int64_t width = W * corner.MaxCol + (W - 9) + margins.RandLPix + kRightAllowance;
    const std::int64_t height = H * corner.MaxRow + (H - 9) + margins.RandOPix;
    return {scale.x(width) / pageWidth + 1, scale.y(height) / pageHeight + 1};
}

QString sheetCountMessage(std::int64_t sheets) {
    return QStringLiteral("Es werden bis zu %1 Blätter benötigt").arg(sheets);
}

} // namespace lw
