#pragma once
// Finding a person by what the user types: surname, first name and the two
// dates, ignoring case and accents ("muller" finds "Müller", "strasse" finds
// "Straße"). Every word of the query must occur in one of those fields.
#include <QString>
#include <QStringList>
#include <functional>

namespace lw {

class Document;
struct TPerson;

// The text as the search compares it: accents taken off, case folded, "ß"
// as "ss".
QString searchFolded(const QString& text);

class PersonQuery {
  public:
    explicit PersonQuery(const QString& text);
    bool empty() const { return words_.isEmpty(); }
    bool matches(const TPerson& person) const;

  private:
    QStringList words_; // folded
};

enum class SearchFrom { Here, After, Before };

// The first person that matches, going forward from `current` (included for
// SearchFrom::Here, excluded for After) or backward from before it (Before),
// around the end of the list to its start and on. Only persons for which
// `eligible` holds count (all, when it is empty). −1 when none matches.
int findPerson(const Document& doc, const PersonQuery& query, int current, SearchFrom from,
               const std::function<bool(int)>& eligible = {});

} // namespace lw
