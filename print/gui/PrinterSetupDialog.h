#pragma once
// "Druckereinrichtung": the printer (an installed one or a PDF file) and its
// paper format and orientation, for the rest of the run.
#include <QDialog>
#include <QPageSize>
#include <vector>

class QComboBox;
class QPrinter;
class QRadioButton;

namespace lw {

class PrinterSetupDialog : public QDialog {
    Q_OBJECT
  public:
    // Preset to what `printer` is set to; `printer` must outlive the dialog.
    explicit PrinterSetupDialog(QPrinter& printer, QWidget* parent = nullptr);

    // Writes the choice into the printer.
    void apply();

    QComboBox* printerBox() const { return printerBox_; }
    QComboBox* paperBox() const { return paperBox_; }
    QRadioButton* portraitButton() const { return portrait_; }
    QRadioButton* landscapeButton() const { return landscape_; }

    // The entry of the printer box that stands for a PDF file.
    static QString pdfEntry() { return QStringLiteral("PDF-Datei"); }

  private:
    // The paper formats of the printer chosen in the box, `preferred` selected
    // (and added when the printer does not list it).
    void fillPapers(const QPageSize& preferred);
    QPageSize chosenPaper() const;

    QPrinter& printer_;
    QComboBox* printerBox_;
    QComboBox* paperBox_;
    QRadioButton* portrait_;
    QRadioButton* landscape_;
    std::vector<QPageSize> papers_;
};

} // namespace lw
