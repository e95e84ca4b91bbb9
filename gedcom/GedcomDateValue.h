#pragma once
// A GEDCOM date taken apart: its kind ("ABT", "BET … AND …", "INT … (…)"),
// the one or two dates in it with calendar, day, month, year, dual year and
// epoch, and its phrase. Read from GEDCOM 5.5.1 and GEDCOM 7 text and written
// back in the canonical form (upper-case keywords, single spaces, days
// without a leading zero, the default Gregorian calendar not named).
#include "document/DateCalendars.h"

#include <QString>
#include <optional>

namespace lw::gedcom {

// How a date named its calendar: not at all, with a 5.5.1 escape
// ("@#DJULIAN@") or with a GEDCOM 7 keyword ("JULIAN").
enum class CalendarStyle { None, Escape, Keyword };

struct SingleDate {
    Calendar calendar = Calendar::Gregorian;
    CalendarStyle style = CalendarStyle::None; // None for the Gregorian calendar
    int day = 0;                               // 0: not given
    int month = 0;                             // 1-based into monthCodes(calendar); 0: not given
    QString year;                              // digits as written ("0005")
    QString dual;                              // "13" of "1712/13", or empty
    QString epoch;                             // "B.C.", "BC", "BCE" or empty
    bool operator==(const SingleDate&) const = default;
};

enum class DateKind {
    Plain,
    About,       // ABT
    Calculated,  // CAL
    Estimated,   // EST
    Before,      // BEF
    After,       // AFT
    Between,     // BET … AND …
    FromTo,      // FROM … TO …
    From,        // FROM
    To,          // TO
    Interpreted, // INT … (…)
    Phrase,      // (…)
};

struct DateValue {
    DateKind kind = DateKind::Plain;
    SingleDate first;
    SingleDate second; // Between and FromTo
    QString phrase;    // Interpreted and Phrase
    bool operator==(const DateValue&) const = default;
};

// A GEDCOM date; keywords and month codes are read case-blind. Nothing for a
// text that is no GEDCOM date.
std::optional<DateValue> parseGedcomDate(const QString& text);
QString writeGedcomDate(const DateValue& date);

// Whether a day, month, year, dual year and epoch make a date of its calendar.
bool validSingle(const SingleDate& d);

} // namespace lw::gedcom
