#pragma once
// Writing a family tree as GEDCOM 5.5.1 in UTF-8: an INDI per person, a FAM
// per distinct father–mother pair with its children, and each person's chart
// cell in the custom tag _LWPOS, so that an import gives back the same tree.
#include "document/Document.h"

#include <QByteArray>
#include <QString>

namespace lw::gedcom {

QByteArray exportGedcom(const Document& doc);

// Writes the file completely or not at all; false with the German message.
bool saveGedcom(const QString& path, const Document& doc, QString* error);

} // namespace lw::gedcom
