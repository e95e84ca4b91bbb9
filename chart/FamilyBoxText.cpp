#include "chart/FamilyBoxText.h"

#include "chart/PersonBox.h"
#include "chart/ZoomedCanvas.h"
#include "document/Layout.h"
#include "document/Person.h"
#include "platform/Canvas.h"
#include "platform/QPainterCanvas.h"

#include <QFontMetricsF>
#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <vector>

namespace lw {

namespace {

const QString kEllipsis = QStringLiteral("\u2026");

// A sign, the date and the place, with one blank between what is there.
void addEvent(std::vector<std::string>& lines, const char* sign, const std::string& date,
              const std::string& place) {
    if (date.empty() && place.empty()) return;
    std::string line = sign;
    if (!date.empty()) line += ' ' + date;
    if (!place.empty()) line += ' ' + place;
    lines.push_back(line);
}

// The widths of texts in one font as they show on the device, each text
// measured once: a sheet of boxes asks for the same names, dates and places
// again and again. Kept for a few fonts; forgotten when it grows large.
struct Extent {
    double advance = 0;
    double overhang = 0; // how far a slanted last letter reaches beyond
};

class FontExtents {
  public:
    explicit FontExtents(const QFont& font) : metrics_(font) {}
    const QFontMetricsF& metrics() const { return metrics_; }
    Extent of(const QString& text) {
        auto found = texts_.constFind(text);
        if (found != texts_.constEnd()) return *found;
        if (texts_.size() >= kMaxTexts) texts_.clear();
        const double advance = metrics_.horizontalAdvance(text);
        const Extent e{advance, std::max(0.0, metrics_.boundingRect(text).right() - advance)};
        texts_.insert(text, e);
        return e;
    }

  private:
    static constexpr qsizetype kMaxTexts = 100000;
    QFontMetricsF metrics_;
    QHash<QString, Extent> texts_;
};

std::shared_ptr<FontExtents> extentsFor(const TFontInfo& font) {
    struct Kept {
        TFontInfo font;
        std::shared_ptr<FontExtents> extents;
    };
    thread_local std::vector<Kept> kept;
    for (Kept& k : kept)
        if (k.font == font) return k.extents;
    constexpr std::size_t kMaxFonts = 16;
    if (kept.size() == kMaxFonts) kept.erase(kept.begin());
    kept.push_back({font, std::make_shared<FontExtents>(QPainterCanvas::toQFont(font))});
    return kept.back().extents;
}

// Measures texts in one font as they show on the device: widths in device
// pixels, heights converted back to the caller's units.
class Measure {
  public:
    Measure(const TFontInfo& font, std::int32_t height, int percent)
        : percent_(percent), extents_(extentsFor(fontAt(font, height, percent))) {}

    // The width the text needs, with room for a slanted last letter on
    // both sides, so that centred text keeps it inside too.
    double width(const QString& text) const {
        const Extent e = extents_->of(text);
        return e.advance + 2 * e.overhang;
    }
    double overhang(const QString& text) const { return extents_->of(text).overhang; }
    // In the caller's units, rounded up so that no descender is cut.
    int lineHeight() const {
        return int(std::ceil(extents_->metrics().height() * 100.0 / percent_));
    }
    int toUnits(double device) const { return int(std::ceil(device * 100.0 / percent_)); }

  private:
    static TFontInfo fontAt(TFontInfo font, std::int32_t height, int percent) {
        font.Height = height;
        if (percent != 100) {
            const std::int32_t scaled = ZoomedCanvas::scaledFontHeight(height, ChartZoom(percent));
            font.Height = scaled != 0 ? scaled : (height < 0 ? -1 : 1);
        }
        font.Color = 0; // the colour measures nothing
        return font;
    }

    int percent_;
    std::shared_ptr<FontExtents> extents_;
};

class LineBreaker {
  public:
    LineBreaker(const QRect& rect, int percent)
        : rect_(rect), percent_(percent),
          // Zoomed rectangles may come out a pixel narrower.
          available_(percent == 100 ? rect.width()
                                    : std::floor(rect.width() * percent / 100.0) - 1) {}

