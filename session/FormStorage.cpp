#include "session/FormStorage.h"

#include "platform/DocText.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace lw {
namespace {

constexpr std::array<const char*, 3> kPitchNames = {"fpDefault", "fpVariable", "fpFixed"};
constexpr std::array<std::pair<const char*, std::uint8_t>, 4> kStyleNames = {
    {{"fsBold", fsBold},
     {"fsItalic", fsItalic},
     {"fsUnderline", fsUnderline},
     {"fsStrikeOut", fsStrikeOut}}};

// ---- values as text -------------------------------------------------------

std::string intText(std::int64_t v) {
    return std::to_string(v);
}
std::string colorText(TColor c) {
    return intText(std::int32_t(c));
}
std::string boolText(bool b) {
    return b ? "True" : "False";
}
std::string pitchText(std::uint8_t p) {
    return p < kPitchNames.size() ? kPitchNames[p] : kPitchNames[0];
}

std::string styleText(std::uint8_t style) {
    std::string out = "[";
    for (const auto& [name, bit] : kStyleNames) {
        if (!(style & bit)) continue;
        if (out.size() > 1) out += ',';
        out += name;
    }
    return out + ']';
}

std::string pointsText(const WinPoint& a, const WinPoint& b) {
    return intText(a.x) + ',' + intText(a.y) + ',' + intText(b.x) + ',' + intText(b.y);
}

std::string rectText(const WinRect& r) {
    return intText(r.left) + ',' + intText(r.top) + ',' + intText(r.right) + ',' +
           intText(r.bottom);
}

std::string screenSuffix(const ScreenFacts& s) {
    return '(' + intText(s.width) + 'x' + intText(s.height) + ')';
}

// ---- text as values -------------------------------------------------------

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// A leading '+' is allowed; from_chars knows only '-'.
std::string_view withoutPlus(std::string_view s) {
    if (s.size() > 1 && s.front() == '+' && s[1] != '-') s.remove_prefix(1);
    return s;
}

std::optional<std::int32_t> parseInt(std::string_view text) {
    std::string_view s = withoutPlus(trimmed(text));
    std::int64_t v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    if (v < std::numeric_limits<std::int32_t>::min() ||
        v > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return std::int32_t(v);
}

std::optional<double> parseNumber(std::string_view text) {
    std::string_view s = withoutPlus(trimmed(text));
    double v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::optional<bool> parseBool(std::string_view s) {
    if (sameNameIgnoringCase(s, "True")) return true;
    if (sameNameIgnoringCase(s, "False")) return false;
    return std::nullopt;
}

std::optional<std::uint8_t> parsePitch(std::string_view s) {
    for (size_t i = 0; i < kPitchNames.size(); ++i)
        if (sameNameIgnoringCase(s, kPitchNames[i])) return std::uint8_t(i);
    return std::nullopt;
}

// "[fsBold,fsItalic]"; the brackets may be missing. An unknown name
// makes the whole text unreadable.
std::optional<std::uint8_t> parseStyle(std::string_view s) {
    if (!s.empty() && s.front() == '[') s.remove_prefix(1);
    if (!s.empty() && s.back() == ']') s.remove_suffix(1);
    std::uint8_t style = 0;
    while (!s.empty()) {
        size_t comma = s.find(',');
        std::string_view name = trimmed(s.substr(0, comma));
        s = comma == std::string_view::npos ? std::string_view() : s.substr(comma + 1);
        if (name.empty()) continue;
        bool known = false;
        for (const auto& [styleName, bit] : kStyleNames) {
            if (!sameNameIgnoringCase(name, styleName)) continue;
            style |= bit;
            known = true;
        }
        if (!known) return std::nullopt;
    }
    return style;
}

// Four whole numbers separated by commas; a part that is missing or not a
// number takes its default.
std::array<int, 4> parsePosition(std::string_view s, const std::array<int, 4>& defaults) {
    std::array<int, 4> out = defaults;
    for (size_t i = 0; i < out.size(); ++i) {
        size_t comma = s.find(',');
        std::string_view part = s.substr(0, comma);
        if (auto v = parseInt(part)) out[i] = *v;
        if (comma == std::string_view::npos) break;
        s.remove_prefix(comma + 1);
    }
    return out;
}

// ---- reading the section --------------------------------------------------

class SectionReader {
  public:
    explicit SectionReader(const ProfileFile& file) : file_(file) {}

    std::optional<std::string> raw(const std::string& key) const {
        return file_.value(kFormSection, key);
    }
    // A key read with the value in force as its default, without blanks.
    std::string text(const std::string& key, const std::string& current) const {
        return std::string(trimmed(raw(key).value_or(current)));
    }
    // A position key with the current screen size first, then the plain one.
    std::string position(const std::string& key, const ScreenFacts& screen) const {
        std::string v = raw(key + screenSuffix(screen)).value_or(std::string());
        return v.empty() ? raw(key).value_or(std::string()) : v;
    }
    // Whole numbers: text that is not one reads as 0.
    std::int32_t integer(const std::string& key, std::int64_t current) const {
        return parseInt(text(key, intText(current))).value_or(0);
    }

  private:
    const ProfileFile& file_;
};

ShowState showStateFor(int showCmd) {
    switch (showCmd) {
    case 2:
    case 6:
    case 7:
        return ShowState::Minimized;
    case 3:
        return ShowState::Maximized;
    default:
        return ShowState::Normal;
    }
}

std::optional<WindowPlacement> readPlacement(const SectionReader& in, const ScreenFacts& screen,
                                             const WinRect& current) {
    WindowPlacement p;
    p.normalPosition = current;
    if (auto flags = in.raw("Flags")) p.flags = parseInt(*flags).value_or(0);
    bool found = false;
    if (std::string s = in.position("MinMaxPos", screen); !s.empty()) {
        found = true;
        auto v = parsePosition(s, {0, 0, 0, 0});
        p.minPosition = {v[0], v[1]};
        p.maxPosition = {v[2], v[3]};
    }
    if (std::string s = in.position("NormPos", screen); !s.empty()) {
        found = true;
        auto v = parsePosition(s, {current.left, current.top, current.right, current.bottom});
        p.normalPosition = {v[0], v[1], v[2], v[3]};
    }
    int dpi =
        parseInt(in.raw("PixelsPerInch").value_or(std::string())).value_or(screen.pixelsPerInch);
    const WinRect& r = p.normalPosition;
    // A rectangle without width or height would leave no window to see.
    if (!found || dpi != screen.pixelsPerInch || r.left >= r.right || r.top >= r.bottom)
        return std::nullopt;
    return p;
}

void readFont(const SectionReader& in, TFontInfo& font) {
    const std::string k = "FontDialog1_Font";
    std::int32_t charset = in.integer(k + "Charset", font.Charset);
    font.Charset = charset >= 0 && charset <= 255 ? std::uint8_t(charset) : 0;
    font.Color = TColor(in.integer(k + "Color", std::int32_t(font.Color)));
    font.Height = in.integer(k + "Height", font.Height);
    // A font needs a face name; an empty one keeps the current. The profile
    // holds it as Windows-1252, the program as UTF-8.
    if (std::string name = cleanFontName(in.text(k + "Name", std::string())); !name.empty())
        font.Name = ansiToDocText(name);
    if (auto pitch = parsePitch(in.text(k + "Pitch", pitchText(font.Pitch)))) font.Pitch = *pitch;
    // After the height, so that the size decides.
    font.setSize(in.integer(k + "Size", font.Size()));
    if (auto style = parseStyle(in.text(k + "Style", styleText(font.Style)))) font.Style = *style;
}

void readSpinValue(const SectionReader& in, const char* key, int current,
                   void (BoxLayout::*set)(double), BoxLayout& box) {
    if (auto v = parseNumber(in.text(key, intText(current)))) (box.*set)(*v);
}

void readBox(const SectionReader& in, BoxLayout& box) {
    box.borderColor =
        TColor(in.integer("BorderColorBox_ColorValue", std::int32_t(box.borderColor)));
    box.bkColor = TColor(in.integer("bkColorBox_ColorValue", std::int32_t(box.bkColor)));
    readFont(in, box.font);
    readSpinValue(in, "HochEd_Value", box.HochEd, &BoxLayout::setHoch, box);
    readSpinValue(in, "BreitEd_Value", box.BreitEd, &BoxLayout::setBreit, box);
    readSpinValue(in, "BildEd_Value", box.BildEd, &BoxLayout::setBild, box);
    box.setAusricht(in.integer("Textausricht_ItemIndex", box.Textausricht));
    if (auto b = parseBool(in.text("LeblaufCheck_Checked", boolText(box.LeblaufCheck))))
        box.LeblaufCheck = *b;
}

} // namespace

void saveFormSettings(ProfileFile& file, const WindowPlacement& placement, bool destroying,
                      const BoxLayout& box, const ScreenFacts& screen) {
    auto put = [&file](const std::string& key, const std::string& value) {
        file.setValue(kFormSection, key, profileQuoted(value));
    };
    const std::string suffix = screenSuffix(screen);
    put("FormVersion", "0");
    put("Flags", intText(placement.flags));
    put("ShowCmd", intText(placement.showCmd));
    put("PixelsPerInch", intText(screen.pixelsPerInch));
    const std::string minMax = pointsText(placement.minPosition, placement.maxPosition);
    put("MinMaxPos" + suffix, minMax);
    put("MinMaxPos", minMax);
    const std::string norm = rectText(placement.normalPosition);
    put("NormPos" + suffix, norm);
    put("NormPos", norm);
    put("Visible", destroying ? "1" : "0");

    put("BorderColorBox_ColorValue", colorText(box.borderColor));
    put("bkColorBox_ColorValue", colorText(box.bkColor));
    const TFontInfo& f = box.font;
    put("FontDialog1_FontCharset", intText(f.Charset));
    put("FontDialog1_FontColor", colorText(f.Color));
    put("FontDialog1_FontHeight", intText(f.Height));
    put("FontDialog1_FontName", cleanFontName(docTextToAnsi(f.Name).value_or(std::string())));
    put("FontDialog1_FontPitch", pitchText(f.Pitch));
    put("FontDialog1_FontSize", intText(f.Size()));
    put("FontDialog1_FontStyle", styleText(f.Style));
    put("HochEd_Value", intText(box.HochEd));
    put("BreitEd_Value", intText(box.BreitEd));
    put("BildEd_Value", intText(box.BildEd));
    put("Textausricht_ItemIndex", intText(box.Textausricht));
    put("LeblaufCheck_Checked", boolText(box.LeblaufCheck));
}

FormRestore restoreFormSettings(const ProfileFile& file, const ScreenFacts& screen,
                                const WinRect& current, BoxLayout& box) {
    SectionReader in(file);
    FormRestore result;
    if (in.integer("FormVersion", 0) < 0) return result;
    result.restored = true;
    result.placement = readPlacement(in, screen, current);
    result.show = showStateFor(in.integer("ShowCmd", 0));
    readBox(in, box);
    return result;
}

QString defaultFormSettingsPath() {
    QString exe =
        QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    QString base = exe.isEmpty() ? QStringLiteral("lindwerk") : QFileInfo(exe).completeBaseName();
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QLatin1Char('/') +
           base + QStringLiteral(".INI");
}

} // namespace lw
