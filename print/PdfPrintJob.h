#pragma once
// A print job into a PDF file: one PDF page per sheet, of the printable size
// and resolution given, without margins.
#include "print/PaintDevicePrintJob.h"

#include <memory>

class QPdfWriter;

namespace lw {

namespace detail {
// Holds the writer in a base that is built before the job and ends after it.
struct PdfWriterHolder {
    PdfWriterHolder(const QString& fileName, const PrinterFacts& page);
    ~PdfWriterHolder();
    std::unique_ptr<QPdfWriter> writer;
};
} // namespace detail

class PdfPrintJob : private detail::PdfWriterHolder, public PaintDevicePrintJob {
  public:
    // `page` gives the resolution and the printable page in pixels. PDF
    // pages measure whole points; each page is rounded up to the next point
    // and drawn only within the printable page.
    PdfPrintJob(const QString& fileName, const PrinterFacts& page);

  protected:
    void setTitle(const QString& title) override;
    PrinterFacts readFacts() override { return page_; }
    QString outputFile() const override { return fileName_; }

  private:
    QString fileName_;
    PrinterFacts page_;
};

} // namespace lw
