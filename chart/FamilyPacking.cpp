#include "chart/FamilyPacking.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace lw::familylayout {

Block squareBlock(size_t count) {
    Block b;
    const std::int64_t side =
        std::max<std::int64_t>(1, std::llround(std::ceil(std::sqrt(double(count)))));
    b.cells.resize(count);
    for (size_t k = 0; k < count; ++k)
        b.cells[k] = {std::int32_t(std::int64_t(k) % side), std::int32_t(std::int64_t(k) / side)};
    b.width = count ? std::min<std::int64_t>(side, std::int64_t(count)) : 0;
    b.height = count ? (std::int64_t(count) + side - 1) / side : 0;
    return b;
}

bool packBlocks(const std::vector<Block>& blocks, std::int64_t maxWidth, std::int64_t maxHeight,
                std::vector<GridCell>& origins) {
    origins.assign(blocks.size(), GridCell{});
    double area = 0;
    std::int64_t widest = 0;
    for (const Block& b : blocks) {
        area += double(b.width + 1) * double(b.height + 1);
        widest = std::max(widest, b.width);
    }
    if (widest > maxWidth) return false;
    const std::int64_t bandWidth =
        std::min(maxWidth, std::max(widest, std::int64_t(std::ceil(std::sqrt(area)))));
    // The tallest first, each into the first band with room left.
    std::vector<size_t> order(blocks.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return blocks[a].height > blocks[b].height; });
    struct Band {
        std::int64_t top, height, left;
    };
    std::vector<Band> bands;
    std::int64_t bottom = 0; // the first row below every band
    size_t firstOpen = 0;    // bands before it are full to the last column
    for (size_t b : order) {
        const Block& block = blocks[b];
        size_t k = firstOpen;
        while (k < bands.size() && bands[k].left > 0 && bands[k].left + block.width > bandWidth)
            ++k;
        if (k == bands.size()) {
            const std::int64_t top = bands.empty() ? 0 : bottom + 1 + (bottom + 1) % 2;
            if (top + block.height > maxHeight) return false;
            bands.push_back({top, block.height, 0});
            bottom = top + block.height;
        }
        Band& band = bands[k];
        origins[b] = {std::int32_t(band.left), std::int32_t(band.top)};
        band.left += block.width + 1;
        while (firstOpen < bands.size() && bands[firstOpen].left >= bandWidth)
            ++firstOpen;
    }
    return true;
}

} // namespace lw::familylayout
