#pragma once
// Reading a GEDCOM file into a new family tree. Each INDI becomes a person
// in file order: name, sex, birth and death with date and place, baptism
// and burial, the parents of the person's birth family with the kind of
// relation, notes as biography lines, the first picture and the chart cell
// that an export from this program carried. Each FAM with a known partner
// becomes a partnership with its marriage and divorce. The import does not
// arrange: callers place the persons afterwards (chart/AutoArrange.h).
#include "document/Document.h"
#include "gedcom/ImportReport.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace lw::gedcom {

inline const QString kMsgNotGedcom =
    QStringLiteral("Die Datei ist keine GEDCOM-Datei oder sie ist beschädigt.");

// The custom tag that carries a person's chart cell ("1 _LWPOS 3 5") and the
// header tag that carries the chart area ("1 _LWAREA 60 60").
inline const QString kPosTag = QStringLiteral("_LWPOS");
inline const QString kAreaTag = QStringLiteral("_LWAREA");

struct GedcomImportResult {
    std::optional<Document> doc; // empty when the file was refused
    QString error;               // German message when refused
    ImportReport report;
};

// Reads the bytes of a GEDCOM file; relative picture names are resolved
// against `folder`. Never throws, whatever the bytes are.
GedcomImportResult importGedcom(const QByteArray& bytes, const QString& folder = {}) noexcept;

// Reads the file at `path` (pictures relative to its folder). The document
// has no file name and is marked modified.
GedcomImportResult loadGedcom(const QString& path);

} // namespace lw::gedcom
