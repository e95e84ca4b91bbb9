#include "platform/Win1252.h"

#include <array>

namespace lw {
namespace {

// 0x80..0x9F; 0 marks the unassigned bytes, which map to themselves.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

char16_t win1252Char(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0) return kHigh[b - 0x80];
    return b;
}

int win1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return int(c);
    if (c <= 0x9F) return kHigh[c - 0x80] == 0 ? int(c) : -1; // unassigned: the C1 control
    for (int i = 0; i < 32; ++i)
        if (kHigh[size_t(i)] == c) return 0x80 + i;
    return -1;
}

QString fromAnsi(const std::string& bytes) {
    QString out(qsizetype(bytes.size()), Qt::Uninitialized);
    QChar* d = out.data();
    for (unsigned char b : bytes)
        *d++ = QChar(win1252Char(b));
    return out;
}

qsizetype firstUnencodable(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (win1252Byte(text[i].unicode()) < 0) return i;
    return -1;
}

std::optional<std::string> toAnsi(const QString& text) {
    std::string out;
    out.reserve(size_t(text.size()));
    for (QChar c : text) {
        int b = win1252Byte(c.unicode());
        if (b < 0) return std::nullopt;
        out.push_back(char(b));
    }
    return out;
}

std::string toAnsiLossy(const QString& text) {
    std::string out;
    out.reserve(size_t(text.size()));
    for (QChar c : text) {
        int b = win1252Byte(c.unicode());
        out.push_back(b < 0 ? '?' : char(b));
    }
    return out;
}

} // namespace lw
