#include "gedcom/GedcomText.h"

#include "platform/Win1252.h"

#include <QStringDecoder>
#include <array>
#include <string>
#include <unicode/ucnv.h>

namespace lw::gedcom {

namespace {

// ANSEL 0xA1 ... 0xCF: letters and signs (0 = unassigned).
constexpr std::array<char16_t, 0x30> kAnselSigns = {
    0,      0x0141, 0x00D8, 0x0110, 0x00DE, 0x00C6, 0x0152, 0x02B9, // A0..A7
    0x00B7, 0x266D, 0x00AE, 0x00B1, 0x01A0, 0x01AF, 0x02BC, 0,      // A8..AF
    0x02BB, 0x0142, 0x00F8, 0x0111, 0x00FE, 0x00E6, 0x0153, 0x02BA, // B0..B7
    0x0131, 0x00A3, 0x00F0, 0,      0x01A1, 0x01B0, 0x25A1, 0x25A0, // B8..BF
    0x00B0, 0x2113, 0x2117, 0x00A9, 0x266F, 0x00BF, 0x00A1, 0x00DF, // C0..C7
    0x20AC, 0,      0,      0,      0,      0x0065, 0x006F, 0x00DF, // C8..CF
};

// ANSEL 0xE0 ... 0xFE: combining diacritics (0 = unassigned).
constexpr std::array<char16_t, 0x1F> kAnselMarks = {
    0x0309, 0x0300, 0x0301, 0x0302, 0x0303, 0x0304, 0x0306, 0x0307, // E0..E7
    0x0308, 0x030C, 0x030A, 0xFE20, 0xFE21, 0x0315, 0x030B, 0x0310, // E8..EF
    0x0327, 0x0328, 0x0323, 0x0324, 0x0325, 0x0333, 0x0332, 0x0326, // F0..F7
    0x031C, 0x032E, 0xFE22, 0xFE23, 0,      0,      0x0313,         // F8..FE
};

bool validUtf8(const QByteArray& bytes, bool* multiByte) {
    *multiByte = false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int len = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (len == 0 || (len == 2 && c < 0xC2) || (len == 4 && c > 0xF4)) return false;
        if (i + len > n) return false;
        for (int k = 1; k < len; ++k)
            if ((p[i + k] & 0xC0) != 0x80) return false;
        *multiByte = true;
        i += len;
    }
    return true;
}

// The value of the header's CHAR line, upper case; empty when there is none.
QByteArray declaredCharset(const QByteArray& bytes) {
    // The header comes first; 64 KiB hold any real one.
    const QByteArray head = bytes.left(65536);
    qsizetype pos = 0;
    while (pos < head.size()) {
        qsizetype end = pos;
        while (end < head.size() && head[end] != '\n' && head[end] != '\r')
            ++end;
        QByteArray line = head.mid(pos, end - pos).trimmed();
        pos = end + 1;
        if (line.startsWith("0 ") && !line.startsWith("0 HEAD") && pos > 8) break;
        if (line.startsWith("1 CHAR ") || line.startsWith("1 CHAR\t"))
            return line.mid(7).trimmed().toUpper();
    }
    return {};
}

QString viaIcu(const QByteArray& bytes, const char* converterName) {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* conv = ucnv_open(converterName, &status);
    if (U_FAILURE(status)) return fromAnsi(bytes.toStdString());
    QString out(bytes.size() * 2 + 1, Qt::Uninitialized);
    int32_t len = ucnv_toUChars(conv, reinterpret_cast<UChar*>(out.data()), int32_t(out.size()),
                                bytes.constData(), int32_t(bytes.size()), &status);
    ucnv_close(conv);
    if (U_FAILURE(status)) return fromAnsi(bytes.toStdString());
    out.truncate(len);
    return out;
}

QString utf16(const QByteArray& bytes, bool littleEndian) {
    QStringDecoder decoder(littleEndian ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    return decoder.decode(bytes);
}

} // namespace

QString encodingName(Encoding e) {
    switch (e) {
    case Encoding::Utf8:
        return QStringLiteral("UTF-8");
    case Encoding::Utf16LE:
        return QStringLiteral("UTF-16 (LE)");
    case Encoding::Utf16BE:
        return QStringLiteral("UTF-16 (BE)");
    case Encoding::Ansel:
        return QStringLiteral("ANSEL");
    case Encoding::Ansi:
        return QStringLiteral("ANSI (Windows-1252)");
    case Encoding::Ascii:
        return QStringLiteral("ASCII");
    case Encoding::Ibm850:
        return QStringLiteral("IBM PC (Codepage 850)");
    case Encoding::Mac:
        return QStringLiteral("Macintosh");
    case Encoding::Latin1:
        return QStringLiteral("ISO 8859-1");
    }
    return {};
}

QString decodeAnsel(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    QString pending; // diacritics waiting for their letter
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0xE0 && b <= 0xFE && kAnselMarks[b - 0xE0] != 0) {
            pending += QChar(kAnselMarks[b - 0xE0]);
            continue;
        }
        char16_t c = b;
        if (b >= 0xA0 && b <= 0xCF && kAnselSigns[b - 0xA0] != 0)
            c = kAnselSigns[b - 0xA0];
        else if (b >= 0x80)
            c = fromAnsi(std::string(1, ch)).at(0).unicode(); // mislabelled files
        out += QChar(c);
        if (!pending.isEmpty()) {
            out += pending;
            pending.clear();
        }
    }
    out += pending; // diacritics at the very end stand alone
    return out.normalized(QString::NormalizationForm_C);
}

