#pragma once
// The dialog for the size of the chart area in positions.
//
// Showing the dialog goes through execDialog(): modal by default; a test sets
// a runner that plays the user and presses OK or Cancel.
#include "document/Document.h"

#include <QDialog>
#include <cstdint>
#include <functional>

class QPushButton;
class QSpinBox;

namespace lw {

class TAreaForm : public QDialog {
    Q_OBJECT
  public:
    using Runner = std::function<void(TAreaForm&)>;

    explicit TAreaForm(QWidget* parent = nullptr);

    // An empty runner restores the modal dialog.
    void setRunner(Runner runner) { runner_ = std::move(runner); }
    // Shows the dialog; true when it was closed with OK.
    bool execDialog();

    // Values outside 1 ... 1000000 are brought into that range.
    void setArea(std::int32_t width, std::int32_t height);
    std::int32_t areaWidth() const;
    std::int32_t areaHeight() const;

    QSpinBox* breited;
    QSpinBox* hoched;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    Runner runner_;
};

// Asks for a new area size. On OK the document takes it (Modified stays as
// it is); true when the size changed and the arrange view needs repainting.
bool askAndApplyArea(TAreaForm& form, Document& doc);

} // namespace lw
