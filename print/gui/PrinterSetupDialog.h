#pragma once
// "Druckereinrichtung": the printer (an installed one or a PDF file) and its
// paper format and orientation, for the rest of the run, and the poster
// options: the scale, leaving out empty sheets, the glue margin, cut marks
// and labels, the assembly map.
#include "print/PrintOptions.h"

#include <QDialog>
#include <QPageSize>
#include <vector>

class QCheckBox;
class QComboBox;
class QPrinter;
class QRadioButton;
class QSpinBox;

namespace lw {

class PrinterSetupDialog : public QDialog {
    Q_OBJECT
  public:
    // Preset to what `printer` and `options` are set to; both must outlive
    // the dialog.
    PrinterSetupDialog(QPrinter& printer, PrintOptions& options, QWidget* parent = nullptr);

    // Writes the choice into the printer and the options.
    void apply();

    QComboBox* printerBox() const { return printerBox_; }
    QComboBox* paperBox() const { return paperBox_; }
    QRadioButton* portraitButton() const { return portrait_; }
    QRadioButton* landscapeButton() const { return landscape_; }
    QRadioButton* screenScaleButton() const { return screenScale_; }
    QRadioButton* percentButton() const { return percentScale_; }
    QRadioButton* sheetsWideButton() const { return sheetsWideScale_; }
    QSpinBox* percentBox() const { return percent_; }
    QSpinBox* sheetsWideBox() const { return sheetsWide_; }
    QCheckBox* skipEmptyCheck() const { return skipEmpty_; }
    QSpinBox* glueBox() const { return glue_; }
    QCheckBox* marksCheck() const { return marks_; }
    QCheckBox* mapCheck() const { return map_; }

    // The entry of the printer box that stands for a PDF file.
    static QString pdfEntry() { return QStringLiteral("PDF-Datei"); }

  private:
    // The paper formats of the printer chosen in the box, `preferred` selected
    // (and added when the printer does not list it).
    void fillPapers(const QPageSize& preferred);
    QPageSize chosenPaper() const;
    QWidget* buildPosterOptions();

    QPrinter& printer_;
    PrintOptions& options_;
    QComboBox* printerBox_;
    QComboBox* paperBox_;
    QRadioButton* portrait_;
    QRadioButton* landscape_;
    QRadioButton* screenScale_ = nullptr;
    QRadioButton* percentScale_ = nullptr;
    QRadioButton* sheetsWideScale_ = nullptr;
    QSpinBox* percent_ = nullptr;
    QSpinBox* sheetsWide_ = nullptr;
    QCheckBox* skipEmpty_ = nullptr;
    QSpinBox* glue_ = nullptr;
    QCheckBox* marks_ = nullptr;
    QCheckBox* map_ = nullptr;
    std::vector<QPageSize> papers_;
};

} // namespace lw
