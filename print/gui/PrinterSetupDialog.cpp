#include "print/gui/PrinterSetupDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace lw {

namespace {

// What a PDF file offers, and any printer that lists nothing.
std::vector<QPageSize> standardPapers() {
    std::vector<QPageSize> papers;
    for (QPageSize::PageSizeId id : {QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::B5,
                                     QPageSize::Letter, QPageSize::Legal, QPageSize::Tabloid})
        papers.emplace_back(id);
    return papers;
}

} // namespace

PrinterSetupDialog::PrinterSetupDialog(QPrinter& printer, PrintOptions& options, QWidget* parent)
    : QDialog(parent), printer_(printer), options_(options), printerBox_(new QComboBox(this)),
      paperBox_(new QComboBox(this)),
      portrait_(new QRadioButton(QStringLiteral("Hochformat"), this)),
      landscape_(new QRadioButton(QStringLiteral("Querformat"), this)) {
    setObjectName(QStringLiteral("PrinterSetupDialog1"));
    setWindowTitle(QStringLiteral("Druckereinrichtung"));
    setModal(true);

    for (const QString& name : QPrinterInfo::availablePrinterNames())
        printerBox_->addItem(name, name);
    printerBox_->addItem(pdfEntry(), QString());
    const bool pdf = printer_.outputFormat() == QPrinter::PdfFormat;
    const int current =
        pdf ? printerBox_->count() - 1 : std::max(0, printerBox_->findData(printer_.printerName()));
    printerBox_->setCurrentIndex(current);

    const QPageLayout layout = printer_.pageLayout();
    fillPapers(layout.pageSize());
    (layout.orientation() == QPageLayout::Landscape ? landscape_ : portrait_)->setChecked(true);
    connect(printerBox_, &QComboBox::currentIndexChanged, this,
            [this] { fillPapers(chosenPaper()); });

    auto* orientation = new QHBoxLayout;
    orientation->addWidget(portrait_);
    orientation->addWidget(landscape_);
    orientation->addStretch(1);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Drucker:"), printerBox_);
    form->addRow(QStringLiteral("Papierformat:"), paperBox_);
    form->addRow(QStringLiteral("Ausrichtung:"), orientation);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(form);
    outer->addWidget(buildPosterOptions());
    outer->addLayout(buttons);
}

QWidget* PrinterSetupDialog::buildPosterOptions() {
    auto* group = new QGroupBox(QStringLiteral("Poster"), this);
    auto spin = [group](int lo, int hi, int value, const QString& suffix) {
        auto* box = new QSpinBox(group);
        box->setRange(lo, hi);
        box->setValue(value);
        box->setSuffix(suffix);
        return box;
    };
    const PrintOptions& o = options_;
    screenScale_ = new QRadioButton(QStringLiteral("wie am Bildschirm"), group);
    percentScale_ = new QRadioButton(QStringLiteral("Prozent:"), group);
    sheetsWideScale_ = new QRadioButton(group);
    percent_ =
        spin(PrintOptions::kMinPercent, PrintOptions::kMaxPercent, o.percent, QStringLiteral(" %"));
    sheetsWide_ = spin(1, PrintOptions::kMaxSheetsWide, o.sheetsWide, QString());
    // The choice reads as it will print: "auf 3 Blätter Breite".
    auto sheetsText = [this](int sheets) {
        sheetsWideScale_->setText(sheets == 1
                                      ? QStringLiteral("auf 1 Blatt Breite:")
                                      : QStringLiteral("auf %1 Blätter Breite:").arg(sheets));
    };
    sheetsText(sheetsWide_->value());
    connect(sheetsWide_, &QSpinBox::valueChanged, this, sheetsText);
    (o.scaleMode == ScaleMode::Percent      ? percentScale_
     : o.scaleMode == ScaleMode::SheetsWide ? sheetsWideScale_
                                            : screenScale_)
        ->setChecked(true);
    skipEmpty_ = new QCheckBox(QStringLiteral("Leere Blätter auslassen"), group);
    skipEmpty_->setChecked(o.skipEmpty);
    glue_ = spin(0, PrintOptions::kMaxGlueMm, o.glueMm, QStringLiteral(" mm"));
    marks_ = new QCheckBox(QStringLiteral("Schnittmarken und Beschriftung"), group);
    marks_->setChecked(o.marks);
    map_ = new QCheckBox(QStringLiteral("Übersichtsblatt als erstes Blatt"), group);
    map_->setChecked(o.map);
    // Only the chosen scale's number can be changed.
    auto follow = [this] {
        percent_->setEnabled(percentScale_->isChecked());
        sheetsWide_->setEnabled(sheetsWideScale_->isChecked());
    };
    for (QRadioButton* b : {screenScale_, percentScale_, sheetsWideScale_})
        connect(b, &QRadioButton::toggled, this, follow);
    follow();

    auto* scale = new QGridLayout;
    scale->addWidget(screenScale_, 0, 0);
    scale->addWidget(percentScale_, 1, 0);
    scale->addWidget(percent_, 1, 1);
    scale->addWidget(sheetsWideScale_, 2, 0);
    scale->addWidget(sheetsWide_, 2, 1);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Maßstab:"), scale);
    form->addRow(QString(), skipEmpty_);
    form->addRow(QStringLiteral("Kleberand:"), glue_);
    form->addRow(QString(), marks_);
    form->addRow(QString(), map_);
    return group;
}

QPageSize PrinterSetupDialog::chosenPaper() const {
    const int i = paperBox_->currentIndex();
    return i >= 0 && size_t(i) < papers_.size() ? papers_[size_t(i)] : QPageSize(QPageSize::A4);
}

void PrinterSetupDialog::fillPapers(const QPageSize& preferred) {
    const QString name = printerBox_->currentData().toString();
    papers_.clear();
    if (!name.isEmpty()) {
        const QList<QPageSize> listed = QPrinterInfo::printerInfo(name).supportedPageSizes();
        papers_.assign(listed.begin(), listed.end());
    }
    if (papers_.empty()) papers_ = standardPapers();
    auto found = std::find_if(papers_.begin(), papers_.end(),
                              [&](const QPageSize& p) { return p.isEquivalentTo(preferred); });
    if (found == papers_.end() && preferred.isValid()) {
        papers_.insert(papers_.begin(), preferred);
        found = papers_.begin();
    }
    const QSignalBlocker quiet(paperBox_);
    paperBox_->clear();
    for (const QPageSize& p : papers_)
        paperBox_->addItem(p.name());
    paperBox_->setCurrentIndex(found == papers_.end() ? 0 : int(found - papers_.begin()));
}

void PrinterSetupDialog::apply() {
    const QPageSize paper = chosenPaper();
    const QString name = printerBox_->currentData().toString();
    if (name.isEmpty())
        printer_.setOutputFormat(QPrinter::PdfFormat);
    else
        printer_.setPrinterName(name);
    printer_.setPageSize(paper);
    printer_.setPageOrientation(landscape_->isChecked() ? QPageLayout::Landscape
                                                        : QPageLayout::Portrait);
    PrintOptions& o = options_;
    o.scaleMode = percentScale_->isChecked()      ? ScaleMode::Percent
                  : sheetsWideScale_->isChecked() ? ScaleMode::SheetsWide
                                                  : ScaleMode::Screen;
    o.percent = percent_->value();
    o.sheetsWide = sheetsWide_->value();
    o.skipEmpty = skipEmpty_->isChecked();
    o.glueMm = glue_->value();
    o.marks = marks_->isChecked();
    o.map = map_->isChecked();
}

} // namespace lw
