#pragma once
// The two printer dialogs of the print page, behind a seam that tests answer.
#include "print/PrintOptions.h"

#include <QPointer>
#include <QWidget>

class QPrinter;

namespace lw {

class PrinterDialogs {
  public:
    virtual ~PrinterDialogs() = default;

    // The print dialog: printer, paper, copies, or a PDF file. True when the
    // user confirmed; then `printer` holds the choice.
    virtual bool printDialog(QPrinter& printer) = 0;
    // The printer set-up: another printer and paper format, and the poster
    // options; cancelling leaves `printer` and `options` as they were.
    virtual void setupDialog(QPrinter& printer, PrintOptions& options) = 0;
};

// The real dialogs: Qt's print dialog and the program's printer set-up.
class QtPrinterDialogs : public PrinterDialogs {
  public:
    explicit QtPrinterDialogs(QWidget* parent) : parent_(parent) {}

    // A PDF printer without a file gets "Stammbaum.pdf" in the home folder
    // as its suggestion.
    bool printDialog(QPrinter& printer) override;
    void setupDialog(QPrinter& printer, PrintOptions& options) override;

  private:
    QPointer<QWidget> parent_;
};

} // namespace lw
