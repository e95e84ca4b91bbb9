#pragma once
// Birth and death dates are free text: files and users write "12.03.1900",
// "März 1900", "12 MAR 1900", "um 1900", "zw. 1850 und 1860" or "unbekannt",
// and every text is stored as written. This reads such a text as a date
// where it can, to find the ones that look like a date and are none
// ("32.13.1900") or are no date at all ("gestern"), and to sort by date.
#include <QString>
#include <compare>
#include <optional>

namespace lw {

// Where a date stands in time: year, month and day (0 when not given), and
// how it is meant: before (-1), about or on (0), after (+1). "vor 1900"
// comes before "1900", which comes before "03.1900" and "nach 1900".
struct DateKey {
    int year = 0;
    int month = 0;
    int day = 0;
    int side = 0;
    auto operator<=>(const DateKey&) const = default;
};

struct DateCheck {
    enum class Kind {
        Empty,    // nothing written
        Unknown,  // written as not known: "?", "unbekannt"
        Date,     // a date, a qualified date or a range of dates
        Invalid,  // written like a date but none: "32.13.1900", "März"
        NotADate, // a text without anything of a date: "gestern"
    };
    Kind kind = Kind::Empty;
    // For Invalid and NotADate, what is wrong, in German: "Kein gültiges
    // Datum: Monat 13", "Kein Datum".
    QString problem;
    // For Date: where it stands (a range: its start).
    std::optional<DateKey> key;

    bool marked() const { return kind == Kind::Invalid || kind == Kind::NotADate; }
};

DateCheck checkDate(const QString& text);

// A date text's place in a list sorted by date: dates by time, then the
// texts that are no date (by text, case-blind), then empty ones.
struct DateSortKey {
    int group = 0; // 0: a date, 1: another text, 2: empty
    DateKey date;
    QString folded; // group 1: the text, case-folded
};
DateSortKey dateSortKey(const QString& text);
bool operator<(const DateSortKey& a, const DateSortKey& b);

} // namespace lw
