#include "platform/ProfileFile.h"

#include "platform/NativePath.h"
#include "platform/WholeFile.h"
#include "platform/Win1252.h"

#include <QDir>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lw {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    return QString::compare(fromAnsi(std::string(a)), fromAnsi(std::string(b)),
                            Qt::CaseInsensitive) == 0;
}

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

// One pair of equal quotes around the whole value goes, as the reader of
// the platform does it.
std::string_view withoutQuotes(std::string_view v) {
    if (v.size() >= 2 && isQuote(v.front()) && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

std::string oneLine(std::string_view value) {
    std::string out(value);
    for (char& c : out)
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    return out;
}

} // namespace

std::string profileQuoted(std::string_view value) {
    if (withoutQuotes(value).size() == value.size()) return std::string(value);
    return '"' + std::string(value) + '"';
}

ProfileFile::Line ProfileFile::parseLine(std::string text) {
    Line line;
    std::string_view t = trimmed(text);
    if (!t.empty() && t.front() == '[') {
        t.remove_prefix(1);
        line.isSection = true;
        line.name = trimmed(t.substr(0, t.find(']')));
    } else if (size_t eq = t.find('='); eq != std::string_view::npos) {
        line.isKey = true;
        line.name = trimmed(t.substr(0, eq));
    }
    line.text = std::move(text);
    return line;
}

ProfileFile ProfileFile::parse(const QByteArray& text) {
    ProfileFile file;
    file.crlf_ = text.isEmpty() || text.contains("\r\n");
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0) end = text.size();
        qsizetype len = end - start;
        // Carriage returns at the end of a line belong to its line end; kept
        // in the text, one would make a CR LF of the next save's LF.
        while (len > 0 && text[start + len - 1] == '\r')
            --len;
        file.lines_.push_back(parseLine(std::string(text.constData() + start, size_t(len))));
        start = end + 1;
    }
    return file;
}

QByteArray ProfileFile::text() const {
    const char* eol = crlf_ ? "\r\n" : "\n";
    QByteArray out;
    for (const Line& line : lines_) {
        out.append(line.text.data(), qsizetype(line.text.size()));
        out.append(eol);
    }
    return out;
}

bool ProfileFile::load(const QString& path, QString* error) {
    auto fail = [&](const char* why) {
        if (error)
            *error = QStringLiteral("Die Einstellungsdatei „%1“ %2")
                         .arg(QDir::toNativeSeparators(path), QString::fromUtf8(why));
        return false;
    };
    // Opened without waiting: a pipe in the file's place has no writer to
    // wait for, and it is refused below like any file that is not a plain one.
    const int fd = ::open(nativePath(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) { // missing, or its folder is
            *this = ProfileFile();
            return true;
        }
        return fail("konnte nicht gelesen werden.");
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) return fail("konnte nicht gelesen werden.");
    if (!S_ISREG(st.st_mode)) return fail("ist keine gewöhnliche Datei und wird nicht gelesen.");
    // Read up to one byte past the limit: a file that grows while it is read
    // is refused all the same.
    QByteArray bytes;
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail("konnte nicht gelesen werden.");
        if (n == 0) break;
        if (bytes.size() + n > kMaxProfileFileSize)
            return fail("ist größer als 1 MB und wird nicht gelesen.");
        bytes.append(chunk, n);
    }
    *this = parse(bytes);
    return true;
}

bool ProfileFile::save(const QString& path, QString* error) const {
    if (writeWholeFile(path, text())) return true;
    if (error)
        *error = QStringLiteral("Die Einstellungsdatei „%1“ konnte nicht geschrieben werden.")
                     .arg(QDir::toNativeSeparators(path));
    return false;
}

int ProfileFile::findSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].isSection && sameName(lines_[i].name, section)) return int(i);
    return -1;
}

int ProfileFile::findKey(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.isSection)
            inSection = sameName(line.name, section);
        else if (inSection && line.isKey && sameName(line.name, key))
            return int(i);
    }
    return -1;
}

std::optional<std::string> ProfileFile::value(std::string_view section,
                                              std::string_view key) const {
    int i = findKey(section, key);
    if (i < 0) return std::nullopt;
    std::string_view text = lines_[size_t(i)].text;
    return std::string(withoutQuotes(trimmed(text.substr(text.find('=') + 1))));
}

void ProfileFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
    if (int i = findKey(section, key); i >= 0) {
        Line& line = lines_[size_t(i)];
        line = parseLine(line.name + '=' + oneLine(value));
        return;
    }
    Line keyLine = parseLine(std::string(key) + '=' + oneLine(value));
    int s = findSection(section);
    if (s < 0) {
        if (!lines_.empty() && !trimmed(lines_.back().text).empty()) lines_.push_back(Line());
        lines_.push_back(parseLine('[' + std::string(section) + ']'));
        lines_.push_back(std::move(keyLine));
        return;
    }
    // After the last line of the section that is not blank.
    size_t last = size_t(s);
    for (size_t i = last + 1; i < lines_.size() && !lines_[i].isSection; ++i)
        if (!trimmed(lines_[i].text).empty()) last = i;
    lines_.insert(lines_.begin() + qsizetype(last + 1), std::move(keyLine));
}

} // namespace lw
