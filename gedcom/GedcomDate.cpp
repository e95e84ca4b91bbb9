#include "gedcom/GedcomDate.h"

#include "gedcom/GedcomDateValue.h"

#include <QRegularExpression>
#include <QStringList>
#include <array>

namespace lw::gedcom {

namespace {

QString two(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

// The German words for the epochs, in the order of kGedcomEpochs.
const std::array<const char*, 3> kGedcomEpochs = {"B.C.", "BC", "BCE"};
const std::array<const char*, 3> kGermanEpochs = {"v. Chr.", "v.Chr.", "v. u. Z."};

QString germanSingle(const SingleDate& d, bool explicitGregorian) {
    QString s;
    if (namedMonths(d.calendar)) {
        if (d.day > 0) s += QString::number(d.day) + QStringLiteral(". ");
        if (d.month > 0) s += germanMonthNames(d.calendar)[d.month - 1] + u' ';
        s += d.year;
    } else {
        if (d.day > 0) s += two(d.day) + u'.';
        if (d.month > 0) s += two(d.month) + u'.';
        s += d.year;
        if (!d.dual.isEmpty()) s += u'/' + d.dual;
    }
    for (std::size_t e = 0; e < kGedcomEpochs.size(); ++e)
        if (d.epoch == QLatin1String(kGedcomEpochs[e]))
            s += u' ' + QString::fromUtf8(kGermanEpochs[e]);
    const CalendarInfo& info = calendarInfo(d.calendar);
    if (d.style == CalendarStyle::Escape || (explicitGregorian && d.style == CalendarStyle::None))
        s += QStringLiteral(" (") + QString::fromUtf8(info.label) + u')';
    else if (d.style == CalendarStyle::Keyword)
        s += QStringLiteral(" (") + QString::fromUtf8(info.shortLabel) + u')';
    return s;
}

QString germanOf(const DateValue& v, bool explicitGregorian) {
    const QString a = germanSingle(v.first, explicitGregorian);
    switch (v.kind) {
    case DateKind::Plain:
        return a;
    case DateKind::About:
        return QStringLiteral("um ") + a;
    case DateKind::Calculated:
        return QStringLiteral("errechnet ") + a;
    case DateKind::Estimated:
        return QStringLiteral("ca. ") + a;
    case DateKind::Before:
        return QStringLiteral("vor ") + a;
    case DateKind::After:
        return QStringLiteral("nach ") + a;
    case DateKind::From:
        return QStringLiteral("ab ") + a;
    case DateKind::To:
        return QStringLiteral("bis ") + a;
    case DateKind::Between:
        return QStringLiteral("zw. ") + a + QStringLiteral(" und ") +
               germanSingle(v.second, explicitGregorian);
    case DateKind::FromTo:
        return a + QStringLiteral(" \u2013 ") + germanSingle(v.second, explicitGregorian);
    case DateKind::Interpreted:
        return a + QStringLiteral(" (") + v.phrase + u')';
    case DateKind::Phrase:
        return v.phrase;
    }
    return a;
}

// The groups of the number pattern below for the plain forms that nearly
// every date takes ("12.03.1900", "3.1900", "1900", "13.01.1712/13", a
// blank after a dot), without the pattern's cost; false where the text has
// any other form, which the pattern then decides.
bool numberParts(const QString& s, std::array<QString, 5>& part) {
    const qsizetype n = s.size();
    qsizetype at = 0;
    auto digits = [&](qsizetype most) {
        const qsizetype from = at;
        while (at < n && at - from < most + 1 && s[at] >= u'0' && s[at] <= u'9')
            ++at;
        return at - from;
    };
    int leading = 0;
    while (true) {
        const qsizetype from = at;
        const qsizetype count = digits(4);
        if (count == 0 || count > 4) return false;
        if (at < n && s[at] == u'.') {
            if (count > 2 || leading == 2) return false;
            part[size_t(++leading)] = s.mid(from, count);
            ++at;
            while (at < n && s[at] == u' ')
                ++at;
            continue;
        }
        part[3] = s.mid(from, count);
        break;
    }
    if (at < n && s[at] == u'/') {
        ++at;
        const qsizetype from = at;
        const qsizetype count = digits(2);
        if (count == 0 || count > 2) return false;
        part[4] = s.mid(from, count);
    }
    return at == n;
}

// One German date: "12.03.1900", "03.1900", "1900", "12. März 1900",
// "Jan. 1900", "13.01.1712/13", "560 v. Chr.", "02.02.1793 (julianisch)",
// "2. Pluviôse 1 (franz. Revolutionskalender)".
std::optional<SingleDate> parseGermanSingle(QString s) {
    SingleDate d;
    s = s.trimmed();
    if (s.endsWith(u')')) {
        const qsizetype open = s.lastIndexOf(QStringLiteral(" ("));
        if (open < 0) return std::nullopt;
        bool keyword = false;
        if (!calendarOfLabel(s.mid(open + 2, s.size() - open - 3).trimmed(), d.calendar, keyword))
            return std::nullopt;
        d.style = d.calendar == Calendar::Gregorian ? CalendarStyle::None
                  : keyword                         ? CalendarStyle::Keyword
                                                    : CalendarStyle::Escape;
        s = s.left(open).trimmed();
    }
    // Every epoch follows the date after a blank.
    for (std::size_t e = 0; e < kGermanEpochs.size() && s.contains(u' '); ++e) {
        for (const QString& word :
             {QString::fromUtf8(kGermanEpochs[e]), QString::fromUtf8(kGedcomEpochs[e])}) {
            if (s.endsWith(u' ' + word, Qt::CaseInsensitive)) {
                d.epoch = QString::fromUtf8(kGedcomEpochs[e]);
                s = s.left(s.size() - word.size()).trimmed();
                break;
            }
        }
        if (!d.epoch.isEmpty()) break;
    }
    static const QRegularExpression kNumbers(
        QStringLiteral(R"(^(?:(\d{1,2})\.\s*)?(?:(\d{1,2})\.\s*)?(\d{1,4})(?:/(\d{1,2}))?$)"));
    static const QRegularExpression kWord(
        QStringLiteral(R"(^(?:(\d{1,2})\.?\s+)?(\w+)\.?\s+(\d{1,4})(?:/(\d{1,2}))?$)"),
        QRegularExpression::UseUnicodePropertiesOption);
    // The pattern's groups: day or month, month, year, dual year.
    std::array<QString, 5> part;
    bool numbers = numberParts(s, part);
    QRegularExpressionMatch m;
    if (!numbers && (m = kNumbers.match(s)).hasMatch()) {
        numbers = true;
        for (int k = 1; k <= 4; ++k)
            part[size_t(k)] = m.captured(k);
    }
    if (numbers && namedMonths(d.calendar)) {
        if (!part[1].isEmpty()) return std::nullopt; // their months have names
    } else if (numbers) {
        // "03.1900": a lone number before the year is the month.
        const QString &first = part[1], &second = part[2];
        if (!second.isEmpty()) {
            d.day = first.toInt();
            d.month = second.toInt();
            if (d.day < 1) return std::nullopt;
        } else if (!first.isEmpty()) {
            d.month = first.toInt();
        }
        if (!first.isEmpty() && (d.month < 1 || d.month > 12)) return std::nullopt;
    } else if ((m = kWord.match(s)).hasMatch()) {
        for (int k = 1; k <= 4; ++k)
            part[size_t(k)] = m.captured(k);
        const QString& word = part[2];
        d.month =
            namedMonths(d.calendar) ? germanMonthOf(d.calendar, word) : gregorianMonthOfWord(word);
        if (d.month == 0 && namedMonths(d.calendar))
            d.month = int(monthCodes(d.calendar).indexOf(word.toUpper())) + 1;
        if (d.month == 0) return std::nullopt;
        if (!part[1].isEmpty()) {
            d.day = part[1].toInt();
            if (d.day < 1) return std::nullopt;
        }
    } else {
        return std::nullopt;
    }
    d.year = part[3];
    d.dual = part[4];
    if (!validSingle(d)) return std::nullopt;
    return d;
}

// A single German date maybe followed by a phrase: "1995 (nach dem Alter)".
std::optional<DateValue> parseGermanInterpreted(const QString& s) {
    if (!s.endsWith(u')')) return std::nullopt;
    // The longest date before a " (" wins, so that a calendar stays the date's.
    for (qsizetype at = s.lastIndexOf(QStringLiteral(" (")); at > 0;
         at = s.lastIndexOf(QStringLiteral(" ("), at - 1)) {
        if (auto d = parseGermanSingle(s.left(at))) {
            DateValue v;
            v.kind = DateKind::Interpreted;
            v.first = *d;
            v.phrase = s.mid(at + 2, s.size() - at - 3);
            return v;
        }
    }
    return std::nullopt;
}

std::optional<DateValue> parseGerman(const QString& german) {
    const QString s = german.trimmed();
    if (s.isEmpty() || s.startsWith(u'(')) return std::nullopt;
    DateValue v;
    if (auto d = parseGermanSingle(s)) {
        v.first = *d;
        return v;
    }
    auto two = [&](const QString& a, const QString& b, DateKind kind) -> std::optional<DateValue> {
        auto x = parseGermanSingle(a);
        auto y = parseGermanSingle(b);
        if (!x || !y) return std::nullopt;
        DateValue r;
        r.kind = kind;
        r.first = *x;
        r.second = *y;
        return r;
    };
    static const QRegularExpression kRange(
        QStringLiteral(R"(^(zw\.|zwischen|von)\s*(.+?)\s+(und|bis)\s+(.+)$)"),
        QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = kRange.match(s); m.hasMatch()) {
        const bool between = !m.captured(1).startsWith(u'v', Qt::CaseInsensitive);
        if (between != (m.captured(3).compare(u"und", Qt::CaseInsensitive) == 0))
            return std::nullopt;
        return two(m.captured(2), m.captured(4), between ? DateKind::Between : DateKind::FromTo);
    }
    for (const QString& dash : {QStringLiteral(" \u2013 "), QStringLiteral(" - ")}) {
        const qsizetype at = s.indexOf(dash);
        if (at >= 0) return two(s.left(at), s.mid(at + dash.size()), DateKind::FromTo);
    }
    static const std::array<std::pair<const char*, DateKind>, 12> kPrefixes = {{
        {"um ", DateKind::About},
        {"etwa ", DateKind::About},
        {"ca. ", DateKind::Estimated},
        {"circa ", DateKind::Estimated},
        {"geschätzt ", DateKind::Estimated},
        {"errechnet ", DateKind::Calculated},
        {"berechnet ", DateKind::Calculated},
        {"vor ", DateKind::Before},
        {"nach ", DateKind::After},
        {"ab ", DateKind::From},
        {"seit ", DateKind::From},
        {"bis ", DateKind::To},
    }};
    for (const auto& [word, kind] : kPrefixes) {
        const QString w = QString::fromUtf8(word);
        if (!s.startsWith(w, Qt::CaseInsensitive)) continue;
        auto d = parseGermanSingle(s.mid(w.size()));
        if (!d) return std::nullopt;
        v.kind = kind;
        v.first = *d;
        return v;
    }
    return parseGermanInterpreted(s);
}

} // namespace

QString germanDate(const QString& gedcom) {
    const std::optional<DateValue> v = parseGedcomDate(gedcom);
    if (!v) {
        // Text that is no GEDCOM date but a German one ("5.5.1840", as some
        // programs write it) is read as the date it means, so that it comes
        // back the same after an export.
        const QString text = gedcom.trimmed();
        if (parseGerman(text)) return germanDate(gedcomDate(text));
        return text;
    }
    const QString canonical = writeGedcomDate(*v);
    if (v->kind == DateKind::Phrase) {
        // A phrase that reads like a date keeps its parentheses.
        if (gedcomDate(v->phrase) == canonical) return v->phrase;
        return canonical;
    }
    // A phrase that names a calendar ("INT 1900 (julianisch)") needs the
    // Gregorian calendar named before it.
    for (bool explicitGregorian : {false, true}) {
        const QString g = germanOf(*v, explicitGregorian);
        if (gedcomDate(g) == canonical) return g;
    }
    return canonical;
}

QString gedcomDate(const QString& german) {
    if (std::optional<DateValue> v = parseGerman(german)) return writeGedcomDate(*v);
    if (std::optional<DateValue> v = parseGedcomDate(german)) return writeGedcomDate(*v);
    return u'(' + german + u')';
}

} // namespace lw::gedcom
