#pragma once
// The characters of a GEDCOM file. The encoding comes from the byte order
// mark, else from the CHAR line of the header (UTF-8, UNICODE, ANSEL, ANSI,
// ASCII, IBM PC, Macintosh, ISO 8859-1), else the bytes are read as UTF-8
// when they are valid UTF-8 and as Windows-1252 otherwise.
#include <QByteArray>
#include <QString>

namespace lw::gedcom {

enum class Encoding { Utf8, Utf16LE, Utf16BE, Ansel, Ansi, Ascii, Ibm850, Mac, Latin1 };

// The German name of an encoding, for the import report.
QString encodingName(Encoding e);

struct DecodedText {
    QString text;
    Encoding encoding = Encoding::Utf8;
    // The CHAR line named one encoding but the bytes were read as another
    // (an "ANSI" file that is really UTF-8, a "UTF-8" file that is not).
    bool declaredDiffers = false;
    // A UTF-16 file of an odd number of bytes: the last one was left out.
    bool oddLastByte = false;
};

DecodedText decodeGedcom(const QByteArray& bytes);

// ANSEL (ANSI Z39.47) bytes as Unicode: the combining diacritics, which
// precede their letter, follow it and are composed where Unicode can.
QString decodeAnsel(const QByteArray& bytes);

} // namespace lw::gedcom
