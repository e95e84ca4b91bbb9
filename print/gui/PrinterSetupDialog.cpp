#include "print/gui/PrinterSetupDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
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

PrinterSetupDialog::PrinterSetupDialog(QPrinter& printer, QWidget* parent)
    : QDialog(parent), printer_(printer), printerBox_(new QComboBox(this)),
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
    outer->addLayout(buttons);
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
}

} // namespace lw
