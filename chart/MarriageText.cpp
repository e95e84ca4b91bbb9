#include "chart/MarriageText.h"

#include <algorithm>
#include <cstdlib>

namespace lw {

namespace {

std::string yearOf(const std::string& date) {
    for (std::size_t i = 0; i + 4 <= date.size(); ++i) {
        bool digits = true;
        for (std::size_t k = 0; k < 4; ++k)
            digits = digits && date[i + k] >= '0' && date[i + k] <= '9';
        const bool alone = (i == 0 || date[i - 1] < '0' || date[i - 1] > '9') &&
                           (i + 4 == date.size() || date[i + 4] < '0' || date[i + 4] > '9');
        if (digits && alone) return date.substr(i, 4);
    }
    return {};
}

} // namespace

std::string marriageText(const std::string& date) {
    const std::string year = yearOf(date);
    return "\u26AD " + (year.empty() ? date : year);
}

std::int64_t marriageTextWidth(const BoxLayout& box, const std::string& utf8) {
    // Characters, not bytes: every byte but a continuation byte starts one.
    const auto characters = std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    return std::int64_t(characters) * (std::abs(box.font.Height) * 3 / 5 + 1);
}

} // namespace lw
