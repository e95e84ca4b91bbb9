#pragma once
// The calendars a date may be written in, their months and the German words
// the persons page shows for them ("02.02.1793 (julianisch)",
// "2. Pluviôse 1 (franz. Revolutionskalender)"). GEDCOM reading and writing
// and the date check share these words so that what one writes the other reads.
#include <QString>
#include <QStringList>

namespace lw {

enum class Calendar { Gregorian, Julian, Hebrew, French, Roman, Unknown };

struct CalendarInfo {
    Calendar calendar;
    const char* escape;     // GEDCOM 5.5.1: "@#DJULIAN@"
    const char* keyword;    // GEDCOM 7: "JULIAN", or empty
    const char* label;      // German, for a date written with the escape
    const char* shortLabel; // German, for a date written with the keyword, or empty
};

// Every calendar, the Gregorian one first.
const CalendarInfo* calendarInfos(int& count);
const CalendarInfo& calendarInfo(Calendar c);

// Calendars whose months the persons page names ("Tevet") instead of
// numbering them ("12.1900").
bool namedMonths(Calendar c);

// The GEDCOM month codes of a calendar, in order ("JAN"… or "TSH"…).
const QStringList& monthCodes(Calendar c);
// The German month names of a calendar with named months, in order.
const QStringList& germanMonthNames(Calendar c);
// The month (1-based) a German name stands for in a calendar with named
// months, case-blind; 0 when none.
int germanMonthOf(Calendar c, const QString& word);

// The Gregorian month (1-based) a word stands for as German writing, the
// persons page and GEDCOM files have it ("März", "maerz", "Mrz", "MAR"),
// case-blind and without a trailing dot; 0 when none.
int gregorianMonthOfWord(const QString& word);

// The calendar a German label in parentheses names ("julianisch", "jul.",
// "gregorianisch"), case-blind; `keywordStyle` tells whether it was the
// short label of a GEDCOM 7 keyword. False when the text is no label.
bool calendarOfLabel(const QString& label, Calendar& c, bool& keywordStyle);

// Roughly where a date of another calendar falls in the Gregorian one, for
// sorting: the year and month (0 when not given).
void approximateGregorian(Calendar c, int year, int month, int& gregYear, int& gregMonth);

} // namespace lw
