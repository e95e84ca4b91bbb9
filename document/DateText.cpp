#include "document/DateText.h"

#include "document/DateCalendars.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

namespace lw {

namespace {

const QString kInvalid = QStringLiteral("Kein gültiges Datum: ");

const std::array<const char*, 12> kMonthNames = {"Januar",    "Februar", "März",     "April",
                                                 "Mai",       "Juni",    "Juli",     "August",
                                                 "September", "Oktober", "November", "Dezember"};

bool leapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysIn(int month, int year) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && leapYear(year) ? 29 : kDays[std::size_t(month - 1)];
}

// One date without qualifier, or what is wrong with it.
struct Plain {
    std::optional<DateKey> key;
    QStringList problems;
    bool dateLike = false; // written like a date, right or wrong
};

// Checks day, month and year given as digits (day and month may be absent).
Plain checked(const QString& dayText, int month, const QString& monthText, const QString& yearText,
              bool julian = false) {
    Plain p;
    p.dateLike = true;
    bool dayOk = true, monthOk = true, yearOk = true;
    const int day = dayText.isEmpty() ? 0 : dayText.toInt();
    if (!monthText.isEmpty()) {
        month = monthText.size() <= 2 ? monthText.toInt() : 0;
        monthOk = month >= 1 && month <= 12;
        if (!monthOk) p.problems << QStringLiteral("Monat %1").arg(monthText);
    }
    if (!dayText.isEmpty() && (dayText.size() > 2 || day < 1 || day > 31)) {
        dayOk = false;
        p.problems.prepend(QStringLiteral("Tag %1").arg(dayText));
    }
    const int year = yearText.size() <= 4 ? yearText.toInt() : 0;
    if (yearText.isEmpty()) {
        yearOk = false;
        p.problems << QStringLiteral("Jahr fehlt");
    } else if (year < 1) {
        yearOk = false;
        p.problems << QStringLiteral("Jahr %1").arg(yearText);
    }
    const int monthDays = julian && month == 2 && year % 4 == 0 ? 29
                          : month >= 1 && month <= 12           ? daysIn(month, year)
                                                                : 31;
    if (dayOk && monthOk && month > 0 && day > 0 && yearOk && day > monthDays) {
        dayOk = false;
        const QString monthName = QString::fromUtf8(kMonthNames[std::size_t(month - 1)]);
        p.problems << (month == 2 ? QStringLiteral("Tag %1, der Februar %2 hat nur %3 Tage")
                                        .arg(day)
                                        .arg(year)
                                        .arg(monthDays)
                                  : QStringLiteral("Tag %1, der %2 hat nur %3 Tage")
                                        .arg(day)
                                        .arg(monthName)
                                        .arg(monthDays));
    }
    if (dayOk && monthOk && yearOk) p.key = DateKey{year, month, day, 0};
    return p;
}

// Digit groups joined by dots, each dot maybe followed by blanks: "12.3.1900",
// "12. 3. 1900", "03.1900", "1900", "12.03.". False for anything else.
bool digitGroups(const QString& s, QStringList& groups, bool& endsWithDot) {
    groups.clear();
    endsWithDot = false;
    qsizetype i = 0;
    const qsizetype n = s.size();
    while (i < n) {
        const qsizetype start = i;
        while (i < n && s[i].isDigit() && s[i].unicode() < 128)
            ++i;
        if (i == start) return false;
        groups << s.mid(start, i - start);
        if (i == n) return true;
        if (s[i] != u'.') return false;
        ++i;
        while (i < n && s[i] == u' ')
            ++i;
        if (i == n) endsWithDot = true;
    }
    return !groups.isEmpty();
}

// "[day[.]] month-word[.] [year]": the three parts, or false.
bool monthWordDate(const QString& s, QString& day, QString& word, QString& year) {
    const qsizetype n = s.size();
    qsizetype i = 0;
    auto digits = [&] {
        const qsizetype start = i;
        while (i < n && s[i].isDigit() && s[i].unicode() < 128)
            ++i;
        return s.mid(start, i - start);
    };
    auto blanks = [&] {
        while (i < n && s[i] == u' ')
            ++i;
    };
    day = digits();
    if (!day.isEmpty() && i < n && s[i] == u'.') ++i;
    blanks();
    const qsizetype start = i;
    while (i < n && s[i].isLetter())
        ++i;
    word = s.mid(start, i - start);
    if (word.isEmpty()) return false;
    if (i < n && s[i] == u'.') ++i;
    blanks();
    year = digits();
    return i == n;
}

Plain gregorianDate(const QString& s, bool julian) {
    static const QRegularExpression kIso(QStringLiteral(R"(^(\d{3,4})-(\d{1,2})-(\d{1,2})$)"));
    QStringList g;
    bool endsWithDot = false;
    if (digitGroups(s, g, endsWithDot)) {
        if (g.size() == 3 && !endsWithDot) return checked(g[0], 0, g[1], g[2], julian);
        if (g.size() == 2 && !endsWithDot) return checked(QString(), 0, g[0], g[1], julian);
        if (g.size() == 2 && endsWithDot) return checked(g[0], 0, g[1], QString());
        if (g.size() == 1 && !endsWithDot) return checked(QString(), 0, QString(), g[0]);
    }
    QRegularExpressionMatch m;
    if (s.contains(u'-') && (m = kIso.match(s)).hasMatch())
        return checked(m.captured(3), 0, m.captured(2), m.captured(1));
    QString day, word, year;
    if (monthWordDate(s, day, word, year)) {
        if (const int month = gregorianMonthOfWord(word); month > 0)
            return checked(day, month, QString(), year, julian);
    }
    // Not a form of date: it still looks like one when it holds a digit or
    // a month word.
    Plain p;
    qsizetype i = 0;
    while (i < s.size() && !p.dateLike) {
        if (s[i].isDigit()) {
            p.dateLike = true;
        } else if (s[i].isLetter()) {
            const qsizetype start = i;
            while (i < s.size() && s[i].isLetter())
                ++i;
            p.dateLike = gregorianMonthOfWord(s.mid(start, i - start)) > 0;
            continue;
        }
        ++i;
    }
    if (p.dateLike)
        p.problems << QStringLiteral(
            "unbekannte Schreibweise (etwa 12.03.1900, März 1900 oder um 1900)");
    return p;
}

// A date of a calendar whose months have names: "2. pluviôse 1", "tevet 5758",
// "5758"; its key falls roughly where the date lies in the Gregorian calendar.
Plain namedMonthDate(const QString& s, Calendar calendar) {
    static const QRegularExpression kDate(
        QStringLiteral(R"(^(?:(?:(\d{1,2})\.?\s+)?(\w+)\.?\s+)?(\d{1,4})$)"),
        QRegularExpression::UseUnicodePropertiesOption);
    Plain p;
    p.dateLike = true;
    const QRegularExpressionMatch m = kDate.match(s);
    if (!m.hasMatch()) {
        p.problems << QStringLiteral("unbekannte Schreibweise");
        return p;
    }
    int month = 0;
    if (!m.captured(2).isEmpty()) {
        month = germanMonthOf(calendar, m.captured(2));
        if (month == 0) month = int(monthCodes(calendar).indexOf(m.captured(2).toUpper())) + 1;
        if (month == 0) p.problems << QStringLiteral("Monat %1").arg(m.captured(2));
    }
    const int day = m.captured(1).toInt();
    if (!m.captured(1).isEmpty() && (day < 1 || day > 30))
        p.problems << QStringLiteral("Tag %1").arg(m.captured(1));
    const int year = m.captured(3).toInt();
    if (year < 1) p.problems << QStringLiteral("Jahr %1").arg(m.captured(3));
    if (!p.problems.isEmpty()) return p;
    int gregYear = 0, gregMonth = 0;
    approximateGregorian(calendar, year, month, gregYear, gregMonth);
    p.key = DateKey{gregYear, gregMonth, gregMonth > 0 ? day : 0, 0};
    return p;
}

// One date without qualifier, maybe with an epoch ("560 v. chr."), a dual
// year ("13.01.1712/13", sorted by its second year) and a calendar
// ("02.02.1793 (julianisch)").
Plain plainDate(const QString& text) {
    QString s = text;
    Calendar calendar = Calendar::Gregorian;
    bool labelled = false;
    if (s.endsWith(u')')) {
        const qsizetype open = s.lastIndexOf(QStringLiteral(" ("));
        bool keyword = false;
        if (open > 0 &&
            calendarOfLabel(s.mid(open + 2, s.size() - open - 3).trimmed(), calendar, keyword)) {
            s = s.left(open).trimmed();
            labelled = true;
        }
    }
    bool beforeChrist = false;
    for (const char* epoch :
         {" v. chr.", " v.chr.", " v. u. z.", " v.u.z.", " b.c.", " bc", " bce"}) {
        if (s.endsWith(QLatin1String(epoch))) {
            s.chop(qsizetype(strlen(epoch)));
            beforeChrist = true;
            break;
        }
    }
    static const QRegularExpression kDual(QStringLiteral(R"((\d{1,4})/(\d{1,2})$)"));
    const QRegularExpressionMatch dual = kDual.match(s);
    if (dual.hasMatch()) s = s.left(dual.capturedEnd(1));
    Plain p = namedMonths(calendar) ? namedMonthDate(s, calendar)
                                    : gregorianDate(s, calendar == Calendar::Julian);
    p.dateLike = p.dateLike || labelled || beforeChrist;
    if (!p.key) return p;
    if (dual.hasMatch()) {
        // "1712/13": the year that ended in March and the one that began in January.
        int tens = 1;
        for (qsizetype i = 0; i < dual.captured(2).size(); ++i)
            tens *= 10;
        int second = p.key->year - p.key->year % tens + dual.captured(2).toInt();
        if (second < p.key->year) second += tens;
        if (second != p.key->year + 1 || beforeChrist || calendar != Calendar::Gregorian) {
            p.problems << QStringLiteral("Doppeljahr %1/%2").arg(p.key->year).arg(dual.captured(2));
            p.key.reset();
            return p;
        }
        p.key->year = second;
    }
    if (beforeChrist) p.key->year = -p.key->year;
    return p;
}

// The words before a date that say how it is meant, lower case.
const std::array<std::pair<const char*, int>, 20> kQualifiers = {{
    {"um ", 0},   {"errechnet ", 0}, {"berechnet ", 0}, {"geschätzt ", 0}, {"ca. ", 0},
    {"ca ", 0},   {"circa ", 0},     {"etwa ", 0},      {"abt ", 0},       {"est ", 0},
    {"cal ", 0},  {"vor ", -1},      {"bef ", -1},      {"bis ", -1},      {"to ", -1},
    {"nach ", 1}, {"aft ", 1},       {"ab ", 1},        {"seit ", 1},      {"from ", 1},
}};

// A date with an optional qualifier; `qualified` tells whether one was there.
Plain qualifiedDate(const QString& s, bool* qualified = nullptr) {
    static const std::vector<std::pair<QString, int>> kWords = [] {
        std::vector<std::pair<QString, int>> words;
        for (const auto& [word, side] : kQualifiers)
            words.emplace_back(QString::fromUtf8(word), side);
        return words;
    }();
    for (const auto& [w, side] : kWords) {
        if (!s.startsWith(w.front())) continue;
        QString rest;
        if (s.startsWith(w))
            rest = s.mid(w.size()).trimmed();
        else if (w.endsWith(QStringLiteral(". ")) && s.startsWith(w.trimmed()))
            rest = s.mid(w.trimmed().size()).trimmed(); // "ca.1900"
        else if (s == w.trimmed())
            rest = QString();
        else
            continue;
        if (qualified) *qualified = true;
        if (rest.isEmpty()) {
            Plain p;
            p.dateLike = true;
            p.problems << QStringLiteral("nach „%1“ fehlt das Datum").arg(w.trimmed());
            return p;
        }
        Plain p = plainDate(rest);
        p.dateLike = true;
        if (p.key) p.key->side = side;
        return p;
    }
    return plainDate(s);
}

// A range "zw. A und B", "von A bis B", "A – B" and their GEDCOM forms.
std::optional<Plain> range(const QString& s) {
    static const QRegularExpression kRange(QStringLiteral(
        R"(^(?:(zw\.|zwischen|bet|von|from)\s*)?(.+?)\s+(und|and|bis|to|–|-)\s+(.+)$)"));
    static const QRegularExpression kYears(QStringLiteral(R"(^()(\d{3,4})()[–-](\d{3,4})$)"));
    QRegularExpressionMatch m;
    static const std::array<QString, 6> kJoiners = {
        QStringLiteral(" und "), QStringLiteral(" and "), QStringLiteral(" bis "),
        QStringLiteral(" to "),  QStringLiteral(" – "),   QStringLiteral(" - ")};
    if (std::any_of(kJoiners.begin(), kJoiners.end(),
                    [&](const QString& j) { return s.contains(j); }))
        m = kRange.match(s);
    if (!m.hasMatch() && (s.contains(u'-') || s.contains(u'–'))) m = kYears.match(s); // "1850-1860"
    if (!m.hasMatch()) return std::nullopt;
    const QString opener = m.captured(1), joiner = m.captured(3);
    const bool dash = joiner.isEmpty() || joiner == u"–" || joiner == u"-";
    // "und"/"and" need their opener; "bis"/"to" after a date need none.
    if (!dash && opener.isEmpty() && joiner != u"bis" && joiner != u"to") return std::nullopt;
    if (dash && !opener.isEmpty()) return std::nullopt;
    Plain from = qualifiedDate(m.captured(2));
    Plain to = qualifiedDate(m.captured(4));
    if (!from.dateLike && !to.dateLike && opener.isEmpty()) return std::nullopt;
    Plain p;
    p.dateLike = true;
    p.problems << from.problems << to.problems;
    if (from.key && to.key) {
        if (*to.key < *from.key)
            p.problems << QStringLiteral("das Ende liegt vor dem Anfang");
        else
            p.key = from.key;
    }
    return p;
}

} // namespace

