#pragma once
// Windows-1252, the 8-bit text of the older family tree files, the settings
// file and the biography export: between its bytes and QString.
#include <QString>
#include <optional>
#include <string>

namespace lw {

// The character of a byte; the unassigned bytes give the C1 control of their value.
char16_t win1252Char(unsigned char b);
// The byte of a character, or -1 when Windows-1252 has none.
int win1252Byte(char32_t c);

// Every byte maps to one character; the five bytes that Windows-1252 leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same
// value, so that any byte string survives a round trip through QString.
QString fromAnsi(const std::string& bytes);

// The bytes for `text`, or nothing when a character has no Windows-1252 byte.
std::optional<std::string> toAnsi(const QString& text);

// Like toAnsi, but characters without a byte become '?'. For texts that the
// program writes itself, never for the user's data.
std::string toAnsiLossy(const QString& text);

// The first character of `text` that Windows-1252 cannot hold, or -1.
qsizetype firstUnencodable(const QString& text);

} // namespace lw