DecodedText decodeGedcom(const QByteArray& bytes) {
    DecodedText d;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        d.text = QString::fromUtf8(bytes.mid(3));
        return d;
    }
    if (bytes.startsWith("\xFF\xFE") || (bytes.size() >= 2 && bytes[0] != 0 && bytes[1] == 0)) {
        d.encoding = Encoding::Utf16LE;
        d.text = utf16(bytes.startsWith("\xFF\xFE") ? bytes.mid(2) : bytes, true);
        d.oddLastByte = bytes.size() % 2 != 0;
        return d;
    }
    if (bytes.startsWith("\xFE\xFF") || (bytes.size() >= 2 && bytes[0] == 0 && bytes[1] != 0)) {
        d.encoding = Encoding::Utf16BE;
        d.text = utf16(bytes.startsWith("\xFE\xFF") ? bytes.mid(2) : bytes, false);
        d.oddLastByte = bytes.size() % 2 != 0;
        return d;
    }
    const QByteArray declared = declaredCharset(bytes);
    bool multiByte = false;
    const bool utf8 = validUtf8(bytes, &multiByte);
    // ANSEL's diacritics before ASCII letters never form valid multi-byte
    // UTF-8, so such a file labelled ANSEL was written as UTF-8.
    if (declared == "ANSEL" && !(utf8 && multiByte)) {
        d.encoding = Encoding::Ansel;
        d.text = decodeAnsel(bytes);
        return d;
    }
    // A file that says ANSI or ASCII but holds valid multi-byte UTF-8 was
    // written as UTF-8: Windows-1252 text practically never forms valid
    // multi-byte sequences.
    if ((declared.isEmpty() || declared.startsWith("UTF") || declared == "UNICODE" || multiByte) &&
        utf8) {
        d.declaredDiffers =
            !declared.isEmpty() && !declared.startsWith("UTF") && declared != "UNICODE";
        d.text = QString::fromUtf8(bytes);
        return d;
    }
    if (declared == "IBMPC" || declared == "IBM PC" || declared == "IBM WINDOWS") {
        d.encoding = Encoding::Ibm850;
        d.text = viaIcu(bytes, "ibm-850");
        return d;
    }
    if (declared == "MACINTOSH" || declared == "MACROMAN") {
        d.encoding = Encoding::Mac;
        d.text = viaIcu(bytes, "macintosh");
        return d;
    }
    if (declared == "ASCII" && !multiByte) {
        d.encoding = Encoding::Ascii;
    } else if (declared.startsWith("ISO") || declared == "LATIN1") {
        d.encoding = Encoding::Latin1;
        d.text = QString::fromLatin1(bytes);
        return d;
    } else {
        d.encoding = Encoding::Ansi;
        d.declaredDiffers = declared.startsWith("UTF") || declared == "UNICODE";
    }
    d.text = fromAnsi(bytes.toStdString());
    return d;
}

} // namespace lw::gedcom
