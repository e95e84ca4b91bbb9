#pragma once
// The texts of a family tree are UTF-8 in memory. These functions are the
// way between them and the QString of the user interface, and between them
// and the Windows-1252 bytes of the older tree files.
#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace lw {

// A document text for the user interface.
QString fromDocText(std::string_view utf8);
// The document text of what the user typed; a lone surrogate becomes U+FFFD.
std::string toDocText(const QString& text);

// Windows-1252 bytes as UTF-8. Every byte maps to one character; the five
// unassigned bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of
// the same value, so that ansiToDocText and docTextToAnsi are inverse.
std::string ansiToDocText(std::string_view ansi);
// The Windows-1252 bytes of a UTF-8 text, or nothing when a character has
// no byte (or the text is not UTF-8).
std::optional<std::string> docTextToAnsi(std::string_view utf8);
// Whether docTextToAnsi succeeds, and the number of bytes it gives.
bool fitsAnsi(std::string_view utf8);
std::size_t ansiLength(std::string_view utf8); // for texts that fit

// Whether every byte of `text` is ASCII: its Windows-1252 and its UTF-8
// bytes are then the same.
bool isAscii(std::string_view text);
// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(std::string_view text);
// Replaces each ill-formed sequence of `text` by U+FFFD.
void repairUtf8(std::string& text);

} // namespace lw
