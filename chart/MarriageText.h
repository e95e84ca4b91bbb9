#pragma once
// The marriage as the family lines write it under a couple, and its width.
#include "document/Layout.h"

#include <cstdint>
#include <string>

namespace lw {

// The marriage sign and the year of the date, or the whole date when it
// names no year ("\u26AD 1914").
std::string marriageText(const std::string& date);

// The width the text takes in the box font, by characters.
std::int64_t marriageTextWidth(const BoxLayout& box, const std::string& utf8);

} // namespace lw
