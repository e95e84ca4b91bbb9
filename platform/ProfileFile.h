#pragma once
// Settings files of the INI form: "[section]" lines, each followed by
// "key=value" lines. Section and key names compare without regard to case.
// Reading a value trims its blanks and strips one pair of surrounding quotes.
// Writing changes only the line of the key written (or adds one): every
// other line, section and key stays as it was, in its place.
//
// Texts are 8-bit (Windows-1252) bytes, as in the files.
#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lw {

// No settings file of this program comes near this size.
constexpr qsizetype kMaxProfileFileSize = 1 << 20;

class ProfileFile {
  public:
    ProfileFile() = default;
    // Any bytes parse; lines end in LF or CR LF.
    static ProfileFile parse(const QByteArray& text);
    // The file's lines, each ended as in the parsed text (CR LF for a new file).
    QByteArray text() const;

    // Reads `path`. A missing file reads as an empty one; false with a German
    // `error` when the file exists but cannot be read, is no plain file (a
    // device, a pipe: neither is waited on) or is larger than
    // kMaxProfileFileSize; the values read before then stay as they were.
    bool load(const QString& path, QString* error);
    // Writes the whole file; it is replaced only when written completely.
    // False with a German `error` otherwise.
    bool save(const QString& path, QString* error) const;

    // The value of the first matching key, or nothing when the key is absent.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Sets the first matching key, appends the key to its section, or appends
    // the section. `value` is written as it is, except that line breaks and
    // NUL bytes, which would end the line, become blanks. Names must not hold
    // '=' (keys) or ']' (sections).
    void setValue(std::string_view section, std::string_view key, std::string_view value);

  private:
    struct Line {
        std::string text;
        bool isSection = false;
        std::string name; // section name, or key name for a key line
        bool isKey = false;
    };
    static Line parseLine(std::string text);
    // Index of the key line, or -1.
    int findKey(std::string_view section, std::string_view key) const;
    int findSection(std::string_view section) const;

    std::vector<Line> lines_;
    bool crlf_ = true;
};

// A value that begins and ends with the same quote character would lose
// those quotes when read back; such a value gets one further pair of double
// quotes, so that value() returns it unchanged.
std::string profileQuoted(std::string_view value);

} // namespace lw
