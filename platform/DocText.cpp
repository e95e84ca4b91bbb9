#include "platform/DocText.h"

#include "platform/Win1252.h"

#include <cstdint>
#include <cstring>

namespace lw {
namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

// The length of the well-formed sequence at `at` (its code point in `c`),
// or 0 when the bytes there form none.
std::size_t decodeAt(std::string_view s, std::size_t at, char32_t& c) {
    const auto b = [&](std::size_t k) { return std::uint8_t(s[at + k]); };
    const std::uint8_t lead = b(0);
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    std::size_t n;
    char32_t min;
    if (lead >= 0xC2 && lead <= 0xDF)
        n = 2, c = lead & 0x1F, min = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF)
        n = 3, c = lead & 0x0F, min = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4)
        n = 4, c = lead & 0x07, min = 0x10000;
    else
        return 0;
    if (at + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(k) & 0xC0) != 0x80) return 0;
        c = c << 6 | (b(k) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return n;
}

} // namespace

bool isAscii(std::string_view s) {
    // Eight bytes at a time: a set top bit in any of them is a letter beyond ASCII.
    std::size_t at = 0;
    for (; at + 8 <= s.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + at, sizeof word);
        if (word & 0x8080808080808080ull) return false;
    }
    for (; at < s.size(); ++at)
        if (std::uint8_t(s[at]) >= 0x80) return false;
    return true;
}

QString fromDocText(std::string_view utf8) {
    // QString::fromUtf8 drops a byte order mark at the start; in a text of
    // the tree it is a character like any other.
    static constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (utf8.substr(0, kBom.size()) == kBom)
        return QChar(0xFEFF) + fromDocText(utf8.substr(kBom.size()));
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

std::string toDocText(const QString& text) {
    return text.toUtf8().toStdString();
}

std::string ansiToDocText(std::string_view ansi) {
    if (isAscii(ansi)) return std::string(ansi);
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 2);
    for (char ch : ansi)
        appendUtf8(out, win1252Char(std::uint8_t(ch)));
    return out;
}

std::optional<std::string> docTextToAnsi(std::string_view utf8) {
    if (isAscii(utf8)) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t c = 0;
        const std::size_t n = decodeAt(utf8, at, c);
        const int b = n == 0 ? -1 : win1252Byte(c);
        if (b < 0) return std::nullopt;
        out.push_back(char(b));
        at += n;
    }
    return out;
}

bool fitsAnsi(std::string_view utf8) {
    if (isAscii(utf8)) return true;
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t c = 0;
        const std::size_t n = decodeAt(utf8, at, c);
        if (n == 0 || win1252Byte(c) < 0) return false;
        at += n;
    }
    return true;
}

std::size_t ansiLength(std::string_view utf8) {
    std::size_t n = 0;
    for (char ch : utf8)
        if ((std::uint8_t(ch) & 0xC0) != 0x80) ++n;
    return n;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        if (std::uint8_t(text[at]) < 0x80) {
            ++at;
            continue;
        }
        char32_t c = 0;
        const std::size_t n = decodeAt(text, at, c);
        if (n == 0) return false;
        at += n;
    }
    return true;
}

void repairUtf8(std::string& text) {
    if (isValidUtf8(text)) return;
    std::string out;
    out.reserve(text.size() + 8);
    for (std::size_t at = 0; at < text.size();) {
        char32_t c = 0;
        const std::size_t n = decodeAt(text, at, c);
        if (n == 0) {
            appendUtf8(out, 0xFFFD);
            ++at;
        } else {
            out.append(text, at, n);
            at += n;
        }
    }
    text = std::move(out);
}

} // namespace lw
