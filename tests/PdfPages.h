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
