#pragma once
// The biographies of all persons as a plain text file: for each person a
// block of lines (name, birth and baptism, death and burial, parents,
// partners, biography) followed by two empty lines, every line ended by
// CR LF. The text is Windows-1252 when every letter has a byte there, UTF-8
// after a byte order mark otherwise.
#include "document/Document.h"

#include <QByteArray>
#include <QString>

namespace lw {

// The whole export text; empty for a document without persons.
QByteArray biographyText(const Document& doc);

// Writes biographyText(doc) to `path`. The file is replaced only when it was
// written completely, so a failed export leaves an existing file as it was.
// False with a German `error` otherwise.
bool exportBiographies(const QString& path, const Document& doc, QString* error);

// "Die Datei „path“ konnte nicht geschrieben werden."
QString cannotWriteMessage(const QString& path);

} // namespace lw
