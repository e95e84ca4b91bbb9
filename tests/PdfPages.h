#pragma once
// The number of pages of a PDF file: its "/Type /Page" objects (not
// "/Type /Pages"); -1 when the file cannot be read.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace lw::test {

inline int pdfPageCount(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    const QByteArray pdf = f.readAll();
    const QByteArray key("/Type /Page");
    int count = 0;
    for (qsizetype i = pdf.indexOf(key); i >= 0; i = pdf.indexOf(key, i + 1))
        count += (i + key.size() < pdf.size() && pdf[i + key.size()] == 's') ? 0 : 1;
    return count;
}

} // namespace lw::test

#include <QRegularExpression>
#include <QtEndian>
#include <vector>

namespace lw::test {

// The content streams of a PDF written by Qt, inflated, in the order they
// appear (one per page); streams that do not inflate are left out.
inline std::vector<QByteArray> pdfContentStreams(const QString& path) {
    QFile f(path);
    std::vector<QByteArray> out;
    if (!f.open(QIODevice::ReadOnly)) return out;
    const QByteArray pdf = f.readAll();
    for (qsizetype i = pdf.indexOf("stream\n"); i >= 0; i = pdf.indexOf("stream\n", i + 1)) {
        if (i >= 3 && pdf.mid(i - 3, 3) == "end") continue;
        // Page contents: compressed, and neither a font, a picture nor an
        // object of a named type.
        const QByteArray dict = pdf.mid(pdf.lastIndexOf("<<", i), i - pdf.lastIndexOf("<<", i));
        if (!dict.contains("/FlateDecode") || dict.contains("/Subtype") || dict.contains("/Type") ||
            dict.contains("/Length1"))
            continue;
        const qsizetype start = i + 7;
        const qsizetype end = pdf.indexOf("endstream", start);
        if (end < 0) break;
        QByteArray packed(4, '\0');
        qToBigEndian<quint32>(quint32(64 * 1024 * 1024), packed.data());
        packed += pdf.mid(start, end - start);
        const QByteArray text = qUncompress(packed);
        if (text.contains(" cm\n")) out.push_back(text);
    }
    return out;
}

// The stroked rectangles ("x y w h re S") of a content stream in points
// from the page's left edge, each with the translation ("1 0 0 1 tx ty
// cm") before it, scaled by the stream's first matrix ("s 0 0 -s 0 h cm").
struct PdfRect {
    double left = 0, top = 0, width = 0, height = 0;
};
inline std::vector<PdfRect> pdfStrokedRects(const QByteArray& content) {
    std::vector<PdfRect> out;
    const QString text = QString::fromLatin1(content);
    const QRegularExpressionMatch scale =
        QRegularExpression(QStringLiteral("^([0-9.]+) 0 0 -[0-9.]+ 0 [0-9.]+ cm"),
                           QRegularExpression::MultilineOption)
            .match(text);
    if (!scale.hasMatch()) return out;
    const double s = scale.captured(1).toDouble();
    const QRegularExpression stroked(
        QStringLiteral("1 0 0 1 (-?[0-9.]+) (-?[0-9.]+) cm\\n[^\\n]*\\n[^\\n]*\\n(-?\\d+) (-?\\d+) "
                       "(\\d+) (\\d+) re\\nS"));
    for (auto it = stroked.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out.push_back({s * (m.captured(1).toDouble() + m.captured(3).toDouble()),
                       s * (m.captured(2).toDouble() + m.captured(4).toDouble()),
                       s * m.captured(5).toDouble(), s * m.captured(6).toDouble()});
    }
    return out;
}

} // namespace lw::test
