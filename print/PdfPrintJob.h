#pragma once
// A print job into a PDF file: one PDF page per sheet, each the whole sheet
// of paper with the printable page centred on it, drawn only within the
// printable page.
//
// The document is made in memory and written only when it ends, through
// the whole-file writer (complete, flushed, then put in place): a job that
// fails or is thrown away leaves no file, and a file that cannot be written
// completely (disk full, a size limit) fails the end of the job.
#include "print/PaintDevicePrintJob.h"

#include <QBuffer>
#include <QSizeF>
#include <memory>

class QPdfWriter;

namespace lw {

// An A4 sheet in millimetres.
inline constexpr QSizeF kA4Millimetres{210.0, 297.0};

namespace detail {
// Holds the writer in a base that is built before the job and ends after it.
struct PdfWriterHolder {
    PdfWriterHolder(const PrinterFacts& page, QSizeF paperMm);
    ~PdfWriterHolder();
    QBuffer buffer;
    std::unique_ptr<QPdfWriter> writer;
};
} // namespace detail

class PdfPrintJob : private detail::PdfWriterHolder, public PaintDevicePrintJob {
  public:
    // `page` gives the resolution and the printable page in pixels,
    // `paperMm` the sheet it lies on (made large enough to hold it).
    PdfPrintJob(const QString& fileName, const PrinterFacts& page, QSizeF paperMm = kA4Millimetres);
    ~PdfPrintJob() override;

    // Fails at once when the file's folder does not exist.
    bool beginDocument(const QString& title) override;
    // Ends the document and writes the file.
    bool endDocument() override;

  protected:
    void setTitle(const QString& title) override;
    PrinterFacts readFacts() override { return page_; }

  private:
    QString fileName_;
    PrinterFacts page_;
};

} // namespace lw