    // The lines of `text`, at most `maxLines` of them.
    QStringList wrap(const Measure& m, const QString& text, int maxLines) const {
        QStringList lines;
        const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        qsizetype i = 0;
        while (i < words.size() && lines.size() < maxLines) {
            const bool last = lines.size() + 1 == maxLines;
            QString line = words[i];
            if (!fits(m, line)) { // one word wider than the box: the rest goes
                lines << elided(m, words.mid(i).join(QLatin1Char(' ')));
                return lines;
            }
            qsizetype j = i + 1;
            while (j < words.size() && fits(m, line + QLatin1Char(' ') + words[j]))
                line += QLatin1Char(' ') + words[j++];
            if (last && j < words.size()) {
                lines << elided(m, words.mid(i).join(QLatin1Char(' ')));
                return lines;
            }
            lines << line;
            i = j;
        }
        return lines;
    }

    bool fits(const Measure& m, const QString& text) const { return m.width(text) <= available_; }

    // The longest start of `text` that fits with "…" after it.
    QString elided(const Measure& m, const QString& text) const {
        qsizetype lo = 0, hi = text.size();
        while (lo < hi) {
            const qsizetype mid = (lo + hi + 1) / 2;
            if (fits(m, text.left(mid).trimmed() + kEllipsis))
                lo = mid;
            else
                hi = mid - 1;
        }
        if (lo == 0 && !fits(m, kEllipsis)) return {};
        return text.left(lo).trimmed() + kEllipsis;
    }

    double available() const { return available_; }
    int percent() const { return percent_; }

