#pragma once
// "Blatt n von N" while the sheets are printed, with a button "Abbrechen"
// that ends the job. The window stays responsive (events are handled after
// each sheet) but takes no input while the dialog is up.
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
    QProgressDialog* dialog() const { return dialog_.get(); }

    static QString text(std::int64_t number, std::int64_t count) {
        return QStringLiteral("Blatt %1 von %2").arg(number).arg(count);
    }

  private:
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace lw
