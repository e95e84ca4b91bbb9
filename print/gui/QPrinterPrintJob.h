#pragma once
// The print job on the program's QPrinter: the system printer or, where none
// is installed or the user chose so, a PDF file.
#include "print/PaintDevicePrintJob.h"

class QPrinter;

namespace lw {

class QPrinterPrintJob : public PaintDevicePrintJob {
  public:
    explicit QPrinterPrintJob(QPrinter& printer);

  protected:
    void setTitle(const QString& title) override;
    PrinterFacts readFacts() override;
    bool deviceFailed() const override;
    // Cancels the job where the printer allows it; a job that the printer
    // cannot cancel goes out as far as it was drawn.
    void abortDevice() override;
    // The PDF file when printing to one.
    QString outputFile() const override;

  private:
    QPrinter& printer_;
};

} // namespace lw
