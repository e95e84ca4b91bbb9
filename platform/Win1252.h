#pragma once
// Person texts are kept as the 8-bit Windows-1252 bytes that the family tree
// file holds. These two functions are the only way between those bytes and
// the QString of the user interface.
#include <QString>
#include <optional>
#include <string>

namespace lw {

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
