#pragma once
// "Blatt n von N" while the sheets are printed, with a button "Abbrechen"
// that ends the job. The window stays responsive (events are handled after
// each sheet) but takes no input while the dialog is up.
//
// The progress window comes into being with the first sheet, after the print
// dialog and the sheet-count question have been answered: it is modal to the
// main window, and one that stood already would take the input of the print
// dialog and the question (both children of the main window).
#include "print/PrintCommand.h"

#include <QPointer>
#include <memory>

class QProgressDialog;
class QWidget;

namespace lw {

class PrintProgressDialog : public SheetProgress {
  public:
    explicit PrintProgressDialog(QWidget* parent);
    ~PrintProgressDialog() override;

    bool sheetStarting(std::int64_t number, std::int64_t count) override;
    // The progress window; null until the first sheet starts.
    QProgressDialog* dialog() const { return dialog_.get(); }
    // Whether the user ended the job with "Abbrechen".
    bool cancelled() const { return cancelled_; }

    static QString text(std::int64_t number, std::int64_t count) {
        return QStringLiteral("Blatt %1 von %2").arg(number).arg(count);
    }

  private:
    void create();

    QPointer<QWidget> parent_;
    std::unique_ptr<QProgressDialog> dialog_;
    bool cancelled_ = false;
};

// What the status bar says after a print that the user ended from the
// progress window: nothing is left of a PDF file (`toFile`), sheets already
// sent to a printer may still come out.
QString printCancelledMessage(bool toFile);

} // namespace lw