DateCheck checkDate(const QString& text) {
    DateCheck c;
    const QString s = text.simplified().toLower();
    if (s.isEmpty()) return c;
    if (s == u"?" || s == u"unbekannt" || s == u"unbek." || s == u"unb." || s == u"k. a.") {
        c.kind = DateCheck::Kind::Unknown;
        return c;
    }
    Plain p;
    if (std::optional<Plain> r = range(s)) {
        p = *r;
    } else {
        p = qualifiedDate(s);
        // A date with a phrase after it: "1995 (nach dem alter)".
        for (qsizetype at = s.lastIndexOf(QStringLiteral(" ("));
             !p.key && s.endsWith(u')') && at > 0;
             at = s.lastIndexOf(QStringLiteral(" ("), at - 1)) {
            Plain q = qualifiedDate(s.left(at).trimmed());
            if (q.key && q.problems.isEmpty()) p = q;
        }
    }
    if (p.key && p.problems.isEmpty()) {
        c.kind = DateCheck::Kind::Date;
        c.key = p.key;
    } else if (p.dateLike) {
        c.kind = DateCheck::Kind::Invalid;
        c.problem = kInvalid + p.problems.join(QStringLiteral(", "));
    } else {
        c.kind = DateCheck::Kind::NotADate;
        c.problem = QStringLiteral("Kein Datum");
    }
    return c;
}

DateSortKey dateSortKey(const QString& text) {
    DateSortKey k;
    const DateCheck c = checkDate(text);
    if (c.kind == DateCheck::Kind::Date) {
        k.date = *c.key;
    } else if (c.kind == DateCheck::Kind::Empty) {
        k.group = 2;
    } else {
        k.group = 1;
        k.folded = text.simplified().toCaseFolded();
    }
    return k;
}

bool operator<(const DateSortKey& a, const DateSortKey& b) {
    if (a.group != b.group) return a.group < b.group;
    if (a.group == 0) {
        // "nach 1900" comes after every day of 1900.
        auto order = [](const DateKey& k) {
            const bool after = k.side > 0;
            return DateKey{k.year, after && k.month == 0 ? 13 : k.month,
                           after && k.day == 0 ? 32 : k.day, k.side};
        };
        return order(a.date) < order(b.date);
    }
    return a.folded.localeAwareCompare(b.folded) < 0;
}

} // namespace lw
