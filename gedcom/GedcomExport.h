#pragma once
// Writing a family tree as GEDCOM 5.5.1 in UTF-8: an INDI per person with
// sex, birth, baptism, death and burial; a FAM per partnership with its
// marriage, divorce and children, and one per father–mother pair of children
// that no partnership holds; each person's chart cell in the custom tag
// _LWPOS, so that an import gives back the same tree.
#include "document/Document.h"

#include <QByteArray>
#include <QString>

namespace lw::gedcom {

// Picture names relative to the tree file, or inside `folder`, are written
// relative to `folder` (the folder of the file written); without a folder
// they are written as they are.
QByteArray exportGedcom(const Document& doc, const QString& folder = {});

// Writes the file completely or not at all; false with the German message.
bool saveGedcom(const QString& path, const Document& doc, QString* error);

} // namespace lw::gedcom