  private:
    QRect rect_;
    int percent_;
    double available_;
};

// A name in the largest font up to `height` in which each of its words fits.
std::int32_t nameHeight(const TFontInfo& font, std::int32_t height, const QString& name,
                        const LineBreaker& breaker) {
    const QStringList words = name.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::int32_t h = std::abs(height == 0 ? -11 : height);
    const int sign = height > 0 ? 1 : -1;
    while (h > 1) {
        const Measure m(font, sign * h, breaker.percent());
        double widest = 0;
        for (const QString& w : words)
            widest = std::max(widest, m.width(w));
        if (widest <= breaker.available()) break;
        // Widths grow about in proportion to the height.
        h = std::min<std::int32_t>(h - 1, std::int32_t(h * breaker.available() / widest));
    }
    return sign * std::max(h, 1);
}

void place(std::vector<BoxTextLine>& out, const Measure& m, const QString& text,
           std::int32_t height, const QRect& rect, int& y, int align) {
    const int lineHeight = m.lineHeight();
    // Right aligned, the slant of the last letter stays inside.
    const int cut = align == 2 ? m.toUnits(m.overhang(text)) : 0;
    out.push_back({text.toStdString(), height,
                   QRect(rect.left(), y, std::max(1, rect.width() - cut), lineHeight)});
    y += lineHeight;
}

} // namespace

std::vector<std::string> familyEventLines(const TPerson& person, bool showBiography) {
    std::vector<std::string> lines;
    addEvent(lines, "*", person.GebDate, person.birthPlace);
    addEvent(lines, "~", person.baptism.date, person.baptism.place);
    addEvent(lines, "\u2020", person.StDate, person.deathPlace);
    addEvent(lines, "\u25A1", person.burial.date, person.burial.place);
    if (showBiography)
        for (const std::string& line : person.Leben)
            if (!line.empty()) lines.push_back(line);
    return lines;
}

std::vector<BoxTextLine> familyBoxLines(const TPerson& person, const BoxLayout& box,
                                        const TFontInfo& font, const QRect& rect, int percent) {
    std::vector<BoxTextLine> out;
    const LineBreaker breaker(rect, percent);
    int y = rect.top();
    const int bottom = rect.top() + rect.height();
    const int align = box.Textausricht;

    for (const std::string* name : {&person.NachName, &person.VorName}) {
        const QString text = QString::fromStdString(*name);
        if (text.trimmed().isEmpty()) continue;
        const std::int32_t height = nameHeight(font, font.Height, text, breaker);
        const Measure m(font, height, percent);
        for (const QString& line : breaker.wrap(m, text, std::numeric_limits<int>::max()))
            place(out, m, line, height, rect, y, align);
    }

    const Measure m(font, font.Height, percent);
    const std::vector<std::string> events = familyEventLines(person, box.LeblaufCheck);
    // The signed lines come before the biography: each keeps one line for
    // every signed line after it.
    const std::size_t signedLines = familyEventLines(person, false).size();
    for (std::size_t k = 0; k < events.size(); ++k) {
        const int room = (bottom - y) / m.lineHeight();
        const int later = k < signedLines ? int(signedLines - k - 1) : 0;
        const int maxLines = room - later;
        if (maxLines <= 0) {
            if (k >= signedLines) break;
            continue;
        }
        for (const QString& line : breaker.wrap(m, QString::fromStdString(events[k]), maxLines))
            place(out, m, line, font.Height, rect, y, align);
    }
    return out;
}

std::vector<BoxTextLine> fittedParentBoxLines(const TPerson& person, const BoxLayout& box,
                                              const TFontInfo& font, const QRect& rect,
                                              int percent) {
    const LineBreaker breaker(rect, percent);
    const Measure m(font, font.Height, percent);
    const QStringList lines =
        QString::fromStdString(boxText(person, box.LeblaufCheck)).split(QLatin1Char('\r'));
    if (std::all_of(lines.begin(), lines.end(),
                    [&](const QString& line) { return breaker.fits(m, line); }))
        return {};
    std::vector<BoxTextLine> out;
    int y = rect.top();
    const int bottom = rect.top() + rect.height();
    for (qsizetype k = 0; k + 1 < lines.size() && y < bottom; ++k) {
        const QString& line = lines[k];
        const std::int32_t height =
            k < 2 ? nameHeight(font, font.Height, line, breaker) : font.Height;
        const Measure lineFont(font, height, percent);
        const QString shown = breaker.fits(lineFont, line) ? line : breaker.elided(lineFont, line);
        // The lines keep their places, and the last is cut at the bottom.
        const int top = y;
        place(out, lineFont, shown, height, rect, y, box.Textausricht);
        out.back().rect.setBottom(std::min(out.back().rect.bottom(), bottom - 1));
        y = top + m.lineHeight();
    }
    return out;
}

std::vector<BoxTextLine> overviewSurname(const TPerson& person, const TFontInfo& font,
                                         const QRect& rect, int percent, int minPixels) {
    const QString name = QString::fromStdString(person.NachName).trimmed();
    if (name.isEmpty() || rect.height() <= 0) return {};
    const LineBreaker breaker(rect, percent);
    // From the height of the box down to the smallest that can be read.
    std::int32_t h = std::max(1, rect.height() * 3 / 4);
    while (h * percent / 100 >= minPixels) {
        const Measure m(font, -h, percent);
        const double width = m.width(name);
        if (width <= breaker.available() && m.lineHeight() <= rect.height()) {
            const int y = rect.top() + (rect.height() - m.lineHeight()) / 2;
            return {{name.toStdString(), -h, QRect(rect.left(), y, rect.width(), m.lineHeight())}};
        }
        h = std::min<std::int32_t>(h - 1,
                                   std::int32_t(h * std::min(breaker.available() / width, 1.0)));
    }
    return {};
}

void drawBoxLines(Canvas& canvas, const std::vector<BoxTextLine>& lines, const TFontInfo& font,
                  int align) {
    TFontInfo shown = font;
    bool changed = false;
    for (const BoxTextLine& line : lines) {
        if (!changed || shown.Height != line.fontHeight) {
            shown.Height = line.fontHeight;
            canvas.setFont(shown);
            changed = true;
        }
        canvas.drawText(line.text, line.rect, TextAlign(align));
    }
    if (changed) canvas.setFont(font);
}

void drawBoxText(Canvas& canvas, const TPerson& person, const BoxLayout& box, const TFontInfo& font,
                 const QRect& rect, bool familyLines, int align, int percent) {
    if (familyLines) {
        drawBoxLines(canvas, familyBoxLines(person, box, font, rect, percent), font, align);
        return;
    }
    const std::vector<BoxTextLine> fitted = fittedParentBoxLines(person, box, font, rect, percent);
    if (!fitted.empty())
        drawBoxLines(canvas, fitted, font, align);
    else
        canvas.drawText(boxText(person, box.LeblaufCheck), rect, TextAlign(align));
}

} // namespace lw
