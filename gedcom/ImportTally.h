#pragma once
// What a GEDCOM import leaves behind: the structures it did not take over,
// counted by tag, and the references that name no record of the file.
#include "gedcom/GedcomLines.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace lw::gedcom {

// The structures whose line is not marked in `taken` while the line above
// is (a record counts when the record itself is not taken); what lies below
// such a structure belongs to it and is not counted again. Most frequent
// first, then by tag.
std::vector<std::pair<QString, int>> untakenStructures(const GedcomLines& g,
                                                       const std::vector<char>& taken);

// Every line whose value points at a record id that `ids` does not hold
// ("Zeile 17: CHIL @I9@"); the null pointer @VOID@ names nothing on purpose.
QStringList danglingReferences(const GedcomLines& g, const QHash<QString, int>& ids);

} // namespace lw::gedcom
